#pragma once

#include "platform/result.h"

#include <QString>

#include <functional>

namespace amount_words {

// Width of a text in twips in the printer's current font.
using TextWidth = std::function<double(const QString &text)>;

// The two lines of the amount in words: the first begins with a blank; the
// second ends with one.
struct SplitLines
{
    QString first;
    QString second;
};

// Splits the words over the cheque's two lines: the first line takes whole
// words for as long as its printed width stays strictly below `limit`
// (twips); when every word fits, it is filled with blanks up to the limit and
// the second line is a single blank.
SplitLines splitWords(const QString &words, double limit, const TextWidth &width);

// What the main window shows after a new amount.
struct Preview
{
    QString words; // the whole amount in words (Text2)
    QString line1; // Text3
    QString line2; // Text10
};

// Converts the amount and splits the words with the on-screen width of the
// first line as limit, measured in the printer's current font. Fails for an
// amount the words cannot be written for.
platform::Result<Preview> converti_txt(const QString &amountText, const QString &currencyName,
                                       const QString &hundredthName, double firstLineWidth, const TextWidth &width);

} // namespace amount_words
