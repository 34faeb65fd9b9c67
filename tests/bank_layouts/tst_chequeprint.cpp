#include "amount_words/wordsplit.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "support/recordingsurface.h"

#include <QTest>

using bank_layouts::LayoutTwips;

namespace {

const QString Words1575 = QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");

// A layout in whole twips, easy to follow: item k at 1000 k, 100 k + 7.
void setLayout(float firstLineLimit)
{
    LayoutTwips.fill(0);
    for (int k = 1; k <= 12; ++k)
        LayoutTwips[k] = k % 2 ? 1000.0f * k : 100.0f * k + 7;
    LayoutTwips[13] = firstLineLimit;
}

bank_layouts::ChequeFields fields(const QString &amount, const QString &words, const QString &v = QStringLiteral("0"),
                                  const QString &h = QStringLiteral("0"))
{
    return {amount, words, QStringLiteral("Boulangerie Éloïse"), QStringLiteral("Mâcon"), QStringLiteral("07/03/2026"),
            v,      h};
}

// As the surface logs them: single precision, nine significant digits.
QString pos(double x, double y)
{
    return QStringLiteral("setCurrentX(%1)|setCurrentY(%2)")
        .arg(QString::number(float(x), 'g', 9), QString::number(float(y), 'g', 9));
}

} // namespace

class TestChequePrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void printsTheSixItemsInOrder_data();
    void printsTheSixItemsInOrder();
    void wordsThatAllFitFillTheFirstLine();
    void layoutFontSizeChangesTheSplitNotThePrint();
    void failureDropsThePage_data();
    void failureDropsThePage();
    void unreachablePositionPrintsNothing_data();
    void unreachablePositionPrintsNothing();
};

void TestChequePrint::init()
{
    amount_words::WordsLine1 = QStringLiteral("stale");
    amount_words::WordsLine2 = QStringLiteral("stale");
}

void TestChequePrint::printsTheSixItemsInOrder_data()
{
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<double>("v");
    QTest::addColumn<double>("h");
    QTest::newRow("no offsets") << "0"
                                << " 0 " << 0.0 << 0.0;
    QTest::newRow("one millimetre each way") << " 1 "
                                             << "1" << 56.7 << 56.7;
    QTest::newRow("up and left") << "-2 "
                                 << "-3" << -113.4 << -170.1;
    QTest::newRow("empty offsets") << ""
                                   << "" << 0.0 << 0.0;
}

void TestChequePrint::printsTheSixItemsInOrder()
{
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    QFETCH(double, v);
    QFETCH(double, h);
    // 0.6 em a character at 10 pt is 120 twips: " ****MILLE ... QUATRE" is 52
    // characters (6240), adding " VINGT" makes 58 (6960).
    setLayout(6500);
    RecordingSurface printer;
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontSize(10);
    printer.clearCalls();

    bank_layouts::printCheque(printer,
                              fields(QStringLiteral(" 1575.98 "), QLatin1Char(' ') + Words1575, vertical, horizontal));

    const auto at = [&](int k) { return pos(float(LayoutTwips[k] + h), float(LayoutTwips[k + 1] + v)); };
    const QStringList expected =
        (QStringList{"setOrientation(2)", "setFontSize(16)", "setBold(true)", at(1), "printText(****1575.98 €)",
                     "setBold(false)", "setFontSize(10)", at(3), "printText(Boulangerie Éloïse)", at(5),
                     "printText(Mâcon)", at(7), "printText(07/03/2026)", at(9),
                     "printText( ****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE****)", at(11),
                     "printText(****VINGT DIX HUIT CENTIMES ****)", "endDocument()", "setOrientation(1)"})
            .join(QLatin1Char('|'))
            .split(QLatin1Char('|'));
    QCOMPARE(printer.printingCalls(), expected);
    QCOMPARE(amount_words::WordsLine1, QStringLiteral(" ****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE"));
    QCOMPARE(amount_words::WordsLine2, QStringLiteral("VINGT DIX HUIT CENTIMES "));
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(printer.documentsAborted(), 0);
}

void TestChequePrint::wordsThatAllFitFillTheFirstLine()
{
    // " ****UN EURO" is 12 characters (1440 twips); blanks are added while
    // the line stays below 2000: four of them (1920).
    setLayout(2000);
    RecordingSurface printer;
    bank_layouts::printCheque(printer, fields(QStringLiteral("1"), QStringLiteral("UN EURO")));
    const QStringList calls = printer.printingCalls();
    QVERIFY(calls.contains(QStringLiteral("printText( ****UN EURO    ****)")));
    QVERIFY(calls.contains(QStringLiteral("printText(**** ****)")));
    QCOMPARE(amount_words::WordsLine2, QStringLiteral(" "));
}

void TestChequePrint::layoutFontSizeChangesTheSplitNotThePrint()
{
    // At 20 pt a character is 240 twips: only " ****MILLE CINQ" (15, 3600)
    // stays below 4000.
    setLayout(4000);
    RecordingSurface printer;
    printer.setFontSize(20);
    bank_layouts::printCheque(printer, fields(QStringLiteral("1575.98"), Words1575));
    QCOMPARE(amount_words::WordsLine1, QStringLiteral(" ****MILLE CINQ"));
    const QStringList calls = printer.printingCalls();
    const int words = calls.indexOf(QStringLiteral("printText( ****MILLE CINQ****)"));
    QVERIFY(words > 0);
    QCOMPARE(calls.lastIndexOf(QRegularExpression(QStringLiteral("setFontSize\\(.*\\)")), words),
             calls.indexOf(QStringLiteral("setFontSize(10)")));
}

void TestChequePrint::failureDropsThePage_data()
{
    QTest::addColumn<QString>("failingOperation");
    QTest::newRow("printing a text") << "printText";
    QTest::newRow("sending the page") << "endDocument";
}

void TestChequePrint::failureDropsThePage()
{
    QFETCH(QString, failingOperation);
    setLayout(6500);
    RecordingSurface printer;
    printer.failOn(failingOperation);
    QVERIFY_THROWS_EXCEPTION(
        platform::PrinterError,
        bank_layouts::printCheque(printer, fields(QStringLiteral("12"), QStringLiteral("DOUZE EUROS"))));
    QCOMPARE(printer.documentsEnded(), 0);
    QCOMPARE(printer.documentsAborted(), 1);
    QCOMPARE(printer.orientation(), platform::Orientation::Portrait);
}

void TestChequePrint::unreachablePositionPrintsNothing_data()
{
    QTest::addColumn<float>("payeeX");
    QTest::addColumn<QString>("horizontal");
    QTest::newRow("layout and offset together") << 3.4e38f << QStringLiteral("1") + QString(36, QLatin1Char('0'));
    QTest::newRow("offset alone") << 3000.0f << QStringLiteral("1") + QString(40, QLatin1Char('0'));
}

void TestChequePrint::unreachablePositionPrintsNothing()
{
    QFETCH(float, payeeX);
    QFETCH(QString, horizontal);
    setLayout(6500);
    LayoutTwips[3] = payeeX;
    RecordingSurface printer;
    QVERIFY_THROWS_EXCEPTION(
        platform::PrinterError,
        bank_layouts::printCheque(
            printer, fields(QStringLiteral("12"), QStringLiteral("DOUZE EUROS"), QStringLiteral("0"), horizontal)));
    // Found before the printer is touched: no page, no orientation change.
    QCOMPARE(printer.printingCalls(), QStringList());
    QCOMPARE(printer.orientation(), platform::Orientation::Portrait);
}

QTEST_GUILESS_MAIN(TestChequePrint)
#include "tst_chequeprint.moc"
