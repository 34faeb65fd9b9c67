#include "window_services/imagestore.h"

namespace window_services {

ImageStore icc;

namespace {

QString key(const QString &array, int index)
{
    return array.toLower() + QLatin1Char('_') + QString::number(index);
}

// What the store holds, by array and index: the name of the drawing and the
// caption of a button face. An index not here is not held.
struct Held
{
    const char *array;
    int index;
    const char *drawing;
    const char *caption;
};
constexpr Held Contents[] = {
    {"ccb", 0, "frame-0", ""},
    {"ccb", 1, "frame-1", ""},
    {"ccb", 2, "frame-2", ""},
    {"ccb", 3, "frame-3", ""},
    {"ccb", 4, "frame-4", ""},
    {"ccb", 5, "frame-5", ""},
    {"ccb", 6, "frame-6", ""},
    {"ccb", 7, "frame-7", ""},
    {"btc", 0, "glyph-pad", "Créer"},
    {"btc", 1, "glyph-magnifier", "Recher."},
    {"btc", 2, "glyph-tick", "Valider"},
    {"btc", 3, "glyph-cross", "Annuler"},
    {"btc", 5, "glyph-knife", "Outils"},
    {"btc", 11, "glyph-stop", "Fin"},
    {"picture1", 0, "euro-stars", ""},
    // Until start-up has read the shop's own picture.
    {"image1", 2, "placeholder", ""},
};

} // namespace

platform::Picture artwork(const QString &name)
{
    return icc.artwork(name);
}

platform::Picture ImageStore::artwork(const QString &name)
{
    const auto found = m_artwork.constFind(name);
    if (found != m_artwork.constEnd())
        return *found;
    const platform::Picture picture =
        platform::Picture::load(QStringLiteral(":/artwork/%1.svg").arg(name)).valueOr(platform::Picture());
    m_artwork.insert(name, picture);
    return picture;
}

StoredPicture ImageStore::lookup(const QString &array, int index)
{
    const QString wanted = key(array, index);
    const auto found = m_pictures.constFind(wanted);
    if (found != m_pictures.constEnd())
        return *found;
    // Each picture is read the first time it is asked for: a start-up that
    // shows three of them does not read sixteen.
    for (const Held &held : Contents) {
        if (key(QLatin1String(held.array), held.index) != wanted)
            continue;
        const StoredPicture picture{artwork(QLatin1String(held.drawing)), QString::fromUtf8(held.caption)};
        m_pictures.insert(wanted, picture);
        return picture;
    }
    return {};
}

void ImageStore::replace(const QString &array, int index, const platform::Picture &picture)
{
    StoredPicture stored = lookup(array, index);
    stored.picture = picture;
    m_pictures.insert(key(array, index), stored);
}

} // namespace window_services
