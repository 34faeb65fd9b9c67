#include "platform/printersurface.h"

#include <cmath>

namespace platform {

namespace {

QString num(double value)
{
    return QString::number(value, 'g', 9);
}

QString point(QPointF p)
{
    return num(p.x()) + QLatin1Char(',') + num(p.y());
}

QString colourText(Colour colour)
{
    return QStringLiteral("#%1").arg(colour, 6, 16, QLatin1Char('0'));
}

} // namespace

void PrinterSurface::setFontName(const QString &name)
{
    noteCall(QStringLiteral("setFontName(%1)").arg(name));
    if (name.trimmed().isEmpty())
        throw PrinterError("empty font name");
    doSetFont(name, m_fontSize, m_bold);
    m_fontName = name;
}

void PrinterSurface::setFontSize(float points)
{
    noteCall(QStringLiteral("setFontSize(%1)").arg(num(points)));
    if (!std::isfinite(points) || points <= 0.0f || points > 2048.0f)
        throw PrinterError("font size out of range");
    doSetFont(m_fontName, points, m_bold);
    m_fontSize = points;
}

void PrinterSurface::setBold(bool bold)
{
    noteCall(QStringLiteral("setBold(%1)").arg(bold ? QStringLiteral("true") : QStringLiteral("false")));
    doSetFont(m_fontName, m_fontSize, bold);
    m_bold = bold;
}

void PrinterSurface::setCurrentX(float twips)
{
    noteCall(QStringLiteral("setCurrentX(%1)").arg(num(twips)));
    if (!std::isfinite(twips))
        throw PrinterError("position out of range");
    m_currentX = twips;
}

void PrinterSurface::setCurrentY(float twips)
{
    noteCall(QStringLiteral("setCurrentY(%1)").arg(num(twips)));
    if (!std::isfinite(twips))
        throw PrinterError("position out of range");
    m_currentY = twips;
}

void PrinterSurface::printText(const QString &text, bool endLine)
{
    noteCall(QStringLiteral("printText(%1)%2").arg(text, endLine ? QString() : QStringLiteral(";")));
    doPrintText(m_currentX, m_currentY, text);
    if (endLine) {
        m_currentX = 0.0f;
        m_currentY = static_cast<float>(m_currentY + doLineHeight());
    } else {
        m_currentX = static_cast<float>(m_currentX + doTextWidth(text));
    }
}

double PrinterSurface::textWidth(const QString &text)
{
    noteCall(QStringLiteral("textWidth(%1)").arg(text));
    return doTextWidth(text);
}

void PrinterSurface::line(QPointF from, QPointF to, Colour colour)
{
    noteCall(QStringLiteral("line(%1-%2 %3)").arg(point(from), point(to), colourText(colour)));
    doLine(from, to, colour);
}

void PrinterSurface::rectangle(QPointF from, QPointF to, Colour colour)
{
    noteCall(QStringLiteral("rectangle(%1-%2 %3)").arg(point(from), point(to), colourText(colour)));
    doRectangle(from, to, colour, false);
}

void PrinterSurface::filledRectangle(QPointF from, QPointF to, Colour colour)
{
    noteCall(QStringLiteral("filledRectangle(%1-%2 %3)").arg(point(from), point(to), colourText(colour)));
    doRectangle(from, to, colour, true);
}

void PrinterSurface::setLineStyle(LineStyle style)
{
    noteCall(style == LineStyle::Dotted ? QStringLiteral("setLineStyle(dotted)") : QStringLiteral("setLineStyle(solid)"));
    doSetLineStyle(style);
    m_lineStyle = style;
}

void PrinterSurface::setOrientation(Orientation orientation)
{
    noteCall(QStringLiteral("setOrientation(%1)").arg(int(orientation)));
    doSetOrientation(orientation);
    m_orientation = orientation;
}

void PrinterSurface::endDocument()
{
    noteCall(QStringLiteral("endDocument()"));
    doEndDocument();
}

void PrinterSurface::abortDocument()
{
    noteCall(QStringLiteral("abortDocument()"));
    doAbortDocument();
}

} // namespace platform
