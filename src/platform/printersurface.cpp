#include "platform/printersurface.h"

#include <cmath>

namespace platform {

void PrinterSurface::setFontName(const QString &name)
{
    if (name.trimmed().isEmpty())
        throw PrinterError(QStringLiteral("la police n'a pas de nom"));
    doSetFont(name, m_fontSize, m_bold);
    m_fontName = name;
}

void PrinterSurface::setFontSize(float points)
{
    if (!std::isfinite(points) || points <= 0.0f || points > 2048.0f)
        throw PrinterError(QStringLiteral("la taille de police %1 n'est pas possible").arg(double(points)));
    doSetFont(m_fontName, points, m_bold);
    m_fontSize = points;
}

void PrinterSurface::setBold(bool bold)
{
    doSetFont(m_fontName, m_fontSize, bold);
    m_bold = bold;
}

void PrinterSurface::setCurrentX(float twips)
{
    if (!std::isfinite(twips))
        throw PrinterError(QStringLiteral("une position sort des limites de l'imprimante"));
    m_currentX = twips;
}

void PrinterSurface::setCurrentY(float twips)
{
    if (!std::isfinite(twips))
        throw PrinterError(QStringLiteral("une position sort des limites de l'imprimante"));
    m_currentY = twips;
}

void PrinterSurface::printText(const QString &text, bool endLine)
{
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
    return doTextWidth(text);
}

void PrinterSurface::line(QPointF from, QPointF to, Colour colour)
{
    doLine(from, to, colour);
}

void PrinterSurface::rectangle(QPointF from, QPointF to, Colour colour)
{
    doRectangle(from, to, colour, false);
}

void PrinterSurface::filledRectangle(QPointF from, QPointF to, Colour colour)
{
    doRectangle(from, to, colour, true);
}

void PrinterSurface::setLineStyle(LineStyle style)
{
    doSetLineStyle(style);
    m_lineStyle = style;
}

void PrinterSurface::setOrientation(Orientation orientation)
{
    doSetOrientation(orientation);
    m_orientation = orientation;
}

void PrinterSurface::newPage()
{
    doNewPage();
}

void PrinterSurface::endDocument(const std::function<void()> &handingOver)
{
    doEndDocument(handingOver);
}

void PrinterSurface::abortDocument()
{
    doAbortDocument();
}

} // namespace platform
