#include "platform/textfile.h"

#include "platform/regularfile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString decode1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    QString text = decoder.decode(bytes);
    return text;
}

Result<QByteArray> encode1252(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return fail(QStringLiteral("le texte « %1 » contient un caractère que le fichier ne peut pas contenir").arg(text));
    return bytes;
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        lines << decode1252(bytes.mid(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

Result<QStringList> readTextLines(const QString &path, int maxLines)
{
    const Result<QByteArray> start = readFileStart(path, MaxTextFileBytes + 1);
    if (!start)
        return fail(start.error());
    QByteArray bytes = *start;
    // The lines asked for, as far as they end within the limit.
    qsizetype end = 0;
    int lines = 0;
    while (lines < maxLines && end < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', end);
        if (newline < 0) {
            end = bytes.size();
            ++lines;
            break;
        }
        end = newline + 1;
        ++lines;
    }
    if (end > MaxTextFileBytes)
        return fail(QStringLiteral("le fichier est trop grand pour être un fichier du programme"));
    bytes.truncate(end);
    return splitLines(bytes);
}

Result<void> writeTextLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const Result<QByteArray> encoded = encode1252(line);
        if (!encoded)
            return fail(encoded.error());
        bytes += *encoded;
        bytes += "\r\n";
    }
    return writeFileBytes(path, bytes);
}

} // namespace platform
