#include "printer_choice/printerassignments.h"
#include "support/workingfolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QtEndian>

#include <optional>

using namespace printer_choice;

namespace {

const QString FileName = AssignmentFileName;
const QString Key = ChequePrinterKey;

QByteArray header(qint32 count, char fill = '\0')
{
    QByteArray bytes(AssignmentRecordLength, fill);
    qToLittleEndian<qint32>(count, bytes.data() + AssignmentCountOffset);
    return bytes;
}

QByteArray entry(const QByteArray &value, const QByteArray &key, const QByteArray &numbers = QByteArray(12, '\0'),
                 char filler = ' ')
{
    return value.leftJustified(AssignmentValueLength, ' ') + numbers + key.leftJustified(AssignmentKeyLength, ' ') +
           filler;
}

// Another program's entry, with numbers and filler we must not touch.
const QByteArray Theirs = entry("LASER-2", "IMP_TICKET", QByteArray("\1\0\0\0\2\0\0\0\3\0\0\0", 12), 'x');

} // namespace

class TestPrinterAssignments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newInstallation();
    void lookup_data();
    void lookup();
    void store_data();
    void store();
    void storeFailures_data();
    void storeFailures();
    void waitsForAnotherStore_data();
    void waitsForAnotherStore();
    void twoProgramsAppendingAtOnce();
    void lookupUnderARewritingProgram();
};

void TestPrinterAssignments::newInstallation()
{
    WorkingFolder folder;
    const PrinterAssignments file;
    QCOMPARE(file.lookup(Key).valueOr(QStringLiteral("<failed>")), QString());
    QVERIFY(folder.exists(FileName));
    QCOMPARE(folder.read(FileName), QByteArray());

    QVERIFY(file.store(Key, QStringLiteral("02")).ok());
    QCOMPARE(folder.read(FileName), header(1) + entry("02", "IMP_CHQ_FACT"));
    QCOMPARE(file.lookup(Key).valueOr(QStringLiteral("<failed>")), QStringLiteral("02"));
}

void TestPrinterAssignments::lookup_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QByteArray ours = entry("  07 ", "IMP_CHQ_FACT");
    QTest::newRow("after another key") << header(2) + Theirs + ours << "07";
    QTest::newRow("blank value") << header(1) + entry("", "IMP_CHQ_FACT") << "";
    QTest::newRow("key in another case") << header(1) + entry("03", "imp_chq_fact") << "";
    QTest::newRow("beyond the count") << header(1) + Theirs + ours << "";
    QTest::newRow("key cut by the end of the file") << header(1) + ours.left(130) << "";
    // A program of the suite that has written the count but not yet its entry.
    QTest::newRow("count one ahead of the file") << header(3) + Theirs + ours << "07";
    QTest::newRow("shorter than a record") << QByteArray(50, 'Z') << "";
    QTest::newRow("negative count: damaged") << header(-1) + ours << "<failed>";
    QTest::newRow("huge count: damaged") << header(0x7fffffff) + ours << "<failed>";
}

void TestPrinterAssignments::lookup()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    WorkingFolder folder;
    folder.write(FileName, bytes);
    QCOMPARE(PrinterAssignments().lookup(Key).valueOr(QStringLiteral("<failed>")), expected);
    QCOMPARE(folder.read(FileName), bytes);
}

// Storing "01"; a file expected unchanged must be refused as damaged.
void TestPrinterAssignments::store_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray numbers("\7\0\0\0\0\0\0\0\11\0\0\0", 12);
    const QByteArray ours = entry("01", "IMP_CHQ_FACT");
    QTest::newRow("ours rewritten, all else kept")
        << header(2, '\x55') + Theirs + entry("00", "IMP_CHQ_FACT", numbers, '#')
        << header(2, '\x55') + Theirs + entry("01", "IMP_CHQ_FACT", numbers, '#');
    QTest::newRow("ours first") << header(2) + entry("17", "IMP_CHQ_FACT") + Theirs << header(2) + ours + Theirs;
    const QByteArray lower = entry("00", "imp_chq_fact");
    QTest::newRow("key in another case") << header(1) + lower << header(2) + lower + ours;
    QTest::newRow("header bytes kept") << header(1, '\x55') + Theirs << header(2, '\x55') + Theirs + ours;
    QTest::newRow("records past the count") << header(0) + Theirs << header(1) + ours;
    QByteArray cutHeader = header(1);
    cutHeader.replace(0, 50, QByteArray(50, 'Z'));
    QTest::newRow("header cut short") << QByteArray(50, 'Z') << cutHeader + ours;
    QTest::newRow("negative count") << header(-2) + Theirs << header(-2) + Theirs;
    QTest::newRow("huge count") << header(1000000) + Theirs << header(1000000) + Theirs;
    QTest::newRow("count two ahead of the file") << header(3) + Theirs << header(3) + Theirs;
}

void TestPrinterAssignments::store()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    WorkingFolder folder;
    folder.write(FileName, before);
    const platform::Result<void> result = PrinterAssignments().store(Key, QStringLiteral("01"));
    // A file it leaves as it was is one it found damaged, and says so.
    QCOMPARE(result.ok(), after != before);
    QCOMPARE(result.error().contains(QStringLiteral("endommagé")), after == before);
    QCOMPARE(folder.read(FileName), after);
}

void TestPrinterAssignments::storeFailures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("room"); // the bytes the disk lets the file grow by; -1: no limit
    QTest::addColumn<QString>("why");
    QTest::addColumn<QByteArray>("leftover"); // bytes another program left past the counted entries
    QTest::newRow("missing folder") << "absent/" + FileName << Key << "02" << -1 << "introuvable" << QByteArray();
    QTest::newRow("disk full") << FileName << Key << "02" << 0 << "disque est plein" << QByteArray();
    QTest::newRow("disk full half-way through the entry")
        << FileName << Key << "02" << 60 << "disque est plein" << QByteArray();
    QTest::newRow("disk full over bytes past the count")
        << FileName << Key << "02" << 0 << "disque est plein" << QByteArray(60, 'x');
    // Zeros are what a record counted but not yet written reads as.
    QTest::newRow("a key of control characters")
        << FileName << QString(3, QChar(0)) << "02" << -1 << "caractère de contrôle" << QByteArray();
    QTest::newRow("outside the code page")
        << FileName << Key << QStringLiteral("Ω") << -1 << "caractère" << QByteArray();
}

void TestPrinterAssignments::storeFailures()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, room);
    QFETCH(QString, why);
    QFETCH(QByteArray, leftover);
    WorkingFolder folder;
    const QByteArray before = header(1) + Theirs + leftover;
    folder.write(FileName, before);
    platform::Result<void> result;
    {
        std::optional<FileSizeLimit> limit;
        if (room >= 0)
            limit.emplace(before.size() + room);
        result = PrinterAssignments(path).store(key, value);
    }
    QVERIFY(!result);
    QVERIFY2(result.error().contains(why), qPrintable(result.error()));
    // Above all, no count naming an entry that was never written, and no
    // piece of an entry left past the end.
    QCOMPARE(folder.read(FileName), before);
}

void TestPrinterAssignments::waitsForAnotherStore_data()
{
    QTest::addColumn<int>("heldMs");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("stored");
    QTest::newRow("released in time") << 300 << 2000 << true;
    QTest::newRow("held too long") << 1500 << 200 << false;
}

void TestPrinterAssignments::waitsForAnotherStore()
{
    QFETCH(int, heldMs);
    QFETCH(int, timeoutMs);
    QFETCH(bool, stored);
    WorkingFolder folder;
    QProcess other;
    other.start(QStringLiteral(ASSIGNMENT_WRITER),
                {QStringLiteral("hold"), folder.path(FileName), QString::number(heldMs)});
    QVERIFY(other.waitForReadyRead(10000));
    QCOMPARE(other.readLine(), QByteArray("held\n"));

    PrinterAssignments file;
    file.setLockTimeout(std::chrono::milliseconds(timeoutMs));
    QElapsedTimer clock;
    clock.start();
    const platform::Result<void> result = file.store(Key, QStringLiteral("04"));
    QCOMPARE(result.ok(), stored);
    if (!stored)
        QVERIFY2(result.error().contains(QStringLiteral("occupé")), qPrintable(result.error()));
    QVERIFY(clock.elapsed() >= std::min(heldMs, timeoutMs) / 2);
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(file.lookup(Key).valueOr(QStringLiteral("<failed>")), stored ? QStringLiteral("04") : QString());
}

void TestPrinterAssignments::twoProgramsAppendingAtOnce()
{
    constexpr int PerProgram = 200;
    WorkingFolder folder;
    QProcess first;
    QProcess second;
    const QStringList args{QStringLiteral("store"), folder.path(FileName)};
    first.start(QStringLiteral(ASSIGNMENT_WRITER),
                args + QStringList{QStringLiteral("A"), QString::number(PerProgram)});
    second.start(QStringLiteral(ASSIGNMENT_WRITER),
                 args + QStringList{QStringLiteral("B"), QString::number(PerProgram)});
    for (QProcess *program : {&first, &second})
        QVERIFY(program->waitForStarted(10000));
    for (QProcess *program : {&first, &second}) {
        program->write("go\n");
        QVERIFY(program->waitForBytesWritten(10000));
    }
    for (QProcess *program : {&first, &second}) {
        QVERIFY(program->waitForFinished(120000));
        QVERIFY2(program->exitCode() == 0, program->readAllStandardError().constData());
    }

    const QByteArray bytes = folder.read(FileName);
    QCOMPARE(bytes.size(), (2 * PerProgram + 1) * AssignmentRecordLength);
    QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + AssignmentCountOffset), 2 * PerProgram);
    QStringList keys;
    QStringList expected;
    for (int i = 0; i < PerProgram; ++i)
        expected << QStringLiteral("A%1").arg(i) << QStringLiteral("B%1").arg(i);
    for (int record = 1; record <= 2 * PerProgram; ++record)
        keys << QString::fromLatin1(
            bytes.mid(record * AssignmentRecordLength + AssignmentKeyOffset, AssignmentKeyLength).trimmed());
    keys.sort();
    expected.sort();
    QCOMPARE(keys, expected);
    const PrinterAssignments file;
    for (const QString &prefix : {QStringLiteral("A"), QStringLiteral("B")}) {
        for (int i = 0; i < PerProgram; i += 37)
            QCOMPARE(file.lookup(prefix + QString::number(i)).valueOr(QStringLiteral("<failed>")), QString::number(i));
    }
}

void TestPrinterAssignments::lookupUnderARewritingProgram()
{
    WorkingFolder folder;
    const PrinterAssignments file;
    QVERIFY(file.store(Key, QString(AssignmentValueLength, QLatin1Char('A'))));
    QProcess other;
    other.start(QStringLiteral(ASSIGNMENT_WRITER),
                {QStringLiteral("rewrite"), folder.path(FileName), Key, QStringLiteral("20000")});
    QVERIFY(other.waitForStarted(10000));
    // Every value read is one that was written whole.
    int reads = 0;
    QStringList torn;
    while (other.state() != QProcess::NotRunning && reads < 200000) {
        const QString value = file.lookup(Key).valueOr(QStringLiteral("<failed>"));
        ++reads;
        if (value != QString(AssignmentValueLength, QLatin1Char('A')) &&
            value != QString(AssignmentValueLength, QLatin1Char('B')))
            torn << value;
        if (reads % 1000 == 0)
            other.waitForFinished(0);
    }
    if (other.state() != QProcess::NotRunning)
        QVERIFY(other.waitForFinished(60000));
    QCOMPARE(other.exitCode(), 0);
    QVERIFY(reads > 100);
    QVERIFY2(
        torn.isEmpty(),
        qPrintable(QStringLiteral("%1 of %2 reads torn, first: %3").arg(torn.size()).arg(reads).arg(torn.value(0))));
}

QTEST_GUILESS_MAIN(TestPrinterAssignments)
#include "tst_printerassignments.moc"
