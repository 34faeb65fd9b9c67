#include "amount_words/wordsplit.h"

#include "amount_words/amountwords.h"

#include <cmath>

namespace amount_words {

namespace {

// The filling passes stop on their own once a blank would reach the limit.
// A limit read from a damaged layout file can be absurdly large, and each
// pass measures the whole line, so the filling is bounded far above any
// cheque's needs.
constexpr int MaxFillerBlanks = 4096;

} // namespace

SplitLines splitWords(const QString &words, double limit, const TextWidth &width)
{
    const QChar blank = QLatin1Char(' ');
    QString rest = words + blank;
    QString line;
    double lineWidth = 0.0;
    int fillerBlanks = 0;
    int p = rest.indexOf(blank);

    for (;;) {
        // Once every word is on the line, the next word is empty and each
        // pass only adds a blank.
        const bool filling = p == 0;
        if (filling && (!std::isfinite(limit) || fillerBlanks >= MaxFillerBlanks))
            break;

        const QString candidate = line + blank + rest.left(p);
        const double candidateWidth = width(candidate);
        if (!(candidateWidth < limit))
            break;
        // A font whose blank measures nothing would never reach the limit.
        if (filling && !(candidateWidth > lineWidth))
            break;

        line = candidate;
        lineWidth = candidateWidth;
        if (filling)
            ++fillerBlanks;
        rest = rest.mid(p + 1).trimmed() + blank;
        p = rest.indexOf(blank);
    }
    return {line, rest};
}

platform::Result<Preview> converti_txt(const QString &amountText, const QString &currencyName,
                                       const QString &hundredthName, double firstLineWidth, const TextWidth &width)
{
    const platform::Result<QString> accepted = acceptAmountText(amountText);
    if (!accepted)
        return accepted.failure();

    Preview preview;
    QString amount = *accepted;
    preview.words = ConvertitLettres2(amount, currencyName, hundredthName);

    const SplitLines lines = splitWords(preview.words.trimmed(), firstLineWidth, width);
    preview.line1 = lines.first;
    preview.line2 = lines.second;
    return preview;
}

} // namespace amount_words
