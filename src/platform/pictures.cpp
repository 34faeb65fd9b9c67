#include "platform/pictures.h"

#include "platform/regularfile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPolygonF>
#include <QSvgRenderer>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// A bank's bitmap or the shop's picture: a few hundred kilobytes at most.
constexpr qint64 MaxPictureBytes = 16 << 20;

bool isSvg(const QString &path, const QByteArray &start)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) || start.contains("<svg");
}

// A photo's pixels, read whole: a phone's 50 megapixels, not an image made
// to fill the memory from a small file.
constexpr qint64 MaxPhotoPixels = 50'000'000;
// Its file: a phone's JPEG of that size is 12 to 25 MB, and none of the
// three kinds holds more than four bytes a point (a BMP's), with room for
// what a camera adds.
constexpr qint64 MaxPhotoBytes = 250'000'000;
// Qt allocates 128 MB for one picture unless told otherwise, 33 million
// points at four bytes: a photo within the cap may take eight (a PNG of 16
// bits a colour).
constexpr int PhotoAllocationMb = int((MaxPhotoPixels * 8 + (1 << 20) - 1) >> 20);

Result<QByteArray> pictureBytes(const QString &path)
{
    const Result<QByteArray> read = readFileStart(path, MaxPictureBytes + 1);
    if (!read)
        return fail(QStringLiteral("l'image « %1 » ne peut pas être lue (%2)").arg(path, read.error()));
    if (read->size() > MaxPictureBytes)
        return fail(QStringLiteral("l'image « %1 » est trop grande").arg(path));
    return *read;
}

// Millions, to the tenth above, in French: 50 000 001 points are "50,1".
QString millions(qint64 points)
{
    const qint64 tenths = (points + 99'999) / 100'000;
    return tenths % 10 == 0 ? QString::number(tenths / 10) : QStringLiteral("%1,%2").arg(tenths / 10).arg(tenths % 10);
}

Failure tooManyPoints(const QString &path, const QSize &size)
{
    const qint64 points = qint64(size.width()) * size.height();
    // The largest picture of the same proportions within the cap.
    const double shrink = std::sqrt(double(MaxPhotoPixels) / double(points));
    qint64 width = std::max<qint64>(1, qint64(size.width() * shrink));
    qint64 height = std::max<qint64>(1, qint64(size.height() * shrink));
    while (width * height > MaxPhotoPixels)
        (width > height ? width : height) -= 1;
    return fail(QStringLiteral("l'image « %1 » a %2 millions de points ; %3 millions au plus : réduisez la photo à "
                               "%4 × %5 points")
                    .arg(path, millions(points), millions(MaxPhotoPixels))
                    .arg(width)
                    .arg(height));
}

} // namespace

Result<Photo> loadPhoto(const QString &path)
{
    Result<QByteArray> read = readFileStart(path, MaxPhotoBytes + 1);
    if (!read)
        return fail(QStringLiteral("l'image « %1 » ne peut pas être lue (%2)").arg(path, read.error()));
    if (read->size() > MaxPhotoBytes)
        return fail(QStringLiteral("l'image « %1 » pèse plus de %2 millions d'octets ; enregistrez-la en JPEG")
                        .arg(path)
                        .arg(MaxPhotoBytes / 1'000'000));
    Photo photo;
    photo.bytes = *read;
    QBuffer buffer(&photo.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format == "jpeg" || format == "jpg")
        photo.suffix = QStringLiteral("jpg");
    else if (format == "png" || format == "bmp")
        photo.suffix = QString::fromLatin1(format);
    else
        return fail(QStringLiteral("« %1 » n'est pas une image JPEG, PNG ou BMP").arg(path));
    const QSize size = reader.size();
    if (!size.isValid())
        return fail(QStringLiteral("l'image « %1 » ne peut pas être lue").arg(path));
    if (qint64(size.width()) * size.height() > MaxPhotoPixels)
        return tooManyPoints(path, size);
    reader.setAllocationLimit(PhotoAllocationMb);
    reader.setAutoTransform(true);
    photo.image = reader.read();
    if (photo.image.isNull())
        return fail(QStringLiteral("l'image « %1 » ne peut pas être lue").arg(path));
    return photo;
}

QImage straightened(const QImage &picture, const std::array<QPointF, 4> &corners, const QSize &size)
{
    QTransform onto;
    const QPolygonF from{corners[0], corners[1], corners[2], corners[3]};
    const QPolygonF to{QPointF(0, 0), QPointF(size.width(), 0), QPointF(size.width(), size.height()),
                       QPointF(0, size.height())};
    const auto finite = [](const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
    if (picture.isNull() || size.isEmpty() || !std::all_of(corners.cbegin(), corners.cend(), finite) ||
        !QTransform::quadToQuad(from, to, onto))
        return QImage();
    // Corners nearly in a line can give a transform past a double's range.
    const qreal entries[] = {onto.m11(), onto.m12(), onto.m13(), onto.m21(), onto.m22(),
                             onto.m23(), onto.m31(), onto.m32(), onto.m33()};
    if (!std::all_of(std::cbegin(entries), std::cend(entries), [](qreal e) { return std::isfinite(e); }))
        return QImage();
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(onto);
    painter.drawImage(QPointF(0, 0), picture);
    return out;
}

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
        const Result<QByteArray> read = pictureBytes(path);
        if (!read)
            return read.failure();
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
    reader.setAutoTransform(true);
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
