#include "prompt_dialog/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace prompt_dialog {

namespace {

constexpr int FaceSize = 73;
constexpr int PieceSize = 32;

// A face: a raised tile, the drawing in its upper part, the caption below.
template <typename Draw>
QPixmap face(const QString &caption, Draw drawIcon)
{
    QPixmap pixmap(FaceSize, FaceSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient shade(0, 0, 0, FaceSize);
    shade.setColorAt(0, QColor(0xff, 0xff, 0xff));
    shade.setColorAt(1, QColor(0xdf, 0xe6, 0xf1));
    painter.setPen(QPen(QColor(0x8a, 0x9a, 0xb5), 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(QRectF(1.5, 1.5, FaceSize - 3, FaceSize - 3), 10, 10);

    painter.save();
    drawIcon(painter);
    painter.restore();

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x1f, 0x2f, 0x55));
    painter.drawText(QRectF(0, 50, FaceSize, 18), Qt::AlignCenter, caption);
    return pixmap;
}

QPen strokePen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPixmap tickFace()
{
    return face(QStringLiteral("Valider"), [](QPainter &painter) {
        QPainterPath tick;
        tick.moveTo(22, 27);
        tick.lineTo(32, 38);
        tick.lineTo(52, 13);
        painter.setPen(strokePen(QColor(0x1e, 0x9e, 0x3a), 7));
        painter.drawPath(tick);
    });
}

QPixmap crossFace()
{
    return face(QStringLiteral("Annuler"), [](QPainter &painter) {
        painter.setPen(strokePen(QColor(0xd0, 0x21, 0x21), 7));
        painter.drawLine(QPointF(25, 13), QPointF(48, 37));
        painter.drawLine(QPointF(48, 13), QPointF(25, 37));
    });
}

QPixmap magnifierFace()
{
    return face(QStringLiteral("Recher."), [](QPainter &painter) {
        painter.setPen(strokePen(QColor(0x6b, 0x4a, 0x2b), 6));
        painter.drawLine(QPointF(40, 31), QPointF(50, 41));
        painter.setPen(strokePen(QColor(0x44, 0x4c, 0x5c), 3.5));
        painter.setBrush(QColor(0xcf, 0xe4, 0xfa));
        painter.drawEllipse(QPointF(32, 23), 11, 11);
    });
}

// The whole frame drawn once at three pieces' size; the corners and edges are
// cut out of it, so that they always join.
QPixmap framePicture()
{
    QPixmap pixmap(3 * PieceSize, 3 * PieceSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x7a), 3));
    painter.drawRoundedRect(QRectF(3.5, 3.5, 3 * PieceSize - 7, 3 * PieceSize - 7), 14, 14);
    painter.setPen(QPen(QColor(0x9f, 0xb4, 0xd8), 2));
    painter.drawRoundedRect(QRectF(9, 9, 3 * PieceSize - 18, 3 * PieceSize - 18), 9, 9);
    return pixmap;
}

} // namespace

QPixmap storeButtonFace(int index)
{
    switch (index) {
    case 1:
        return magnifierFace();
    case 2:
        return tickFace();
    case 3:
        return crossFace();
    default:
        return QPixmap();
    }
}

QPixmap storeFramePiece(int index)
{
    // Column and row of each piece in the three-by-three frame picture.
    static const int cells[8][2] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 1}, {1, 0}, {2, 1}, {1, 2}};
    if (index < 0 || index > 7)
        return QPixmap();
    return framePicture().copy(cells[index][0] * PieceSize, cells[index][1] * PieceSize, PieceSize, PieceSize);
}

QPixmap storeImage1(int index)
{
    if (index != 2)
        return QPixmap();
    // A cheque and a pen, until the shop's own picture is loaded.
    QPixmap pixmap(117, 82);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.rotate(-8);
    painter.translate(-6, 14);
    painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1.5));
    painter.setBrush(QColor(0xfb, 0xf7, 0xe9));
    painter.drawRoundedRect(QRectF(8, 8, 100, 50), 4, 4);
    painter.setPen(QPen(QColor(0x9a, 0xa4, 0xb4), 1.5, Qt::DotLine));
    painter.drawLine(QPointF(16, 24), QPointF(72, 24));
    painter.drawLine(QPointF(16, 34), QPointF(96, 34));
    painter.drawLine(QPointF(16, 44), QPointF(60, 44));
    painter.setPen(QPen(QColor(0x7a, 0x86, 0x9a), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(78, 14, 24, 12));
    painter.resetTransform();
    painter.setPen(strokePen(QColor(0x10, 0x20, 0x6a), 5));
    painter.drawLine(QPointF(70, 74), QPointF(108, 36));
    painter.setPen(strokePen(QColor(0xf2, 0xc0, 0x1e), 5));
    painter.drawLine(QPointF(66, 78), QPointF(70, 74));
    return pixmap;
}

QPixmap ownCancelFace()
{
    return crossFace();
}

} // namespace prompt_dialog
