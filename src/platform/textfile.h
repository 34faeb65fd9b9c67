#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The program's text files (settings, bank layouts) are in the Windows-1252
// code page with CR LF line ends, so that the suite's other programs read them.
namespace platform {

QString decode1252(const QByteArray &bytes);
// Returns nothing when the text holds a character the code page cannot hold:
// writing a "?" in its place would change the user's text behind their back.
std::optional<QByteArray> encode1252(const QString &text);

// Splits on CR LF; a lone LF (a file edited elsewhere) ends a line too, and a
// last line without an ending still counts.
QStringList splitLines(const QByteArray &bytes);

// Reads a whole text file. Nothing when it cannot be opened or read.
std::optional<QStringList> readTextLines(const QString &path);

// Writes the lines, each ended by CR LF, replacing the file in one step: a
// failed write leaves the previous file whole. On failure returns false and
// says why in *error, in French, for the user.
bool writeTextLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace platform
