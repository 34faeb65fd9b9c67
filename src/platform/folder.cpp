#include "platform/folder.h"

#include <QDir>

namespace platform {

QStringList listFiles(const QString &folder, const QString &pattern)
{
    QDir dir(folder);
    dir.setNameFilters({pattern});
    dir.setFilter(QDir::Files | QDir::Readable | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

} // namespace platform
