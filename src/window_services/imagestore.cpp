#include "window_services/imagestore.h"

namespace window_services {

ImageStore icc;

namespace {

QString key(const QString &array, int index)
{
    return array.toLower() + QLatin1Char('_') + QString::number(index);
}

} // namespace

platform::Picture artwork(const QString &name)
{
    return platform::Picture::load(QStringLiteral(":/artwork/%1.svg").arg(name)).valueOr(platform::Picture());
}

void ImageStore::fill()
{
    m_filled = true;
    for (int i = 0; i < 8; ++i)
        m_pictures.insert(key(QStringLiteral("ccb"), i), {artwork(QStringLiteral("frame-%1").arg(i)), QString()});
    const struct
    {
        int index;
        const char *glyph;
        const char *caption;
    } faces[] = {{0, "glyph-pad", "Créer"},    {1, "glyph-magnifier", "Recher."}, {2, "glyph-tick", "Valider"},
                 {3, "glyph-cross", "Annuler"}, {5, "glyph-knife", "Outils"},      {11, "glyph-stop", "Fin"}};
    for (const auto &face : faces) {
        m_pictures.insert(key(QStringLiteral("btc"), face.index),
                          {artwork(QLatin1String(face.glyph)), QString::fromUtf8(face.caption)});
    }
    m_pictures.insert(key(QStringLiteral("Picture1"), 0), {artwork(QStringLiteral("euro-stars")), QString()});
    // Until start-up has read the shop's own picture.
    m_pictures.insert(key(QStringLiteral("Image1"), 2), {artwork(QStringLiteral("placeholder")), QString()});
}

StoredPicture ImageStore::lookup(const QString &array, int index)
{
    if (!m_filled)
        fill();
    return m_pictures.value(key(array, index));
}

void ImageStore::replace(const QString &array, int index, const platform::Picture &picture)
{
    if (!m_filled)
        fill();
    m_pictures[key(array, index)].picture = picture;
}

} // namespace window_services
