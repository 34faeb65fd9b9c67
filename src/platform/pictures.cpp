#include "platform/pictures.h"

#include "platform/regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace platform {

namespace {

// A bank's bitmap or the shop's picture: a few hundred kilobytes at most.
constexpr qint64 MaxPictureBytes = 16 << 20;

bool isSvg(const QString &path, const QByteArray &start)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) || start.contains("<svg");
}

} // namespace

Result<Picture> Picture::load(const QString &path)
{
    // The program's own drawings are compiled in; anything else is a file
    // of the working folder, read as such.
    QByteArray bytes;
    if (path.startsWith(QLatin1Char(':'))) {
        QFile resource(path);
        if (!resource.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("l'image « %1 » est introuvable").arg(path));
        bytes = resource.readAll();
    } else {
        const Result<QByteArray> read = readFileStart(path, MaxPictureBytes + 1);
        if (!read)
            return fail(QStringLiteral("l'image « %1 » ne peut pas être lue (%2)").arg(path, read.error()));
        bytes = *read;
    }
    if (bytes.size() > MaxPictureBytes)
        return fail(QStringLiteral("l'image « %1 » est trop grande").arg(path));

    Picture picture;
    if (isSvg(path, bytes.left(256))) {
        auto renderer = std::make_shared<QSvgRenderer>(bytes);
        if (!renderer->isValid() || renderer->defaultSize().isEmpty())
            return fail(QStringLiteral("l'image « %1 » ne peut pas être lue").arg(path));
        // The drawing fills the size it is given, whatever its own
        // proportions: the edges of a frame are drawn stretched.
        renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
        picture.m_size = renderer->defaultSize();
        picture.m_svg = std::move(renderer);
        return picture;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
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
    if (!m_svg) {
        image = m_image.size() == pixels ? m_image
                                         : m_image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        m_svg->render(&painter);
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace platform
