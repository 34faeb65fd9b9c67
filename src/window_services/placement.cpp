#include "window_services/placement.h"

namespace window_services {

double centredLeft(double screenWidth, double width)
{
    return (screenWidth - width) / 2;
}

QPointF dialogTopLeft(double screenWidth, double width, double height)
{
    return QPointF(centredLeft(screenWidth, width), (DialogBandHeight - height) / 2);
}

std::array<QRectF, 8> framePieceRects(double width, double height)
{
    const double s = FramePieceSize;
    return {{
        QRectF(0, 0, s, s),
        QRectF(width - s, 0, s, s),
        QRectF(width - s, height - s, s, s),
        QRectF(0, height - s, s, s),
        QRectF(0, s, s, height - 2 * s),
        QRectF(s, 0, width - 2 * s, s),
        QRectF(width - s, s, s, height - 2 * s),
        QRectF(s, height - s, width - 2 * s, s),
    }};
}

} // namespace window_services
