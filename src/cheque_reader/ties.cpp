#include "cheque_reader/ties.h"

#include "platform/folder.h"
#include "platform/textfile.h"

namespace cheque_reader {

const QString TiesFileName = QStringLiteral("cmc7_banques.txt");

namespace {

// Far more than a shop's customers' banks.
constexpr int MaxTies = 100000;

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return !text.isEmpty();
}

} // namespace

QString tieDigits(const Cmc7Line &line)
{
    return line.interbank;
}

platform::Result<Ties> Ties::read(const QString &path)
{
    Ties ties;
    if (!platform::fileExists(path))
        return ties;
    const platform::Result<QStringList> lines = platform::readTextLines(path, MaxTies);
    if (!lines)
        return lines.failure();
    for (const QString &line : *lines) {
        const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
        const QString digits = line.left(semicolon).trimmed();
        const QString file = line.mid(semicolon + 1).trimmed();
        if (semicolon > 0 && allDigits(digits) && !file.isEmpty())
            ties.m_lines.append({digits, file, QString()});
        else if (!line.trimmed().isEmpty())
            ties.m_lines.append({QString(), QString(), line});
    }
    return ties;
}

platform::Result<void> Ties::write(const QString &path) const
{
    QStringList lines;
    for (const Tie &tie : m_lines)
        lines << (tie.digits.isEmpty() ? tie.unread : tie.digits + QLatin1Char(';') + tie.layoutFile);
    return platform::writeTextLines(path, lines);
}

QString Ties::layoutOf(const QString &digits) const
{
    for (const Tie &tie : m_lines) {
        if (!tie.digits.isEmpty() && tie.digits == digits)
            return tie.layoutFile;
    }
    return QString();
}

void Ties::tie(const QString &digits, const QString &layoutFile)
{
    for (Tie &tie : m_lines) {
        if (!tie.digits.isEmpty() && tie.digits == digits) {
            tie.layoutFile = layoutFile;
            return;
        }
    }
    m_lines.append({digits, layoutFile, QString()});
}

} // namespace cheque_reader
