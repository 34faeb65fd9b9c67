#include "platform/recordfile.h"

namespace platform {

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::open(const QString &path, int recordLength)
{
    close();
    if (recordLength <= 0)
        return false;
    m_recordLength = recordLength;
    m_file.setFileName(path);
    // ReadWrite creates a missing file and, on this system, takes no lock:
    // the invoicing program may hold the same file open at the same time.
    // Unbuffered: every write reaches the file at once, where the other
    // programs see it, and a failed write shows in its result.
    return m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

QByteArray RecordFile::read(int recordNumber)
{
    if (!m_file.isOpen() || recordNumber < 1)
        return {};
    const qint64 offset = qint64(recordNumber - 1) * m_recordLength;
    if (!m_file.seek(offset))
        return {};
    return m_file.read(m_recordLength);
}

bool RecordFile::write(int recordNumber, const QByteArray &bytes)
{
    if (!m_file.isOpen() || recordNumber < 1)
        return false;
    QByteArray record = bytes.left(m_recordLength);
    record.append(QByteArray(m_recordLength - record.size(), ' '));
    const qint64 offset = qint64(recordNumber - 1) * m_recordLength;
    return m_file.seek(offset) && m_file.write(record) == record.size();
}

} // namespace platform
