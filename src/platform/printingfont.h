#pragma once

#include "platform/printersurface.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>

#include <memory>
#include <optional>

class QBuffer;
class QPdfWriter;

// What the printer's page and its on-screen preview draw with alike, so that
// the one shows what the other prints.
namespace platform {

// One device unit is one twip.
constexpr int TwipsPerInch = 1440;
constexpr double TwipsPerPoint = 20.0;

// A zero-width pen draws one device pixel, a 1440th of an inch: dots that
// thin vanish on paper. 15 twips is about a quarter of a millimetre.
constexpr double PenTwips = 15.0;

inline QColor toQColor(Colour colour)
{
    return QColor::fromRgb(QRgb(0xff000000u | (colour & 0xffffffu)));
}

// No kerning: a text's width is then the sum of its parts' widths, so the
// word split, which measures piece by piece, agrees with what is printed.
inline QFont printingFont(const QString &name, float points, bool bold)
{
    QFont font(name);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setKerning(false);
    return font;
}

// The font a surface prints with and its measures, taken from Qt's PDF
// engine at 1440 dots an inch: that is what every printer is sent, so text is
// measured the same on paper and on screen, and without waiting for the
// printing system.
class PrintingMetrics
{
public:
    PrintingMetrics();
    ~PrintingMetrics();
    PrintingMetrics(const PrintingMetrics &) = delete;
    PrintingMetrics &operator=(const PrintingMetrics &) = delete;

    void setFont(const QString &name, float points, bool bold);
    const QFont &font() const { return m_font; }
    // Built at the first measure after a change of font.
    const QFontMetricsF &metrics();

private:
    std::unique_ptr<QBuffer> m_pdfBytes;
    std::unique_ptr<QPdfWriter> m_measure;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
};

} // namespace platform
