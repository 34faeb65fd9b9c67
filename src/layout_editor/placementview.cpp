#include "layout_editor/placementview.h"

#include "common/numeric.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace layout_editor {

namespace {

using bank_layouts::Layout;
using bank_layouts::LayoutNumber;
using bank_layouts::LayoutPoint;

// Where each corner is asked, in the order they are.
const char *const CornerNames[] = {"en haut à gauche", "en haut à droite", "en bas à droite", "en bas à gauche"};

// The room, in pixels, by which an item's box is easier to take than its text.
constexpr double Grip = 3;

LayoutNumber shifted(const LayoutNumber &from, double byMm)
{
    // A value moved by nothing keeps its text, to the byte.
    if (std::fabs(byMm) < 0.05)
        return from;
    return LayoutNumber::fromMm(from.value() + byMm);
}

} // namespace

PlacementView::PlacementView(QWidget *parent)
    : LayoutPreviewWidget(parent)
{
    setObjectName(QStringLiteral("Placement"));
    setFocusPolicy(Qt::StrongFocus);
    // 195 x 100 mm shown, the hints under them, at 4 pixels a millimetre.
    setMinimumSize(int(195 * PixelsPerMmAtLeast) + 8, int(100 * PixelsPerMmAtLeast) + 38);
}

void PlacementView::select(int selectable)
{
    setHighlighted(selectable >= 0 && selectable < ChequeItemCount ? selectable : -1);
    m_selectedHandle = selectable == LengthHandle;
    Q_EMIT selected(selectable);
}

int PlacementView::selection() const
{
    return m_selectedHandle ? LengthHandle : highlighted();
}

void PlacementView::setPicture(const QImage &straightenedPicture, int opacity)
{
    m_picture = straightenedPicture;
    m_shownPicture = QPixmap();
    m_opacity = opacity;
    update();
}

void PlacementView::setOpacity(int opacity)
{
    m_opacity = opacity;
    update();
}

void PlacementView::askCorners(const QImage &picture)
{
    m_raw = picture;
    m_cornerCount = 0;
    m_corners = Corners{};
    m_cornerCursor = QPointF(picture.width() / 2.0, picture.height() / 2.0);
    setFocus();
    update();
}

QRectF PlacementView::rawPictureRect() const
{
    if (m_raw.isNull())
        return QRectF();
    const QRectF area = QRectF(rect()).adjusted(4, 34, -4, -4);
    const QSizeF size = QSizeF(m_raw.size()).scaled(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2,
                  size.width(), size.height());
}

double PlacementView::pixelsPerMm() const
{
    return toPixels().m11() * common::TwipsPerMm;
}

double PlacementView::margin() const
{
    // Ten millimetres around the cheque, where a dragged item may stray.
    return 10 * common::TwipsPerMm;
}

QRectF PlacementView::selectableRect(int selectable) const
{
    const QList<QRectF> &boxes = itemBoxes();
    if (selectable >= 0 && selectable < ChequeItemCount && selectable < boxes.size())
        return toPixels().mapRect(boxes[selectable]).adjusted(-Grip, -Grip, Grip, Grip);
    const int first = int(ChequeItem::FirstWordsLine);
    if (selectable != LengthHandle || first >= boxes.size())
        return QRectF();
    // At the end of the length the first line may take, level with it.
    const double endX = chequeOnPage().left() +
                        common::TwipsPerMm * (layout().firstWordsLine.x.value() + layout().firstLineLength.value());
    const QRectF line = toPixels().mapRect(boxes[first]);
    const QPointF end = toPixels().map(QPointF(endX, boxes[first].center().y()));
    return QRectF(end.x() - 5, line.top() - 2, 10, line.height() + 4);
}

int PlacementView::selectableAt(const QPointF &pixel) const
{
    // The handle first: it stands on the end of the first line's box.
    if (selectableRect(LengthHandle).contains(pixel))
        return LengthHandle;
    // The smallest box under the pointer: a short item over a long one.
    int found = -1;
    double area = 0;
    for (int i = 0; i < ChequeItemCount; ++i) {
        const QRectF box = selectableRect(i);
        if (box.contains(pixel) && (found < 0 || box.width() * box.height() < area)) {
            found = i;
            area = box.width() * box.height();
        }
    }
    return found;
}

Layout PlacementView::moved(const Layout &from, int selectable, double dxMm, double dyMm) const
{
    Layout layout = from;
    if (selectable == LengthHandle) {
        layout.firstLineLength = shifted(from.firstLineLength, std::max(dxMm, -from.firstLineLength.value()));
    } else if (selectable >= 0 && selectable < ChequeItemCount) {
        const LayoutPoint &at = from.position(ChequeItem(selectable));
        layout.position(ChequeItem(selectable)) = {shifted(at.x, dxMm), shifted(at.y, dyMm)};
    }
    return layout;
}

void PlacementView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return LayoutPreviewWidget::mousePressEvent(event);
    setFocus();
    if (askingCorners()) {
        const QRectF shown = rawPictureRect();
        if (shown.contains(event->position()))
            addCorner((event->position() - shown.topLeft()) * (m_raw.width() / shown.width()));
        return;
    }
    const int at = selectableAt(event->position());
    select(at);
    m_dragged = at;
    m_pressedAt = event->position();
    m_pressedLayout = layout();
    m_moveStarted = false;
}

void PlacementView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged < 0 || !(event->buttons() & Qt::LeftButton))
        return LayoutPreviewWidget::mouseMoveEvent(event);
    const QPointF by = (event->position() - m_pressedAt) / pixelsPerMm();
    const Layout now = moved(m_pressedLayout, m_dragged, by.x(), by.y());
    if (now == layout())
        return;
    Q_EMIT layoutMoved(now, !m_moveStarted);
    m_moveStarted = true;
}

void PlacementView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragged = -1;
    LayoutPreviewWidget::mouseReleaseEvent(event);
}

void PlacementView::keyPressEvent(QKeyEvent *event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 5 : 0.5;
    double dx = 0;
    double dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (askingCorners()) {
            addCorner(m_cornerCursor);
            return;
        }
        return LayoutPreviewWidget::keyPressEvent(event);
    case Qt::Key_Escape:
        if (askingCorners()) {
            m_raw = QImage();
            update();
            return;
        }
        return LayoutPreviewWidget::keyPressEvent(event);
    default:
        return LayoutPreviewWidget::keyPressEvent(event);
    }
    if (askingCorners()) {
        // A step of a hundredth of the picture, a tenth with Shift.
        const double unit = std::max(m_raw.width(), m_raw.height()) * step / 50.0;
        m_cornerCursor += QPointF(dx, dy) * unit;
        m_cornerCursor.rx() = std::clamp(m_cornerCursor.x(), 0.0, double(m_raw.width()));
        m_cornerCursor.ry() = std::clamp(m_cornerCursor.y(), 0.0, double(m_raw.height()));
        update();
        return;
    }
    if (selection() < 0)
        return;
    Q_EMIT layoutMoved(moved(layout(), selection(), dx, dy), true);
}

bool PlacementView::focusNextPrevChild(bool next)
{
    if (!askingCorners() && hasFocus()) {
        const int to = selection() + (next ? 1 : -1);
        if (to >= 0 && to < SelectableCount) {
            select(to);
            return true;
        }
    }
    return LayoutPreviewWidget::focusNextPrevChild(next);
}

void PlacementView::addCorner(const QPointF &pictureCorner)
{
    m_corners[std::size_t(m_cornerCount++)] = pictureCorner;
    if (m_cornerCount < 4) {
        update();
        return;
    }
    m_raw = QImage();
    update();
    Q_EMIT cornersChosen(m_corners);
}

void PlacementView::paintEvent(QPaintEvent *event)
{
    if (!askingCorners())
        return LayoutPreviewWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x40, 0x44, 0x4c));
    const QRectF shown = rawPictureRect();
    painter.drawImage(shown, m_raw);
    const double scale = shown.width() / m_raw.width();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xff, 0x30, 0x30), 2));
    QPolygonF clicked;
    for (int i = 0; i < m_cornerCount; ++i)
        clicked << shown.topLeft() + m_corners[std::size_t(i)] * scale;
    painter.drawPolyline(clicked);
    for (const QPointF &corner : clicked)
        painter.drawEllipse(corner, 5, 5);
    const QPointF cursor = shown.topLeft() + m_cornerCursor * scale;
    painter.setPen(QPen(QColor(0x30, 0xa0, 0xff), 1));
    painter.drawLine(cursor - QPointF(12, 0), cursor + QPointF(12, 0));
    painter.drawLine(cursor - QPointF(0, 12), cursor + QPointF(0, 12));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(8, 4, width() - 16, 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Cliquez sur le coin %1 du chèque (%2 sur 4) ; Échap pour renoncer.")
                         .arg(QString::fromUtf8(CornerNames[m_cornerCount]))
                         .arg(m_cornerCount + 1));
}

void PlacementView::drawUnderneath(QPainter &painter, const QRectF &cheque)
{
    if (m_picture.isNull() || m_opacity <= 0)
        return;
    // Scaled once for the size it is shown at, not at every frame of a drag.
    const QRect target = painter.transform().mapRect(cheque).toAlignedRect();
    if (m_shownPicture.size() != target.size())
        m_shownPicture =
            QPixmap::fromImage(m_picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.save();
    painter.resetTransform();
    painter.setOpacity(m_opacity / 100.0);
    painter.drawPixmap(target.topLeft(), m_shownPicture);
    painter.restore();
}

void PlacementView::drawOver(QPainter &painter)
{
    const QRectF handle = selectableRect(LengthHandle);
    if (!handle.isEmpty()) {
        painter.fillRect(handle, m_selectedHandle ? QColor(0x10, 0x60, 0xd0) : QColor(0x10, 0x60, 0xd0, 120));
        painter.setPen(QPen(QColor(0x10, 0x60, 0xd0), 1, Qt::DashLine));
        const QRectF line = selectableRect(int(ChequeItem::FirstWordsLine));
        painter.drawLine(QPointF(line.left(), handle.center().y()), handle.center());
    }
    const int chosen = selection();
    if (chosen < 0)
        return;
    painter.setPen(QPen(QColor(0x10, 0x60, 0xd0), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(selectableRect(chosen));
    // What the selection stands at, where the fields may be out of sight.
    const bank_layouts::Layout &shown = layout();
    QString where;
    if (chosen == LengthHandle) {
        where = QStringLiteral("Longueur de la première ligne : %1 mm").arg(shown.firstLineLength.text());
    } else {
        const LayoutPoint &at = shown.position(ChequeItem(chosen));
        QString name = itemName(ChequeItem(chosen));
        name[0] = name[0].toUpper();
        where = QStringLiteral("%1 : %2 mm du bord gauche, %3 mm du haut").arg(name, at.x.text(), at.y.text());
    }
    painter.setPen(QColor(0x20, 0x30, 0x50));
    painter.drawText(QRectF(8, 4, width() - 16, 20), Qt::AlignLeft | Qt::AlignVCenter, where);
}

} // namespace layout_editor
