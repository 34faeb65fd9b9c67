#include "window_services/imagestore.h"

#include <QFile>
#include <QHash>

namespace window_services::icc {

namespace {

QString key(const QString &array, int index)
{
    return array.toLower() + QLatin1Char('_') + QString::number(index);
}

// The store's pictures: loaded from the program's resources the first time
// each is asked for, and replaced where start-up says.
QHash<QString, QPixmap> &held()
{
    static QHash<QString, QPixmap> pictures;
    return pictures;
}

} // namespace

QPixmap lookup(const QString &array, int index)
{
    const QString name = key(array, index);
    auto found = held().constFind(name);
    if (found != held().constEnd())
        return *found;
    const QPixmap picture = ownPicture(name);
    if (!picture.isNull())
        held().insert(name, picture);
    return picture;
}

void replace(const QString &array, int index, const QPixmap &picture)
{
    held().insert(key(array, index), picture);
}

QPixmap ownPicture(const QString &name)
{
    const QString path = QStringLiteral(":/images/%1.png").arg(name);
    return QFile::exists(path) ? QPixmap(path) : QPixmap();
}

} // namespace window_services::icc
