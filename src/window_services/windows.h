#pragma once

#include <QRect>

class QWidget;

// The routines the windows call while they open: size and place them on the
// screen.
namespace window_services {

// 15360 x 11070 twips, centred at the top of the screen, brought to the front.
void placeMainWindow(QWidget *window);
// 12000 x 9000 twips, the same way.
void placeEditor(QWidget *window);
// Its size unchanged: centred across the screen and in the upper 9000 twips.
void placeDialog(QWidget *window);

// A control's place in a window, given in twips as every size of the
// program, in the screen's pixels.
QRect twipsRect(double left, double top, double width, double height);
QRect twipsRect(const QRectF &twips);

} // namespace window_services
