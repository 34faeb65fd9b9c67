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
    return {"Soci\xe9t\xe9 Lyonnaise", "Arial", "10", "130", "8", "20", "22.5", "95", "46", "135", "46",
            "12.5", "15", "10", "21", "110"};
}

} // namespace

class TestLayoutFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsSixteenLines();
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

    // What is written reads back the same, in the file's own encoding.
    QVERIFY(writeLayoutFile(QStringLiteral("bq_NEW.txt"), *read));
    QCOMPARE(folder.read(QStringLiteral("bq_NEW.txt")), crlfLines(genericLines()));
}

void TestLayoutFile::lineWithoutNumberCountsZero()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[3] = "abc";
    lines[4] = " 1 2.5 mm";
    folder.write(QStringLiteral("bq_X.txt"), crlfLines(lines));
    RecordingSurface printer;
    QVERIFY(loadLayout(QStringLiteral("bq_X.txt"), printer));
    QCOMPARE(LayoutTwips[1], 0.0f);
    QCOMPARE(LayoutTwips[2], 708.75f); // 12.5 mm
}

void TestLayoutFile::loadSetsFontAndTwips()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[1] = "Times New Roman";
    lines[2] = "11.5";
    folder.write(QStringLiteral("bq_X.txt"), crlfLines(lines));
    LayoutTwips.fill(-1);
    RecordingSurface printer;
    QCOMPARE(loadLayout(QStringLiteral("bq_X.txt"), printer).valueOr(QString()), QStringLiteral("Société Lyonnaise"));
    QCOMPARE(printer.fontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(printer.fontSize(), 11.5f);
    QCOMPARE(LayoutTwips[1], 7371.0f);   // 130 mm
    QCOMPARE(LayoutTwips[4], 1275.75f);  // 22.5 mm
    QCOMPARE(LayoutTwips[9], 708.75f);   // 12.5 mm
    QCOMPARE(LayoutTwips[13], 6237.0f);  // 110 mm
    QCOMPARE(LayoutTwips[0], -1.0f);
    QCOMPARE(LayoutTwips[14], -1.0f);
}

void TestLayoutFile::shortFileFailsWhereItEnds_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("fontName");
    QTest::addColumn<float>("lastTwips"); // LayoutTwips 13 afterwards
    QTest::newRow("empty") << 0 << "Courier New" << -1.0f;
    QTest::newRow("name and font only") << 2 << "Arial" << -1.0f;
    QTest::newRow("fifteen lines") << 15 << "Arial" << -1.0f;
}

void TestLayoutFile::shortFileFailsWhereItEnds()
{
    QFETCH(int, lineCount);
    QFETCH(QString, fontName);
    QFETCH(float, lastTwips);
    WorkingFolder folder;
    folder.write(QStringLiteral("bq_S.txt"), crlfLines(genericLines().mid(0, lineCount)));
    LayoutTwips.fill(-1);
    RecordingSurface printer;
    printer.setFontName(QStringLiteral("Courier New"));
    const platform::Result<QString> loaded = loadLayout(QStringLiteral("bq_S.txt"), printer);
    QVERIFY(!loaded);
    QVERIFY(!loaded.error().isEmpty());
    QCOMPARE(printer.fontName(), fontName);
    QCOMPARE(LayoutTwips[13], lastTwips);
    QCOMPARE(readLayoutLines(QStringLiteral("bq_S.txt")).valueOr(QStringList{"?"}).size(), lineCount);
}

void TestLayoutFile::pictureName_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("picture");
    QTest::newRow("code") << "bq_LCL.txt" << "bq_LCL.bmp";
    QTest::newRow("first dot") << "bq_a.b.txt" << "bq_a.bmp";
    QTest::newRow("capitals kept") << "BQ_CA.TXT" << "BQ_CA.bmp";
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
