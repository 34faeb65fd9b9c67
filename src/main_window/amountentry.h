#pragma once

#include "platform/result.h"

#include <QString>

namespace main_window {

// The number the answer starts with (blanks ignored; "," or "." as decimal
// point, since a French user types the comma), written with two decimals,
// halves away from zero on the digits typed. An answer without a number, a
// negative amount, or one with more than 15 digits before the decimal point
// (which cannot be written in words) is refused with a message for the user.
platform::Result<QString> amountFromAnswer(const QString &answer);

} // namespace main_window
