#include "bank_layouts/chequeprint.h"
#include "bank_layouts/layoutfile.h"
#include "common/numeric.h"
#include "support/layoutbytes.h"
#include "support/recordingsurface.h"
#include "support/workingfolder.h"

#include <QTest>

using namespace bank_layouts;

namespace {

QList<QByteArray> genericLines()
{
    return {"Soci\xe9t\xe9 Lyonnaise",
            "Arial",
            "10",
            "130",
            "8",
            "20",
            "22.5",
            "95",
            "46",
            "135",
            "46",
            "12.5",
            "15",
            "10",
            "21",
            "110"};
}

} // namespace

class TestLayoutFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsSixteenLines();
    void untouchedValuesWrittenBackByteForByte_data();
    void untouchedValuesWrittenBackByteForByte();
    void namedPositionsAreTheFilesLines();
    void numbersAsTypedOrDragged_data();
    void numbersAsTypedOrDragged();
    void lineWithoutNumberCountsZero();
    void loadSetsFontAndTwips();
    void shortFileFailsWhereItEnds_data();
    void shortFileFailsWhereItEnds();
    void pictureName_data();
    void pictureName();
    void layoutFilesInNameOrder();
    void shippedLayoutsFitTheCheque_data();
    void shippedLayoutsFitTheCheque();
};

void TestLayoutFile::readsSixteenLines()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines << "a seventeenth line is ignored";
    folder.write(QStringLiteral("bq_LYO.txt"), crlfLines(lines));
    const platform::Result<QStringList> read = readLayoutLines(QStringLiteral("bq_LYO.txt"));
    QVERIFY(read);
    QCOMPARE(read->size(), LayoutLineCount);
    QCOMPARE(read->first(), QStringLiteral("Société Lyonnaise"));
    QCOMPARE(read->last(), QStringLiteral("110"));
    QCOMPARE(readBankName(QStringLiteral("bq_LYO.txt")).valueOr(QString()), QStringLiteral("Société Lyonnaise"));
}

void TestLayoutFile::untouchedValuesWrittenBackByteForByte_data()
{
    QTest::addColumn<QByteArray>("line"); // the amount's horizontal position as the file holds it
    QTest::addColumn<double>("mm");       // what the print reads from it
    QTest::newRow("a whole number") << QByteArray("132") << 132.0;
    QTest::newRow("a half") << QByteArray("12.5") << 12.5;
    QTest::newRow("hundredths") << QByteArray("37.25") << 37.25;
    QTest::newRow("a trailing zero") << QByteArray("12.50") << 12.5;
    QTest::newRow("leading zeros") << QByteArray("0055") << 55.0;
    QTest::newRow("blanks and a unit") << QByteArray(" 1 2.5 mm") << 12.5;
    QTest::newRow("not a number") << QByteArray("abc") << 0.0;
    QTest::newRow("empty") << QByteArray() << 0.0;
}

void TestLayoutFile::untouchedValuesWrittenBackByteForByte()
{
    QFETCH(QByteArray, line);
    QFETCH(double, mm);
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[3] = line;
    folder.write(QStringLiteral("bq_LYO.txt"), crlfLines(lines) + "a seventeenth line\r\n");
    Layout layout;
    QCOMPARE(readLayout(QStringLiteral("bq_LYO.txt"), layout).valueOr(0), LayoutLineCount);
    QCOMPARE(layout.amount.x.value(), mm);
    QCOMPARE(common::mmToTwips(layout.amount.x.value()), float(mm * 56.7));

    // Another value changed, as the editor changes it: this one and every
    // other line go back as they came.
    layout.place.y = *LayoutNumber::fromTyped(QStringLiteral("47,5"));
    QVERIFY(writeLayout(QStringLiteral("bq_LYO.txt"), layout));
    lines[8] = "47.5";
    QCOMPARE(folder.read(QStringLiteral("bq_LYO.txt")), crlfLines(lines));
}

void TestLayoutFile::namedPositionsAreTheFilesLines()
{
    WorkingFolder folder;
    // Each number its own, so that one read in another's place shows.
    QList<QByteArray> lines = genericLines();
    QStringList numbers;
    for (int k = 3; k < LayoutLineCount; ++k) {
        lines[k] = QByteArray::number(100 + k) + ".0";
        numbers << QString::fromLatin1(lines[k]);
    }
    folder.write(QStringLiteral("bq_LYO.txt"), crlfLines(lines));
    Layout l;
    QCOMPARE(readLayout(QStringLiteral("bq_LYO.txt"), l).valueOr(0), LayoutLineCount);
    QCOMPARE((QStringList{l.amount.x.text(), l.amount.y.text(), l.payee.x.text(), l.payee.y.text(), l.place.x.text(),
                          l.place.y.text(), l.date.x.text(), l.date.y.text(), l.firstWordsLine.x.text(),
                          l.firstWordsLine.y.text(), l.secondWordsLine.x.text(), l.secondWordsLine.y.text(),
                          l.firstLineLength.text()}),
             numbers);
    // And back from the names, byte for byte.
    QVERIFY(writeLayout(QStringLiteral("bq_LYO.txt"), l));
    QCOMPARE(folder.read(QStringLiteral("bq_LYO.txt")), crlfLines(lines));
}

void TestLayoutFile::numbersAsTypedOrDragged_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("dragged"); // worked out by a drag, not typed
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("written");
    QTest::addColumn<double>("mm");
    QTest::newRow("a decimal comma") << "12,5" << false << true << "12.5" << 12.5;
    QTest::newRow("a point") << "37.25" << false << true << "37.25" << 37.25;
    QTest::newRow("a negative value") << "-3" << false << true << "-3" << -3.0;
    QTest::newRow("empty, on the way") << "" << false << true << "" << 0.0;
    QTest::newRow("a comma last, on the way") << "12," << false << true << "12." << 12.0;
    QTest::newRow("a lone minus, on the way") << "-" << false << true << "-" << 0.0;
    QTest::newRow("a letter") << "12a" << false << false << "" << 0.0;
    QTest::newRow("a unit") << "12 mm" << false << false << "" << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << false << "" << 0.0;
    QTest::newRow("a point and a comma") << "1.2,3" << false << false << "" << 0.0;
    QTest::newRow("a leading blank") << " 12" << false << false << "" << 0.0;
    QTest::newRow("five figures") << "12345" << false << false << "" << 0.0;
    QTest::newRow("four decimals") << "1.2345" << false << false << "" << 0.0;
    QTest::newRow("a minus inside") << "1-2" << false << false << "" << 0.0;
    QTest::newRow("a line feed last") << "12.5\n" << false << false << "" << 0.0;
    QTest::newRow("CR LF last") << "12.5\r\n" << false << false << "" << 0.0;
    QTest::newRow("dragged to a tenth") << "26.04" << true << true << "26" << 26.0;
    QTest::newRow("dragged half a tenth up") << "132.25" << true << true << "132.3" << 132.3;
    QTest::newRow("dragged to the edge") << "-0.01" << true << true << "0" << 0.0;
    QTest::newRow("dragged left of it") << "-4.56" << true << true << "-4.6" << -4.6;
}

void TestLayoutFile::numbersAsTypedOrDragged()
{
    QFETCH(QString, given);
    QFETCH(bool, dragged);
    QFETCH(bool, taken);
    QFETCH(QString, written);
    QFETCH(double, mm);
    const std::optional<LayoutNumber> number =
        dragged ? LayoutNumber::fromMm(given.toDouble()) : LayoutNumber::fromTyped(given);
    QCOMPARE(number.has_value(), taken);
    if (!taken)
        return;
    QCOMPARE(number->text(), written);
    QCOMPARE(number->value(), mm);
}

void TestLayoutFile::lineWithoutNumberCountsZero()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[3] = "abc";
    lines[4] = " 1 2.5 mm";
    folder.write(QStringLiteral("bq_X.txt"), crlfLines(lines));
    const platform::Result<Layout> layout = readWholeLayout(QStringLiteral("bq_X.txt"));
    QVERIFY(layout);
    QCOMPARE(common::mmToTwips(layout->amount.x.value()), 0.0f);
    QCOMPARE(common::mmToTwips(layout->amount.y.value()), 708.75f); // 12.5 mm
}

void TestLayoutFile::loadSetsFontAndTwips()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[1] = "Times New Roman";
    lines[2] = "11.5";
    folder.write(QStringLiteral("bq_X.txt"), crlfLines(lines));
    const platform::Result<Layout> layout = readWholeLayout(QStringLiteral("bq_X.txt"));
    QVERIFY(layout);
    QCOMPARE(layout->bankName, QStringLiteral("Société Lyonnaise"));
    RecordingSurface printer;
    setLayoutFont(printer, *layout);
    QCOMPARE(printer.fontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(printer.fontSize(), 11.5f);
    QCOMPARE(common::mmToTwips(layout->amount.x.value()), 7371.0f);         // 130 mm
    QCOMPARE(common::mmToTwips(layout->payee.y.value()), 1275.75f);         // 22.5 mm
    QCOMPARE(common::mmToTwips(layout->firstWordsLine.x.value()), 708.75f); // 12.5 mm
    QCOMPARE(common::mmToTwips(layout->firstLineLength.value()), 6237.0f);  // 110 mm
}

void TestLayoutFile::shortFileFailsWhereItEnds_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::newRow("empty") << 0;
    QTest::newRow("name and font only") << 2;
    QTest::newRow("fifteen lines") << 15;
}

void TestLayoutFile::shortFileFailsWhereItEnds()
{
    QFETCH(int, lineCount);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_S.txt"), crlfLines(genericLines().mid(0, lineCount)));
    const platform::Result<Layout> layout = readWholeLayout(QStringLiteral("bq_S.txt"));
    QVERIFY(!layout);
    // The user reads it after "ne peut pas être lu (".
    QCOMPARE(layout.error(), QStringLiteral("le fichier a moins de seize lignes"));
    QCOMPARE(readLayoutLines(QStringLiteral("bq_S.txt")).valueOr(QStringList{"?"}).size(), lineCount);
}

void TestLayoutFile::pictureName_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("picture");
    QTest::newRow("code") << "bq_LCL.txt"
                          << "bq_LCL.bmp";
    QTest::newRow("first dot") << "bq_a.b.txt"
                               << "bq_a.bmp";
    QTest::newRow("capitals kept") << "BQ_CA.TXT"
                                   << "BQ_CA.bmp";
}

void TestLayoutFile::pictureName()
{
    QFETCH(QString, layout);
    QFETCH(QString, picture);
    QCOMPARE(bankPictureName(layout), picture);
}

void TestLayoutFile::layoutFilesInNameOrder()
{
    WorkingFolder folder;
    for (const char *name : {"bq_zz.txt", "bq_AB.txt", "bq_ab2.txt", "bq_m.bmp", "notes.txt", "xbq_a.txt"})
        folder.write(QString::fromLatin1(name), "x\r\n");
    QCOMPARE(layoutFiles(), (QStringList{"bq_AB.txt", "bq_ab2.txt", "bq_zz.txt"}));
}

void TestLayoutFile::shippedLayoutsFitTheCheque_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("bankName");
    const QString seed = QFINDTESTDATA("../seed");
    QVERIFY(!seed.isEmpty());
    QTest::newRow("place left of the date") << seed + QStringLiteral("/bq_GENGA.txt") << "Lieu à gauche de la date";
    QTest::newRow("place below the date") << seed + QStringLiteral("/bq_GENDS.txt") << "Lieu en dessous de la date";
}

void TestLayoutFile::shippedLayoutsFitTheCheque()
{
    QFETCH(QString, path);
    QFETCH(QString, bankName);
    const platform::Result<QStringList> lines = readLayoutLines(path);
    QVERIFY(lines);
    QCOMPARE(lines->size(), LayoutLineCount);
    QCOMPARE(lines->at(0), bankName);
    QCOMPARE(lines->at(1), QStringLiteral("Arial"));
    QCOMPARE(common::numericValue(lines->at(2)), 10.0);
    const auto mm = [&](int k) { return common::numericValue(lines->at(3 + k)); };
    // A French cheque is 175 x 80 mm; every item starts on it, and the first
    // words line ends on it.
    for (int k = 0; k < 12; k += 2) {
        QVERIFY(mm(k) >= 0 && mm(k) < 175);
        QVERIFY(mm(k + 1) >= 0 && mm(k + 1) < 80);
    }
    QVERIFY(mm(8) + mm(12) <= 175);
}

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
