#include "amount_words/amountwords.h"

#include "common/numeric.h"

#include <QVarLengthArray>

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

// The integer digits, "0", and exactly two hundredths. Three or more
// decimals are rounded on the digits themselves so that 0.995 really gives
// one euro, which a double would not.
QString workingDigits(const QString &amount)
{
    const qsizetype point = amount.indexOf(QLatin1Char('.'));
    if (point < 0)
        return amount + QStringLiteral("000");
    const qsizetype decimalCount = amount.size() - point - 1;
    if (decimalCount <= 2) {
        // The common case, in one string: the integer digits, "0", the
        // hundredths.
        QString digits;
        digits.reserve(point + 3);
        digits.append(QStringView(amount).left(point));
        digits.append(QLatin1Char('0'));
        digits.append(QStringView(amount).mid(point + 1));
        if (decimalCount == 1)
            digits.append(QLatin1Char('0'));
        return digits;
    }
    // Three decimals or more: rounded on the digits themselves.
    const QString rounded = common::roundDecimalText(amount, 2);
    const qsizetype roundedPoint = rounded.indexOf(QLatin1Char('.'));
    return rounded.left(roundedPoint) + QLatin1Char('0') + rounded.mid(roundedPoint + 1);
}

// Whether a digit string, leading zeros aside, is more than 1.
bool moreThanOne(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == u'0')
        ++first;
    const QStringView value = digits.mid(first);
    return value.size() > 1 || (!value.isEmpty() && value[0] > u'1');
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

namespace {

// The words are built straight into one buffer, already in capitals: the
// conversion runs for every amount typed and at every start, and a string
// for each word would cost more than the rules themselves.
class WordsBuffer
{
public:
    void append(QStringView text) { m_text.append(reinterpret_cast<const char16_t *>(text.utf16()), text.size()); }
    void append(char16_t c) { m_text.append(c); }
    // In capitals, without a string of its own for the common case.
    void appendUpper(QStringView text)
    {
        for (const QChar c : text) {
            if (c.unicode() >= 0x80) {
                append(text.toString().toUpper());
                return;
            }
        }
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            m_text.append(u >= u'a' && u <= u'z' ? char16_t(u - (u'a' - u'A')) : u);
        }
    }
    QStringView view() const { return QStringView(m_text.constData(), m_text.size()); }

private:
    // Six groups of at most "QUATRE VINGT DIX SEPT" and a few joining words
    // fit on the stack; long currency names go to the heap.
    QVarLengthArray<char16_t, 512> m_text;
};

// The names by value, in capitals; the values the rules never ask for stay
// empty.
constexpr std::array<std::u16string_view, 91> UpperNames = [] {
    std::array<std::u16string_view, 91> names{};
    const std::u16string_view small[] = {
        u"ZÉRO", u"UN",   u"DEUX",  u"TROIS",  u"QUATRE",   u"CINQ",   u"SIX",   u"SEPT",     u"HUIT",     u"NEUF",
        u"DIX",  u"ONZE", u"DOUZE", u"TREIZE", u"QUATORZE", u"QUINZE", u"SEIZE", u"DIX SEPT", u"DIX HUIT", u"DIX NEUF"};
    for (std::size_t i = 0; i < 20; ++i)
        names[i] = small[i];
    names[20] = u"VINGT";
    names[30] = u"TRENTE";
    names[40] = u"QUARANTE";
    names[50] = u"CINQUANTE";
    names[60] = u"SOIXANTE";
    names[70] = u"SOIXANTE";
    names[80] = u"QUATRE VINGT";
    names[90] = u"QUATRE VINGT";
    return names;
}();

constexpr std::array<std::u16string_view, GroupCount> UpperScales = {u"",         u"",          u" MILLE",
                                                                     u" MILLION", u" MILLIARD", u" BILLION"};

QStringView name(int value)
{
    const std::u16string_view text = UpperNames[std::size_t(value)];
    return QStringView(text.data(), qsizetype(text.size()));
}

QStringView view(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size()));
}

// A group's words joined by single blanks: a word is appended with a blank
// before it when the group already has one.
struct GroupWords
{
    WordsBuffer &out;
    bool started = false;

    void word(QStringView text)
    {
        if (started)
            out.append(u' ');
        out.append(text);
        started = true;
    }
};

} // namespace

QString ConvertitLettres2(QString &amount, const QString &currencyName, const QString &hundredthName)
{
    amount = workingDigits(amount);

    // digit[i] is the digit i places from the right; anything past the six
    // groups is outside what a cheque can hold and is left out.
    std::array<int, DigitCount> digit{};
    const qsizetype size = amount.size();
    for (qsizetype i = 0; i < DigitCount && i < size; ++i) {
        const char16_t c = amount.at(size - 1 - i).unicode();
        digit[std::size_t(i)] = c >= u'0' && c <= u'9' ? c - u'0' : 0;
    }

    // "cent" and "quatre vingt" take their "s" only when nothing non-zero
    // stands anywhere below them in the integer part; in the hundredths only
    // the units digit counts.
    std::array<bool, DigitCount> followed{};
    bool nonZeroBelow = false;
    for (std::size_t i = 3; i < DigitCount; ++i) {
        followed[i] = nonZeroBelow;
        nonZeroBelow = nonZeroBelow || digit[i] != 0;
    }
    followed[1] = digit[0] != 0;

    // Each group's text goes into the buffer as soon as it is made: the
    // groups come in reading order, the hundredths last. A blank joins each
    // integer group to what stands before it.
    WordsBuffer words;
    WordsBuffer cents;
    bool integerWords = false;
    int hundredths = 0;
    for (int group = GroupCount - 1; group >= 0; --group) {
        const std::size_t base = std::size_t(group) * 3;
        const int h = digit[base + 2];
        const int t = digit[base + 1];
        const int u = digit[base];
        const int v = 10 * t + u;
        const int value = 100 * h + v;
        if (group == 0)
            hundredths = value;
        if (value == 0)
            continue;

        WordsBuffer &out = group == 0 ? cents : words;
        if (group > 0 && group < GroupCount - 1)
            out.append(u' ');
        GroupWords text{out};
        if (h == 1) {
            text.word(u"CENT");
        } else if (h >= 2) {
            text.word(name(h));
            out.append(QStringView(u" CENT"));
            if (!followed[base + 2])
                out.append(u'S');
        }

        bool hasTensWord = false;
        bool tenMore = false;
        if (v >= 20) {
            text.word(name(10 * t));
            if (t == 8 && !followed[base + 1])
                out.append(u'S');
            hasTensWord = true;
            tenMore = t == 7 || t == 9;
        } else if (v >= 10) {
            text.word(name(v));
        }

        if ((t != 1 && u > 0) || tenMore) {
            const int n = tenMore ? 10 + u : u;
            if (hasTensWord && t < 8 && u == 1) {
                text.word(u"ET");
                out.append(u' ');
                out.append(name(n));
            } else if (hasTensWord) {
                text.word(name(n));
            } else if (!(group == 2 && value == 1)) {
                // One thousand reads "mille", never "un mille".
                text.word(name(u));
            }
        }

        out.append(view(UpperScales[std::size_t(group)]));
        if (group >= 3 && value > 1)
            out.append(u'S');
        integerWords = integerWords || group > 0;
    }

    WordsBuffer &result = words;
    if (!integerWords)
        result.append(name(0));
    result.append(u' ');
    result.appendUpper(QStringView(currencyName).trimmed());
    if (moreThanOne(QStringView(amount).left(size - 3)))
        result.append(u'S');
    if (hundredths != 0) {
        result.append(QStringView(u" ET "));
        result.append(cents.view());
        result.append(u' ');
        result.appendUpper(QStringView(hundredthName).trimmed());
        if (hundredths > 1)
            result.append(u'S');
    }
    // Blanks are not collapsed: " MILLE" keeps its own leading blank after
    // the one that joins it, as the cheques have always been printed.
    return result.view().trimmed().toString();
}

} // namespace amount_words
