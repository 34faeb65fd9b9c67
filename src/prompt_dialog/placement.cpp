#include "prompt_dialog/placement.h"

namespace prompt_dialog {

QPointF dialogTopLeft(double screenWidth, double width, double height)
{
    return QPointF((screenWidth - width) / 2, (DialogBandHeight - height) / 2);
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

} // namespace prompt_dialog
