#pragma once

#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace platform {

// The files of a folder whose names match a wildcard pattern ("bq_*.txt"),
// in name order. Case is ignored, in the pattern and in the order, as it is
// on the systems the suite's files are often copied from. Folders and
// special files are left out; a folder that cannot be read lists nothing.
QStringList listFiles(const QString &folder, const QString &pattern);

// Whether the folder holds a file (of any kind) of that name.
bool holdsFile(const QString &folder, const QString &name);
bool folderExists(const QString &folder);
// Whether anything (a file, a folder, a link) has that path.
bool fileExists(const QString &path);

// Gives the file at `from` the name `to`, in one step, and never in place of
// a file already called `to`: then it fails and both stay as they were.
Result<void> renameFile(const QString &from, const QString &to);

// Makes the folder, and those above it, when it does not exist yet, and
// checks that files can be created in it.
Result<void> makeWritableFolder(const QString &folder);

// Copies into `to` the regular files of `from` that `to` does not hold: a
// file already there is never replaced. Gives the names copied.
Result<QStringList> copyMissingFiles(const QString &from, const QString &to);

// The folder every file name of the program is taken from from now on.
Result<void> enterFolder(const QString &folder);

// The folder the program was started in.
QString currentFolder();

// What a folder lies on. A file database is safe only on a local disk: a
// network file system does not share its locks and its index between the
// machines that open it.
enum class FileSystemKind { Local, Network };
// By the type the system gives the file system ("ext4", "nfs4", "cifs",
// "fuse.sshfs").
FileSystemKind fileSystemKindOf(const QString &type);
FileSystemKind fileSystemKind(const QString &folder);

} // namespace platform
