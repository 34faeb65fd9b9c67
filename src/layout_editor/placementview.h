#pragma once

#include "layout_editor/chequephoto.h"
#include "layout_editor/layoutpreviewwidget.h"

#include <QImage>
#include <QPixmap>

namespace layout_editor {

// The cheque at its true proportions, large enough to place its items by
// eye (at least 4 pixels a millimetre), over the straightened picture of
// the bank's own cheque when there is one. The mouse drags each printed
// item, and the first words line's maximum length by the handle at its
// right end; the arrow keys move the selected one by half a millimetre,
// five with Shift, and Tab goes from one to the next. Every move comes out
// as the layout it makes, to the tenth of a millimetre.
//
// While the corners of a new picture are being set, the picture is shown
// whole instead, and four clicks (or the arrows and Enter) give its
// corners, asked clockwise from the top left; they come out as clicked, for
// cornersInOrder() to put in order.
class PlacementView : public LayoutPreviewWidget
{
    Q_OBJECT

public:
    // What can be selected: the six items, then the length's handle.
    static constexpr int LengthHandle = ChequeItemCount;
    static constexpr int SelectableCount = ChequeItemCount + 1;
    // The picture under the layout is straightened to this many pixels a
    // millimetre.
    static constexpr int PicturePixelsPerMm = 10;
    static constexpr double PixelsPerMmAtLeast = 4;

    explicit PlacementView(QWidget *parent = nullptr);

    void select(int selectable);
    // -1: nothing selected.
    int selection() const;

    // The straightened picture of the cheque (175 x 80 mm), shown at
    // `opacity` percent; a null image: the drawn cheque alone.
    void setPicture(const QImage &straightenedPicture, int opacity);
    void setOpacity(int opacity);

    // Shows `picture` whole for its four corners to be clicked.
    void askCorners(const QImage &picture);
    bool askingCorners() const { return !m_raw.isNull(); }
    // Where the picture whose corners are asked stands, in pixels.
    QRectF rawPictureRect() const;

    // Where a selectable is drawn, in pixels, from the last drawing.
    QRectF selectableRect(int selectable) const;
    // Pixels a millimetre in the last drawing.
    double pixelsPerMm() const;

Q_SIGNALS:
    // A move made of the layout; `newMove` at the start of one (a press of
    // the mouse, a key).
    void layoutMoved(const bank_layouts::Layout &layout, bool newMove);
    void cornersChosen(const Corners &corners);
    void selected(int selectable);

protected:
    void paintEvent(QPaintEvent *event) override;
    void drawUnderneath(QPainter &painter, const QRectF &cheque) override;
    void drawOver(QPainter &painter) override;
    double margin() const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int selectableAt(const QPointF &pixel) const;
    // The layout with the selectable moved by (dx, dy) millimetres from
    // where it stands in `from`.
    bank_layouts::Layout moved(const bank_layouts::Layout &from, int selectable, double dxMm, double dyMm) const;
    void addCorner(const QPointF &pictureCorner);

    QImage m_picture;
    QPixmap m_shownPicture; // m_picture at the size it is shown
    int m_opacity = 100;

    bool m_selectedHandle = false;
    int m_dragged = -1;
    bool m_moveStarted = false;
    QPointF m_pressedAt;
    bank_layouts::Layout m_pressedLayout;

    QImage m_raw;
    Corners m_corners{};
    int m_cornerCount = 0;
    QPointF m_cornerCursor; // in the raw picture's pixels, for the keys
};

} // namespace layout_editor
