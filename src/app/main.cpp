#include "main_window/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ormeline"));

    // Every file is taken from the folder the program is started in.
    main_window::Program program;
    QObject::connect(&program.session(), &main_window::ChequeSession::programEnded, &app,
                     [] { QCoreApplication::exit(0); });
    program.session().startUp();
    if (program.session().hasEnded())
        return 0;
    program.window().show();
    return QApplication::exec();
}
