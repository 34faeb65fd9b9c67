#include "platform/folder.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QStringList listFiles(const QString &folder, const QString &pattern)
{
    QDir dir(folder);
    dir.setNameFilters({pattern});
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

bool holdsFile(const QString &folder, const QString &name)
{
    return QFileInfo::exists(QDir(folder).filePath(name));
}

bool folderExists(const QString &folder)
{
    return QFileInfo(folder).isDir();
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

Result<void> renameFile(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return {};
    int error = errno;
    // A file system that cannot rename without replacing: a second name,
    // which fails rather than replace, then the first one taken off.
    if (error == EINVAL || error == ENOSYS) {
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return {};
        }
        error = errno;
    }
    if (error == EEXIST)
        return fail(QStringLiteral("le fichier « %1 » existe déjà").arg(to));
    return fail(
        QStringLiteral("« %1 » ne peut pas être renommé en « %2 » (%3)").arg(from, to, openFailure(error).message));
}

Result<void> makeWritableFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("le dossier « %1 » ne peut pas être créé").arg(folder));
    // Only a file made there tells for sure (root ignores permissions, a
    // read-only disk does not).
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".ormeline-XXXXXX")));
    if (!probe.open())
        return fail(QStringLiteral("on ne peut pas écrire dans le dossier « %1 »").arg(folder));
    return {};
}

Result<QStringList> copyMissingFiles(const QString &from, const QString &to)
{
    QStringList copied;
    const QDir source(from);
    const QDir target(to);
    for (const QString &name : source.entryList(QDir::Files | QDir::Readable, QDir::Name)) {
        if (QFileInfo::exists(target.filePath(name)))
            continue;
        // The shipped files are small; a file that is not is not one of them.
        const Result<QByteArray> bytes = readFileStart(source.filePath(name), 16 << 20);
        if (!bytes)
            continue;
        // Whole or not at all: a half-copied layout would be taken for the
        // user's own at the next start, and never copied again. Written
        // aside, then linked in under its name, which fails rather than
        // replace a file that appeared meanwhile.
        QTemporaryFile written(target.filePath(QStringLiteral(".ormeline-XXXXXX")));
        if (!written.open() || written.write(*bytes) != bytes->size() || !written.flush())
            return fail(QStringLiteral("le fichier « %1 » ne peut pas être copié dans « %2 »").arg(name, to));
        const QByteArray linked = QFile::encodeName(target.filePath(name));
        if (::link(QFile::encodeName(written.fileName()).constData(), linked.constData()) != 0) {
            if (errno == EEXIST)
                continue;
            return fail(QStringLiteral("le fichier « %1 » ne peut pas être copié dans « %2 »").arg(name, to));
        }
        copied << name;
    }
    return copied;
}

Result<void> enterFolder(const QString &folder)
{
    if (!QDir::setCurrent(folder))
        return fail(QStringLiteral("le dossier « %1 » ne peut pas être ouvert").arg(folder));
    return {};
}

QString currentFolder()
{
    return QDir::currentPath();
}

FileSystemKind fileSystemKindOf(const QString &type)
{
    static const QStringList network{QStringLiteral("nfs"),
                                     QStringLiteral("nfs4"),
                                     QStringLiteral("cifs"),
                                     QStringLiteral("smb3"),
                                     QStringLiteral("smbfs"),
                                     QStringLiteral("fuse.sshfs"),
                                     QStringLiteral("sshfs"),
                                     QStringLiteral("9p"),
                                     QStringLiteral("afs"),
                                     QStringLiteral("ceph"),
                                     QStringLiteral("fuse.glusterfs"),
                                     QStringLiteral("glusterfs"),
                                     QStringLiteral("davfs"),
                                     QStringLiteral("fuse.davfs2"),
                                     QStringLiteral("ncpfs"),
                                     QStringLiteral("fuse.rclone")};
    return network.contains(type.toLower()) ? FileSystemKind::Network : FileSystemKind::Local;
}

FileSystemKind fileSystemKind(const QString &folder)
{
    return fileSystemKindOf(QString::fromLatin1(QStorageInfo(folder).fileSystemType()));
}

} // namespace platform
