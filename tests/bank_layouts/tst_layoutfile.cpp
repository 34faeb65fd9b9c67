#include "bank_layouts/layoutfile.h"
#include "support/recordingsurface.h"
#include "support/workingfolder.h"

#include <QTest>

using namespace bank_layouts;

namespace {

QByteArray layoutBytes(const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    return bytes;
}

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
    folder.write(QStringLiteral("bq_LYO.txt"), layoutBytes(lines));
    const platform::Result<BankLayout> layout = readLayout(QStringLiteral("bq_LYO.txt"));
    QVERIFY(layout);
    QCOMPARE(layout->bankName, QStringLiteral("Société Lyonnaise"));
    QCOMPARE(layout->fontName, QStringLiteral("Arial"));
    QCOMPARE(layout->fontSize, 10.0);
    QCOMPARE(layout->values[0], 130.0);
    QCOMPARE(layout->values[3], 22.5);
    QCOMPARE(layout->values[12], 110.0);
    QCOMPARE(readBankName(QStringLiteral("bq_LYO.txt")).valueOr(QString()), QStringLiteral("Société Lyonnaise"));
}

void TestLayoutFile::lineWithoutNumberCountsZero()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[3] = "abc";
    lines[4] = " 1 2.5 mm";
    folder.write(QStringLiteral("bq_X.txt"), layoutBytes(lines));
    const platform::Result<BankLayout> layout = readLayout(QStringLiteral("bq_X.txt"));
    QVERIFY(layout);
    QCOMPARE(layout->values[0], 0.0);
    QCOMPARE(layout->values[1], 12.5);
}

void TestLayoutFile::loadSetsFontAndTwips()
{
    WorkingFolder folder;
    QList<QByteArray> lines = genericLines();
    lines[1] = "Times New Roman";
    lines[2] = "11.5";
    folder.write(QStringLiteral("bq_X.txt"), layoutBytes(lines));
    LayoutTwips.fill(-1);
    RecordingSurface printer;
    QVERIFY(loadLayout(QStringLiteral("bq_X.txt"), printer));
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
    folder.write(QStringLiteral("bq_S.txt"), layoutBytes(genericLines().mid(0, lineCount)));
    LayoutTwips.fill(-1);
    RecordingSurface printer;
    printer.setFontName(QStringLiteral("Courier New"));
    const platform::Result<void> loaded = loadLayout(QStringLiteral("bq_S.txt"), printer);
    QVERIFY(!loaded);
    QVERIFY(!loaded.error().isEmpty());
    QCOMPARE(printer.fontName(), fontName);
    QCOMPARE(LayoutTwips[13], lastTwips);
    QVERIFY(!readLayout(QStringLiteral("bq_S.txt")));
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
    const platform::Result<BankLayout> layout = readLayout(path);
    QVERIFY(layout);
    QCOMPARE(layout->bankName, bankName);
    QCOMPARE(layout->fontName, QStringLiteral("Arial"));
    QCOMPARE(layout->fontSize, 10.0);
    // A French cheque is 175 x 80 mm; every item starts on it, and the first
    // words line ends on it.
    for (int k = 0; k < 12; k += 2) {
        QVERIFY(layout->values[k] >= 0 && layout->values[k] < 175);
        QVERIFY(layout->values[k + 1] >= 0 && layout->values[k + 1] < 80);
    }
    QVERIFY(layout->values[8] + layout->values[12] <= 175);
}

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
