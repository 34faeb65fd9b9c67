#include "journal/journal.h"

#include "common/numeric.h"

namespace journal {

namespace {

const QChar NoBreakSpace(0x00A0);

} // namespace

QString frenchCount(quint64 count)
{
    const QString digits = QString::number(count);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += NoBreakSpace;
        grouped += digits[i];
    }
    return grouped;
}

QString frenchEuros(qint64 cents)
{
    // Unsigned, so that the smallest value has a magnitude too.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    return QStringLiteral("%1%2,%3%4€")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), frenchCount(magnitude / 100))
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'))
        .arg(NoBreakSpace);
}

std::optional<qint64> centsOf(const QString &figures)
{
    const QString text = figures.trimmed();
    // Only what amountFigures writes: digits, and a "." with at most two
    // more; anything else is not taken for an amount.
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString units = point < 0 ? text : text.left(point);
    const QString hundredths = point < 0 ? QString() : text.mid(point + 1);
    if (units.isEmpty() || units.size() > 15 || hundredths.size() > 2 || (point >= 0 && hundredths.isEmpty()))
        return std::nullopt;
    qint64 cents = 0;
    for (const QChar c : units + hundredths.leftJustified(2, QLatin1Char('0'))) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        cents = cents * 10 + (c.unicode() - '0');
    }
    return cents;
}

} // namespace journal
