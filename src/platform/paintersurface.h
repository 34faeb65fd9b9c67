#pragma once

#include "platform/printersurface.h"
#include "platform/printingfont.h"

#include <QList>
#include <QRectF>

class QPainter;

namespace platform {

// A printer page drawn on the screen: what a printing routine sends goes
// onto a painter whose transformation turns twips into the device's pixels,
// at once. Text is measured as a printer measures it (1440 dots an inch,
// Qt's PDF metrics, which the printers are sent), so that a line split on
// the screen is split as it will print. Orientation and the end of the page
// change nothing here: the caller draws the page the way it is to be read.
class PainterSurface : public PrinterSurface
{
public:
    explicit PainterSurface(QPainter &painter);
    ~PainterSurface() override;

    QString printerName() const override;

    // Where each text went, in twips, in the order printed.
    QList<QRectF> textBoxes() const { return m_boxes; }

protected:
    void doSetFont(const QString &name, float points, bool bold) override;
    void doPrintText(float x, float y, const QString &text) override;
    double doTextWidth(const QString &text) override;
    double doLineHeight() override;
    void doLine(QPointF from, QPointF to, Colour colour) override;
    void doRectangle(QPointF from, QPointF to, Colour colour, bool filled) override;
    void doSetLineStyle(LineStyle style) override;
    void doSetOrientation(Orientation orientation) override;
    void doNewPage() override;
    void doEndDocument(const std::function<void()> &handingOver) override;
    void doAbortDocument() override;

private:
    QPainter &m_painter;
    PrintingMetrics m_font;
    LineStyle m_style = LineStyle::Solid;
    QList<QRectF> m_boxes;
};

} // namespace platform
