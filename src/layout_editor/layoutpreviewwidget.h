#pragma once

#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "layout_editor/layoutpreview.h"

#include <QTransform>
#include <QWidget>

namespace layout_editor {

// The cheque as the layout being edited would print it, at its true
// proportions: the zones of a French cheque, and the six items drawn by the
// cheque print routine itself on a surface over this widget. The selected
// item is highlighted; an item that leaves its zone or overlaps another is
// outlined in red and named under the drawing.
class LayoutPreviewWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LayoutPreviewWidget(QWidget *parent = nullptr);

    void setLayout(const bank_layouts::Layout &layout);
    const bank_layouts::Layout &layout() const { return m_layout; }
    // The cheque at the printer offsets. An empty amount, payee, place or
    // date is shown with a sample text.
    void setCheque(const bank_layouts::ChequeFields &cheque, const bank_layouts::PrinterOffsets &offsets);
    // -1: none.
    void setHighlighted(int item);
    int highlighted() const { return m_highlighted; }

    // What the last drawing found wrong, in French; empty when all is well.
    QStringList problems() const { return m_problems; }

protected:
    void paintEvent(QPaintEvent *event) override;

    // Drawn on the paper before the zones and the items, in twips of the
    // page, the cheque standing in `cheque`.
    virtual void drawUnderneath(QPainter &painter, const QRectF &cheque);
    // Drawn over the items, in pixels.
    virtual void drawOver(QPainter &painter);

    // Room around the cheque, in twips, for an item that strays off it.
    virtual double margin() const { return 250; }

    // From the last drawing: twips of the page to the widget's pixels, where
    // the items' texts went (twips of the page, in printing order), and the
    // cheque on the page.
    QTransform toPixels() const { return m_toPixels; }
    const QList<QRectF> &itemBoxes() const { return m_boxes; }
    QRectF chequeOnPage() const { return chequeArea(m_offsets); }

private:
    bank_layouts::Layout m_layout;
    bank_layouts::ChequeFields m_cheque;
    bank_layouts::PrinterOffsets m_offsets;
    int m_highlighted = -1;
    QStringList m_problems;
    QTransform m_toPixels;
    QList<QRectF> m_boxes;
};

} // namespace layout_editor
