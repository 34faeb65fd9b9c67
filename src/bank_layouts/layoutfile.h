#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

#include <array>

namespace platform {
class PrinterSurface;
}

namespace bank_layouts {

// The layout file names behind the bank buttons, by button index. Entries are
// overwritten when the list is rebuilt, never cleared.
constexpr int BankFileSlots = 21;
extern std::array<QString, BankFileSlots> BankFiles;
// The layout file picked last.
extern QString SelectedBankFile;
// A layout's thirteen values in twips, at indices 1 to 13.
using LayoutValues = std::array<float, 51>;
// The last layout's, loaded for printing.
extern LayoutValues LayoutTwips;

constexpr int BankButtonCount = 15;
constexpr int LayoutValueCount = 13;
constexpr int LayoutLineCount = 16;

// A bank's layout file, "bq_" + code + ".txt": sixteen lines, Windows-1252,
// CR LF: the bank's name, the font's name and size, then thirteen values in
// millimetres (amount x, y; payee x, y; place x, y; date x, y; first words
// line x, y; second words line x, y; the first line's maximum length).

// Its lines as the file holds them, sixteen at most: fewer where it ends.
platform::Result<QStringList> readLayoutLines(const QString &path);

// Writes the lines, replacing the file in one step.
platform::Result<void> writeLayoutFile(const QString &path, const QStringList &lines);

// The first line of a layout file: its bank's name.
platform::Result<QString> readBankName(const QString &path);

// The bank's picture: the layout file's name up to and including its first
// ".", then "bmp".
QString bankPictureName(const QString &layoutFileName);

// The layout files of the working folder, "bq_*.txt", in name order. Case is
// ignored, as it is on the systems the layouts are often copied from.
QStringList layoutFiles();

// Sets a layout up for printing from its lines as the file holds them, line
// by line as the printer is set up: its font name and size go to the
// printer, its thirteen values, in twips, to `twips`. Fails when the lines
// end early, and throws platform::PrinterError when the printer refuses the
// font; either way what was set before the failure stays.
platform::Result<void> applyLayout(const QStringList &lines, platform::PrinterSurface &printer, LayoutValues &twips);

// Reads a layout file and sets it up for printing into LayoutTwips. Gives
// the bank's name.
platform::Result<QString> loadLayout(const QString &path, platform::PrinterSurface &printer);

} // namespace bank_layouts
