#pragma once

#include "platform/result.h"

#include <QString>

#include <chrono>

// The suite's printer assignment file: every program of the suite keeps the
// printer it prints on under a key of its own, as records of 144 bytes.
//
//   record 1 (header)  bytes 110-113: number of entries, 32-bit little-endian
//   records 2 to n + 1 bytes   0-105: value, blank-padded
//                      bytes 106-117: three 32-bit numbers (0 from us, not read)
//                      bytes 118-142: key, blank-padded
//                      byte  143    : filler
//
// Only our own record is ever written back; the other programs' records and
// the header's other bytes stay exactly as they are.
namespace printer_choice {

inline const QString AssignmentFileName = QStringLiteral("WFICP_IA.WDO");
inline const QString ChequePrinterKey = QStringLiteral("IMP_CHQ_FACT");

constexpr int AssignmentRecordLength = 144;
constexpr int AssignmentValueLength = 106;
constexpr int AssignmentCountOffset = 110;
constexpr int AssignmentKeyOffset = 118;
constexpr int AssignmentKeyLength = 25;

class PrinterAssignments
{
public:
    explicit PrinterAssignments(QString path = AssignmentFileName);

    // The value stored under `key`, blanks at both ends removed; empty when the
    // key is absent or the value blank. Fails when the file cannot be read or
    // is damaged. Creates the file, empty, when it does not exist.
    platform::Result<QString> lookup(const QString &key) const;

    // Replaces the value of `key`'s entry, or appends an entry for it. A file
    // that looks damaged is left alone.
    platform::Result<void> store(const QString &key, const QString &value) const;

    // How long a store waits for another of our programs that is storing.
    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

private:
    QString m_path;
    std::chrono::milliseconds m_lockTimeout{2000};
};

} // namespace printer_choice
