#include "platform/recordfile.h"
#include "support/workingfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createdWhenAbsent();
    void readsByRecordNumber_data();
    void readsByRecordNumber();
    void writeTouchesOnlyItsRecord();
    void writePadsAndCuts_data();
    void writePadsAndCuts();
    void writePastEndLeavesZeros();
    void sharedWithAnotherHolder();
    void failures_data();
    void failures();
};

void TestRecordFile::createdWhenAbsent()
{
    WorkingFolder folder;
    platform::RecordFile file;
    QVERIFY(file.open(QStringLiteral("new.wdo"), 20));
    QVERIFY(folder.exists(QStringLiteral("new.wdo")));
    QCOMPARE(folder.read(QStringLiteral("new.wdo")).size(), 0);
    QCOMPARE(file.read(1).valueOr("<failed>"), QByteArray());
}

void TestRecordFile::readsByRecordNumber_data()
{
    QTest::addColumn<int>("record");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("first") << 1 << QByteArray("AAAA");
    QTest::newRow("third") << 3 << QByteArray("CCCC");
    QTest::newRow("short last") << 4 << QByteArray("DD");
    QTest::newRow("past the end") << 5 << QByteArray();
    QTest::newRow("zero is no record") << 0 << QByteArray("<failed>");
}

void TestRecordFile::readsByRecordNumber()
{
    QFETCH(int, record);
    QFETCH(QByteArray, expected);
    WorkingFolder folder;
    folder.write(QStringLiteral("r.wdo"), "AAAABBBBCCCCDD");
    platform::RecordFile file;
    QVERIFY(file.open(QStringLiteral("r.wdo"), 4));
    QCOMPARE(file.read(record).valueOr("<failed>"), expected);
}

void TestRecordFile::writeTouchesOnlyItsRecord()
{
    WorkingFolder folder;
    folder.write(QStringLiteral("r.wdo"), "AAAABBBBCCCC");
    platform::RecordFile file;
    QVERIFY(file.open(QStringLiteral("r.wdo"), 4));
    QVERIFY(file.write(2, "xy"));
    QCOMPARE(folder.read(QStringLiteral("r.wdo")), QByteArray("AAAAxy  CCCC"));
}

void TestRecordFile::writePadsAndCuts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("padded with blanks") << QByteArray("ab") << QByteArray("ab  ");
    QTest::newRow("cut to the record") << QByteArray("abcdef") << QByteArray("abcd");
    QTest::newRow("exact") << QByteArray("abcd") << QByteArray("abcd");
}

void TestRecordFile::writePadsAndCuts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, stored);
    WorkingFolder folder;
    platform::RecordFile file;
    QVERIFY(file.open(QStringLiteral("r.wdo"), 4));
    QVERIFY(file.write(1, bytes));
    QCOMPARE(folder.read(QStringLiteral("r.wdo")), stored);
}

void TestRecordFile::writePastEndLeavesZeros()
{
    WorkingFolder folder;
    platform::RecordFile file;
    QVERIFY(file.open(QStringLiteral("r.wdo"), 4));
    QVERIFY(file.write(3, "zzzz"));
    QCOMPARE(folder.read(QStringLiteral("r.wdo")), QByteArray(8, '\0') + "zzzz");
}

void TestRecordFile::sharedWithAnotherHolder()
{
    WorkingFolder folder;
    platform::RecordFile ours;
    platform::RecordFile theirs;
    QVERIFY(ours.open(QStringLiteral("s.wdo"), 4));
    QVERIFY(theirs.open(QStringLiteral("s.wdo"), 4));
    QVERIFY(theirs.write(2, "them"));
    QCOMPARE(ours.read(2).valueOr("<failed>"), QByteArray("them"));
    QVERIFY(ours.write(1, "us"));
    QCOMPARE(theirs.read(1).valueOr("<failed>"), QByteArray("us  "));
}

void TestRecordFile::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why");
    QTest::newRow("missing folder") << "absent/r.wdo"
                                    << "introuvable";
    QTest::newRow("a folder") << "dossier"
                              << "c'est un dossier";
    QTest::newRow("a pipe") << "pipe"
                            << "pas un fichier ordinaire";
    QTest::newRow("disk full") << "r.wdo"
                               << "disque est plein";
}

void TestRecordFile::failures()
{
    QFETCH(QString, name);
    QFETCH(QString, why);
    WorkingFolder folder;
    QVERIFY(QDir().mkdir(folder.path(QStringLiteral("dossier"))));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.path(QStringLiteral("pipe"))).constData(), 0600), 0);
    platform::RecordFile file;
    platform::Result<void> outcome = file.open(name, 4);
    if (outcome) {
        FileSizeLimit full(4);
        outcome = file.write(2, "late");
    }
    QVERIFY(!outcome);
    QVERIFY2(outcome.error().contains(why), qPrintable(outcome.error()));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
