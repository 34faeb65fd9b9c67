#include "amount_words/wordsplit.h"
#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "support/recordingsurface.h"

#include <QTest>

using bank_layouts::ChequeItem;
using bank_layouts::Layout;
using bank_layouts::LayoutNumber;

namespace {

const QString Words1575 = QStringLiteral("MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE VINGT DIX HUIT CENTIMES");
const bank_layouts::PrinterOffsets NoOffsets{QStringLiteral("0"), QStringLiteral("0")};

// A layout easy to follow: item i, in printing order, at 10 (i + 1) mm
// across and i + 1.5 mm down; the first line `firstLineMm` long.
Layout layout(const char *firstLineMm)
{
    Layout layout;
    for (int item = 0; item < bank_layouts::ChequeItemCount; ++item)
        layout.position(ChequeItem(item)) = {LayoutNumber::fromMm(10.0 * (item + 1)), LayoutNumber::fromMm(item + 1.5)};
    layout.firstLineLength = LayoutNumber::fromFile(QString::fromLatin1(firstLineMm));
    return layout;
}

bank_layouts::ChequeFields fields(const QString &amount, const QString &words)
{
    return {amount, words, QStringLiteral("Boulangerie Éloïse"), QStringLiteral("Mâcon"), QStringLiteral("07/03/2026")};
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
    void printsTheSixItemsInOrder_data();
    void printsTheSixItemsInOrder();
    void wordsThatAllFitFillTheFirstLine();
    void layoutFontSizeChangesTheSplitNotThePrint();
    void failureDropsThePage_data();
    void failureDropsThePage();
    void unreachablePositionPrintsNothing_data();
    void unreachablePositionPrintsNothing();
};

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
    // characters (6240), adding " VINGT" makes 58 (6960); 115 mm is 6520.5.
    const Layout printed = layout("115");
    RecordingSurface printer;
    amount_words::SplitLines handedOver;
    const amount_words::SplitLines lines = bank_layouts::printCheque(
        printer, printed, {vertical, horizontal}, fields(QStringLiteral(" 1575.98 "), QLatin1Char(' ') + Words1575),
        [&](const amount_words::SplitLines &given) { handedOver = given; });

    // Twips in single precision, then the offset added.
    const auto at = [&](int item) {
        const bank_layouts::LayoutPoint &point = printed.position(ChequeItem(item));
        return pos(float(point.x.value() * 56.7) + h, float(point.y.value() * 56.7) + v);
    };
    // The layout's font, then the page.
    const QStringList expected =
        QStringList{"setFontName(Arial)", "setFontSize(10)"} +
        (QStringList{"setOrientation(2)", "setFontSize(16)", "setBold(true)", at(0), "printText(****1575.98 €)",
                     "setBold(false)", "setFontSize(10)", at(1), "printText(Boulangerie Éloïse)", at(2),
                     "printText(Mâcon)", at(3), "printText(07/03/2026)", at(4),
                     "printText( ****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE****)", at(5),
                     "printText(****VINGT DIX HUIT CENTIMES ****)", "endDocument()", "setOrientation(1)"})
            .join(QLatin1Char('|'))
            .split(QLatin1Char('|'));
    QCOMPARE(printer.printingCalls(), expected);
    QCOMPARE(lines.first, QStringLiteral(" ****MILLE CINQ CENT SOIXANTE QUINZE EUROS ET QUATRE"));
    QCOMPARE(lines.second, QStringLiteral("VINGT DIX HUIT CENTIMES "));
    // Handed over with the page: the lines printed on it.
    QCOMPARE(handedOver.first, lines.first);
    QCOMPARE(handedOver.second, lines.second);
    QCOMPARE(printer.documentsEnded(), 1);
    QCOMPARE(printer.documentsAborted(), 0);
}

void TestChequePrint::wordsThatAllFitFillTheFirstLine()
{
    // " ****UN EURO" is 12 characters (1440 twips); blanks are added while
    // the line stays below 35 mm (1984.5): four of them (1920).
    RecordingSurface printer;
    const amount_words::SplitLines lines = bank_layouts::printCheque(
        printer, layout("35"), NoOffsets, fields(QStringLiteral("1"), QStringLiteral("UN EURO")));
    const QStringList calls = printer.printingCalls();
    QVERIFY(calls.contains(QStringLiteral("printText( ****UN EURO    ****)")));
    QVERIFY(calls.contains(QStringLiteral("printText(**** ****)")));
    QCOMPARE(lines.second, QStringLiteral(" "));
}

void TestChequePrint::layoutFontSizeChangesTheSplitNotThePrint()
{
    // At 20 pt a character is 240 twips: only " ****MILLE CINQ" (15, 3600)
    // stays below 70 mm (3969).
    Layout printed = layout("70");
    printed.fontSize = LayoutNumber::fromFile(QStringLiteral("20"));
    RecordingSurface printer;
    const amount_words::SplitLines lines =
        bank_layouts::printCheque(printer, printed, NoOffsets, fields(QStringLiteral("1575.98"), Words1575));
    QCOMPARE(lines.first, QStringLiteral(" ****MILLE CINQ"));
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
    RecordingSurface printer;
    printer.failOn(failingOperation);
    QVERIFY_THROWS_EXCEPTION(platform::PrinterError,
                             bank_layouts::printCheque(printer, layout("115"), NoOffsets,
                                                       fields(QStringLiteral("12"), QStringLiteral("DOUZE EUROS"))));
    QCOMPARE(printer.documentsEnded(), 0);
    QCOMPARE(printer.documentsAborted(), 1);
    QCOMPARE(printer.orientation(), platform::Orientation::Portrait);
}

void TestChequePrint::unreachablePositionPrintsNothing_data()
{
    QTest::addColumn<QString>("payeeX"); // millimetres
    QTest::addColumn<QString>("horizontal");
    // 6e36 mm is 3.4e38 twips, near the largest single precision holds.
    QTest::newRow("layout and offset together")
        << QStringLiteral("6") + QString(36, QLatin1Char('0')) << QStringLiteral("1") + QString(36, QLatin1Char('0'));
    QTest::newRow("offset alone") << QStringLiteral("53") << QStringLiteral("1") + QString(40, QLatin1Char('0'));
}

void TestChequePrint::unreachablePositionPrintsNothing()
{
    QFETCH(QString, payeeX);
    QFETCH(QString, horizontal);
    Layout printed = layout("115");
    printed.payee.x = LayoutNumber::fromFile(payeeX);
    RecordingSurface printer;
    QVERIFY_THROWS_EXCEPTION(platform::PrinterError,
                             bank_layouts::printCheque(printer, printed, {QStringLiteral("0"), horizontal},
                                                       fields(QStringLiteral("12"), QStringLiteral("DOUZE EUROS"))));
    // Found before the page is started: the printer is given the layout's
    // font and nothing else, no page, no orientation change.
    QCOMPARE(printer.printingCalls(), (QStringList{"setFontName(Arial)", "setFontSize(10)"}));
    QCOMPARE(printer.orientation(), platform::Orientation::Portrait);
}

QTEST_GUILESS_MAIN(TestChequePrint)
#include "tst_chequeprint.moc"
