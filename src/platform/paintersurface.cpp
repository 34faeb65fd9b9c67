#include "platform/paintersurface.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace platform {

PainterSurface::PainterSurface(QPainter &painter)
    : m_painter(painter)
{
    doSetFont(fontName(), fontSize(), bold());
}

PainterSurface::~PainterSurface() = default;

QString PainterSurface::printerName() const
{
    return QStringLiteral("Aperçu");
}

void PainterSurface::doSetFont(const QString &name, float points, bool bold)
{
    m_font.setFont(name, points, bold);
}

void PainterSurface::doPrintText(float x, float y, const QString &text)
{
    // Drawn in twips like everything else: the font's size in twips, the
    // painter's transformation doing the rest.
    QFont drawn = m_font.font();
    drawn.setPixelSize(qMax(1, qRound(drawn.pointSizeF() * TwipsPerPoint)));
    m_painter.save();
    m_painter.setFont(drawn);
    m_painter.setPen(QPen(Qt::black));
    const QFontMetricsF &measured = m_font.metrics();
    m_painter.drawText(QPointF(x, y + measured.ascent()), text);
    m_painter.restore();
    m_boxes << QRectF(x, y, measured.horizontalAdvance(text), measured.height());
}

double PainterSurface::doTextWidth(const QString &text)
{
    return m_font.metrics().horizontalAdvance(text);
}

double PainterSurface::doLineHeight()
{
    return m_font.metrics().lineSpacing();
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

void PainterSurface::doSetOrientation(Orientation) {}

// A preview shows one page: a routine that needs more draws them one above
// the other, as the caller asked.
void PainterSurface::doNewPage() {}

// A preview hands nothing over.
void PainterSurface::doEndDocument(const std::function<void()> &) {}

void PainterSurface::doAbortDocument() {}

} // namespace platform
