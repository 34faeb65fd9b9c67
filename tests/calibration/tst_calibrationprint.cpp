#include "calibration/phases.h"
#include "platform/printingsystem.h"
#include "support/cupsqueue.h"
#include "support/pdfwords.h"
#include "support/scriptedtalk.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Where the printed words stand, within a tenth of a millimetre.
#define CHECK_AT(word, x, y)                                                                                           \
    do {                                                                                                               \
        QVERIFY2(                                                                                                      \
            qAbs((word).leftTwips() - (x)) < TenthMillimetreTwips,                                                     \
            qPrintable(QStringLiteral("%1: left %2, expected %3").arg((word).text).arg((word).leftTwips()).arg(x)));   \
        QVERIFY2(                                                                                                      \
            qAbs((word).topTwips() - (y)) < TenthMillimetreTwips,                                                      \
            qPrintable(QStringLiteral("%1: top %2, expected %3").arg((word).text).arg((word).topTwips()).arg(y)));     \
    } while (false)

// The word with this text nearest to (x, y) twips.
PdfWord nearest(const PdfPage &page, const QString &text, double x, double y)
{
    PdfWord best;
    double distance = 1e12;
    for (const PdfWord &word : page.find(text)) {
        const double d = qAbs(word.leftTwips() - x) + qAbs(word.topTwips() - y);
        if (d < distance) {
            distance = d;
            best = word;
        }
    }
    return best;
}

// The page drawn as pixels, 10 a millimetre.
constexpr int Dpi = 254;
constexpr double TwipsPerPixel = 1440.0 / Dpi;

bool render(const QString &pdf, QImage *image, QString *why)
{
    QTemporaryDir dir;
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *why = QStringLiteral("pdftoppm: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    *image = QImage(dir.filePath(QStringLiteral("page.png")));
    return !image->isNull();
}

} // namespace

// Each calibration phase printed through the real CUPS queue and read back
// from the PDF that comes out.
class TestCalibrationPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void testChequeSheet();
    void numberGrid();
    void finalFrame_data();
    void finalFrame();

private:
    // Runs `phase` on the test queue and reads back its one page.
    bool printed(const std::function<void(platform::PrinterSurface &, ScriptedTalk &)> &phase, ScriptedTalk &talk,
                 QString *pdf, QString *why);
};

bool TestCalibrationPrint::printed(const std::function<void(platform::PrinterSurface &, ScriptedTalk &)> &phase,
                                   ScriptedTalk &talk, QString *pdf, QString *why)
{
    const TestQueue queue = TestQueue::fromEnvironment();
    if (!queue.removeOutput(why))
        return false;
    platform::QtPrintingSystem printing;
    printing.selectPrinter(queue.name());
    phase(printing.currentPrinter(), talk);
    *pdf = queue.pdfPath();
    return queue.waitForOutput(why);
}

void TestCalibrationPrint::testChequeSheet()
{
    ORMELINE_TEST_QUEUE(queue);
    ScriptedTalk talk;
    talk.yes();
    talk.confirm();
    QString pdf;
    QString why;
    QVERIFY2(printed([](auto &printer, auto &t) { calibration::phase1TestCheques(printer, t); }, talk, &pdf, &why),
             qPrintable(why));
    QVERIFY(talk.unexpected().isEmpty());
    const QList<PdfPage> pages = readPdfWords(pdf, &why);
    QVERIFY2(pages.size() == 1, qPrintable(why));
    const PdfPage page = pages.first().as(PageTurn::Portrait);
    QVERIFY(page.height > page.width);
    QPointF origin;
    QVERIFY2(queue.printableOrigin(false, &origin, &why), qPrintable(why));

    QCOMPARE(page.find(QStringLiteral("Reperez")).size(), 3);
    for (int k = 0; k < 3; ++k) {
        const double x = origin.x() + 1000;
        const double y = origin.y() + 1000 + 4536.0 * k;
        CHECK_AT(nearest(page, QStringLiteral("Reperez"), x + 1000, y + 1000), x + 1000, y + 1000);
        CHECK_AT(nearest(page, QStringLiteral("du"), x + 1000, y + 1250), x + 1000, y + 1250);
        CHECK_AT(nearest(page, QStringLiteral("+"), x + 9100, y + 217), x + 9100, y + 217);
        CHECK_AT(nearest(page, QStringLiteral("-"), x + 9100, y + 2217), x + 9100, y + 2217);
        CHECK_AT(nearest(page, QStringLiteral("+"), x + 6300, y + 1700), x + 6300, y + 1700);
        CHECK_AT(nearest(page, QStringLiteral("-"), x + 8300, y + 1600), x + 8300, y + 1600);
    }
    // The instruction is in 9 points, the scale ends in 18.
    const PdfWord text = page.find(QStringLiteral("Reperez")).first();
    const PdfWord plus = page.find(QStringLiteral("+")).first();
    QVERIFY(qAbs(plus.heightTwips() / text.heightTwips() - 2.0) < 0.05);
}

void TestCalibrationPrint::numberGrid()
{
    ORMELINE_TEST_QUEUE(queue);
    ScriptedTalk talk;
    talk.confirm();
    talk.type(QStringLiteral("36"));
    QString pdf;
    QString why;
    std::optional<calibration::PrinterOffsets> offsets;
    QVERIFY2(printed([&offsets](auto &printer, auto &t) { offsets = calibration::phase2BasePositioning(printer, t); },
                     talk, &pdf, &why),
             qPrintable(why));
    QCOMPARE(offsets, std::optional<calibration::PrinterOffsets>({QStringLiteral("9"), QStringLiteral("9")}));
    const QList<PdfPage> pages = readPdfWords(pdf, &why);
    QVERIFY2(pages.size() == 1, qPrintable(why));
    const PdfPage page = pages.first().as(PageTurn::Landscape);
    QPointF origin;
    QVERIFY2(queue.printableOrigin(true, &origin, &why), qPrintable(why));

    // A number a square, rows from the top, columns from the left: every
    // square that lies wholly on the sheet shows its number at its corner.
    // The grid is 299.8 mm wide, wider than the printable part of a
    // landscape A4 sheet: its last columns fall off the paper's edge.
    const double pageWidth = page.width * TwipsPerPoint;
    const double pageHeight = page.height * TwipsPerPoint;
    int onSheet = 0;
    int lastOnSheet = 0;
    for (int number = 1; number <= 714; ++number) {
        const int row = (number - 1) / 34;
        const int column = (number - 1) % 34;
        const QList<PdfWord> found = page.find(QString::number(number));
        if (origin.x() + 500 * (column + 1) > pageWidth || origin.y() + 500 * (row + 1) > pageHeight)
            continue;
        ++onSheet;
        lastOnSheet = number;
        QVERIFY2(found.size() == 1, qPrintable(QString::number(number)));
        CHECK_AT(found.first(), origin.x() + 500 * column + 100, origin.y() + 500 * row + 100);
    }
    QCOMPARE(page.words.size(), onSheet);
    // On this queue: 32 columns of 21 rows, the last number printed whole
    // being 712; 34 and 714 are beyond the edge.
    QVERIFY(onSheet >= 32 * 21);
    QVERIFY(lastOnSheet >= 712);
    QCOMPARE(page.find(QStringLiteral("35")).size(), 1);
}

void TestCalibrationPrint::finalFrame_data()
{
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::newRow("no offsets") << "0"
                                << "0";
    QTest::newRow("down and right") << "00016"
                                    << "00013";
    QTest::newRow("up and left") << "-3"
                                 << "-5";
}

void TestCalibrationPrint::finalFrame()
{
    ORMELINE_TEST_QUEUE(queue);
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    ScriptedTalk talk;
    talk.cancel();
    talk.cancel();
    QString pdf;
    QString why;
    QVERIFY2(printed(
                 [&](auto &printer, auto &t) {
                     (void)calibration::phase3FinalAdjustment(printer, t, {vertical, horizontal});
                 },
                 talk, &pdf, &why),
             qPrintable(why));
    // The frame read from the drawing itself: the dark pixels of the page.
    QImage sheet;
    QVERIFY2(render(pdf, &sheet, &why), qPrintable(why));
    QVERIFY(sheet.height() > sheet.width()); // a landscape job on a portrait sheet
    QRect ink;
    for (int y = 0; y < sheet.height(); ++y) {
        const uchar *row = sheet.constScanLine(y);
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) < 128 && row)
                ink |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(ink.isValid());
    // Turned back to the landscape drawing: the sheet's (x, y) is the
    // drawing's (sheet height - y, x).
    const QRectF drawn((sheet.height() - 1 - ink.bottom()) * TwipsPerPixel, ink.left() * TwipsPerPixel,
                       (ink.height()) * TwipsPerPixel, (ink.width()) * TwipsPerPixel);
    QPointF origin;
    QVERIFY2(queue.printableOrigin(true, &origin, &why), qPrintable(why));
    const double h = horizontal.toDouble() * 56.7;
    const double v = vertical.toDouble() * 56.7;
    // The outline's centre line, from the outer edge of its 15-twip pen.
    const QRectF expected(QPointF(origin.x() + 7371 + h, origin.y() + 1417 + v),
                          QPointF(origin.x() + 9865 + h, origin.y() + 2069 + v));
    const double pen = 15.0 / 2;
    const double tolerance = TenthMillimetreTwips + TwipsPerPixel;
    const auto near = [tolerance](double a, double b) { return qAbs(a - b) < tolerance; };
    const QString seen = QStringLiteral("drawn %1,%2 %3 x %4; expected %5,%6 %7 x %8")
                             .arg(drawn.left())
                             .arg(drawn.top())
                             .arg(drawn.width())
                             .arg(drawn.height())
                             .arg(expected.left())
                             .arg(expected.top())
                             .arg(expected.width())
                             .arg(expected.height());
    QVERIFY2(near(drawn.left(), expected.left() - pen), qPrintable(seen));
    QVERIFY2(near(drawn.top(), expected.top() - pen), qPrintable(seen));
    QVERIFY2(near(drawn.right(), expected.right() + pen), qPrintable(seen));
    QVERIFY2(near(drawn.bottom(), expected.bottom() + pen), qPrintable(seen));
}

QTEST_MAIN(TestCalibrationPrint)
#include "tst_calibrationprint.moc"
