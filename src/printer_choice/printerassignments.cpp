#include "printer_choice/printerassignments.h"

#include "platform/textfile.h"

#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace printer_choice {

namespace {

// The file by byte offsets, opened for the length of one lookup or store.
// No exclusive open: the suite's other programs may hold it at the same time.
class SharedFile
{
public:
    SharedFile() = default;
    ~SharedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd); // also drops our lock on the header
    }
    SharedFile(const SharedFile &) = delete;
    SharedFile &operator=(const SharedFile &) = delete;

    // Creates the file, empty, when absent. With `readOnlyAllowed`, a file we
    // may not write is still opened so that its value can be read.
    bool open(const QString &path, bool readOnlyAllowed)
    {
        const QByteArray name = QFile::encodeName(path);
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd < 0 && readOnlyAllowed && (errno == EACCES || errno == EPERM || errno == EROFS))
            m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        return m_fd >= 0;
    }

    qint64 size() const
    {
        struct stat info {};
        return ::fstat(m_fd, &info) == 0 ? qint64(info.st_size) : -1;
    }

    // Up to `length` bytes from `offset`, fewer where the file ends.
    bool readAt(qint64 offset, qint64 length, QByteArray *bytes) const
    {
        bytes->resize(length);
        qint64 done = 0;
        while (done < length) {
            const ssize_t n = ::pread(m_fd, bytes->data() + done, size_t(length - done), off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0)
                break;
            done += n;
        }
        bytes->resize(done);
        return true;
    }

    bool writeAt(qint64 offset, const QByteArray &bytes) const
    {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    enum class Lock { Held, Busy, Unsupported };

    // A record lock on the header, which every store of ours takes, so that
    // two of our programs never append at the same record number. The other
    // programs of the suite take no lock; they are no worse off for it.
    Lock lockHeader(std::chrono::milliseconds timeout) const
    {
        struct flock request {};
        request.l_type = F_WRLCK;
        request.l_whence = SEEK_SET;
        request.l_start = 0;
        request.l_len = AssignmentRecordLength;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (::fcntl(m_fd, F_SETLK, &request) == 0)
                return Lock::Held;
            if (errno != EACCES && errno != EAGAIN && errno != EINTR)
                return Lock::Unsupported; // a file system without locks: store as the others do
            if (std::chrono::steady_clock::now() >= deadline)
                return Lock::Busy;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

private:
    int m_fd = -1;
};

struct Contents
{
    qint32 count = 0;
    QByteArray entries; // records 2 onwards, as far as the count and the file go
};

enum class ReadOutcome { Read, Damaged, Failed };

// A file without a whole first record has no entries yet. A count below zero,
// or announcing more entries than the file holds (one missing is allowed: a
// program of the suite writes the count before its entry), means the file is
// damaged; we then neither trust it nor write to it.
ReadOutcome readContents(const SharedFile &file, Contents *contents)
{
    const qint64 size = file.size();
    if (size < 0)
        return ReadOutcome::Failed;
    contents->count = 0;
    contents->entries.clear();
    if (size < AssignmentRecordLength)
        return ReadOutcome::Read;

    QByteArray countBytes;
    if (!file.readAt(AssignmentCountOffset, 4, &countBytes) || countBytes.size() != 4)
        return ReadOutcome::Failed;
    const qint32 count = qFromLittleEndian<qint32>(countBytes.constData());
    const qint64 recordsHeld = (size - AssignmentRecordLength + AssignmentRecordLength - 1) / AssignmentRecordLength;
    if (count < 0 || count > recordsHeld + 1)
        return ReadOutcome::Damaged;

    contents->count = count;
    if (!file.readAt(AssignmentRecordLength, qint64(count) * AssignmentRecordLength, &contents->entries))
        return ReadOutcome::Failed;
    return ReadOutcome::Read;
}

// The key field as it stands in a record: cut or blank-padded to 25 bytes.
std::optional<QByteArray> keyField(const QString &key)
{
    const std::optional<QByteArray> bytes = platform::encode1252(key);
    if (!bytes)
        return std::nullopt;
    return bytes->leftJustified(AssignmentKeyLength, ' ', true);
}

// The entry number (1 for record 2) whose key field is `field`; 0 for none.
// A record cut short by the end of the file has no whole key and matches none.
int findEntry(const Contents &contents, const QByteArray &field)
{
    for (int entry = 1; entry <= contents.count; ++entry) {
        const qint64 keyAt = qint64(entry - 1) * AssignmentRecordLength + AssignmentKeyOffset;
        if (keyAt + AssignmentKeyLength > contents.entries.size())
            break;
        if (contents.entries.mid(keyAt, AssignmentKeyLength) == field)
            return entry;
    }
    return 0;
}

StoreResult failure(StoreError error, const QString &reason)
{
    return {error, reason};
}

StoreResult writeFailure()
{
    if (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)
        return failure(StoreError::CannotWrite, QStringLiteral("le disque est plein"));
    return failure(StoreError::CannotWrite, QStringLiteral("l'écriture dans le fichier a échoué"));
}

StoreResult openFailure()
{
    if (errno == ENOENT || errno == ENOTDIR)
        return failure(StoreError::CannotOpen, QStringLiteral("le dossier de travail est introuvable"));
    if (errno == EACCES || errno == EPERM || errno == EROFS)
        return failure(StoreError::CannotOpen, QStringLiteral("l'accès au fichier est refusé"));
    return failure(StoreError::CannotOpen, QStringLiteral("le fichier ne peut pas être ouvert"));
}

} // namespace

PrinterAssignments::PrinterAssignments(QString path)
    : m_path(std::move(path))
{
}

QString PrinterAssignments::lookup(const QString &key) const
{
    const std::optional<QByteArray> field = keyField(key);
    SharedFile file;
    if (!field || !file.open(m_path, true))
        return {};
    Contents contents;
    if (readContents(file, &contents) != ReadOutcome::Read)
        return {};
    const int entry = findEntry(contents, *field);
    if (entry == 0)
        return {};
    const QByteArray value = contents.entries.mid(qint64(entry - 1) * AssignmentRecordLength, AssignmentValueLength);
    // Only blanks are trimmed, as the other programs pad with blanks alone.
    QString text = platform::decode1252(value);
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

StoreResult PrinterAssignments::store(const QString &key, const QString &value) const
{
    const std::optional<QByteArray> field = keyField(key);
    const std::optional<QByteArray> valueBytes = platform::encode1252(value);
    if (!field || !valueBytes)
        return failure(StoreError::BadText,
                       QStringLiteral("le texte « %1 » contient un caractère que le fichier ne peut pas contenir")
                           .arg(field ? value : key));
    const QByteArray valueField = valueBytes->leftJustified(AssignmentValueLength, ' ', true);

    SharedFile file;
    if (!file.open(m_path, false))
        return openFailure();
    // Held from the count's reading to the end of the store: a count read
    // before another of our programs appends would make us append over it.
    if (file.lockHeader(m_lockTimeout) == SharedFile::Lock::Busy)
        return failure(StoreError::Busy, QStringLiteral("le fichier est occupé par un autre programme"));

    Contents contents;
    switch (readContents(file, &contents)) {
    case ReadOutcome::Read:
        break;
    case ReadOutcome::Damaged:
        return failure(StoreError::Damaged, QStringLiteral("le fichier est endommagé (nombre d'entrées incohérent)"));
    case ReadOutcome::Failed:
        return failure(StoreError::CannotRead, QStringLiteral("le fichier ne peut pas être lu"));
    }

    // Only the value field is rewritten: the rest of the record stays as read.
    if (const int entry = findEntry(contents, *field); entry != 0) {
        if (!file.writeAt(qint64(entry) * AssignmentRecordLength, valueField))
            return writeFailure();
        return {};
    }

    // The entry goes in before the count that makes it visible: a write that
    // fails half-way (disk full) then leaves no count naming a missing record,
    // and the next append simply writes over what came after the count.
    QByteArray record = valueField;
    record.append(QByteArray(12, '\0'));
    record.append(*field);
    record.append(' ');
    if (!file.writeAt(qint64(contents.count + 1) * AssignmentRecordLength, record))
        return writeFailure();

    // Only the count is written: the header's other bytes stay as the other
    // programs left them, and a new or short header reads as zeros elsewhere.
    QByteArray count(4, '\0');
    qToLittleEndian<qint32>(contents.count + 1, count.data());
    if (!file.writeAt(AssignmentCountOffset, count))
        return writeFailure();
    return {};
}

} // namespace printer_choice
