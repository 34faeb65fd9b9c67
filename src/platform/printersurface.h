#pragma once

#include <QPointF>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <stdexcept>

namespace platform {

// Colours as the printing routines give them: 0xRRGGBB.
using Colour = quint32;
constexpr Colour rgb(int red, int green, int blue)
{
    return (Colour(red & 0xff) << 16) | (Colour(green & 0xff) << 8) | Colour(blue & 0xff);
}
constexpr Colour Black = rgb(0, 0, 0);

enum class Orientation { Portrait = 1, Landscape = 2 };
enum class LineStyle { Solid, Dotted };

// Thrown by a surface when the printer cannot do what it was asked: no
// printer, a font it refuses, a job it cannot start or send. The callers that
// face the user catch it and say so.
class PrinterError : public std::runtime_error
{
public:
    explicit PrinterError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }

    // What went wrong, in French, for the user.
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The printer's page, in twips from the top-left corner of the printable
// area. Every printing routine (the cheque, the calibration pages) writes only
// through this, so the same routine can go to a real printer, to a recording
// for the tests, or to a preview.
//
// Font, position, line style and orientation are state of the printer, kept
// from one call to the next and from one document to the next, as a person
// setting up the printer would expect.
//
// The operations are virtual so that a surface can stand in front of another
// one (a recording for the tests); the state and its checks live here.
class PrinterSurface
{
public:
    virtual ~PrinterSurface() = default;

    virtual void setFontName(const QString &name);
    QString fontName() const { return m_fontName; }
    virtual void setFontSize(float points);
    float fontSize() const { return m_fontSize; }
    virtual void setBold(bool bold);
    bool bold() const { return m_bold; }

    // The top-left corner of the next text.
    virtual void setCurrentX(float twips);
    virtual void setCurrentY(float twips);
    float currentX() const { return m_currentX; }
    float currentY() const { return m_currentY; }

    // Prints at the current position. With endLine the position then moves to
    // the start of the next line (x 0, y one line lower); without it, to the
    // end of the text on the same line.
    virtual void printText(const QString &text, bool endLine = true);

    // The width in twips of a text in the current font, as the printer would
    // print it.
    virtual double textWidth(const QString &text);

    virtual void line(QPointF from, QPointF to, Colour colour = Black);
    virtual void rectangle(QPointF from, QPointF to, Colour colour = Black);
    virtual void filledRectangle(QPointF from, QPointF to, Colour colour);

    virtual void setLineStyle(LineStyle style);
    LineStyle lineStyle() const { return m_lineStyle; }

    // Takes effect for the next page started.
    virtual void setOrientation(Orientation orientation);
    Orientation orientation() const { return m_orientation; }

    // Ends the page drawn so far and starts the next one of the same
    // document, so that several pages go to the printer as one job. Nothing
    // drawn yet: no blank sheet is started.
    virtual void newPage();

    // Sends the document to the printer. Nothing drawn since the last end is
    // lost. `handingOver`, when given, runs once the document is ready to go,
    // just before the printing system is handed it, and not when the printer
    // fails before that: what must be written down before a page can exist
    // is written there.
    virtual void endDocument(const std::function<void()> &handingOver = {});
    // Drops what was drawn since the last end: nothing reaches the printer.
    virtual void abortDocument();

    // The printer's name, for messages; empty when there is none.
    virtual QString printerName() const = 0;

    // What the next page is, as the printing system lists it for the user
    // ("Chèque 1575.98 € – Banque de Test").
    void setDocumentName(const QString &name) { m_documentName = name; }
    QString documentName() const { return m_documentName; }

protected:
    PrinterSurface() = default;

    virtual void doSetFont(const QString &name, float points, bool bold) = 0;
    virtual void doPrintText(float x, float y, const QString &text) = 0;
    virtual double doTextWidth(const QString &text) = 0;
    virtual double doLineHeight() = 0;
    virtual void doLine(QPointF from, QPointF to, Colour colour) = 0;
    virtual void doRectangle(QPointF from, QPointF to, Colour colour, bool filled) = 0;
    virtual void doSetLineStyle(LineStyle style) = 0;
    virtual void doSetOrientation(Orientation orientation) = 0;
    virtual void doNewPage() = 0;
    virtual void doEndDocument(const std::function<void()> &handingOver) = 0;
    virtual void doAbortDocument() = 0;

private:
    QString m_fontName = QStringLiteral("Arial");
    float m_fontSize = 10.0f;
    bool m_bold = false;
    float m_currentX = 0.0f;
    float m_currentY = 0.0f;
    LineStyle m_lineStyle = LineStyle::Solid;
    Orientation m_orientation = Orientation::Portrait;
    QString m_documentName = QStringLiteral("Ormeline");
};

// Prints a text with its top-left corner at (x, y), in twips.
inline void printAt(PrinterSurface &printer, double x, double y, const QString &text, bool endLine = true)
{
    printer.setCurrentX(static_cast<float>(x));
    printer.setCurrentY(static_cast<float>(y));
    printer.printText(text, endLine);
}

// Runs `draw`, which draws a page, and sends it to the printer, running
// `handingOver` just before (see endDocument). When the printer fails, what
// was drawn is dropped, so that nothing half-drawn comes out with the next
// job, the printer is turned back to portrait for the routines that expect
// it, and the error goes on to the caller.
template <typename Draw>
void printPage(PrinterSurface &printer, Draw &&draw, const std::function<void()> &handingOver = {})
{
    try {
        draw();
        printer.endDocument(handingOver);
    } catch (const PrinterError &) {
        // Neither of these sends anything, and neither fails on a printer
        // that is gone: one forgets the page, the other notes the
        // orientation for the next one.
        printer.abortDocument();
        printer.setOrientation(Orientation::Portrait);
        throw;
    }
}

} // namespace platform
