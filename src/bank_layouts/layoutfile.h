#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

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
// The last layout's thirteen values in twips, at indices 1 to 13.
extern std::array<float, 51> LayoutTwips;

constexpr int BankButtonCount = 15;
constexpr int LayoutValueCount = 13;

// A bank's layout file, "bq_" + code + ".txt": sixteen lines, Windows-1252.
struct BankLayout
{
    QString bankName;
    QString fontName;
    double fontSize = 0;
    // Millimetres, in file order: amount x, y; payee x, y; place x, y;
    // date x, y; first words line x, y; second words line x, y; the first
    // line's maximum length.
    std::array<double, LayoutValueCount> values{};
};

// Nothing when the file cannot be read or has fewer than sixteen lines. A
// line without a leading number counts 0.
std::optional<BankLayout> readLayout(const QString &path);

// The first line of a layout file: its bank's name, or nothing.
std::optional<QString> readBankName(const QString &path);

// The bank's picture: the layout file's name up to and including its first
// ".", then "bmp".
QString bankPictureName(const QString &layoutFileName);

// The layout files of a folder, "bq_*.txt", in name order. Case is ignored,
// as it is on the systems the layouts are often copied from.
QStringList layoutFiles(const QString &folder);

// Loads a layout for printing: its font name and size go to the printer, its
// thirteen values, in twips, to LayoutTwips. Throws platform::PrinterError
// when the file cannot be read or the printer refuses the font; what was set
// before the failure stays.
void loadLayout(const QString &path, platform::PrinterSurface &printer);

} // namespace bank_layouts
