#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

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

} // namespace platform
