#pragma once

#include "bank_layouts/chequeprint.h"
#include "calibration/layouteditor.h"
#include "calibration/layoutpreview.h"

#include <QWidget>

namespace calibration {

// The cheque as the layout being edited would print it, to scale: the
// cheque's usual zones, and the six items drawn by the cheque print routine
// itself on a surface over this widget. The item the focused field moves is
// highlighted; an item that leaves the cheque or overlaps another is
// outlined in red and named under the drawing.
class LayoutPreviewWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LayoutPreviewWidget(QWidget *parent = nullptr);

    void setLayout(const LayoutFields &layout);
    // An empty amount, payee, place or date is shown with a sample text.
    void setCheque(const bank_layouts::ChequeFields &cheque);
    // -1: none.
    void setHighlighted(int item);

    // What the last drawing found wrong, in French; empty when all is well.
    QStringList problems() const { return m_problems; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LayoutFields m_layout;
    bank_layouts::ChequeFields m_cheque;
    int m_highlighted = -1;
    QStringList m_problems;
};

} // namespace calibration
