#include "platform/pictures.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace platform {

namespace {

constexpr qint64 MaxSvgBytes = 4 << 20;

bool isSvg(const QString &path, const QByteArray &start)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) || start.contains("<svg");
}

} // namespace

Result<Picture> Picture::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("l'image « %1 » est introuvable").arg(path));
    Picture picture;
    if (isSvg(path, file.peek(256))) {
        picture.m_svg = file.read(MaxSvgBytes + 1);
        QSvgRenderer renderer(picture.m_svg);
        if (picture.m_svg.size() > MaxSvgBytes || !renderer.isValid() || renderer.defaultSize().isEmpty())
            return fail(QStringLiteral("l'image « %1 » ne peut pas être lue").arg(path));
        picture.m_size = renderer.defaultSize();
        return picture;
    }
    QImageReader reader(&file);
    picture.m_image = reader.read();
    if (picture.m_image.isNull())
        return fail(QStringLiteral("l'image « %1 » ne peut pas être lue").arg(path));
    picture.m_size = picture.m_image.size();
    return picture;
}

QPixmap Picture::pixmap(const QSize &size, qreal devicePixelRatio, Qt::AspectRatioMode mode) const
{
    if (isNull() || size.isEmpty())
        return QPixmap();
    const QSize shown = m_size.scaled(size, mode);
    const QSize pixels = (QSizeF(shown) * devicePixelRatio).toSize();
    QImage image;
    if (m_svg.isEmpty()) {
        image = m_image.size() == pixels ? m_image
                                         : m_image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QSvgRenderer renderer(m_svg);
        // The drawing fills the size it is given, whatever its own proportions:
        // the edges of a frame are drawn stretched.
        renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
        QPainter painter(&image);
        renderer.render(&painter);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace platform
