#pragma once

#include <QPointF>
#include <QRectF>

#include <array>

// Where the dialog stands on the screen and where its frame pieces go, in
// twips. Pure arithmetic, so that the shared window services can take it over.
namespace prompt_dialog {

// The dialog is centred in this band at the top of the screen, whatever the
// screen's height, so that it never covers the lower part of the main window.
constexpr double DialogBandHeight = 9000;
// A frame piece is a 32 x 32 pixel picture.
constexpr double FramePieceSize = 480;

// Top-left corner of a window of the given size: centred horizontally (a
// screen narrower than the window cuts it on both sides alike), centred
// vertically in the dialog band.
QPointF dialogTopLeft(double screenWidth, double width, double height);

// The eight frame pieces of a window of the given outer size: corners 0 to 3
// (top-left, top-right, bottom-right, bottom-left) at their own size, then the
// left, top, right and bottom edges stretched between them.
std::array<QRectF, 8> framePieceRects(double width, double height);

} // namespace prompt_dialog
