#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString decode1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    QString text = decoder.decode(bytes);
    return text;
}

std::optional<QByteArray> encode1252(const QString &text)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = bytes.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        lines << decode1252(bytes.mid(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

std::optional<QStringList> readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return splitLines(bytes);
}

bool writeTextLines(const QString &path, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        const std::optional<QByteArray> encoded = encode1252(line);
        if (!encoded) {
            if (error)
                *error = QStringLiteral("le texte « %1 » contient un caractère que le fichier ne peut pas contenir").arg(line);
            return false;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // result: through Qt's buffer it can be lost and the cut file committed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = QStringLiteral("l'écriture a échoué (disque plein ?)");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform
