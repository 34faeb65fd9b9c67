#include "platform/recordfile.h"

#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

Failure createFailure(int error)
{
    // A missing file is created: what can be missing is the folder.
    if (error == ENOENT || error == ENOTDIR)
        return fail(QStringLiteral("le dossier de travail est introuvable"));
    return openFailure(error);
}

Failure writeFailure(int error)
{
    if (error == ENOSPC || error == EFBIG || error == EDQUOT)
        return fail(QStringLiteral("le disque est plein"));
    return fail(QStringLiteral("l'écriture dans le fichier a échoué"));
}

Failure notOpen()
{
    return fail(QStringLiteral("le fichier n'est pas ouvert"));
}

} // namespace

RecordFile::~RecordFile()
{
    close();
}

Result<void> RecordFile::open(const QString &path, int recordLength, Access access)
{
    close();
    if (recordLength <= 0)
        return fail(QStringLiteral("longueur d'enregistrement invalide"));
    const QByteArray name = QFile::encodeName(path);
    // No O_EXCL and no lock: the suite's other programs may hold the file
    // open at the same time. Every write goes straight to the file, where
    // they see it. Without blocking, so that a pipe put in its place does
    // not hang the program (it is refused below).
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 && access == Access::ReadWriteOrReadOnly && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return createFailure(errno);
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("ce n'est pas un fichier ordinaire"));
    }
    m_fd = fd;
    m_recordLength = recordLength;
    return {};
}

void RecordFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

Result<qint64> RecordFile::size() const
{
    if (m_fd < 0)
        return notOpen();
    struct stat info
    {
    };
    if (::fstat(m_fd, &info) != 0)
        return fail(QStringLiteral("le fichier ne peut pas être lu"));
    return qint64(info.st_size);
}

Result<QByteArray> RecordFile::readAt(qint64 offset, qint64 length) const
{
    if (m_fd < 0)
        return notOpen();
    if (offset < 0 || length < 0)
        return fail(QStringLiteral("position de lecture invalide"));
    QByteArray bytes(length, '\0');
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(m_fd, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(QStringLiteral("le fichier ne peut pas être lu"));
        if (n == 0)
            break;
        done += n;
    }
    bytes.resize(done);
    return bytes;
}

Result<void> RecordFile::writeAt(qint64 offset, const QByteArray &bytes)
{
    if (m_fd < 0)
        return notOpen();
    if (offset < 0)
        return fail(QStringLiteral("position d'écriture invalide"));
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return writeFailure(n < 0 ? errno : ENOSPC);
        done += n;
    }
    return {};
}

Result<void> RecordFile::truncate(qint64 size)
{
    if (m_fd < 0)
        return notOpen();
    if (size < 0)
        return fail(QStringLiteral("taille invalide"));
    int result = 0;
    do {
        result = ::ftruncate(m_fd, off_t(size));
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return fail(QStringLiteral("le fichier n'a pas pu être remis en état"));
    return {};
}

Result<QByteArray> RecordFile::read(int recordNumber) const
{
    if (recordNumber < 1)
        return fail(QStringLiteral("numéro d'enregistrement invalide"));
    return readAt(qint64(recordNumber - 1) * m_recordLength, m_recordLength);
}

Result<void> RecordFile::write(int recordNumber, const QByteArray &bytes)
{
    if (recordNumber < 1)
        return fail(QStringLiteral("numéro d'enregistrement invalide"));
    QByteArray record = bytes.left(m_recordLength);
    record.append(QByteArray(m_recordLength - record.size(), ' '));
    return writeAt(qint64(recordNumber - 1) * m_recordLength, record);
}

Result<void> RecordFile::lock(qint64 offset, qint64 length, std::chrono::milliseconds timeout, Lock kind)
{
    if (m_fd < 0)
        return notOpen();
    struct flock request
    {
    };
    request.l_type = kind == Lock::Shared ? F_RDLCK : F_WRLCK;
    request.l_whence = SEEK_SET;
    request.l_start = off_t(offset);
    request.l_len = off_t(length);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (::fcntl(m_fd, F_SETLK, &request) == 0)
            return {};
        if (errno != EACCES && errno != EAGAIN && errno != EINTR)
            return {}; // no locks here (see the header)
        if (std::chrono::steady_clock::now() >= deadline)
            return fail(QStringLiteral("le fichier est occupé par un autre programme"));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace platform
