#include "platform/printingsystem.h"
#include "platform/qtprintersurface.h"
#include "support/cupsqueue.h"
#include "support/pdfwords.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <functional>
#include <unistd.h>

using platform::Colour;
using platform::LineStyle;
using platform::Orientation;
using platform::PrinterError;
using platform::QtPrinterSurface;

Q_DECLARE_METATYPE(Orientation)

namespace {

const QString NoSuchPrinter = QStringLiteral("Ormeline-aucune-imprimante");

// Liberation Sans (what "Arial" resolves to) has 2048 font units an em.
double unitsToTwips(int units, double points)
{
    return units / 2048.0 * points * TwipsPerPoint;
}

// Prints one document on the test queue and reads back its only page.
bool printPage(const TestQueue &queue, const std::function<void(QtPrinterSurface &)> &draw, PdfPage *page, QString *why)
{
    if (!queue.removeOutput(why))
        return false;
    QtPrinterSurface surface(queue.name());
    if (!surface.hasPrinter()) {
        *why = QStringLiteral("queue %1 not found by Qt").arg(queue.name());
        return false;
    }
    draw(surface);
    surface.endDocument();
    if (!queue.waitForOutput(why))
        return false;
    const QList<PdfPage> pages = readPdfWords(queue.pdfPath(), why);
    if (pages.size() != 1) {
        if (!pages.isEmpty())
            *why = QStringLiteral("%1 pages printed, one expected").arg(pages.size());
        return false;
    }
    *page = pages.first();
    return true;
}

bool queueOrigin(const TestQueue &queue, Orientation orientation, QPointF *origin, QString *why)
{
    return queue.printableOrigin(orientation == Orientation::Landscape, origin, why);
}

PageTurn turnOf(Orientation orientation)
{
    return orientation == Orientation::Landscape ? PageTurn::Landscape : PageTurn::Portrait;
}

bool near(QRgb pixel, QRgb wanted)
{
    return qAbs(qRed(pixel) - qRed(wanted)) < 60 && qAbs(qGreen(pixel) - qGreen(wanted)) < 60 &&
           qAbs(qBlue(pixel) - qBlue(wanted)) < 60;
}

} // namespace

class TestQtPrinterSurface : public QObject
{
    Q_OBJECT

private slots:
    // No printer needed.
    void printableOrigin_data();
    void printableOrigin();
    void withoutPrinter();
    void textWidthIsPrinterMetrics_data();
    void textWidthIsPrinterMetrics();
    void currentPrinterFollowsSelection();

    // Through the CUPS test queue.
    void textLandsAtItsPosition_data();
    void textLandsAtItsPosition();
    void orientationWaitsForNextPage();
    void sizeAndBold_data();
    void sizeAndBold();
    void windows1252TextSurvives_data();
    void windows1252TextSurvives();
    void nothingReachesPrinter_data();
    void nothingReachesPrinter();
    void abortDropsOnlyThatPage();
    void linesAndFills();
    void queueThatWouldNotPrintSaysWhy_data();
    void queueThatWouldNotPrintSaysWhy();
};

void TestQtPrinterSurface::printableOrigin_data()
{
    QTest::addColumn<QMarginsF>("margins");
    QTest::addColumn<Orientation>("orientation");
    QTest::addColumn<QPointF>("origin");

    // Margins all different, so that no edge can stand in for another.
    const QMarginsF odd(20, 42, 30, 31); // left, top, right, bottom (points)
    QTest::newRow("portrait: left, top") << odd << Orientation::Portrait << QPointF(400, 840);
    QTest::newRow("landscape: bottom, left") << odd << Orientation::Landscape << QPointF(620, 400);
    QTest::newRow("no margins") << QMarginsF() << Orientation::Landscape << QPointF(0, 0);
    QTest::newRow("generic pdf queue") << QMarginsF(18, 36, 18, 36) << Orientation::Landscape << QPointF(720, 360);
}

void TestQtPrinterSurface::printableOrigin()
{
    QFETCH(QMarginsF, margins);
    QFETCH(Orientation, orientation);
    QFETCH(QPointF, origin);

    QCOMPARE(QtPrinterSurface::printableOrigin(margins, orientation), origin);
}

void TestQtPrinterSurface::withoutPrinter()
{
    QtPrinterSurface surface(NoSuchPrinter);
    QVERIFY(!surface.hasPrinter());
    QCOMPARE(surface.printerName(), QString());

    // Measuring works and starts nothing...
    surface.setFontName(QStringLiteral("Arial"));
    surface.setFontSize(10.0f);
    QVERIFY(surface.textWidth(QStringLiteral("MILLE")) > 0.0);
    surface.setOrientation(Orientation::Landscape);
    surface.endDocument();

    // ...printing is refused.
    QVERIFY_THROWS_EXCEPTION(PrinterError, surface.printText(QStringLiteral("MILLE")));
    QVERIFY_THROWS_EXCEPTION(PrinterError, surface.line(QPointF(0, 0), QPointF(100, 0)));
    QVERIFY_THROWS_EXCEPTION(PrinterError, surface.filledRectangle(QPointF(0, 0), QPointF(100, 100), 0xff0000));
}

void TestQtPrinterSurface::textWidthIsPrinterMetrics_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<float>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("advanceUnits"); // sum of the glyphs' advances in the font

    QTest::newRow("digits") << "Arial" << 10.0f << false << "0123456789" << 11390;
    QTest::newRow("words") << "Arial" << 10.0f << false << "MILLE CINQ CENT" << 17752;
    QTest::newRow("words bold") << "Arial" << 10.0f << true << "MILLE CINQ CENT" << 17976;
    QTest::newRow("amount 16 bold") << "Arial" << 16.0f << true << "****1575.98 €" << 12299;
    QTest::newRow("odd size") << "Arial" << 11.5f << false << "MILLE CINQ CENT" << 17752;
}

void TestQtPrinterSurface::textWidthIsPrinterMetrics()
{
    QFETCH(QString, font);
    QFETCH(float, points);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    QFETCH(int, advanceUnits);

    const double expected = unitsToTwips(advanceUnits, points);
    const double tolerance = 1.0;

    // The test must be able to tell printer metrics from screen metrics
    // (96 dpi, hinted to whole pixels), which a careless surface would give.
    QFont screenFont(font);
    screenFont.setPointSizeF(points);
    screenFont.setBold(bold);
    const double twipsPerPixel = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const double screenTwips = QFontMetricsF(screenFont).horizontalAdvance(text) * twipsPerPixel;
    QVERIFY2(qAbs(screenTwips - expected) > tolerance,
             qPrintable(
                 QStringLiteral("screen width %1 too close to %2 to tell them apart").arg(screenTwips).arg(expected)));

    // Qt's own PDF printer at 1440 dpi, as a witness.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(1440);
    QCOMPARE(QFontInfo(screenFont).family(), QStringLiteral("Liberation Sans"));
    QVERIFY(qAbs(QFontMetricsF(screenFont, &pdf).horizontalAdvance(text) - expected) < tolerance);

    QStringList printers{NoSuchPrinter};
    const TestQueue queue = TestQueue::fromEnvironment();
    if (queue.isSet())
        printers << queue.name();
    for (const QString &printer : printers) {
        QtPrinterSurface surface(printer);
        surface.setFontName(font);
        surface.setFontSize(points);
        surface.setBold(bold);
        const double width = surface.textWidth(text);
        QVERIFY2(qAbs(width - expected) < tolerance,
                 qPrintable(QStringLiteral("%1: width %2, font says %3").arg(printer).arg(width).arg(expected)));
    }
    // The surface measures without asking the printing system; the queue's
    // own device, which draws the page, measures the same.
    if (queue.isSet()) {
        QPrinter native(QPrinterInfo::printerInfo(queue.name()), QPrinter::HighResolution);
        native.setResolution(1440);
        QFont printed(font);
        printed.setPointSizeF(points);
        printed.setBold(bold);
        printed.setKerning(false);
        const double width = QFontMetricsF(printed, &native).horizontalAdvance(text);
        QVERIFY2(qAbs(width - expected) < tolerance,
                 qPrintable(QStringLiteral("queue device: width %1, font says %2").arg(width).arg(expected)));
    }
}

void TestQtPrinterSurface::currentPrinterFollowsSelection()
{
    platform::QtPrintingSystem printing;
    // Until a printer is picked: the system's default, made when first asked for.
    QVERIFY(dynamic_cast<QtPrinterSurface *>(&printing.currentPrinter()));

    printing.selectPrinter(NoSuchPrinter);
    auto *unknown = dynamic_cast<QtPrinterSurface *>(&printing.currentPrinter());
    QVERIFY(unknown);
    QVERIFY(!unknown->hasPrinter());

    const TestQueue queue = TestQueue::fromEnvironment();
    if (queue.isSet()) {
        QVERIFY(printing.printerNames().contains(queue.name()));
        printing.selectPrinter(queue.name());
        QCOMPARE(printing.currentPrinter().printerName(), queue.name());
    }
}

void TestQtPrinterSurface::textLandsAtItsPosition_data()
{
    QTest::addColumn<Orientation>("orientation");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("word");

    QTest::newRow("portrait corner") << Orientation::Portrait << 0.0f << 0.0f << "ORIGINE";
    QTest::newRow("portrait 100 x 50 mm") << Orientation::Portrait << 5670.0f << 2835.0f << "CENTRE";
    QTest::newRow("landscape corner") << Orientation::Landscape << 0.0f << 0.0f << "COIN";
    QTest::newRow("landscape cheque line") << Orientation::Landscape << 8788.5f << 3713.85f << "MONTANT";
}

void TestQtPrinterSurface::textLandsAtItsPosition()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(Orientation, orientation);
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, word);

    double width = 0;
    PdfPage page;
    QString why;
    const bool printed = printPage(
        queue,
        [&](QtPrinterSurface &surface) {
            surface.setOrientation(orientation);
            surface.setFontName(QStringLiteral("Arial"));
            surface.setFontSize(10.0f);
            width = surface.textWidth(word);
            surface.setCurrentX(x);
            surface.setCurrentY(y);
            surface.printText(word);
        },
        &page, &why);
    QVERIFY2(printed, qPrintable(why));
    QPointF origin;
    QVERIFY2(queueOrigin(queue, orientation, &origin, &why), qPrintable(why));
    // A4, whatever the queue's default paper; the queue puts landscape on it too.
    QCOMPARE(page.width, 595.0);
    QCOMPARE(page.height, 842.0);

    const QList<PdfWord> found = page.as(turnOf(orientation)).find(word);
    QCOMPARE(found.size(), 1);
    const PdfWord &w = found.first();
    QVERIFY2(qAbs(w.leftTwips() - (origin.x() + x)) < TenthMillimetreTwips,
             qPrintable(QStringLiteral("left %1, expected %2").arg(w.leftTwips()).arg(origin.x() + x)));
    QVERIFY2(qAbs(w.topTwips() - (origin.y() + y)) < TenthMillimetreTwips,
             qPrintable(QStringLiteral("top %1, expected %2").arg(w.topTwips()).arg(origin.y() + y)));
    // Read the right way round, the word is as long as the surface said.
    QVERIFY2(qAbs(w.widthTwips() - width) < TenthMillimetreTwips,
             qPrintable(QStringLiteral("width %1, measured %2").arg(w.widthTwips()).arg(width)));
}

void TestQtPrinterSurface::orientationWaitsForNextPage()
{
    ORMELINE_TEST_QUEUE(queue);
    QString why;
    QPointF portrait;
    QPointF landscape;
    QVERIFY2(queueOrigin(queue, Orientation::Portrait, &portrait, &why), qPrintable(why));
    QVERIFY2(queueOrigin(queue, Orientation::Landscape, &landscape, &why), qPrintable(why));

    QVERIFY(queue.removeOutput(&why));
    QtPrinterSurface surface(queue.name());
    QVERIFY(surface.hasPrinter());
    surface.setCurrentX(1000.0f);
    surface.setCurrentY(1000.0f);
    surface.printText(QStringLiteral("AVANT"));
    surface.setOrientation(Orientation::Landscape); // page already started
    surface.setCurrentX(1000.0f);
    surface.setCurrentY(3000.0f);
    surface.printText(QStringLiteral("APRES"));
    surface.endDocument();
    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    QList<PdfPage> pages = readPdfWords(queue.pdfPath(), &why);
    QCOMPARE(pages.size(), 1);
    const QList<PdfWord> after = pages.first().find(QStringLiteral("APRES"));
    QCOMPARE(after.size(), 1);
    QVERIFY(qAbs(after.first().leftTwips() - (portrait.x() + 1000)) < TenthMillimetreTwips);
    QVERIFY(qAbs(after.first().topTwips() - (portrait.y() + 3000)) < TenthMillimetreTwips);

    // The next page takes the orientation without being told again.
    QVERIFY(queue.removeOutput(&why));
    surface.setCurrentX(1000.0f);
    surface.setCurrentY(3000.0f);
    surface.printText(QStringLiteral("PAYSAGE"));
    surface.endDocument();
    QVERIFY2(queue.waitForOutput(&why), qPrintable(why));
    pages = readPdfWords(queue.pdfPath(), &why);
    QCOMPARE(pages.size(), 1);
    const QList<PdfWord> turned = pages.first().as(PageTurn::Landscape).find(QStringLiteral("PAYSAGE"));
    QCOMPARE(turned.size(), 1);
    QVERIFY(qAbs(turned.first().leftTwips() - (landscape.x() + 1000)) < TenthMillimetreTwips);
    QVERIFY(qAbs(turned.first().topTwips() - (landscape.y() + 3000)) < TenthMillimetreTwips);
}

void TestQtPrinterSurface::sizeAndBold_data()
{
    QTest::addColumn<float>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("font"); // as the PDF names it

    QTest::newRow("10 plain") << 10.0f << false << "LiberationSans";
    QTest::newRow("16 bold") << 16.0f << true << "LiberationSans-Bold";
    QTest::newRow("12.5 plain") << 12.5f << false << "LiberationSans";
}

void TestQtPrinterSurface::sizeAndBold()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(float, points);
    QFETCH(bool, bold);
    QFETCH(QString, font);

    const QString word = QStringLiteral("****1575.98");
    PdfPage page;
    QString why;
    double width = 0;
    const bool printed = printPage(
        queue,
        [&](QtPrinterSurface &surface) {
            surface.setOrientation(Orientation::Landscape);
            surface.setFontSize(points);
            surface.setBold(bold);
            width = surface.textWidth(word);
            surface.setCurrentX(2000.0f);
            surface.setCurrentY(2000.0f);
            surface.printText(word);
        },
        &page, &why);
    QVERIFY2(printed, qPrintable(why));

    const QList<PdfWord> found = page.as(PageTurn::Landscape).find(word);
    QCOMPARE(found.size(), 1);
    // The box is the font's ascent plus descent: 2288 units of 2048 an em.
    const double height = unitsToTwips(2288, points);
    QVERIFY2(qAbs(found.first().heightTwips() - height) < TenthMillimetreTwips,
             qPrintable(QStringLiteral("height %1, expected %2").arg(found.first().heightTwips()).arg(height)));
    QVERIFY(qAbs(found.first().widthTwips() - width) < TenthMillimetreTwips);

    const QStringList fonts = readPdfFonts(queue.pdfPath(), &why);
    QVERIFY2(!fonts.isEmpty(), qPrintable(why));
    QCOMPARE(fonts, QStringList{font});
}

void TestQtPrinterSurface::windows1252TextSurvives_data()
{
    QTest::addColumn<QByteArray>("bytes"); // as the program's files hold them

    QTest::newRow("accents") << QByteArray("\xC9l\xE9onore \xE0 No\xEBl, \xE7\xE0 o\xF9 \xEEle \xFBr \xC0\xC8\xD9");
    QTest::newRow("euro") << QByteArray("****1575.98 \x80");
    QTest::newRow("oe and quotes") << QByteArray("\x8C"
                                                 "uvre c\x9C"
                                                 "ur \xAB"
                                                 "pay\xE9\xBB \x93"
                                                 "n\xB0"
                                                 "5\x94");

    // Every printable character the code page has above ASCII, 16 a line.
    // Left out: the five unassigned bytes, the no-break space and the soft
    // hyphen (neither is a word character for pdftotext).
    QByteArray all;
    int onLine = 0;
    for (int b = 0x80; b <= 0xff; ++b) {
        if (b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d || b == 0xa0 || b == 0xad)
            continue;
        all += char(b);
        if (++onLine == 16) {
            all += '\n';
            onLine = 0;
        }
    }
    QTest::newRow("whole upper half") << all;
}

void TestQtPrinterSurface::windows1252TextSurvives()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(QByteArray, bytes);

    QStringDecoder decode("windows-1252");
    QVERIFY(decode.isValid());
    const QString text = decode(bytes);
    QVERIFY(!decode.hasError());

    PdfPage page;
    QString why;
    const bool printed = printPage(
        queue,
        [&](QtPrinterSurface &surface) {
            surface.setCurrentY(1000.0f);
            for (const QString &line : text.split(u'\n'))
                surface.printText(line);
        },
        &page, &why);
    QVERIFY2(printed, qPrintable(why));
    QCOMPARE(page.texts(), text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts));
}

void TestQtPrinterSurface::nothingReachesPrinter_data()
{
    QTest::addColumn<QString>("what");

    QTest::newRow("aborted page") << "abort";
    QTest::newRow("only measured") << "measure";
    QTest::newRow("aborted in landscape") << "abort landscape";
    QTest::newRow("end with nothing drawn") << "end";
}

void TestQtPrinterSurface::nothingReachesPrinter()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(QString, what);

    QString why;
    QVERIFY2(queue.removeOutput(&why), qPrintable(why));
    const QStringList before = queue.jobs(&why);
    QVERIFY2(why.isEmpty(), qPrintable(why));

    {
        QtPrinterSurface surface(queue.name());
        QVERIFY(surface.hasPrinter());
        if (what.contains(QLatin1String("landscape")))
            surface.setOrientation(Orientation::Landscape);
        surface.setFontSize(16.0f);
        if (what.startsWith(QLatin1String("abort"))) {
            surface.printText(QStringLiteral("PERDU"));
            surface.line(QPointF(0, 0), QPointF(1000, 1000));
            surface.filledRectangle(QPointF(0, 0), QPointF(500, 500), 0x000000);
            surface.abortDocument();
        } else if (what == QLatin1String("measure")) {
            QVERIFY(surface.textWidth(QStringLiteral("MESURE")) > 0);
        }
        surface.endDocument();
    }

    // Qt hands a job to CUPS before endDocument returns: a job sent would
    // already be listed, even if printed at once.
    QCOMPARE(queue.jobs(&why), before);
    QVERIFY2(why.isEmpty(), qPrintable(why));
    QVERIFY(!QFile::exists(queue.pdfPath()));
}

void TestQtPrinterSurface::queueThatWouldNotPrintSaysWhy_data()
{
    QTest::addColumn<QString>("stop");    // the CUPS command that stops the queue
    QTest::addColumn<QString>("restart"); // and the one that puts it back
    QTest::addColumn<QString>("why");
    QTest::newRow("refusing jobs") << "cupsreject"
                                   << "cupsaccept"
                                   << "refuse les travaux";
    QTest::newRow("stopped") << "cupsdisable"
                             << "cupsenable"
                             << "est arrêtée";
}

// CUPS takes such jobs from Qt without a word: the surface asks first, so
// that the cheque is not reported printed while it is lost or held back.
void TestQtPrinterSurface::queueThatWouldNotPrintSaysWhy()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(QString, stop);
    QFETCH(QString, restart);
    QFETCH(QString, why);
    if (geteuid() != 0)
        QSKIP("stopping a CUPS queue needs root");
    QString problem;
    QVERIFY2(queue.removeOutput(&problem), qPrintable(problem));
    QCOMPARE(QProcess::execute(stop, {queue.name()}), 0);
    const auto back = qScopeGuard([&] { QProcess::execute(restart, {queue.name()}); });

    QtPrinterSurface surface(queue.name());
    surface.printText(QStringLiteral("RETENU"));
    try {
        surface.endDocument();
        QFAIL("the page was sent to a queue that would not print it");
    } catch (const platform::PrinterError &error) {
        QVERIFY2(error.message().contains(why), qPrintable(error.message()));
        QVERIFY2(error.message().contains(queue.name()), qPrintable(error.message()));
    }
    QVERIFY(!QFile::exists(queue.pdfPath()));
}

void TestQtPrinterSurface::abortDropsOnlyThatPage()
{
    ORMELINE_TEST_QUEUE(queue);
    PdfPage page;
    QString why;
    const bool printed = printPage(
        queue,
        [](QtPrinterSurface &surface) {
            surface.printText(QStringLiteral("PERDU"));
            surface.abortDocument();
            surface.printText(QStringLiteral("GARDE"));
        },
        &page, &why);
    QVERIFY2(printed, qPrintable(why));
    QCOMPARE(page.texts(), QStringList{QStringLiteral("GARDE")});
}

void TestQtPrinterSurface::linesAndFills()
{
    ORMELINE_TEST_QUEUE(queue);
    QString why;
    QPointF origin;
    QVERIFY2(queueOrigin(queue, Orientation::Portrait, &origin, &why), qPrintable(why));

    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb green = qRgb(0, 160, 0);
    const QRgb white = qRgb(255, 255, 255);
    PdfPage page;
    const bool printed = printPage(
        queue,
        [](QtPrinterSurface &surface) {
            surface.filledRectangle(QPointF(2000, 1000), QPointF(1000, 2000), 0xff0000); // corners either way
            surface.line(QPointF(1000, 3000), QPointF(6000, 3000), 0x0000ff);
            surface.setLineStyle(LineStyle::Dotted);
            surface.line(QPointF(1000, 4000), QPointF(6000, 4000), 0x00a000);
            surface.rectangle(QPointF(3000, 1000), QPointF(5000, 2000), 0x0000ff);
        },
        &page, &why);
    QVERIFY2(printed, qPrintable(why));

    // 288 dpi: a pixel is 5 twips.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("288"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), queue.pdfPath(), stem});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QImage image(stem + QStringLiteral(".png"));
    QVERIFY(!image.isNull());
    const auto at = [&](double x, double y) {
        return image.pixel(qRound((origin.x() + x) / 5.0), qRound((origin.y() + y) / 5.0));
    };

    // The fill covers its box, to its edges, and nothing more.
    QVERIFY(near(at(1500, 1500), red));
    QVERIFY(near(at(1010, 1010), red));
    QVERIFY(near(at(1990, 1990), red));
    QVERIFY(near(at(990, 1500), white));
    QVERIFY(near(at(2010, 1500), white));

    // The outline has its sides, an empty inside.
    QVERIFY(near(at(3000, 1500), blue));
    QVERIFY(near(at(4000, 1000), blue));
    QVERIFY(near(at(4000, 1500), white));

    // Solid: coloured all along. Dotted: dots (full colour, so thick enough
    // to see) and gaps, in turn.
    int solidGaps = 0;
    int dots = 0;
    int gaps = 0;
    bool inDot = false;
    for (double x = 1100; x <= 5900; x += 5) {
        if (!near(at(x, 3000), blue))
            ++solidGaps;
        const QRgb dotted = at(x, 4000);
        if (near(dotted, green) && !inDot) {
            ++dots;
            inDot = true;
        } else if (near(dotted, white) && inDot) {
            ++gaps;
            inDot = false;
        }
    }
    QCOMPARE(solidGaps, 0);
    QVERIFY2(dots > 50 && gaps > 50, qPrintable(QStringLiteral("%1 dots, %2 gaps").arg(dots).arg(gaps)));
}

QTEST_MAIN(TestQtPrinterSurface)
#include "tst_qtprintersurface.moc"
