#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// The program's text files (settings, bank layouts) are in the Windows-1252
// code page with CR LF line ends, so that the suite's other programs read them.
namespace platform {

QString decode1252(const QByteArray &bytes);
// Fails when the text holds a character the code page cannot hold: writing a
// "?" in its place would change the user's text behind their back.
Result<QByteArray> encode1252(const QString &text);

// Whether a text can stand as one line of these files: no line end, which
// would cut it in two and move every line after it down one, and no other
// control character (a tab, the Ctrl+Z that older readers take for the end
// of the file).
bool fitsOneLine(const QString &text);

// Splits on CR LF; a lone LF (a file edited elsewhere) ends a line too, and a
// last line without an ending still counts.
QStringList splitLines(const QByteArray &bytes);

// The program's text files are a few lines long: no more than this is ever
// read of one.
constexpr qint64 MaxTextFileBytes = 64 * 1024;

// Reads the first `maxLines` lines of a text file (fewer where it ends), and
// only those. Only a regular file is read: a folder, a device or a pipe (or a
// link to one) is refused at once, as is a file whose first lines do not end
// within MaxTextFileBytes.
Result<QStringList> readTextLines(const QString &path, int maxLines);

// Writes the lines, each ended by CR LF, replacing the file in one step: a
// failed write leaves the previous file whole. A line that does not fit one
// line of the file is refused, and nothing is written.
Result<void> writeTextLines(const QString &path, const QStringList &lines);

// A UTF-8 file for other programs (the accountant's export), written piece
// by piece and put in place in one step by commit(): until then a file of
// that name stays as it was, and a failure anywhere leaves it so.
class Utf8FileWriter
{
public:
    explicit Utf8FileWriter(const QString &path);
    ~Utf8FileWriter(); // without commit(), the file is left as it was
    Utf8FileWriter(const Utf8FileWriter &) = delete;
    Utf8FileWriter &operator=(const Utf8FileWriter &) = delete;

    Result<void> open();
    // Kept in memory a while, written in large pieces.
    Result<void> write(QStringView text);
    Result<void> commit();

private:
    Result<void> flush();
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace platform
