#include "common/numeric.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Adds one unit at the last digit of a string of decimal digits.
QString incrementDigits(QString digits)
{
    int i = digits.size() - 1;
    while (i >= 0) {
        if (digits[i] == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
            --i;
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

QString stripLeadingZeros(const QString &digits)
{
    int i = 0;
    while (i < digits.size() - 1 && digits[i] == QLatin1Char('0'))
        ++i;
    return digits.mid(i);
}

} // namespace

QString numericText(const QString &text)
{
    QString out;
    bool seenDigit = false;
    bool seenPoint = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        if (c == QLatin1Char('-') && out.isEmpty()) {
            out += c;
            continue;
        }
        if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            out += c;
            continue;
        }
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            seenDigit = true;
            out += c;
            continue;
        }
        break;
    }
    return seenDigit ? out : QString();
}

double numericValue(const QString &text)
{
    const QString number = numericText(text);
    if (number.isEmpty())
        return 0.0;
    bool converted = false;
    const double value = number.toDouble(&converted);
    if (!converted || !std::isfinite(value))
        return 0.0;
    return value;
}

QString roundDecimalText(const QString &decimalText, int decimals)
{
    QString text = decimalText;
    bool negative = false;
    if (text.startsWith(QLatin1Char('-'))) {
        negative = true;
        text.remove(0, 1);
    }
    const int point = text.indexOf(QLatin1Char('.'));
    QString integerDigits = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (integerDigits.isEmpty())
        integerDigits = QStringLiteral("0");

    const bool roundUp = fraction.size() > decimals && fraction[decimals] >= QLatin1Char('5');
    fraction = fraction.left(decimals).leftJustified(decimals, QLatin1Char('0'));
    QString all = integerDigits + fraction;
    if (roundUp)
        all = incrementDigits(all);
    integerDigits = stripLeadingZeros(all.left(all.size() - decimals));
    fraction = all.right(decimals);

    QString result = integerDigits;
    if (decimals > 0)
        result += QLatin1Char('.') + fraction;
    const bool isZero = result.count(QLatin1Char('0')) + result.count(QLatin1Char('.')) == result.size();
    if (negative && !isZero)
        result.prepend(QLatin1Char('-'));
    return result;
}

QString formatWhole(double value, int width)
{
    const double rounded = std::round(value);
    const bool negative = rounded < 0;
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    digits = digits.rightJustified(width, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString formatHundredths(const QString &text)
{
    const QString number = numericText(text);
    return roundDecimalText(number.isEmpty() ? QStringLiteral("0") : number, 2);
}

QString formatHundredths(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    // Fifteen significant digits: what a double holds reliably, and what the
    // person typed when the value came from a text.
    const double magnitude = std::fabs(value);
    const int integerDigits = magnitude < 1.0 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    return roundDecimalText(QString::number(value, 'f', std::max(0, 15 - integerDigits)), 2);
}

float mmToTwips(double mm)
{
    // A layout file may hold any number of digits: one past what single
    // precision holds stays at its largest value (far off any page) rather
    // than becoming infinite, which the printer cannot place.
    constexpr double Largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(mm * TwipsPerMm, -Largest, Largest));
}

QString plainNumber(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    QString digits;
    for (int precision = 0; precision <= 340; ++precision) {
        digits = QString::number(std::fabs(value), 'f', precision);
        if (digits.toDouble() == std::fabs(value))
            break;
    }
    if (digits.contains(QLatin1Char('.'))) {
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        if (digits.endsWith(QLatin1Char('.')))
            digits.chop(1);
    }
    const bool negative = value < 0 && digits != QLatin1String("0");
    return (negative ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

} // namespace common
