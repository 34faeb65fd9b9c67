#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

// Reading the files of the working folder, which anybody may have put
// there: only regular files, and only as much as the caller can use. A
// device or a pipe (or a link to one) would otherwise never end, or never
// begin.
namespace platform {

// At most `maxBytes` from the start of a regular file.
Result<QByteArray> readFileStart(const QString &path, qint64 maxBytes);

// Writes the bytes, replacing the file in one step: a failed write leaves the
// previous file whole.
Result<void> writeFileBytes(const QString &path, const QByteArray &bytes);

// Why a file could not be opened, from the system's error number.
Failure openFailure(int error);

} // namespace platform
