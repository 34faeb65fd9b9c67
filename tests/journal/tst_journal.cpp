#include "journal/journal.h"
#include "support/fakes.h"
#include "support/workingfolder.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <unistd.h>

namespace {

using journal::Journal;
using journal::Status;

journal::PrintedCheque cheque(const QString &amount, const QString &bank = QStringLiteral("Banque Lémane"),
                              const QDateTime &at = QDateTime(QDate(2026, 3, 7), QTime(10, 0)))
{
    journal::PrintedCheque c;
    c.printedAt = at;
    c.date = at.date().toString(QStringLiteral("dd/MM/yyyy"));
    c.amount = amount;
    c.wordsLine1 = QStringLiteral("***Mille cinq cent soixante-quinze euros");
    c.wordsLine2 = QStringLiteral("et quatre-vingt-dix-huit centimes***");
    c.payee = QStringLiteral("Éts Bœuf & Fils ; « Gérard »");
    c.place = QStringLiteral("Saint-Étienne");
    c.bankName = bank;
    c.layoutFile = QStringLiteral("bq_LEM.txt");
    c.printer = QStringLiteral("Bureau");
    c.source = journal::AmountSource::HandedOver;
    return c;
}

// A query on the journal's file beside the program's own connection.
QVariant scalar(const QString &path, const QString &sql)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next())
                value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("probe"));
    return value;
}

// The journal writer, run as a user who cannot write into root's folders
// when the tests run as root (who can write anywhere).
void startWriter(QProcess &process, const QString &path, int count, const QString &tag, bool unprivileged = false)
{
    if (unprivileged && geteuid() == 0) {
        process.setChildProcessModifier([] {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
        });
    }
    process.start(QStringLiteral(JOURNAL_WRITER), {path, QString::number(count), tag});
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordAndReadBack();
    void statusRules_data();
    void statusRules();
    void depositNumbersSlipsAllOrNothing();
    void filtersAndTotals_data();
    void filtersAndTotals();
    void migratesVersion1();
    void damagedFileSetAside_data();
    void damagedFileSetAside();
    void readOnlyIsTold_data();
    void readOnlyIsTold();
    void twoWritersLoseNothing();
    void killedWriterLeavesWholeJournal();
    void cents_data();
    void cents();
    void iban_data();
    void iban();
    void csvReadBackBySpreadsheetRules();
};

void TestJournal::recordAndReadBack()
{
    WorkingFolder folder;
    FixedClock clock(QDateTime(QDate(2026, 3, 7), QTime(10, 0)));
    auto opened = Journal::open(folder.path(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    QVERIFY(opened->notice.isEmpty());
    const journal::PrintedCheque given = cheque(QStringLiteral("1575.98"));
    const auto id = opened->journal->record(given);
    QVERIFY2(id, qPrintable(id.error()));
    QVERIFY(!opened->journal->record(cheque(QStringLiteral("12,5"))));

    opened->journal.reset();
    auto again = Journal::openExisting(folder.path(journal::JournalFileName), clock);
    QVERIFY2(again, qPrintable(again.error()));
    const auto found = (*again)->entry(*id);
    QVERIFY(found && *found);
    const journal::Entry &entry = **found;
    const journal::PrintedCheque &back = entry.cheque;
    QCOMPARE(back.printedAt, given.printedAt);
    QCOMPARE(QStringList({back.date, back.amount, back.wordsLine1, back.wordsLine2, back.payee, back.place,
                          back.bankName, back.layoutFile, back.printer}),
             QStringList({given.date, given.amount, given.wordsLine1, given.wordsLine2, given.payee, given.place,
                          given.bankName, given.layoutFile, given.printer}));
    QCOMPARE(back.source, journal::AmountSource::HandedOver);
    QCOMPARE(entry.cents, 157598);
    QCOMPARE(entry.status, Status::Printed);
    const auto history = (*again)->history(*id);
    QVERIFY(history && history->size() == 1);
    QCOMPARE(history->first().kind, QStringLiteral("imprimé"));
}

// Steps on one cheque, in order: "spoil", "cancel", "deposit", "note",
// "reprint" (a second cheque recorded as its reprint); "!" before a step:
// it must be refused and change nothing.
void TestJournal::statusRules_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Status>("status");
    QTest::addColumn<int>("events");
    QTest::newRow("printed") << QStringList() << Status::Printed << 1;
    QTest::newRow("spoiled") << QStringList{"spoil"} << Status::Spoiled << 2;
    QTest::newRow("cancelled") << QStringList{"cancel"} << Status::Cancelled << 2;
    QTest::newRow("deposited") << QStringList{"deposit"} << Status::Deposited << 2;
    QTest::newRow("note changes no status") << QStringList{"note", "deposit", "note"} << Status::Deposited << 4;
    QTest::newRow("deposited cannot be cancelled") << QStringList{"deposit", "!cancel"} << Status::Deposited << 2;
    QTest::newRow("deposited cannot be spoiled") << QStringList{"deposit", "!spoil"} << Status::Deposited << 2;
    QTest::newRow("deposited twice") << QStringList{"deposit", "!deposit"} << Status::Deposited << 2;
    QTest::newRow("spoiled not deposited") << QStringList{"spoil", "!deposit"} << Status::Spoiled << 2;
    QTest::newRow("cancelled not deposited") << QStringList{"cancel", "!deposit", "!spoil"} << Status::Cancelled
                                             << 2;
    QTest::newRow("reprint spoils the original") << QStringList{"reprint"} << Status::Spoiled << 3;
    QTest::newRow("reprinted once") << QStringList{"reprint", "!reprint"} << Status::Spoiled << 3;
    QTest::newRow("deposited not reprinted") << QStringList{"deposit", "!reprint"} << Status::Deposited << 2;
}

void TestJournal::statusRules()
{
    QFETCH(QStringList, steps);
    QFETCH(Status, status);
    QFETCH(int, events);
    WorkingFolder folder;
    FixedClock clock;
    auto opened = Journal::open(folder.path(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    Journal &j = *opened->journal;
    const qint64 id = j.record(cheque(QStringLiteral("10.00"))).valueOr(0);
    QVERIFY(id != 0);
    for (QString step : steps) {
        const bool refused = step.startsWith(QLatin1Char('!'));
        step.remove(QLatin1Char('!'));
        platform::Result<void> done;
        if (step == QLatin1String("spoil"))
            done = j.markSpoiled(id, QStringLiteral("bourrage"));
        else if (step == QLatin1String("cancel"))
            done = j.cancel(id, QStringLiteral("erreur d'ordre"));
        else if (step == QLatin1String("note"))
            done = j.addNote(id, QStringLiteral("appelé le client"));
        else if (step == QLatin1String("reprint"))
            done = j.linkReprint(id, j.record(cheque(QStringLiteral("10.00"))).valueOr(0));
        else if (const auto slip = j.deposit({id}, clock.today(), QString()); !slip)
            done = platform::fail(slip.error());
        QVERIFY2(done.ok() != refused, qPrintable(step + QStringLiteral(": ") + (done ? QString() : done.error())));
        if (refused)
            QVERIFY(!done.error().isEmpty());
    }
    const auto entry = j.entry(id);
    QVERIFY(entry && *entry);
    QCOMPARE((*entry)->status, status);
    QCOMPARE(j.history(id).valueOr({}).size(), events);
}

void TestJournal::depositNumbersSlipsAllOrNothing()
{
    WorkingFolder folder;
    FixedClock clock;
    auto opened = Journal::open(folder.path(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    Journal &j = *opened->journal;
    QList<qint64> ids;
    for (const char *amount : {"10.50", "20.25", "30.00", "1.00"})
        ids << j.record(cheque(QString::fromLatin1(amount))).valueOr(0);
    QVERIFY(j.cancel(ids[3], QString()));
    // One unfit cheque: the whole slip refused, the others left to deposit.
    QVERIFY(!j.deposit({ids[0], ids[3]}, clock.today(), QString()));
    QCOMPARE(j.undeposited().valueOr({}).size(), 3);
    const auto first = j.deposit({ids[0], ids[1], ids[0]}, QDate(2026, 3, 9), QStringLiteral("FR76 …"));
    QVERIFY2(first, qPrintable(first.error()));
    QCOMPARE(first->number, 1);
    QCOMPARE(first->totals.count, 2);
    QCOMPARE(first->totals.cents, 3075);
    const auto second = j.deposit({ids[2]}, QDate(2026, 3, 10), QString());
    QVERIFY(second);
    QCOMPARE(second->number, 2);
    const auto entry = j.entry(ids[1]).valueOr({});
    QVERIFY(entry);
    QCOMPARE(entry->remittance, 1);
    QCOMPARE(entry->remittanceDate, QDate(2026, 3, 9));
    QCOMPARE(j.history(ids[1]).valueOr({}).last().detail, QStringLiteral("remise 1 du 09/03/2026"));
}

void TestJournal::filtersAndTotals_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<int>("status"); // -1: every status
    QTest::addColumn<QList<int>>("cheques"); // indexes into the fixture, newest first
    QTest::addColumn<qint64>("cents");
    const QDate d5(2026, 3, 5), d6(2026, 3, 6), d7(2026, 3, 7);
    QTest::newRow("all") << QDate() << QDate() << QString() << -1 << QList<int>{4, 3, 2, 1, 0} << qint64(15500);
    QTest::newRow("one day, midnight both sides") << d6 << d6 << QString() << -1 << QList<int>{3, 2, 1}
                                                  << qint64(14000);
    QTest::newRow("from a day") << d7 << QDate() << QString() << -1 << QList<int>{4} << qint64(1000);
    QTest::newRow("up to a day") << QDate() << d5 << QString() << -1 << QList<int>{0} << qint64(500);
    QTest::newRow("bank") << QDate() << QDate() << QStringLiteral("Crédit Rhône") << -1 << QList<int>{3, 1}
                          << qint64(6000);
    QTest::newRow("spoiled") << QDate() << QDate() << QString() << int(Status::Spoiled) << QList<int>{2}
                             << qint64(3000);
    QTest::newRow("printed, one day, bank") << d6 << d6 << QStringLiteral("Crédit Rhône") << int(Status::Printed)
                                            << QList<int>{3, 1} << qint64(6000);
    QTest::newRow("nothing") << d7 << d6 << QString() << -1 << QList<int>{} << qint64(0);
}

void TestJournal::filtersAndTotals()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, bank);
    QFETCH(int, status);
    QFETCH(QList<int>, cheques);
    QFETCH(qint64, cents);
    WorkingFolder folder;
    FixedClock clock;
    auto opened = Journal::open(folder.path(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    Journal &j = *opened->journal;
    const QString lemane = QStringLiteral("Banque Lémane"), rhone = QStringLiteral("Crédit Rhône");
    const struct
    {
        const char *amount;
        QString bank;
        QDateTime at;
    } fixture[] = {
        {"5.00", lemane, QDateTime(QDate(2026, 3, 5), QTime(23, 59, 59))},
        {"20.00", rhone, QDateTime(QDate(2026, 3, 6), QTime(0, 0))},
        {"30.00", lemane, QDateTime(QDate(2026, 3, 6), QTime(12, 0))},
        {"40.00", rhone, QDateTime(QDate(2026, 3, 6), QTime(23, 59, 59, 999))},
        {"10.00", lemane, QDateTime(QDate(2026, 3, 7), QTime(0, 0))},
    };
    QList<qint64> ids;
    for (const auto &c : fixture)
        ids << j.record(cheque(QString::fromLatin1(c.amount), c.bank, c.at)).valueOr(0);
    QVERIFY(j.markSpoiled(ids[2], QString()));
    journal::Filter filter{from, to, bank, std::nullopt};
    if (status >= 0)
        filter.status = Status(status);
    const auto totals = j.totals(filter);
    QVERIFY2(totals, qPrintable(totals.error()));
    QCOMPARE(totals->count, cheques.size());
    QCOMPARE(totals->cents, cents);
    QList<qint64> expected;
    for (int i : cheques)
        expected << ids[i];
    // Read in pages of two, as the window does.
    QList<qint64> shown;
    for (int offset = 0; offset <= cheques.size(); offset += 2) {
        for (const journal::Entry &e : j.entries(filter, offset, 2).valueOr({}))
            shown << e.id;
    }
    QCOMPARE(shown, expected);
    if (status < 0 && from.isNull() && to.isNull())
        QCOMPARE(j.bankNames().valueOr({}), (bank.isEmpty() ? QStringList{lemane, rhone} : QStringList{lemane, rhone}));
}

void TestJournal::migratesVersion1()
{
    WorkingFolder folder;
    const QString path = folder.path(journal::JournalFileName);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const char *sql : {
                 "CREATE TABLE cheques (id INTEGER PRIMARY KEY, printed_at TEXT NOT NULL, cheque_date TEXT NOT NULL,"
                 " amount TEXT NOT NULL, cents INTEGER NOT NULL, words1 TEXT NOT NULL, words2 TEXT NOT NULL,"
                 " payee TEXT NOT NULL, place TEXT NOT NULL, bank_name TEXT NOT NULL, layout_file TEXT NOT NULL,"
                 " printer TEXT NOT NULL, source TEXT NOT NULL CHECK (source IN ('handed_over', 'typed')))",
                 "CREATE TABLE remittances (number INTEGER PRIMARY KEY, date TEXT NOT NULL, account TEXT NOT NULL,"
                 " made_at TEXT NOT NULL)",
                 "CREATE TABLE events (id INTEGER PRIMARY KEY, cheque_id INTEGER NOT NULL REFERENCES cheques (id),"
                 " at TEXT NOT NULL, kind TEXT NOT NULL, detail TEXT NOT NULL DEFAULT '',"
                 " remittance INTEGER REFERENCES remittances (number), other_id INTEGER REFERENCES cheques (id))",
                 "INSERT INTO cheques VALUES (1, '2025-12-24T09:30:00.000', '24/12/2025', '99.90', 9990, 'a', 'b',"
                 " 'Père Noël', 'Noël', 'Banque Lémane', 'bq_LEM.txt', 'Bureau', 'typed')",
                 "INSERT INTO events (cheque_id, at, kind) VALUES (1, '2025-12-24T09:30:00.000', 'printed')",
                 "PRAGMA user_version = 1"})
            QVERIFY2(q.exec(QString::fromUtf8(sql)), sql);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));
    FixedClock clock;
    auto opened = Journal::open(path, clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    QVERIFY(opened->notice.isEmpty());
    Journal &j = *opened->journal;
    QCOMPARE(j.entry(1).valueOr({}).value_or(journal::Entry()).cheque.payee, QStringLiteral("Père Noël"));
    QVERIFY(j.addNote(1, QStringLiteral("noté après la mise à jour")));
    QVERIFY(j.setAccount(QStringLiteral("FR76 3000 6000 0112 3456 7890 189")));
    QCOMPARE(j.entry(1).valueOr({}).value_or(journal::Entry()).note, QStringLiteral("noté après la mise à jour"));
    QCOMPARE(j.account().valueOr({}), QStringLiteral("FR76 3000 6000 0112 3456 7890 189"));
    opened->journal.reset();
    QCOMPARE(scalar(path, QStringLiteral("PRAGMA user_version")).toInt(), 2);
    // History is kept: the file itself refuses a rewrite.
    QVERIFY(!scalar(path, QStringLiteral("UPDATE cheques SET cents = 0 RETURNING cents")).isValid());
    QCOMPARE(scalar(path, QStringLiteral("SELECT cents FROM cheques")).toInt(), 9990);
}

void TestJournal::damagedFileSetAside_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("garbage") << QStringLiteral("garbage");
    QTest::newRow("truncated database") << QStringLiteral("truncated");
    QTest::newRow("another program's database") << QStringLiteral("foreign");
    QTest::newRow("aside name already taken") << QStringLiteral("taken");
}

void TestJournal::damagedFileSetAside()
{
    QFETCH(QString, damage);
    WorkingFolder folder;
    FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(1, 30)));
    const QString path = folder.path(journal::JournalFileName);
    const QString aside = path + QStringLiteral(".abîmé-2026-12-09-0130");
    if (damage == QLatin1String("truncated")) {
        {
            auto opened = Journal::open(path, clock);
            QVERIFY(opened);
            for (int i = 0; i < 300; ++i)
                QVERIFY(opened->journal->record(cheque(QStringLiteral("1.00"))));
        }
        QFile file(path);
        QVERIFY(file.size() > 8192);
        QVERIFY(file.resize(file.size() / 2));
    } else if (damage == QLatin1String("foreign")) {
        QVERIFY(!scalar(path, QStringLiteral("CREATE TABLE clients (name TEXT)")).isValid());
    } else {
        folder.write(journal::JournalFileName, QByteArray(5000, '\x5a'));
    }
    if (damage == QLatin1String("taken"))
        folder.write(aside.section(QLatin1Char('/'), -1), "to keep");
    const QByteArray before = folder.read(journal::JournalFileName);

    // The export leaves it where it is.
    QVERIFY(!Journal::openExisting(path, clock));
    QCOMPARE(folder.read(journal::JournalFileName), before);

    auto opened = Journal::open(path, clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    const QString expected = damage == QLatin1String("taken") ? aside + QStringLiteral("-2") : aside;
    QVERIFY2(opened->notice.contains(expected), qPrintable(opened->notice));
    QCOMPARE(QFile(expected).open(QIODevice::ReadOnly) ? QFile(expected).size() : -1, before.size());
    if (damage == QLatin1String("taken"))
        QCOMPARE(folder.read(aside.section(QLatin1Char('/'), -1)), QByteArray("to keep"));
    QVERIFY(opened->journal->record(cheque(QStringLiteral("2.00"))));
    QCOMPARE(opened->journal->totals({}).valueOr({}).count, 1);
}

void TestJournal::readOnlyIsTold_data()
{
    QTest::addColumn<bool>("existing"); // the file exists (read-only), else the folder is read-only
    QTest::newRow("read-only folder, no journal yet") << false;
    QTest::newRow("read-only file") << true;
}

void TestJournal::readOnlyIsTold()
{
    QFETCH(bool, existing);
    WorkingFolder folder;
    const QString path = folder.path(journal::JournalFileName);
    if (existing) {
        FixedClock clock;
        auto opened = Journal::open(path, clock);
        QVERIFY(opened && opened->journal->record(cheque(QStringLiteral("3.00"))));
    }
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(folder.path(), readOnly));
    if (existing)
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    QProcess writer;
    startWriter(writer, path, 1, QStringLiteral("refusé"), true);
    QVERIFY(writer.waitForFinished(30000));
    const QString said = QString::fromUtf8(writer.readAllStandardError());
    QFile::setPermissions(folder.path(), readOnly | QFile::WriteOwner);
    QCOMPARE(writer.exitCode(), 1);
    QVERIFY2(said.contains(QStringLiteral("journal")) && said.contains(QStringLiteral("accès refusé"))
                 != said.contains(QStringLiteral("lecture seule")),
             qPrintable(said));
    if (existing)
        QCOMPARE(scalar(path, QStringLiteral("SELECT count(*) FROM cheques")).toInt(), 1);
}

void TestJournal::twoWritersLoseNothing()
{
    WorkingFolder folder;
    const QString path = folder.path(journal::JournalFileName);
    const int each = 150;
    QProcess a, b;
    startWriter(a, path, each, QStringLiteral("A"));
    startWriter(b, path, each, QStringLiteral("B"));
    QVERIFY(a.waitForFinished(120000) && b.waitForFinished(120000));
    QVERIFY2(a.exitCode() == 0 && b.exitCode() == 0, a.readAllStandardError() + b.readAllStandardError());
    FixedClock clock;
    auto opened = Journal::open(path, clock);
    QVERIFY2(opened && opened->notice.isEmpty(), qPrintable(opened ? opened->notice : opened.error()));
    for (const QString &tag : {QStringLiteral("A"), QStringLiteral("B")})
        QCOMPARE(opened->journal->totals({QDate(), QDate(), tag, std::nullopt}).valueOr({}).count, each);
}

void TestJournal::killedWriterLeavesWholeJournal()
{
    WorkingFolder folder;
    const QString path = folder.path(journal::JournalFileName);
    QProcess writer;
    startWriter(writer, path, 0, QStringLiteral("K"));
    QVERIFY(writer.waitForStarted());
    // Killed in the middle of its records, whichever they are.
    int lines = 0;
    while (lines < 40 && writer.waitForReadyRead(20000))
        lines += writer.readAllStandardOutput().count('\n');
    writer.kill();
    QVERIFY(writer.waitForFinished());
    QVERIFY(lines >= 40);
    QCOMPARE(scalar(path, QStringLiteral("PRAGMA quick_check")).toString(), QStringLiteral("ok"));
    FixedClock clock;
    auto opened = Journal::open(path, clock);
    QVERIFY2(opened && opened->notice.isEmpty(), qPrintable(opened ? opened->notice : opened.error()));
    const int cheques = opened->journal->totals({}).valueOr({}).count;
    QVERIFY(cheques >= lines);
    // Every cheque with its printed event: none half-recorded.
    QCOMPARE(scalar(path, QStringLiteral("SELECT count(*) FROM events WHERE kind = 'printed'")).toInt(), cheques);
}

void TestJournal::cents_data()
{
    QTest::addColumn<QString>("figures");
    QTest::addColumn<qint64>("cents"); // -1: not an amount
    QTest::addColumn<QString>("euros");
    const QString nb(QChar(0x00A0));
    QTest::newRow("cents") << QStringLiteral("1575.98") << qint64(157598) << QStringLiteral("1%1575,98%1€").arg(nb);
    QTest::newRow("tenths") << QStringLiteral("0.5") << qint64(50) << QStringLiteral("0,50%1€").arg(nb);
    QTest::newRow("whole") << QStringLiteral("1234567") << qint64(123456700)
                           << QStringLiteral("1%1234%1567,00%1€").arg(nb);
    QTest::newRow("float trap") << QStringLiteral("0.29") << qint64(29) << QStringLiteral("0,29%1€").arg(nb);
    QTest::newRow("comma") << QStringLiteral("12,50") << qint64(-1) << QString();
    QTest::newRow("three decimals") << QStringLiteral("1.005") << qint64(-1) << QString();
    QTest::newRow("sign") << QStringLiteral("-3.00") << qint64(-1) << QString();
    QTest::newRow("point alone") << QStringLiteral("3.") << qint64(-1) << QString();
    QTest::newRow("empty") << QString() << qint64(-1) << QString();
    QTest::newRow("arabic-indic digits") << QStringLiteral("١٢") << qint64(-1) << QString();
}

void TestJournal::cents()
{
    QFETCH(QString, figures);
    QFETCH(qint64, cents);
    QFETCH(QString, euros);
    QCOMPARE(journal::centsOf(figures).value_or(-1), cents);
    if (cents >= 0)
        QCOMPARE(journal::frenchEuros(cents), euros);
}

void TestJournal::iban_data()
{
    QTest::addColumn<QString>("iban");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("French, typed in groups") << QStringLiteral("fr76 3000 6000 0112 3456 7890 189") << true
                                             << QStringLiteral("FR76 3000 6000 0112 3456 7890 189");
    QTest::newRow("German") << QStringLiteral("DE89370400440532013000") << true
                            << QStringLiteral("DE89 3704 0044 0532 0130 00");
    QTest::newRow("Belgian, shortest") << QStringLiteral("BE68539007547034") << true
                                       << QStringLiteral("BE68 5390 0754 7034");
    QTest::newRow("Maltese, letters inside") << QStringLiteral("MT84MALT011000012345MTLCAST001S") << true
                                             << QStringLiteral("MT84 MALT 0110 0001 2345 MTLC AST0 01S");
    QTest::newRow("wrong check digit") << QStringLiteral("FR77 3000 6000 0112 3456 7890 189") << false << QString();
    QTest::newRow("two digits swapped") << QStringLiteral("FR76 3000 6000 0112 3456 7809 189") << false
                                        << QString();
    QTest::newRow("French, one short") << QStringLiteral("FR76 3000 6000 0112 3456 7890 18") << false << QString();
    QTest::newRow("punctuation") << QStringLiteral("FR76-3000-6000-0112-3456-7890-189") << false << QString();
    QTest::newRow("accented letter") << QStringLiteral("FR76 3000 6000 0112 3456 7890 18É") << false << QString();
    QTest::newRow("no country") << QStringLiteral("7630006000011234567890189") << false << QString();
    QTest::newRow("empty") << QStringLiteral("  ") << false << QString();
}

void TestJournal::iban()
{
    QFETCH(QString, iban);
    QFETCH(bool, sound);
    QFETCH(QString, grouped);
    const std::optional<QString> problem = journal::ibanProblem(iban);
    QVERIFY2(problem.has_value() != sound, qPrintable(problem.value_or(QString())));
    if (sound)
        QCOMPARE(journal::ibanGrouped(iban), grouped);
}

void TestJournal::csvReadBackBySpreadsheetRules()
{
    WorkingFolder folder;
    FixedClock clock;
    auto opened = Journal::open(folder.path(journal::JournalFileName), clock);
    QVERIFY2(opened, qPrintable(opened.error()));
    Journal &j = *opened->journal;
    const qint64 first = j.record(cheque(QStringLiteral("1575.98"))).valueOr(0);
    journal::PrintedCheque plain = cheque(QStringLiteral("0.05"), QStringLiteral("Crédit Rhône"),
                                          QDateTime(QDate(2026, 3, 8), QTime(9, 5)));
    plain.payee = QStringLiteral("Dupont");
    plain.source = journal::AmountSource::Typed;
    const qint64 second = j.record(plain).valueOr(0);
    QVERIFY(j.addNote(first, QStringLiteral("ligne 1\nligne \"2\"")));
    QVERIFY(j.deposit({first}, QDate(2026, 3, 9), QString()));

    const QString path = folder.path(QStringLiteral("export.csv"));
    const auto count = journal::exportCsv(j, {}, path);
    QVERIFY2(count, qPrintable(count.error()));
    QCOMPARE(*count, 2);
    QVERIFY(folder.read(QStringLiteral("export.csv")).startsWith("\xEF\xBB\xBF"));
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,sys\n"
                                 "for row in csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline=''),"
                                 " delimiter=';'):\n"
                                 "    sys.stdout.buffer.write(('\\x1f'.join(row) + '\\x1e').encode())\n"),
                  path});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(python.exitCode(), 0);
    QStringList rows = QString::fromUtf8(python.readAllStandardOutput()).split(QChar(0x1e));
    QCOMPARE(rows.takeLast(), QString());
    const QString sep(QChar(0x1f));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].split(sep).first(), QStringLiteral("N°"));
    QCOMPARE(rows[1].split(sep),
             (QStringList{QString::number(first), "07/03/2026 10:00", "07/03/2026", "1575,98", "EUR",
                          "Banque Lémane", "Éts Bœuf & Fils ; « Gérard »", "Saint-Étienne", "remis", "1",
                          "09/03/2026", "ligne 1\nligne \"2\"", "facturation", "Bureau"}));
    QCOMPARE(rows[2].split(sep),
             (QStringList{QString::number(second), "08/03/2026 09:05", "08/03/2026", "0,05", "EUR",
                          "Crédit Rhône", "Dupont", "Saint-Étienne", "imprimé", "", "", "", "saisi", "Bureau"}));
    // A file that cannot be written is told, and a previous export is kept.
    QVERIFY(!journal::exportCsv(j, {}, folder.path(QStringLiteral("absent/export.csv"))));
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
