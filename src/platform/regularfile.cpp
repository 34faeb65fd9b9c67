#include "platform/regularfile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

Failure openFailure(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return fail(QStringLiteral("le fichier est introuvable"));
    if (error == EACCES || error == EPERM || error == EROFS)
        return fail(QStringLiteral("l'accès au fichier est refusé"));
    if (error == EISDIR)
        return fail(QStringLiteral("c'est un dossier, pas un fichier"));
    return fail(QStringLiteral("le fichier ne peut pas être ouvert"));
}

Result<QByteArray> readFileStart(const QString &path, qint64 maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    // Without blocking: a pipe would otherwise wait here for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return openFailure(errno);
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        return fail(folder ? QStringLiteral("c'est un dossier, pas un fichier")
                           : QStringLiteral("ce n'est pas un fichier ordinaire"));
    }
    QByteArray bytes(qsizetype(std::min<qint64>(maxBytes, info.st_size)), '\0');
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return fail(QStringLiteral("le fichier ne peut pas être lu"));
        }
        if (n == 0)
            break;
        done += n;
    }
    ::close(fd);
    bytes.truncate(done);
    return bytes;
}

Result<void> writeFileBytes(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, so that a short write (a full disk) shows in write()'s
    // result: through Qt's buffer it can be lost and the cut file committed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(QStringLiteral("le fichier ne peut pas être créé (dossier introuvable ou accès refusé)"));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(QStringLiteral("l'écriture a échoué (disque plein ?)"));
    }
    if (!file.commit())
        return fail(QStringLiteral("le fichier ne peut pas être remplacé (accès refusé ?)"));
    return {};
}

} // namespace platform
