#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <QPointF>

#include <array>
#include <memory>

class QSvgRenderer;

namespace platform {

// A picture from a file or from the program's resources: an SVG drawing,
// drawn afresh at whatever size it is shown, or a GIF, JPEG, PNG or BMP
// image read through Qt's readers.
class Picture
{
public:
    Picture() = default;

    static Result<Picture> load(const QString &path);

    bool isNull() const { return m_size.isEmpty(); }
    // The size it was drawn for, in pixels.
    QSize size() const { return m_size; }

    // The picture at `size` (device-independent pixels) on a screen whose
    // pixels are `devicePixelRatio` times finer. With KeepAspectRatio it is
    // as large as fits in `size`.
    QPixmap pixmap(const QSize &size, qreal devicePixelRatio = 1.0,
                   Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio) const;
    // At its own size.
    QPixmap pixmap() const { return pixmap(m_size); }

private:
    // The drawing, read once and shared by the copies of the picture.
    std::shared_ptr<QSvgRenderer> m_svg;
    QImage m_image;
    QSize m_size;
};

// A scan or a photo of a document, JPEG, PNG or BMP, upright as it was held
// when taken (a phone's orientation mark is honoured): its image, and its
// bytes as read, to be kept as they came.
struct Photo
{
    QImage image;
    QByteArray bytes;
    QString suffix; // "jpg", "png" or "bmp", by what the bytes are
};
Result<Photo> loadPhoto(const QString &path);

// The part of `picture` inside the four-sided shape `corners` (top left, top
// right, bottom right, bottom left, in its pixels), straightened onto a
// rectangle of `size`: what a photo taken at an angle would have been, taken
// square. A null image when the corners do not make such a shape.
QImage straightened(const QImage &picture, const std::array<QPointF, 4> &corners, const QSize &size);

} // namespace platform
