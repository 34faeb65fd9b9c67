#pragma once

#include "platform/printersurface.h"

#include <QColor>
#include <QFont>

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

} // namespace platform
