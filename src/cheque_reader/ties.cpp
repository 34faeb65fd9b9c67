#include "cheque_reader/ties.h"

#include "platform/folder.h"
#include "platform/textfile.h"

#include <algorithm>

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

const QString TieDigitsFileName = QStringLiteral("cmc7_chiffres.txt");

namespace {

bool valid(const TieDigits &digits)
{
    return digits.from >= 1 && digits.count >= 1 && digits.from + digits.count - 1 <= 12;
}

} // namespace

platform::Result<TieDigits> readTieDigits(const QString &path)
{
    if (!platform::fileExists(path))
        return TieDigits();
    const platform::Result<QStringList> lines = platform::readTextLines(path, 1);
    if (!lines)
        return lines.failure();
    const QStringList parts = lines->value(0).split(QLatin1Char(';'));
    const TieDigits digits{parts.value(0).trimmed().toInt(), parts.value(1).trimmed().toInt()};
    if (!valid(digits))
        return platform::fail(
            QStringLiteral("« %1 » ne dit pas quels chiffres de la zone interbancaire lient un chéquier à sa banque")
                .arg(TieDigitsFileName));
    return digits;
}

platform::Result<void> writeTieDigits(const QString &path, const TieDigits &digits)
{
    return platform::writeTextLines(path, {QStringLiteral("%1;%2").arg(digits.from).arg(digits.count)});
}

QString tieDigits(const Cmc7Line &line, const TieDigits &digits)
{
    return line.interbank.mid(digits.from - 1, digits.count);
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

QStringList Ties::ofLayout(const QString &layoutFile) const
{
    QStringList digits;
    for (const Tie &tie : m_lines) {
        if (!tie.digits.isEmpty() && tie.layoutFile == layoutFile)
            digits << tie.digits;
    }
    return digits;
}

void Ties::untie(const QString &digits)
{
    m_lines.erase(std::remove_if(m_lines.begin(), m_lines.end(),
                                 [&digits](const Tie &tie) { return !tie.digits.isEmpty() && tie.digits == digits; }),
                  m_lines.end());
}

int Ties::narrow(const TieDigits &before, const TieDigits &after)
{
    if (!valid(before) || !valid(after) || after.from < before.from ||
        after.from + after.count > before.from + before.count)
        return -1;
    QList<Tie> narrowed;
    int dropped = 0;
    for (Tie tie : std::as_const(m_lines)) {
        if (!tie.digits.isEmpty()) {
            tie.digits = tie.digits.mid(after.from - before.from, after.count);
            const auto same = std::find_if(narrowed.begin(), narrowed.end(),
                                           [&tie](const Tie &kept) { return kept.digits == tie.digits; });
            if (same != narrowed.end()) {
                dropped += same->layoutFile == tie.layoutFile ? 0 : 1;
                continue;
            }
        }
        narrowed << tie;
    }
    m_lines = narrowed;
    return dropped;
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
