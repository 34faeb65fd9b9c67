#pragma once

#include <QPointF>
#include <QRectF>

#include <array>

// Where the windows stand on the screen and where the dialog's frame pieces
// go, in twips. Pure arithmetic; the widgets apply it.
namespace window_services {

constexpr double MainWindowWidth = 15360;
constexpr double MainWindowHeight = 11070;
constexpr double EditorWidth = 12000;
constexpr double EditorHeight = 9000;

// Left edge of a window of the given width at the top of the screen,
// centred: negative on a screen narrower than the window, which is then cut
// on both sides alike.
double centredLeft(double screenWidth, double width);

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

} // namespace window_services
