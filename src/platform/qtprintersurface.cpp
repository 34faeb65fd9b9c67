#include "platform/qtprintersurface.h"

#include "platform/printingfont.h"

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRectF>

namespace platform {

namespace {

// What lpstat says of the queue, or nothing when it cannot be asked.
QString lpstat(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("lpstat"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The reason CUPS gives, on the indented line under the state line.
QString reasonOf(const QString &output)
{
    const QStringList lines = output.split(QLatin1Char('\n'));
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1Char('\t')) || lines[i].startsWith(QLatin1Char(' ')))
            return lines[i].trimmed();
    }
    return QString();
}

} // namespace

QString QtPrinterSurface::queueRefusal(const QString &queue)
{
    const QString accepting = lpstat({QStringLiteral("-a"), queue});
    if (accepting.contains(QLatin1String("not accepting"))) {
        return QStringLiteral("l'imprimante « %1 » refuse les travaux (le service d'impression dit : « %2 »)")
            .arg(queue, reasonOf(accepting));
    }
    const QString state = lpstat({QStringLiteral("-p"), queue, QStringLiteral("-l")});
    if (state.contains(QLatin1String(" disabled"))) {
        return QStringLiteral("l'imprimante « %1 » est arrêtée (le service d'impression dit : « %2 »)")
            .arg(queue, reasonOf(state));
    }
    return QString();
}

QtPrinterSurface::QtPrinterSurface(const QString &printerName)
    : m_requested(printerName)
{
    // Measuring never asks the printing system: the printer itself is
    // looked up only when a page is to go to it.
    doSetFont(fontName(), fontSize(), bold());
}

QtPrinterSurface::~QtPrinterSurface() = default;

void QtPrinterSurface::findPrinter() const
{
    if (m_looked)
        return;
    m_looked = true;
    const QPrinterInfo info =
        m_requested.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(m_requested);
    if (info.isNull())
        return;
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!m_printer->isValid() || m_printer->outputFormat() != QPrinter::NativeFormat) {
        m_printer.reset();
        return;
    }
    // Resolution first: the printer works out its margins in device pixels.
    m_printer->setResolution(TwipsPerInch);
    // A queue may default to Letter; cheques are fed on A4 printers.
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    // The origin is placed by hand on the printable corner (see endDocument).
    m_printer->setFullPage(true);
    m_printer->setPageOrientation(QPageLayout::Portrait);
}

QString QtPrinterSurface::printerName() const
{
    findPrinter();
    return m_printer ? m_printer->printerName() : QString();
}

bool QtPrinterSurface::hasPrinter() const
{
    findPrinter();
    return m_printer != nullptr;
}

QPointF QtPrinterSurface::printableOrigin(const QMarginsF &portraitMarginsPoints, Orientation orientation)
{
    const QMarginsF &m = portraitMarginsPoints;
    if (orientation == Orientation::Landscape)
        return QPointF(m.bottom() * TwipsPerPoint, m.left() * TwipsPerPoint);
    return QPointF(m.left() * TwipsPerPoint, m.top() * TwipsPerPoint);
}

void QtPrinterSurface::doSetFont(const QString &name, float points, bool bold)
{
    m_font.setFont(name, points, bold);
}

void QtPrinterSurface::startPage()
{
    if (m_pageStarted)
        return;
    if (!hasPrinter())
        throw PrinterError(QStringLiteral("aucune imprimante n'est disponible"));
    // The queue may have gone (or the scheduler stopped) since the surface was
    // made; CUPS would then drop the job without a word to Qt.
    if (QPrinterInfo::printerInfo(m_printer->printerName()).isNull())
        throw PrinterError(QStringLiteral("l'imprimante « %1 » n'est plus disponible").arg(m_printer->printerName()));
    m_pageOrientation = m_nextOrientation;
    m_pageStarted = true;
}

void QtPrinterSurface::addMark(Mark mark)
{
    startPage();
    m_marks.push_back(std::move(mark));
}

QPen QtPrinterSurface::pen(Colour colour) const
{
    QPen result(toQColor(colour));
    result.setWidthF(PenTwips);
    result.setJoinStyle(Qt::MiterJoin);
    if (m_style == LineStyle::Dotted) {
        result.setStyle(Qt::DotLine);
        // Square caps would stretch each dot over its gap.
        result.setCapStyle(Qt::FlatCap);
    } else {
        result.setCapStyle(Qt::SquareCap);
    }
    return result;
}

void QtPrinterSurface::doPrintText(float x, float y, const QString &text)
{
    // The position is the top of the text; Qt draws from the baseline.
    const QPointF baseline(x, y + m_font.metrics().ascent());
    addMark([font = m_font.font(), baseline, text](QPainter &painter) {
        painter.setFont(font);
        painter.setPen(QPen(Qt::black));
        painter.drawText(baseline, text);
    });
}

double QtPrinterSurface::doTextWidth(const QString &text)
{
    return m_font.metrics().horizontalAdvance(text);
}

double QtPrinterSurface::doLineHeight()
{
    return m_font.metrics().lineSpacing();
}

void QtPrinterSurface::doLine(QPointF from, QPointF to, Colour colour)
{
    addMark([pen = pen(colour), from, to](QPainter &painter) {
        painter.setPen(pen);
        painter.drawLine(from, to);
    });
}

void QtPrinterSurface::doRectangle(QPointF from, QPointF to, Colour colour, bool filled)
{
    const QRectF rect = QRectF(from, to).normalized();
    if (filled) {
        addMark([rect, colour = toQColor(colour)](QPainter &painter) { painter.fillRect(rect, colour); });
        return;
    }
    addMark([pen = pen(colour), rect](QPainter &painter) {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
    });
}

void QtPrinterSurface::doSetLineStyle(LineStyle style)
{
    m_style = style;
}

void QtPrinterSurface::doSetOrientation(Orientation orientation)
{
    m_nextOrientation = orientation;
}

void QtPrinterSurface::doNewPage()
{
    if (!m_pageStarted)
        return;
    // The break is a mark like the others: the job is painted at its end.
    QPrinter *printer = m_printer.get();
    m_marks.push_back([printer](QPainter &) {
        if (!printer->newPage())
            throw PrinterError(
                QStringLiteral("une nouvelle page ne peut pas commencer sur « %1 »").arg(printer->printerName()));
    });
}

void QtPrinterSurface::doEndDocument(const std::function<void()> &handingOver)
{
    if (!m_pageStarted)
        return; // nothing drawn: no blank sheet

    // Whatever happens below, this document is over.
    std::vector<Mark> marks;
    marks.swap(m_marks);
    m_pageStarted = false;
    const Orientation orientation = m_pageOrientation;

    // CUPS takes a job for a queue that refuses jobs, or that is stopped,
    // without a word to Qt: the cheque would be lost, or would come out
    // later on whatever is in the printer then. Ask it first.
    const QString refusal = queueRefusal(m_printer->printerName());
    if (!refusal.isEmpty())
        throw PrinterError(refusal);

    // Qt 6.4 reports the minimum margins of the portrait sheet whatever the
    // orientation, and a later Qt might turn them: read them in portrait and
    // turn them here.
    m_printer->setPageOrientation(QPageLayout::Portrait);
    QPageLayout layout = m_printer->pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QPointF origin = printableOrigin(layout.minimumMargins(), orientation);
    m_printer->setPageOrientation(orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);

    m_printer->setDocName(documentName());
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        throw PrinterError(
            QStringLiteral("l'impression ne peut pas commencer sur « %1 »").arg(m_printer->printerName()));
    painter.translate(origin);
    for (const Mark &mark : marks)
        mark(painter);
    // Qt gives the printing system the job when the painter ends.
    if (handingOver)
        handingOver();
    if (!painter.end() || m_printer->printerState() == QPrinter::Error)
        throw PrinterError(QStringLiteral("la page n'a pas pu être envoyée à « %1 »").arg(m_printer->printerName()));
}

void QtPrinterSurface::doAbortDocument()
{
    m_marks.clear();
    m_pageStarted = false;
}

} // namespace platform
