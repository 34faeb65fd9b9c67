#include "window_services/picturebutton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace window_services {

PictureButton::PictureButton(QWidget *parent)
    : QAbstractButton(parent)
    , m_tile(artwork(QStringLiteral("tile")))
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setFace(const StoredPicture &face)
{
    if (face.isNull())
        return;
    m_picture = face.picture;
    m_drawnFor = QSize();
    setText(face.caption);
    update();
}

QSize PictureButton::sizeHint() const
{
    return QSize(73, 73);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal ratio = devicePixelRatioF();
    const QRect area = rect();
    const int side = area.height();
    const bool captioned = !text().isEmpty();
    const int pictureSide = int(side * (captioned ? 0.58 : 0.70));
    const int pictureTop = captioned ? int(side * 0.08) : (side - pictureSide) / 2;
    const QRect pictureArea((area.width() - pictureSide) / 2, pictureTop, pictureSide, pictureSide);
    // Drawn once for the button's size, not at every paint.
    if (m_drawnFor != area.size() || m_drawnRatio != ratio) {
        m_tileDrawn = m_tile.pixmap(area.size(), ratio);
        m_pictureDrawn = m_picture.pixmap(pictureArea.size(), ratio, Qt::KeepAspectRatio);
        m_drawnFor = area.size();
        m_drawnRatio = ratio;
    }
    painter.drawPixmap(area, m_tileDrawn);
    if (isDown())
        painter.fillRect(area.adjusted(3, 3, -3, -3), QColor(0, 0, 0, 28));

    // The picture stands in the upper part of the tile, the caption under it;
    // without a caption the picture takes the middle.
    const QPixmap &shown = m_pictureDrawn;
    if (!shown.isNull()) {
        const QSize logical = shown.deviceIndependentSize().toSize();
        painter.drawPixmap(QRect(QPoint(pictureArea.center().x() - logical.width() / 2 + 1,
                                        pictureArea.center().y() - logical.height() / 2 + 1),
                                 logical),
                           shown);
    }
    if (captioned) {
        // As large as the tile allows, smaller for a long caption so that it
        // is never cut.
        QFont captionFont = font();
        captionFont.setBold(true);
        const int available = area.width() - 6;
        for (int pixels = qMax(7, int(side * 0.16)); pixels >= 7; --pixels) {
            captionFont.setPixelSize(pixels);
            if (QFontMetrics(captionFont).horizontalAdvance(text()) <= available)
                break;
        }
        painter.setFont(captionFont);
        painter.setPen(isEnabled() ? QColor(0x3a, 0x3f, 0x47) : QColor(0x9a, 0x9f, 0xa7));
        const QRect captionArea(2, pictureArea.bottom() + 1, area.width() - 4,
                                area.bottom() - pictureArea.bottom() - 4);
        painter.drawText(captionArea, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area.adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

PictureButton *makePictureButton(QWidget *parent, const QString &name, const QRect &geometry, const QString &glyph,
                                 const QString &caption, const QString &toolTip)
{
    auto *button = new PictureButton(parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(toolTip);
    button->setFace({artwork(glyph), caption});
    return button;
}

} // namespace window_services
