#pragma once

#include "platform/recordfile.h"

#include <QByteArray>
#include <QString>

namespace main_window {

// The invoicing program hands a cheque over in record 21 of "provchq.wdo", a
// file of 20-byte records it shares with us.
inline const QString PendingChequeFileName = QStringLiteral("provchq.wdo");
constexpr int PendingRecordLength = 20;
constexpr int PendingRecordNumber = 21;

struct PendingCheque
{
    QString amount;        // characters 6 to 20 (6 to 18 with the flag), without blanks at either end
    bool keepOpen = false; // "T" at character 19: stay open after printing
};

// A record that is missing or shorter than 20 bytes counts as blank.
PendingCheque parsePendingRecord(const QByteArray &record);

// "----" and 16 blanks: the cheque has been taken.
QByteArray takenRecord();

struct TakenCheque
{
    PendingCheque cheque;
    // Whether "----" could be written back: when not, the invoicing program
    // may hand the same cheque over again.
    platform::Result<void> marked;
};

// Reads record 21 and marks it taken; records 1 to 20 are not touched. A
// record that cannot be read counts as blank.
TakenCheque takePendingCheque(platform::RecordFile &file);

} // namespace main_window
