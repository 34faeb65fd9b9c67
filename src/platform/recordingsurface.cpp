#include "platform/recordingsurface.h"

namespace platform {

RecordingSurface::RecordingSurface(Measure measure)
    : m_measure(measure ? std::move(measure) : Measure(&RecordingSurface::defaultMeasure))
    , m_pendingFont(fontName())
    , m_pendingSize(fontSize())
    , m_pendingBold(bold())
{
}

double RecordingSurface::defaultMeasure(const QString &text, const QString &, float points, bool)
{
    // 0.6 em a character; an em is the size in points, 20 twips a point.
    return text.size() * 0.6 * points * 20.0;
}

QStringList RecordingSurface::printingCalls() const
{
    QStringList result;
    for (const QString &call : m_calls) {
        if (!call.startsWith(QLatin1String("textWidth(")))
            result << call;
    }
    return result;
}

void RecordingSurface::noteCall(const QString &call)
{
    m_calls << call;
}

void RecordingSurface::failIfAsked(const QString &operation) const
{
    if (!m_failOn.isEmpty() && m_failOn == operation)
        throw PrinterError("recording surface asked to fail on " + operation.toStdString());
}

void RecordingSurface::doSetFont(const QString &name, float points, bool bold)
{
    failIfAsked(QStringLiteral("setFont"));
    m_pendingFont = name;
    m_pendingSize = points;
    m_pendingBold = bold;
}

void RecordingSurface::doPrintText(float, float, const QString &)
{
    failIfAsked(QStringLiteral("printText"));
}

double RecordingSurface::doTextWidth(const QString &text)
{
    failIfAsked(QStringLiteral("textWidth"));
    return m_measure(text, m_pendingFont, m_pendingSize, m_pendingBold);
}

double RecordingSurface::doLineHeight()
{
    return m_pendingSize * 20.0 * 1.15;
}

void RecordingSurface::doLine(QPointF, QPointF, Colour)
{
    failIfAsked(QStringLiteral("line"));
}

void RecordingSurface::doRectangle(QPointF, QPointF, Colour, bool)
{
    failIfAsked(QStringLiteral("rectangle"));
}

void RecordingSurface::doSetLineStyle(LineStyle)
{
    failIfAsked(QStringLiteral("setLineStyle"));
}

void RecordingSurface::doSetOrientation(Orientation)
{
    failIfAsked(QStringLiteral("setOrientation"));
}

void RecordingSurface::doEndDocument()
{
    failIfAsked(QStringLiteral("endDocument"));
    ++m_documentsEnded;
}

void RecordingSurface::doAbortDocument()
{
    ++m_documentsAborted;
}

} // namespace platform
