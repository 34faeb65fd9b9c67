#pragma once

#include "platform/printersurface.h"
#include "platform/printingfont.h"

#include <QMarginsF>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPen;
class QPrinter;

namespace platform {

// The printer surface over Qt's printing system (CUPS on Linux). One device
// unit is one twip (resolution 1440); the origin is the top-left corner of
// the printer's printable area in the page's orientation.
//
// A page is started at the first drawing call and sent by endDocument().
// The page is kept as a list of marks and painted on the printer only then:
// Qt cannot take back a job once its painter has begun (QPrinter::abort()
// does nothing on CUPS), so abortDocument() must happen before that.
// Text is measured without asking the printing system (with the metrics the
// printer is sent); the printer is looked up when a page is started. With
// no printer on the machine, the surface still measures but refuses to
// print.
class QtPrinterSurface : public PrinterSurface
{
public:
    // An empty name means the system's default printer, if any.
    explicit QtPrinterSurface(const QString &printerName = QString());
    ~QtPrinterSurface() override;

    QString printerName() const override;
    bool hasPrinter() const;

    // Where the printable area starts on the paper, in twips, for a printer
    // whose minimum margins (points, left/top/right/bottom of the paper held
    // in portrait) are given. Landscape turns the portrait sheet a quarter
    // turn anticlockwise: its left edge is the portrait bottom, its top edge
    // the portrait left.
    static QPointF printableOrigin(const QMarginsF &portraitMarginsPoints, Orientation orientation);

    // Why the printing system would not print a job sent to the queue now,
    // in French with its own words: the queue refuses jobs, or is stopped.
    // Empty when it would print, or cannot be asked.
    static QString queueRefusal(const QString &queue);

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
    using Mark = std::function<void(QPainter &)>;

    // Starts the page on the first drawing call; throws when there is no
    // printer to send it to.
    void startPage();
    void addMark(Mark mark);
    QPen pen(Colour colour) const;

    // Looks the printer up, once.
    void findPrinter() const;

    QString m_requested;
    mutable bool m_looked = false;
    mutable std::unique_ptr<QPrinter> m_printer;
    PrintingMetrics m_font;
    LineStyle m_style = LineStyle::Solid;
    Orientation m_nextOrientation = Orientation::Portrait;
    Orientation m_pageOrientation = Orientation::Portrait;
    bool m_pageStarted = false;
    std::vector<Mark> m_marks;
};

} // namespace platform
