#include "platform/paintersurface.h"

#include "platform/printingfont.h"

#include <QBuffer>
#include <QColor>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

namespace platform {

PainterSurface::PainterSurface(QPainter &painter)
    : m_painter(painter)
    , m_pdfBytes(std::make_unique<QBuffer>())
{
    // Nothing is ever drawn on it: it is there for its metrics only.
    m_pdfBytes->open(QIODevice::WriteOnly);
    m_measure = std::make_unique<QPdfWriter>(m_pdfBytes.get());
    m_measure->setResolution(TwipsPerInch);
    doSetFont(fontName(), fontSize(), bold());
}

PainterSurface::~PainterSurface() = default;

QString PainterSurface::printerName() const
{
    return QStringLiteral("Aperçu");
}

void PainterSurface::doSetFont(const QString &name, float points, bool bold)
{
    m_font = printingFont(name, points, bold);
    m_metrics.reset();
}

const QFontMetricsF &PainterSurface::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(m_font, m_measure.get());
    return *m_metrics;
}

void PainterSurface::doPrintText(float x, float y, const QString &text)
{
    // Drawn in twips like everything else: the font's size in twips, the
    // painter's transformation doing the rest.
    QFont drawn = m_font;
    drawn.setPixelSize(qMax(1, qRound(m_font.pointSizeF() * TwipsPerPoint)));
    m_painter.save();
    m_painter.setFont(drawn);
    m_painter.setPen(QPen(Qt::black));
    const QFontMetricsF &measured = metrics();
    m_painter.drawText(QPointF(x, y + measured.ascent()), text);
    m_painter.restore();
    m_boxes << QRectF(x, y, measured.horizontalAdvance(text), measured.height());
}

double PainterSurface::doTextWidth(const QString &text)
{
    return metrics().horizontalAdvance(text);
}

double PainterSurface::doLineHeight()
{
    return metrics().lineSpacing();
}

void PainterSurface::doLine(QPointF from, QPointF to, Colour colour)
{
    QPen pen(toQColor(colour), PenTwips, m_style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCosmetic(false);
    m_painter.save();
    m_painter.setPen(pen);
    m_painter.drawLine(from, to);
    m_painter.restore();
}

void PainterSurface::doRectangle(QPointF from, QPointF to, Colour colour, bool filled)
{
    const QRectF rect = QRectF(from, to).normalized();
    m_painter.save();
    if (filled) {
        m_painter.fillRect(rect, toQColor(colour));
    } else {
        m_painter.setPen(QPen(toQColor(colour), PenTwips, m_style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(rect);
    }
    m_painter.restore();
}

void PainterSurface::doSetLineStyle(LineStyle style)
{
    m_style = style;
}

void PainterSurface::doSetOrientation(Orientation)
{
}

void PainterSurface::doEndDocument()
{
}

void PainterSurface::doAbortDocument()
{
}

} // namespace platform
