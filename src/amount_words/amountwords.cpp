#include "amount_words/amountwords.h"

#include "common/numeric.h"

#include <QStringList>

#include <array>

namespace amount_words {

namespace {

// Six groups of three digits: hundredths, units, thousands, millions,
// milliards, billions.
constexpr int GroupCount = 6;
constexpr int DigitCount = GroupCount * 3;
constexpr int MaxIntegerDigits = 15;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

QString withoutLeadingZeros(const QString &digits)
{
    int i = 0;
    while (i < digits.size() - 1 && digits[i] == QLatin1Char('0'))
        ++i;
    return digits.mid(i);
}

// Names of the numbers the conversion uses, by value; the others stay empty.
// Compound names use a blank rather than a hyphen, as the cheque lines
// always have.
std::array<QString, 91> numberNames()
{
    std::array<QString, 91> names;
    const char16_t *const small[] = {u"zéro",    u"un",       u"deux",     u"trois",   u"quatre",
                                     u"cinq",    u"six",      u"sept",     u"huit",    u"neuf",
                                     u"dix",     u"onze",     u"douze",    u"treize",  u"quatorze",
                                     u"quinze",  u"seize",    u"dix sept", u"dix huit", u"dix neuf"};
    for (int i = 0; i < 20; ++i)
        names[std::size_t(i)] = QString::fromUtf16(small[i]);
    names[20] = QStringLiteral("vingt");
    names[30] = QStringLiteral("trente");
    names[40] = QStringLiteral("quarante");
    names[50] = QStringLiteral("cinquante");
    names[60] = QStringLiteral("soixante");
    names[70] = QStringLiteral("soixante");
    names[80] = QStringLiteral("quatre vingt");
    names[90] = QStringLiteral("quatre vingt");
    return names;
}

const QString &scaleWord(int group)
{
    static const std::array<QString, GroupCount> words = {
        QString(), QString(), QStringLiteral(" mille"), QStringLiteral(" million"),
        QStringLiteral(" milliard"), QStringLiteral(" billion")};
    return words[std::size_t(group)];
}

// The integer digits, "0", and exactly two hundredths. Three or more
// decimals are rounded on the digits themselves so that 0.995 really gives
// one euro, which a double would not.
QString workingDigits(const QString &amount)
{
    const int point = amount.indexOf(QLatin1Char('.'));
    if (point < 0)
        return amount + QStringLiteral("000");
    QString integerDigits = amount.left(point);
    QString decimals = amount.mid(point + 1);
    if (decimals.size() >= 3) {
        const QString rounded = common::roundDecimalText(integerDigits + QLatin1Char('.') + decimals, 2);
        const int roundedPoint = rounded.indexOf(QLatin1Char('.'));
        integerDigits = rounded.left(roundedPoint);
        decimals = rounded.mid(roundedPoint + 1);
    } else if (decimals.size() == 1) {
        decimals += QLatin1Char('0');
    }
    return integerDigits + QLatin1Char('0') + decimals;
}

// Whether a digit string, leading zeros aside, is more than 1.
bool moreThanOne(const QString &digits)
{
    const QString value = withoutLeadingZeros(digits);
    return value.size() > 1 || (!value.isEmpty() && value[0] > QLatin1Char('1'));
}

QString joinNonEmpty(const QStringList &words)
{
    QStringList kept;
    for (const QString &word : words) {
        const QString trimmed = word.trimmed();
        if (!trimmed.isEmpty())
            kept << trimmed;
    }
    return kept.join(QLatin1Char(' '));
}

} // namespace

platform::Result<QString> acceptAmountText(const QString &text)
{
    const platform::Failure refused =
        platform::fail(QStringLiteral("le montant « %1 » ne peut pas être écrit en lettres").arg(text.trimmed()));
    QString amount = text.trimmed();
    amount.replace(QLatin1Char(','), QLatin1Char('.'));

    const int point = amount.indexOf(QLatin1Char('.'));
    QString integerDigits = point < 0 ? amount : amount.left(point);
    const QString decimals = point < 0 ? QString() : amount.mid(point + 1);
    if (integerDigits.isEmpty() || !allDigits(integerDigits))
        return refused;
    if (point >= 0 && (decimals.isEmpty() || !allDigits(decimals)))
        return refused;

    integerDigits = withoutLeadingZeros(integerDigits);
    const QString normalised = point < 0 ? integerDigits : integerDigits + QLatin1Char('.') + decimals;

    // The capacity counts once the amount is in hundredths, so a carry out of
    // the decimals can push an amount past it.
    const QString rounded = common::roundDecimalText(normalised, 2);
    if (rounded.indexOf(QLatin1Char('.')) > MaxIntegerDigits)
        return refused;
    return normalised;
}

QString amountFigures(const QString &text)
{
    const platform::Result<QString> accepted = acceptAmountText(text);
    return accepted ? common::roundDecimalText(*accepted, 2) : text.trimmed();
}

QString ConvertitLettres2(QString &amount, const QString &currencyName, const QString &hundredthName)
{
    const std::array<QString, 91> names = numberNames();

    amount = workingDigits(amount);

    // digit[i] is the digit i places from the right; anything past the six
    // groups is outside what a cheque can hold and is left out.
    std::array<int, DigitCount> digit{};
    for (int i = 0; i < DigitCount && i < amount.size(); ++i) {
        const QChar c = amount[amount.size() - 1 - i];
        digit[std::size_t(i)] = isAsciiDigit(c) ? c.digitValue() : 0;
    }
    const auto at = [&digit](int i) { return digit[std::size_t(i)]; };

    // "cent" and "quatre vingt" take their "s" only when nothing non-zero
    // stands anywhere below them in the integer part; in the hundredths only
    // the units digit counts.
    std::array<bool, DigitCount> followed{};
    bool nonZeroBelow = false;
    for (int i = 3; i < DigitCount; ++i) {
        followed[std::size_t(i)] = nonZeroBelow;
        if (at(i) != 0)
            nonZeroBelow = true;
    }
    followed[1] = at(0) != 0;

    std::array<QString, GroupCount> groupText;
    std::array<int, GroupCount> groupValue{};
    for (int group = GroupCount - 1; group >= 0; --group) {
        const int base = group * 3;
        const int h = at(base + 2);
        const int t = at(base + 1);
        const int u = at(base);
        const int v = 10 * t + u;
        groupValue[std::size_t(group)] = 100 * h + v;
        if (groupValue[std::size_t(group)] == 0)
            continue;

        QString hundredsWord;
        if (h == 1) {
            hundredsWord = QStringLiteral("cent");
        } else if (h >= 2) {
            hundredsWord = names[std::size_t(h)] + QStringLiteral(" cent");
            if (!followed[std::size_t(base + 2)])
                hundredsWord += QLatin1Char('s');
        }

        QString tensWord;
        bool hasTensWord = false;
        bool tenMore = false;
        if (v >= 20) {
            tensWord = names[std::size_t(10 * t)];
            if (t == 8 && !followed[std::size_t(base + 1)])
                tensWord += QLatin1Char('s');
            hasTensWord = true;
            tenMore = t == 7 || t == 9;
        } else if (v >= 10) {
            tensWord = names[std::size_t(v)];
        }

        QString unitsWord;
        if ((t != 1 && u > 0) || tenMore) {
            const int n = tenMore ? 10 + u : u;
            if (hasTensWord) {
                if (t < 8 && u == 1)
                    unitsWord = QStringLiteral(" et ") + names[std::size_t(n)];
                else
                    unitsWord = QLatin1Char(' ') + names[std::size_t(n)];
            } else if (group == 2) {
                // One thousand reads "mille", never "un mille".
                if (groupValue[2] != 1)
                    unitsWord = QLatin1Char(' ') + names[std::size_t(u)];
            } else {
                unitsWord = names[std::size_t(u)];
            }
        }

        QString text = joinNonEmpty({hundredsWord, tensWord, unitsWord}) + scaleWord(group);
        if (group >= 3 && groupValue[std::size_t(group)] > 1)
            text += QLatin1Char('s');
        groupText[std::size_t(group)] = text;
    }

    // Blanks are not collapsed: " mille" keeps its own leading blank after
    // the one that joins it, as the cheques have always been printed.
    QString words = groupText[5];
    for (int group = 4; group >= 1; --group) {
        if (!groupText[std::size_t(group)].isEmpty())
            words += QLatin1Char(' ') + groupText[std::size_t(group)];
    }
    if (words.isEmpty())
        words = names[0];

    words += QLatin1Char(' ') + currencyName.trimmed();
    if (moreThanOne(amount.left(amount.size() - 3)))
        words += QLatin1Char('s');

    if (!groupText[0].isEmpty()) {
        words += QStringLiteral(" et ") + groupText[0] + QLatin1Char(' ') + hundredthName.trimmed();
        if (groupValue[0] > 1)
            words += QLatin1Char('s');
    }

    return words.toUpper().trimmed();
}

} // namespace amount_words
