#include "platform/textfile.h"

#include "platform/regularfile.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

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
        return fail(
            QStringLiteral("le texte « %1 » contient un caractère que le fichier ne peut pas contenir").arg(text));
    return bytes;
}

bool fitsOneLine(const QString &text)
{
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

namespace {

// Why a line cannot be written, the line shown with its control characters
// as blanks.
Failure notOneLine(const QString &line)
{
    QString shown = line;
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    const QString what = line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))
                             ? QStringLiteral("un saut de ligne, qui décalerait toutes les lignes suivantes du fichier")
                         : line.contains(QLatin1Char('\t')) ? QStringLiteral("une tabulation")
                                                            : QStringLiteral("un caractère de contrôle");
    return fail(QStringLiteral("la valeur « %1 » contient %2").arg(shown, what));
}

} // namespace

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
        return start.failure();
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
        if (!fitsOneLine(line))
            return notOneLine(line);
        const Result<QByteArray> encoded = encode1252(line);
        if (!encoded)
            return encoded.failure();
        bytes += *encoded;
        bytes += "\r\n";
    }
    return writeFileBytes(path, bytes);
}

struct Utf8FileWriter::Private
{
    explicit Private(const QString &path)
        : file(path)
    {
    }
    QSaveFile file;
    QByteArray pending;
    bool failed = false;
};

Utf8FileWriter::Utf8FileWriter(const QString &path)
    : d(std::make_unique<Private>(path))
{
}

Utf8FileWriter::~Utf8FileWriter()
{
    if (d->file.isOpen())
        d->file.cancelWriting();
}

Result<void> Utf8FileWriter::open()
{
    // Unbuffered, as writeTextLines: a short write must show.
    if (!d->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        d->failed = true;
        return fail(QStringLiteral("le fichier « %1 » ne peut pas être créé (dossier introuvable ou accès refusé)")
                        .arg(d->file.fileName()));
    }
    return {};
}

Result<void> Utf8FileWriter::write(QStringView text)
{
    if (d->failed || !d->file.isOpen())
        return fail(QStringLiteral("le fichier « %1 » n'est pas ouvert").arg(d->file.fileName()));
    d->pending += text.toUtf8();
    if (d->pending.size() >= 1 << 20)
        return flush();
    return {};
}

Result<void> Utf8FileWriter::flush()
{
    if (d->file.write(d->pending) != d->pending.size()) {
        d->failed = true;
        d->file.cancelWriting();
        return fail(QStringLiteral("l'écriture de « %1 » a échoué (disque plein ?)").arg(d->file.fileName()));
    }
    d->pending.clear();
    return {};
}

Result<void> Utf8FileWriter::commit()
{
    if (d->failed || !d->file.isOpen())
        return fail(QStringLiteral("le fichier « %1 » n'a pas été écrit").arg(d->file.fileName()));
    if (const Result<void> flushed = flush(); !flushed)
        return flushed;
    if (!d->file.commit()) {
        d->failed = true;
        return fail(
            QStringLiteral("le fichier « %1 » ne peut pas être remplacé (accès refusé ?)").arg(d->file.fileName()));
    }
    return {};
}

} // namespace platform
