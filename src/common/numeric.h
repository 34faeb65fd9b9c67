#pragma once

#include <QString>

// Number reading and writing shared by every part of the program. Numbers in
// files, fields and answers always use "." as decimal point, whatever the
// desktop's locale says.
namespace common {

// Twips per millimetre as the program counts it. The cheque layouts were
// measured with this factor, so it must stay 56.7 and not the exact 56.692.
constexpr double TwipsPerMm = 56.7;

// The number at the start of a text: blanks anywhere are ignored, an optional
// leading "-", digits, one "." and more digits; reading stops at the first
// character that cannot continue the number. Returns the canonical decimal
// text of what was read ("-12.5", "0.125", "") without touching its digits,
// so callers that must round exactly can work on the digits themselves.
QString numericText(const QString &text);

// The value of numericText(); an empty or non-numeric text gives 0, and so
// does a number too large for a double.
double numericValue(const QString &text);

// Rounds a decimal text as numericText() returns it to `decimals` places,
// halves away from zero, carrying into the integer digits (0.995 -> "1.00").
// Always writes at least one integer digit and exactly `decimals` decimals.
QString roundDecimalText(const QString &decimalText, int decimals);

// The "0", "00" and "00000" patterns: nearest whole number, halves away from
// zero, left-padded with zeros to `width` digits; a negative value keeps its
// "-" before the digits.
QString formatWhole(double value, int width);

// The "0.00" pattern on the digits of a text (0.125 -> "0.13").
QString formatHundredths(const QString &text);
// The "0.00" pattern for a computed value, rounded on its shortest decimal form
// so that 1.005 gives "1.01" as a person would expect.
QString formatHundredths(double value);

// Millimetres to twips, held in single precision as every position is; past
// its range, the largest value single precision holds.
float mmToTwips(double mm);

// A number in the settings file's form: the sign or a blank, the digits, a
// blank (2 -> " 2 ", -3 -> "-3 "). Fractions are written with "." and as many
// digits as needed to read back the same value.
QString plainNumber(double value);

} // namespace common
