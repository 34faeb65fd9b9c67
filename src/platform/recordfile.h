#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace platform {

// A file of fixed-length records shared with the suite's other programs:
// opened for reading and writing without any exclusive lock, created empty
// when absent, read and written by record number (the first is 1).
class RecordFile
{
public:
    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    bool open(const QString &path, int recordLength);
    bool isOpen() const { return m_file.isOpen(); }
    void close();
    int recordLength() const { return m_recordLength; }

    // The record's bytes; shorter than a record (or empty) where the file
    // ends before the record does.
    QByteArray read(int recordNumber);
    // Writes the record, blank-padded or cut to the record length. Records
    // before it that the file does not hold yet come out as zero bytes.
    bool write(int recordNumber, const QByteArray &bytes);

    QString errorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    int m_recordLength = 0;
};

} // namespace platform
