#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormeline"));

    // Every file is taken from the folder the program is started in.
    main_window::Form1 window;
    QObject::connect(&window, &main_window::Form1::programEnded, &app, [] { QCoreApplication::exit(0); });
    window.startUp();
    if (window.hasEnded())
        return 0;
    window.show();
    return QApplication::exec();
}
