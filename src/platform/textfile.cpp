#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {

Failure openFailure(const QFileDevice &file)
{
    // QFileDevice gives no errno: what the user can act on is told apart here.
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return fail(QStringLiteral("le fichier est introuvable"));
    if (info.isDir())
        return fail(QStringLiteral("c'est un dossier, pas un fichier"));
    return fail(QStringLiteral("le fichier ne peut pas être ouvert (accès refusé ?)"));
}

} // namespace

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

Result<QStringList> readTextLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(file);
    // One byte more than allowed tells a file at the limit from one past it.
    const QByteArray bytes = file.read(MaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("le fichier ne peut pas être lu"));
    if (bytes.size() > MaxTextFileBytes)
        return fail(QStringLiteral("le fichier est trop grand pour être un fichier du programme"));
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
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // result: through Qt's buffer it can be lost and the cut file committed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("le fichier ne peut pas être créé (dossier introuvable ou accès refusé)"));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(QStringLiteral("l'écriture a échoué (disque plein ?)"));
    }
    if (!file.commit())
        return fail(QStringLiteral("le fichier ne peut pas être remplacé (accès refusé ?)"));
    return {};
}

} // namespace platform
