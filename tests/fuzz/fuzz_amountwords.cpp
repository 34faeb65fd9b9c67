// Any amount the words accept: the words, read back by a reader of French
// numbers of its own, state the amount rounded to hundredths, as the figures
// printed beside them do.
#include "fuzzing.h"

#include "amount_words/amountwords.h"

#include <QHash>

#include <optional>

namespace {

struct Sum
{
    quint64 units = 0;
    quint64 hundredths = 0;
};

// Reads "DEUX CENT QUATRE VINGT UN EUROS ET DIX SEPT CENTIMES" the way a
// person does, word after word: a number word adds to the group being read,
// "CENT" multiplies it, "MILLE" and the larger scales close it. Knows
// nothing of how the words were made.
std::optional<Sum> readFrench(const QString &words, QString *why)
{
    static const QHash<QString, int> Values = {
        {QStringLiteral("ZÉRO"), 0},      {QStringLiteral("UN"), 1},         {QStringLiteral("DEUX"), 2},
        {QStringLiteral("TROIS"), 3},     {QStringLiteral("QUATRE"), 4},     {QStringLiteral("CINQ"), 5},
        {QStringLiteral("SIX"), 6},       {QStringLiteral("SEPT"), 7},       {QStringLiteral("HUIT"), 8},
        {QStringLiteral("NEUF"), 9},      {QStringLiteral("DIX"), 10},       {QStringLiteral("ONZE"), 11},
        {QStringLiteral("DOUZE"), 12},    {QStringLiteral("TREIZE"), 13},    {QStringLiteral("QUATORZE"), 14},
        {QStringLiteral("QUINZE"), 15},   {QStringLiteral("SEIZE"), 16},     {QStringLiteral("TRENTE"), 30},
        {QStringLiteral("QUARANTE"), 40}, {QStringLiteral("CINQUANTE"), 50}, {QStringLiteral("SOIXANTE"), 60},
    };
    static const QHash<QString, quint64> Scales = {
        {QStringLiteral("MILLE"), 1000ULL},
        {QStringLiteral("MILLION"), 1000000ULL},
        {QStringLiteral("MILLIARD"), 1000000000ULL},
        {QStringLiteral("BILLION"), 1000000000000ULL},
    };

    Sum sum;
    quint64 closed = 0; // the groups a scale word has closed
    quint64 group = 0;  // the group being read
    bool hundredthsPart = false;
    bool ended = false;
    QString previous;
    const QStringList list = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : list) {
        if (ended) {
            *why = QStringLiteral("« %1 » après le nom des centièmes").arg(word);
            return std::nullopt;
        }
        const bool plural = word.endsWith(QLatin1Char('S')) && word.size() > 1;
        const QString singular = plural ? word.chopped(1) : word;
        if (Values.contains(word)) {
            group += quint64(Values.value(word));
        } else if (singular == QLatin1String("VINGT")) {
            // "QUATRE VINGT" is four twenties.
            group += previous == QLatin1String("QUATRE") ? 80 - 4 : 20;
        } else if (singular == QLatin1String("CENT")) {
            group = (group == 0 ? 1 : group) * 100;
        } else if (Scales.contains(singular)) {
            closed += (group == 0 ? 1 : group) * Scales.value(singular);
            group = 0;
        } else if (word == QLatin1String("ET")) {
            // "VINGT ET UN", or the joint between the currency and the
            // hundredths: either way it adds nothing.
        } else if (singular == QLatin1String("EURO") && !hundredthsPart) {
            sum.units = closed + group;
            closed = group = 0;
            hundredthsPart = true;
        } else if (singular == QLatin1String("CENTIME") && hundredthsPart) {
            sum.hundredths = closed + group;
            ended = true;
        } else {
            *why = QStringLiteral("mot inconnu : « %1 »").arg(word);
            return std::nullopt;
        }
        previous = word;
    }
    if (!hundredthsPart) {
        *why = QStringLiteral("le nom de la monnaie manque");
        return std::nullopt;
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzing::splitFirstLine(fuzzing::bytes(data, size)).line);
    const platform::Result<QString> accepted = amount_words::acceptAmountText(text);
    if (!accepted)
        return 0;

    QString digits = *accepted;
    const QString words = amount_words::ConvertitLettres2(digits, QStringLiteral("Euro"), QStringLiteral("centime"));
    QString why;
    const std::optional<Sum> read = readFrench(words, &why);
    fuzzing::check(read.has_value(), "les lettres se relisent", words + QStringLiteral(" : ") + why);

    const QString figures = amount_words::amountFigures(text);
    const qsizetype point = figures.indexOf(QLatin1Char('.'));
    fuzzing::check(point > 0 && figures.size() == point + 3, "les chiffres ont deux décimales", figures);
    const QString stated = QString::number(read->units) + QLatin1Char('.') +
                           QString::number(read->hundredths).rightJustified(2, QLatin1Char('0'));
    fuzzing::check(read->hundredths < 100 && stated == figures, "les lettres disent le montant arrondi aux centièmes",
                   text + QStringLiteral(" : ") + words + QStringLiteral(" = ") + stated + QStringLiteral(" et non ") +
                       figures);

    // The currency takes its "s" from two, its hundredths likewise.
    fuzzing::check(words.contains(QLatin1String(" EUROS")) == (read->units > 1), "« EUROS » au pluriel dès deux",
                   words);
    fuzzing::check(words.endsWith(QLatin1String("CENTIMES")) == (read->hundredths > 1),
                   "« CENTIMES » au pluriel dès deux", words);
    return 0;
}
