#pragma once

#include <QString>

namespace main_window {

// What the amount entry makes of the user's answer.
struct AmountAnswer
{
    bool accepted = false;
    QString amount;  // "0.00" form, when accepted
    QString refusal; // French, for the user, when not
};

// The number the answer starts with (blanks ignored; "," or "." as decimal
// point, since a French user types the comma), written with two decimals,
// halves away from zero on the digits typed. An answer without a number is
// 0.00. A negative amount, or one with more than 15 digits before the
// decimal point, cannot be written in words and is refused.
AmountAnswer amountFromAnswer(const QString &answer);

} // namespace main_window
