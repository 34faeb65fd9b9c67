#include "platform/desktop.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

namespace {
Pointer g_pointer = DefaultPointer;
}

void setPointer(Pointer newPointer)
{
    // The override cursor is a stack; keep at most one of ours on it.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (newPointer == ArrowPointer)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    else if (newPointer == QuestionArrowPointer)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WhatsThisCursor));
    g_pointer = newPointer;
}

Pointer pointer()
{
    return g_pointer;
}

double twipsPerPixel()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int twipsToPixels(double twips)
{
    return int(std::lround(twips / twipsPerPixel()));
}

double pixelsToTwips(int pixels)
{
    return pixels * twipsPerPixel();
}

double screenWidthTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? pixelsToTwips(screen->geometry().width()) : 0.0;
}

void beep()
{
    QApplication::beep();
}

void processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace platform
