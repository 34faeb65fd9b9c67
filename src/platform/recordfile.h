#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

#include <chrono>

namespace platform {

// A file of fixed-length records shared with the suite's other programs:
// opened for reading and writing without any exclusive lock, created empty
// when absent, read and written by record number (the first is 1) or by
// byte offset.
class RecordFile
{
public:
    enum class Access {
        ReadWrite,
        // A file we may not write is still opened, so that it can be read.
        ReadWriteOrReadOnly,
    };

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    Result<void> open(const QString &path, int recordLength, Access access = Access::ReadWrite);
    bool isOpen() const { return m_fd >= 0; }
    // Also drops any lock this file holds.
    void close();
    int recordLength() const { return m_recordLength; }

    Result<qint64> size() const;

    // Up to `length` bytes from `offset`: fewer, or none, where the file ends.
    Result<QByteArray> readAt(qint64 offset, qint64 length) const;
    // Bytes the file does not hold yet before `offset` come out as zeros.
    Result<void> writeAt(qint64 offset, const QByteArray &bytes);

    // Cuts the file back to `size` bytes: what an append that failed half-way
    // wrote past the old end goes, and the file is as it was.
    Result<void> truncate(qint64 size);

    // The record's bytes; shorter than a record (or empty) where the file
    // ends before the record does.
    Result<QByteArray> read(int recordNumber) const;
    // Writes the record, blank-padded or cut to the record length.
    Result<void> write(int recordNumber, const QByteArray &bytes);

    // A shared lock lets others read but not write; an exclusive one lets
    // nobody else lock the bytes at all.
    enum class Lock { Shared, Exclusive };

    // Locks the bytes against the programs that lock them too, waiting at
    // most `timeout` for one that holds them. Released by close(). On a file
    // system without locks it succeeds at once: the suite's other programs
    // take no lock either, and are no worse off.
    Result<void> lock(qint64 offset, qint64 length, std::chrono::milliseconds timeout, Lock kind = Lock::Exclusive);

private:
    int m_fd = -1;
    int m_recordLength = 0;
};

} // namespace platform
