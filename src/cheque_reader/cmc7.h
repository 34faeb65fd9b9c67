#pragma once

#include "platform/result.h"

#include <QString>

namespace cheque_reader {

// The line at a French cheque's foot, as a reader read it: the cheque's
// number, the interbank zone (which holds the bank's codes) and the internal
// zone, which each bank codes its own way and nobody else may read.
struct Cmc7Line
{
    QString number;    // 7 digits
    QString interbank; // 12 digits
    QString internal;  // 12 digits
    // "1234567 123456789012 123456789012"
    QString text() const;
};

// What a reader gave, taken as a line: readers write the line's magnetic
// symbols as characters of their own, so anything but a digit separates,
// and only exactly 7, 12 and 12 digits make a line. A reader set for a
// QWERTY keyboard on an AZERTY desktop types its digits as the keys of
// that row ("&é\"'(-è_çà"), read as digits when the line holds no digit
// otherwise. A "?" is a character the reader could not read. Fails with the
// sentence the cashier is shown.
platform::Result<Cmc7Line> readCmc7(const QString &raw);

// The digits, question marks included, a reader's text holds as readCmc7
// counts them: what tells a line from a person's typing.
int cmc7Characters(const QString &raw);

} // namespace cheque_reader
