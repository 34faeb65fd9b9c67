#include "support/recordingsurface.h"

using platform::Colour;
using platform::LineStyle;
using platform::Orientation;
using platform::PrinterSurface;

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

QString shape(const char *name, QPointF from, QPointF to, Colour colour)
{
    return QStringLiteral("%1(%2-%3 %4)").arg(QLatin1String(name), point(from), point(to), colourText(colour));
}

} // namespace

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

void RecordingSurface::setFontName(const QString &name)
{
    note(QStringLiteral("setFontName(%1)").arg(name));
    PrinterSurface::setFontName(name);
}

void RecordingSurface::setFontSize(float points)
{
    note(QStringLiteral("setFontSize(%1)").arg(num(points)));
    PrinterSurface::setFontSize(points);
}

void RecordingSurface::setBold(bool isBold)
{
    note(QStringLiteral("setBold(%1)").arg(isBold ? QStringLiteral("true") : QStringLiteral("false")));
    PrinterSurface::setBold(isBold);
}

void RecordingSurface::setCurrentX(float twips)
{
    note(QStringLiteral("setCurrentX(%1)").arg(num(twips)));
    PrinterSurface::setCurrentX(twips);
}

void RecordingSurface::setCurrentY(float twips)
{
    note(QStringLiteral("setCurrentY(%1)").arg(num(twips)));
    PrinterSurface::setCurrentY(twips);
}

void RecordingSurface::printText(const QString &text, bool endLine)
{
    note(QStringLiteral("printText(%1)%2").arg(text, endLine ? QString() : QStringLiteral(";")));
    PrinterSurface::printText(text, endLine);
}

double RecordingSurface::textWidth(const QString &text)
{
    note(QStringLiteral("textWidth(%1)").arg(text));
    return PrinterSurface::textWidth(text);
}

void RecordingSurface::line(QPointF from, QPointF to, Colour colour)
{
    note(shape("line", from, to, colour));
    PrinterSurface::line(from, to, colour);
}

void RecordingSurface::rectangle(QPointF from, QPointF to, Colour colour)
{
    note(shape("rectangle", from, to, colour));
    PrinterSurface::rectangle(from, to, colour);
}

void RecordingSurface::filledRectangle(QPointF from, QPointF to, Colour colour)
{
    note(shape("filledRectangle", from, to, colour));
    PrinterSurface::filledRectangle(from, to, colour);
}

void RecordingSurface::setLineStyle(LineStyle style)
{
    note(style == LineStyle::Dotted ? QStringLiteral("setLineStyle(dotted)") : QStringLiteral("setLineStyle(solid)"));
    PrinterSurface::setLineStyle(style);
}

void RecordingSurface::setOrientation(Orientation orientation)
{
    note(QStringLiteral("setOrientation(%1)").arg(int(orientation)));
    PrinterSurface::setOrientation(orientation);
}

void RecordingSurface::newPage()
{
    note(QStringLiteral("newPage()"));
    PrinterSurface::newPage();
}

void RecordingSurface::endDocument(const std::function<void()> &handingOver)
{
    note(QStringLiteral("endDocument()"));
    PrinterSurface::endDocument(handingOver);
}

void RecordingSurface::abortDocument()
{
    note(QStringLiteral("abortDocument()"));
    PrinterSurface::abortDocument();
}

void RecordingSurface::failIfAsked(const QString &operation) const
{
    if (!m_failOn.isEmpty() && m_failOn == operation)
        throw platform::PrinterError(QStringLiteral("l'enregistreur refuse « %1 »").arg(operation));
}

void RecordingSurface::doSetFont(const QString &name, float points, bool isBold)
{
    failIfAsked(QStringLiteral("setFont"));
    m_pendingFont = name;
    m_pendingSize = points;
    m_pendingBold = isBold;
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

void RecordingSurface::doNewPage()
{
    failIfAsked(QStringLiteral("newPage"));
}

void RecordingSurface::doEndDocument(const std::function<void()> &handingOver)
{
    failIfAsked(QStringLiteral("endDocument"));
    if (handingOver)
        handingOver();
    failIfAsked(QStringLiteral("send"));
    ++m_documentsEnded;
}

void RecordingSurface::doAbortDocument()
{
    ++m_documentsAborted;
}
