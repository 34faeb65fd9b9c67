#include "main_window/pendingcheque.h"
#include "main_window/settings.h"
#include "platform/recordfile.h"
#include "support/workingfolder.h"

#include <QTest>

using namespace main_window;

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readSettings_data();
    void readSettings();
    void writtenBytes_data();
    void writtenBytes();
    void writeThenReadKeepsValues();
    void pendingRecord_data();
    void pendingRecord();
    void takingTheChequeMarksOnlyRecord21();
    void takingFromAnEmptyFileCreatesRecord21();
};

void TestSettings::readSettings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("fields"); // Text5, Text6, Text9, Text11, Text8, Text7

    QTest::newRow("full") << QByteArray(" 2 \r\n-3 \r\nEuro\r\ncentime\r\nDupont SARL\r\nLyon\r\n") << true
                          << QStringList{" 2 ", "-3 ", "Euro", "centime", "Dupont SARL", "Lyon"};
    QTest::newRow("extra lines ignored") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n") << true
                                         << QStringList{"1", "2", "3", "4", "5", "6"};
    QTest::newRow("short file") << QByteArray(" 4 \r\n 1 \r\n") << true << QStringList{" 4 ", " 1 ", "", "", "", ""};
    QTest::newRow("accents in Windows-1252")
        << QByteArray("0\r\n0\r\nEuro\r\ncentime\r\nSoci\xe9t\xe9\r\nB\xe9ziers\r\n") << true
        << QStringList{"0", "0", "Euro", "centime", "Société", "Béziers"};
    QTest::newRow("empty file") << QByteArray() << true << QStringList{"", "", "", "", "", ""};
}

void TestSettings::readSettings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, found);
    QFETCH(QStringList, fields);
    WorkingFolder folder;
    folder.write(SettingsFileName, bytes);
    const platform::Result<Settings> read = main_window::readSettings(SettingsFileName);
    QCOMPARE(read.ok(), found);
    const Settings s = read.valueOr(Settings());
    QCOMPARE((QStringList{s.verticalOffset, s.horizontalOffset, s.currencyName, s.hundredthName, s.payee, s.place}),
             fields);
}

void TestSettings::writtenBytes_data()
{
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QByteArray>("firstLines");
    QTest::newRow("whole offsets") << "2"
                                   << "-3" << QByteArray(" 2 \r\n-3 \r\n");
    QTest::newRow("empty offsets are zero") << ""
                                            << "  " << QByteArray(" 0 \r\n 0 \r\n");
    QTest::newRow("as read back from the file") << " 11 "
                                                << "-4 " << QByteArray(" 11 \r\n-4 \r\n");
    QTest::newRow("fraction") << "1.5"
                              << "-0.25" << QByteArray(" 1.5 \r\n-0.25 \r\n");
    QTest::newRow("text after the number") << "7mm"
                                           << "abc" << QByteArray(" 7 \r\n 0 \r\n");
}

void TestSettings::writtenBytes()
{
    QFETCH(QString, vertical);
    QFETCH(QString, horizontal);
    QFETCH(QByteArray, firstLines);
    WorkingFolder folder;
    const Settings s{vertical,
                     horizontal,
                     QStringLiteral("Euro"),
                     QStringLiteral("centime"),
                     QStringLiteral("Café du Port"),
                     QStringLiteral("Sète")};
    QVERIFY(writeSettings(SettingsFileName, s));
    QCOMPARE(folder.read(SettingsFileName), firstLines + "Euro\r\ncentime\r\nCaf\xe9 du Port\r\nS\xe8te\r\n");
}

void TestSettings::writeThenReadKeepsValues()
{
    WorkingFolder folder;
    const Settings written{
        QStringLiteral("0.1"),   QStringLiteral("-12"), QStringLiteral(" Franc "), QStringLiteral("centime"), QString(),
        QStringLiteral("Œuilly")};
    QVERIFY(writeSettings(SettingsFileName, written));
    const Settings read = main_window::readSettings(SettingsFileName).valueOr(Settings());
    QCOMPARE(read.verticalOffset, QStringLiteral(" 0.1 "));
    QCOMPARE(read.horizontalOffset, QStringLiteral("-12 "));
    QCOMPARE(read.currencyName, written.currencyName);
    QCOMPARE(read.payee, QString());
    QCOMPARE(read.place, written.place);
}

void TestSettings::pendingRecord_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("keepOpen");
    QTest::newRow("amount, no flag") << QByteArray("xxxxx   1575.98     ") << "1575.98" << false;
    QTest::newRow("amount and stay open") << QByteArray("xxxxx    12.50    T ") << "12.50" << true;
    QTest::newRow("amount up to the flag") << QByteArray("xxxxx1234567890.12T ") << "1234567890.12" << true;
    QTest::newRow("flag alone") << QByteArray("                  T ") << "" << true;
    QTest::newRow("lower-case t is not the flag") << QByteArray("     12           t ") << "12           t" << false;
    QTest::newRow("taken") << QByteArray("----                ") << "" << false;
    QTest::newRow("missing") << QByteArray() << "" << false;
    QTest::newRow("short") << QByteArray("xxxxx 12") << "" << false;
    QTest::newRow("zero bytes are blanks") << QByteArray(20, '\0') << "" << false;
    QTest::newRow("amount filling 15 characters") << QByteArray("ABCDE123456789012.34") << "123456789012.34" << false;
}

void TestSettings::pendingRecord()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, amount);
    QFETCH(bool, keepOpen);
    const PendingCheque cheque = parsePendingRecord(record);
    QCOMPARE(cheque.amount, amount);
    QCOMPARE(cheque.keepOpen, keepOpen);
}

void TestSettings::takingTheChequeMarksOnlyRecord21()
{
    WorkingFolder folder;
    QByteArray before;
    for (int i = 0; i < 20; ++i)
        before += QByteArray(20, char('a' + i));
    before += QByteArray("     99.90        T ");
    before += QByteArray("record 22 is theirs ");
    folder.write(PendingChequeFileName, before);

    platform::RecordFile file;
    QVERIFY(file.open(PendingChequeFileName, PendingRecordLength));
    const TakenCheque taken = takePendingCheque(file);
    QVERIFY(taken.marked);
    const PendingCheque &cheque = taken.cheque;
    QCOMPARE(cheque.amount, QStringLiteral("99.90"));
    QVERIFY(cheque.keepOpen);

    const QByteArray after = folder.read(PendingChequeFileName);
    QCOMPARE(after.left(400), before.left(400));
    QCOMPARE(after.mid(400, 20), QByteArray("----                "));
    QCOMPARE(after.mid(420), before.mid(420));
}

void TestSettings::takingFromAnEmptyFileCreatesRecord21()
{
    WorkingFolder folder;
    platform::RecordFile file;
    QVERIFY(file.open(PendingChequeFileName, PendingRecordLength));
    const PendingCheque cheque = takePendingCheque(file).cheque;
    QVERIFY(cheque.amount.isEmpty());
    QVERIFY(!cheque.keepOpen);
    const QByteArray after = folder.read(PendingChequeFileName);
    QCOMPARE(after.size(), 420);
    QCOMPARE(after.mid(400), QByteArray("----                "));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
