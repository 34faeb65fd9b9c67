#pragma once

#include "platform/printersurface.h"

#include <QStringList>

#include <functional>

// A printer that prints nothing and keeps a log of every call made to it,
// with its arguments in twips, so a test can check exactly what a printing
// routine asked for and in which order.
class RecordingSurface : public platform::PrinterSurface
{
public:
    // Width of a text in twips for a font name, size in points and boldness.
    using Measure = std::function<double(const QString &text, const QString &font, float points, bool bold)>;

    // Without a measure, every character is 0.6 em wide: simple enough for a
    // test to work out by hand.
    explicit RecordingSurface(Measure measure = {});

    QStringList calls() const { return m_calls; }
    // The calls that change the page or the printer, without the width
    // queries the line split makes.
    QStringList printingCalls() const;
    void clearCalls() { m_calls.clear(); }

    int documentsEnded() const { return m_documentsEnded; }
    int documentsAborted() const { return m_documentsAborted; }

    // Makes the named operation fail with a PrinterError, to test what the
    // callers do when the printer refuses (e.g. "printText", "endDocument"
    // before the document is handed over, "send" once it was).
    void failOn(const QString &operation) { m_failOn = operation; }

    QString printerName() const override { return QStringLiteral("Enregistreur"); }

    static double defaultMeasure(const QString &text, const QString &font, float points, bool bold);

    void setFontName(const QString &name) override;
    void setFontSize(float points) override;
    void setBold(bool bold) override;
    void setCurrentX(float twips) override;
    void setCurrentY(float twips) override;
    void printText(const QString &text, bool endLine = true) override;
    double textWidth(const QString &text) override;
    void line(QPointF from, QPointF to, platform::Colour colour = platform::Black) override;
    void rectangle(QPointF from, QPointF to, platform::Colour colour = platform::Black) override;
    void filledRectangle(QPointF from, QPointF to, platform::Colour colour) override;
    void setLineStyle(platform::LineStyle style) override;
    void setOrientation(platform::Orientation orientation) override;
    void newPage() override;
    void endDocument(const std::function<void()> &handingOver = {}) override;
    void abortDocument() override;

protected:
    void doSetFont(const QString &name, float points, bool bold) override;
    void doPrintText(float x, float y, const QString &text) override;
    double doTextWidth(const QString &text) override;
    double doLineHeight() override;
    void doLine(QPointF from, QPointF to, platform::Colour colour) override;
    void doRectangle(QPointF from, QPointF to, platform::Colour colour, bool filled) override;
    void doSetLineStyle(platform::LineStyle style) override;
    void doSetOrientation(platform::Orientation orientation) override;
    void doNewPage() override;
    void doEndDocument(const std::function<void()> &handingOver) override;
    void doAbortDocument() override;

private:
    void note(const QString &call) { m_calls << call; }
    void failIfAsked(const QString &operation) const;

    Measure m_measure;
    QStringList m_calls;
    QString m_failOn;
    QString m_pendingFont;
    float m_pendingSize = 10.0f;
    bool m_pendingBold = false;
    int m_documentsEnded = 0;
    int m_documentsAborted = 0;
};
