#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The files of a folder whose names match a wildcard pattern ("bq_*.txt"),
// in name order. Case is ignored, in the pattern and in the order, as it is
// on the systems the suite's files are often copied from. Folders and
// special files are left out; a folder that cannot be read lists nothing.
QStringList listFiles(const QString &folder, const QString &pattern);

} // namespace platform
