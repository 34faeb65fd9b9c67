#pragma once

#include <QByteArray>
#include <QString>

namespace platform {
class RecordFile;
}

namespace main_window {

// The invoicing program hands a cheque over in record 21 of "provchq.wdo", a
// file of 20-byte records it shares with us.
inline const QString PendingChequeFileName = QStringLiteral("provchq.wdo");
constexpr int PendingRecordLength = 20;
constexpr int PendingRecordNumber = 21;

struct PendingCheque
{
    QString amount;       // characters 6 to 20, without blanks at either end
    bool keepOpen = false; // "T" at character 19: stay open after printing
};

// A record that is missing or shorter than 20 bytes counts as blank.
PendingCheque parsePendingRecord(const QByteArray &record);

// "----" and 16 blanks: the cheque has been taken.
QByteArray takenRecord();

// Reads record 21 and marks it taken; records 1 to 20 are not touched.
// *written tells whether the mark could be written back.
PendingCheque takePendingCheque(platform::RecordFile &file, bool *written = nullptr);

} // namespace main_window
