#include "cheque_reader/cmc7.h"

#include <QStringList>

namespace cheque_reader {

namespace {

// The digit row of an AZERTY keyboard, from 1 to 0.
const QString AzertyDigits = QStringLiteral("&é\"'(-è_çà");

QChar azertyDigit(QChar c)
{
    const qsizetype at = AzertyDigits.indexOf(c);
    return at < 0 ? QChar() : QChar(at == 9 ? '0' : char('1' + at));
}

bool hasDigit(const QString &raw)
{
    for (const QChar c : raw) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return true;
    }
    return false;
}

// The reader's text with its digits as digits, '?' kept, every other
// character a blank.
QString normalised(const QString &raw)
{
    const bool azerty = !hasDigit(raw);
    QString text;
    text.reserve(raw.size());
    for (const QChar c : raw) {
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('?'))
            text += c;
        else if (azerty && !azertyDigit(c).isNull())
            text += azertyDigit(c);
        else
            text += QLatin1Char(' ');
    }
    return text;
}

} // namespace

QString Cmc7Line::text() const
{
    return number + QLatin1Char(' ') + interbank + QLatin1Char(' ') + internal;
}

int cmc7Characters(const QString &raw)
{
    int count = 0;
    for (const QChar c : normalised(raw))
        count += c == QLatin1Char(' ') ? 0 : 1;
    return count;
}

platform::Result<Cmc7Line> readCmc7(const QString &raw)
{
    const QString text = normalised(raw);
    if (text.contains(QLatin1Char('?')))
        return platform::fail(QStringLiteral("Ligne CMC7 illisible : passez le chèque à nouveau."));
    const QStringList groups = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (groups.size() != 3 || groups[0].size() != 7 || groups[1].size() != 12 || groups[2].size() != 12)
        return platform::fail(QStringLiteral("Ligne CMC7 incomplète : passez le chèque à nouveau."));
    return Cmc7Line{groups[0], groups[1], groups[2]};
}

} // namespace cheque_reader
