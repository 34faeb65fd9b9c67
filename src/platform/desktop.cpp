#include "platform/desktop.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>
#include <QTranslator>

#include <cmath>

namespace platform {

namespace {

// A program without windows (a test of the rules) has no pointer to show.
bool hasScreen()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

void setPointer(Pointer newPointer)
{
    if (!hasScreen())
        return;
    // The override cursor is a stack; keep at most one of ours on it.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (newPointer == ArrowPointer)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    else if (newPointer == QuestionArrowPointer)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WhatsThisCursor));
}

Pointer pointer()
{
    // What the screen shows is the state: nothing is kept beside it.
    const QCursor *cursor = hasScreen() ? QGuiApplication::overrideCursor() : nullptr;
    if (!cursor)
        return DefaultPointer;
    return cursor->shape() == Qt::WhatsThisCursor ? QuestionArrowPointer : ArrowPointer;
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

void useFrenchForQtTexts()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // Owned by the application, so that it lives as long as the texts do.
    auto *translator = new QTranslator(app);
    if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void processEvents()
{
    QCoreApplication::processEvents();
}

QString hostName()
{
    return QSysInfo::machineHostName();
}

} // namespace platform
