#pragma once

#include "platform/result.h"

#include <QString>

namespace amount_words {

// The amount text in the form the conversion takes: decimal digits, at most
// one "." with at least one digit on each side, at most 15 integer digits
// once rounded to hundredths. Blanks around the text are dropped and a ","
// is taken as the decimal point, since the invoicing program is French.
// Anything else (letters, a sign, inner blanks, ".5", "12.") is refused.
platform::Result<QString> acceptAmountText(const QString &text);

// The amount in figures as the words state it: two decimals, rounded as the
// words round ("12.345" gives "12.35", "1575.5" gives "1575.50"), so that the
// figures and the words of a cheque never state two sums. A text the words
// cannot be written for comes back as it is, without its outer blanks.
QString amountFigures(const QString &text);

// The amount written out in French words, in capitals, with the currency
// name and the name of its hundredth part (both singular; "s" is added
// here). The amount must be in the form acceptAmountText() gives; on return
// `amount` holds the working digit string (integer digits, "0", hundredths).
QString ConvertitLettres2(QString &amount, const QString &currencyName, const QString &hundredthName);

} // namespace amount_words
