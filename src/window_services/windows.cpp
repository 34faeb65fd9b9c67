#include "window_services/windows.h"

#include "platform/desktop.h"
#include "window_services/placement.h"

#include <QWidget>

namespace window_services {

namespace {

void sizeAndCentre(QWidget *window, double width, double height)
{
    window->setFixedSize(platform::twipsToPixels(width), platform::twipsToPixels(height));
    // The width as the window system gave it, not as asked.
    const double actualWidth = platform::pixelsToTwips(window->width());
    window->move(platform::twipsToPixels(centredLeft(platform::screenWidthTwips(), actualWidth)), 0);
    window->raise();
}

} // namespace

void placeMainWindow(QWidget *window)
{
    sizeAndCentre(window, MainWindowWidth, MainWindowHeight);
}

void placeEditor(QWidget *window)
{
    sizeAndCentre(window, EditorWidth, EditorHeight);
}

void placeDialog(QWidget *window)
{
    const QPointF topLeft = dialogTopLeft(platform::screenWidthTwips(), platform::pixelsToTwips(window->width()),
                                          platform::pixelsToTwips(window->height()));
    window->move(platform::twipsToPixels(topLeft.x()), platform::twipsToPixels(topLeft.y()));
}

QRect twipsRect(double left, double top, double width, double height)
{
    using platform::twipsToPixels;
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QRect twipsRect(const QRectF &twips)
{
    return twipsRect(twips.left(), twips.top(), twips.width(), twips.height());
}

} // namespace window_services
