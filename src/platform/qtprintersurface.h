#pragma once

#include "platform/printersurface.h"

#include <QFont>

#include <memory>

class QPainter;
class QPrinter;

namespace platform {

// The printer surface over Qt's printing system (CUPS on Linux). One device
// unit is one twip (resolution 1440); the origin is the top-left corner of
// the printer's printable area in the page's orientation.
//
// A page is started at the first drawing call and sent by endDocument().
// With no printer on the machine, the surface still measures text (with the
// same font metrics as a real printer) but refuses to print.
class QtPrinterSurface : public PrinterSurface
{
public:
    // An empty name means the system's default printer, if any.
    explicit QtPrinterSurface(const QString &printerName = QString());
    ~QtPrinterSurface() override;

    QString printerName() const override;
    bool hasPrinter() const;

protected:
    void doSetFont(const QString &name, float points, bool bold) override;
    void doPrintText(float x, float y, const QString &text) override;
    double doTextWidth(const QString &text) override;
    double doLineHeight() override;
    void doLine(QPointF from, QPointF to, Colour colour) override;
    void doRectangle(QPointF from, QPointF to, Colour colour, bool filled) override;
    void doSetLineStyle(LineStyle style) override;
    void doSetOrientation(Orientation orientation) override;
    void doEndDocument() override;
    void doAbortDocument() override;

private:
    QPainter &page();
    void applyPen(Colour colour);

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
    LineStyle m_style = LineStyle::Solid;
    Orientation m_nextOrientation = Orientation::Portrait;
    bool m_hasPrinter = false;
};

} // namespace platform
