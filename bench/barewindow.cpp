// The floors Ormeline is measured against: what Qt costs on its own.
//
//   barewindow window     a window of Ormeline's size, nothing in it
//   barewindow text       the same with one text field in it: what a window
//                         that shows any text pays for Qt's fonts
//   barewindow printers   the same, after listing the printers and measuring
//                         one text on the first, as a program that prints must
//   barewindow print      the same window, whose click anywhere prints six
//                         texts on one landscape page at 1440 dpi on the
//                         default printer, then ends
#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <cstring>

namespace {

class PrintOnClick : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override
    {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setResolution(1440);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&printer);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(10);
        painter.setFont(font);
        for (int i = 0; i < 6; ++i)
            painter.drawText(QPointF(1000 + 500 * i, 1000 + 400 * i), QStringLiteral("Texte %1").arg(i));
        painter.end();
        QCoreApplication::quit();
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const char *mode = argc > 1 ? argv[1] : "window";
    if (std::strcmp(mode, "printers") == 0) {
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (!printers.isEmpty()) {
            QPrinter printer(printers.first(), QPrinter::HighResolution);
            printer.setResolution(1440);
            volatile double width = QFontMetricsF(QFont(QStringLiteral("Arial")), &printer)
                                        .horizontalAdvance(QStringLiteral("MILLE CINQ CENT"));
            (void)width;
        }
    }
    PrintOnClick printing;
    QWidget plain;
    QWidget &window = std::strcmp(mode, "print") == 0 ? static_cast<QWidget &>(printing) : plain;
    if (std::strcmp(mode, "text") == 0) {
        auto *field = new QLineEdit(QStringLiteral("1575.98"), &plain);
        field->setGeometry(20, 20, 200, 24);
    }
    window.setWindowTitle(QStringLiteral("Plancher"));
    window.setFixedSize(1024, 738);
    window.move(0, 0);
    window.show();
    return QApplication::exec();
}
