// The journal at the size of years of a busy shop, a hundred cheques a day,
// generated in a temporary folder. Prints one line a measure, "name
// median_ms", medians of several runs. The window's figures are taken on
// whatever screen Qt is given (run.sh gives the offscreen one).
//
//   bench_journal [CHEQUES]                every measure, on 100,000 cheques
//                                          unless told
//   bench_journal --window CHEQUES         the window's measures only
//   bench_journal --generate FILE CHEQUES  only writes such a journal to FILE
//   bench_journal --server OWNER TILL [CHEQUES]
//                                          the journal on a PostgreSQL server,
//                                          a million cheques unless told: OWNER
//                                          and TILL are libpq addresses of an
//                                          empty database, as its owner and as
//                                          a till
#include "journal/journal.h"
#include "journal/journaldesk.h"
#include "journal/journalwindow.h"
#include "platform/clock.h"
#include "platform/printersurface.h"
#include "prompt_dialog/usertalk.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int ChequesADay = 100;
const QDate Today(2026, 12, 9);

class TodayClock final : public platform::Clock
{
public:
    QDate today() const override { return Today; }
    QDateTime now() const override { return QDateTime(Today, QTime::currentTime()); }
};

// The window is only opened and filtered here: anything that would print or
// ask the user is a fault of the measure.
class NoPrinting final : public journal::ChequePrinter
{
public:
    journal::Reprinted printAgain(const journal::PrintedCheque &, const QString &,
                                  const journal::MainWindowValues &) override
    {
        std::abort();
    }
    platform::PrinterSurface &currentPrinter() override { std::abort(); }
};

class NoTalk final : public prompt_dialog::UserTalk
{
public:
    prompt_dialog::PromptAnswer prompt(const QString &, int) override { std::abort(); }
};

// Written straight into the tables the journal made, in one transaction: a
// hundred thousand commits would take the benchmark's whole time.
bool generate(const QString &path, int cheques)
{
    const int days = std::max(1, cheques / ChequesADay);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("generator"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        ok = ok && query.exec(QStringLiteral("BEGIN"));
        QSqlQuery cheque(db);
        QSqlQuery event(db);
        cheque.prepare(QStringLiteral(
            "INSERT INTO cheques (id, printed_at, cheque_date, amount, cents, words1, words2, payee, place,"
            " bank_name, layout_file, printer, source) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'typed')"));
        event.prepare(QStringLiteral("INSERT INTO events (cheque_id, at, kind, detail, remittance)"
                                     " VALUES (?, ?, ?, ?, ?)"));
        const QStringList banks{QStringLiteral("Crédit Léman"), QStringLiteral("Banque du Rhône"),
                                QStringLiteral("Caisse Épargne Sud"), QStringLiteral("Banque Populaire d'Oc")};
        const QDate first = Today.addDays(-(days - 1));
        for (int i = 0; ok && i < cheques; ++i) {
            const QDate day = first.addDays(qint64(i) * days / cheques);
            const QDateTime at(day, QTime(8, 0).addSecs((i % ChequesADay) * 300));
            const qint64 cents = 100 + (i * 7919) % 250000;
            const QString amount = QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
            const QString when = at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
            for (const QVariant &value :
                 {QVariant(i + 1), QVariant(when), QVariant(day.toString(QStringLiteral("dd/MM/yyyy"))),
                  QVariant(amount), QVariant(cents), QVariant(QStringLiteral("**** DEUX CENTS EUROS")),
                  QVariant(QStringLiteral("ET DIX CENTIMES ****")), QVariant(QStringLiteral("Épicerie Zoé")),
                  QVariant(QStringLiteral("Saint-Étienne")), QVariant(banks[i % banks.size()]),
                  QVariant(QStringLiteral("bq_X.txt")), QVariant(QStringLiteral("Bureau"))})
                cheque.addBindValue(value);
            ok = cheque.exec();
            for (const QVariant &value : {QVariant(i + 1), QVariant(when), QVariant(QStringLiteral("printed")),
                                          QVariant(QStringLiteral("")), QVariant()})
                event.addBindValue(value);
            ok = ok && event.exec();
        }
        // Every cheque before the last week deposited, by day.
        QSqlQuery remittances(db);
        ok =
            ok &&
            remittances.exec(
                QStringLiteral("INSERT INTO remittances (number, date, account, made_at)"
                               " SELECT row_number() OVER (ORDER BY d), d, '', d || 'T18:00:00.000' FROM"
                               " (SELECT DISTINCT substr(printed_at, 1, 10) AS d FROM cheques WHERE printed_at < '%1')")
                    .arg(Today.addDays(-7).toString(Qt::ISODate))) &&
            remittances.exec(
                QStringLiteral("INSERT INTO events (cheque_id, at, kind, detail, remittance)"
                               " SELECT c.id, r.made_at, 'deposited', 'remise ' || r.number, r.number"
                               " FROM cheques c JOIN remittances r ON r.date = substr(c.printed_at, 1, 10)"));
        ok = ok && query.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("generator"));
    return ok;
}

// The same journal on a server, made by the program as its owner, then
// filled by the server itself: its triggers are held while the rows go in,
// where each cheque stands written once at the end.
bool generateOnServer(const QString &owner, int cheques, const platform::Clock &clock)
{
    const auto address = journal::ServerAddress::parse(owner);
    if (!address || !journal::Journal::openServer(*address, QStringLiteral("Propriétaire"), clock)) {
        std::fprintf(stderr, "le journal du serveur n'a pas pu être fait\n");
        return false;
    }
    const int days = std::max(1, cheques / ChequesADay);
    const QDate first = Today.addDays(-(days - 1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("generator"));
        db.setConnectOptions(address->options());
        ok = db.open();
        if (!ok)
            std::fprintf(stderr, "%s\n", db.lastError().text().toUtf8().constData());
        QSqlQuery query(db);
        const QStringList steps{
            QStringLiteral("BEGIN"),
            QStringLiteral("ALTER TABLE cheques DISABLE TRIGGER USER"),
            QStringLiteral("ALTER TABLE events DISABLE TRIGGER USER"),
            QStringLiteral("ALTER TABLE remittances DISABLE TRIGGER USER"),
            QStringLiteral(
                "INSERT INTO cheques (id, printed_at, cheque_date, amount, cents, words1, words2, payee, place,"
                " bank_name, layout_file, printer, source, uuid, till)"
                " SELECT i, to_char(at, 'YYYY-MM-DD\"T\"HH24:MI:SS.MS'), to_char(at, 'DD/MM/YYYY'),"
                " (cents / 100) || '.' || lpad((cents % 100)::text, 2, '0'), cents, '**** DEUX CENTS EUROS',"
                " 'ET DIX CENTIMES ****', 'Épicerie Zoé', 'Saint-Étienne',"
                " (ARRAY['Crédit Léman', 'Banque du Rhône', 'Caisse Épargne Sud', 'Banque Populaire d''Oc'])"
                "[(i - 1) % 4 + 1], 'bq_X.txt', 'Bureau', 'typed', md5(i::text)::uuid::text,"
                " 'Caisse ' || ((i - 1) % 3 + 1)"
                " FROM (SELECT i, 100 + ((i - 1)::bigint * 7919) % 250000 AS cents,"
                " DATE '%1' + (((i - 1)::bigint * %2) / %3)::int + TIME '08:00' + ((i - 1) % %4) * INTERVAL '5 min'"
                " AS at FROM generate_series(1, %3) AS i) AS g")
                .arg(first.toString(Qt::ISODate))
                .arg(days)
                .arg(std::max(1, cheques))
                .arg(ChequesADay),
            QStringLiteral("INSERT INTO events (cheque_id, at, kind) SELECT id, printed_at, 'printed' FROM cheques"),
            // Every cheque before the last week deposited, by day.
            QStringLiteral("INSERT INTO remittances (number, date, account, made_at)"
                           " SELECT row_number() OVER (ORDER BY d), d, '', d || 'T18:00:00.000' FROM"
                           " (SELECT DISTINCT substr(printed_at, 1, 10) AS d FROM cheques WHERE printed_at < '%1') s")
                .arg(Today.addDays(-7).toString(Qt::ISODate)),
            QStringLiteral("INSERT INTO events (cheque_id, at, kind, detail, remittance)"
                           " SELECT c.id, r.made_at, 'deposited', 'remise ' || r.number, r.number"
                           " FROM cheques c JOIN remittances r ON r.date = substr(c.printed_at, 1, 10)"),
            QStringLiteral("INSERT INTO standing (cheque_id, kind) SELECT c.id, CASE WHEN EXISTS (SELECT 1 FROM"
                           " events e WHERE e.cheque_id = c.id AND e.kind = 'deposited') THEN 'deposited'"
                           " ELSE 'printed' END FROM cheques c"),
            QStringLiteral("ALTER TABLE cheques ENABLE TRIGGER USER"),
            QStringLiteral("ALTER TABLE events ENABLE TRIGGER USER"),
            QStringLiteral("ALTER TABLE remittances ENABLE TRIGGER USER"),
            QStringLiteral("SELECT setval(pg_get_serial_sequence('cheques', 'id'), (SELECT max(id) FROM cheques))"),
            QStringLiteral("SELECT setval(pg_get_serial_sequence('events', 'id'), (SELECT max(id) FROM events))"),
            QStringLiteral("COMMIT"),
            QStringLiteral("ANALYZE cheques, events, remittances, standing"),
        };
        for (const QString &step : steps) {
            if (ok && !query.exec(step)) {
                std::fprintf(stderr, "%s\n", query.lastError().text().toUtf8().constData());
                ok = false;
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("generator"));
    return ok;
}

template <typename F>
double medianMs(int runs, F &&measured)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!measured())
            return -1;
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The window as the user opens it, up to its first rows drawn; then a new
// start date, up to the rows drawn again.
bool measureWindow(journal::Journal &journal, const platform::Clock &clock)
{
    NoPrinting printing;
    NoTalk talk;
    journal::JournalDesk desk(journal, {}, printing, talk, clock);
    const double window = medianMs(9, [&] {
        journal::JournalWindow shown(desk);
        shown.show();
        const bool drawn = !shown.grab().isNull();
        return drawn && shown.table->model()->rowCount() > 0;
    });
    journal::JournalWindow filtered(desk);
    filtered.show();
    (void)filtered.grab();
    int week = 0;
    const double windowRange = medianMs(9, [&] {
        filtered.from->setDate(Today.addDays(-7 * (++week % 50)));
        return !filtered.table->viewport()->grab().isNull() && filtered.table->model()->rowCount() > 0;
    });
    std::printf("window %.1f\nwindow-range %.1f\n", window, windowRange);
    return window >= 0 && windowRange >= 0;
}

// Eight tills recording 500 cheques each at once, each on its own
// connection: the cheques a second and the slowest record.
bool measureTillsAtOnce(const journal::ServerAddress &till, const platform::Clock &clock)
{
    constexpr int Tills = 8;
    constexpr int Each = 500;
    std::atomic<bool> failed{false};
    std::vector<double> slowest(Tills, 0);
    QElapsedTimer wall;
    wall.start();
    std::vector<std::thread> threads;
    for (int t = 0; t < Tills; ++t) {
        threads.emplace_back([&, t] {
            auto opened = journal::Journal::openServer(till, QStringLiteral("Caisse %1").arg(t + 1), clock);
            if (!opened) {
                failed = true;
                return;
            }
            journal::PrintedCheque cheque;
            cheque.amount = QStringLiteral("12.50");
            cheque.bankName = QStringLiteral("Crédit Léman");
            for (int i = 0; i < Each && !failed; ++i) {
                QElapsedTimer one;
                one.start();
                if (!(*opened)->record(cheque)) {
                    failed = true;
                    return;
                }
                slowest[t] = std::max(slowest[t], double(one.nsecsElapsed()) / 1e6);
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    std::printf("tills-per-second %.0f\ntills-slowest %.1f\n", Tills * Each / seconds,
                *std::max_element(slowest.begin(), slowest.end()));
    return !failed;
}

int serverMeasures(const QStringList &arguments, const platform::Clock &clock)
{
    bool given = false;
    const int told = arguments.value(3).toInt(&given);
    const int cheques = given && told > 0 ? told : 1000000;
    if (!generateOnServer(arguments.value(1), cheques, clock))
        return 1;
    const auto till = journal::ServerAddress::parse(arguments.value(2));
    auto opened = till ? journal::Journal::openServer(*till, QStringLiteral("Caisse 1"), clock)
                       : platform::Result<std::unique_ptr<journal::Journal>>(till.failure());
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().toUtf8().constData());
        return 1;
    }
    journal::Journal &journal = **opened;
    journal::PrintedCheque cheque;
    cheque.amount = QStringLiteral("1575.98");
    cheque.bankName = QStringLiteral("Crédit Léman");
    const double record = medianMs(21, [&] { return journal.record(cheque).ok(); });
    // The last thousand days: a hundred thousand cheques.
    const journal::Filter years{Today.addDays(-999), Today, QString(), std::nullopt};
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("export.csv"));
    int exportedRows = 0;
    const double exported = medianMs(3, [&] {
        const platform::Result<int> written = journal::exportCsv(journal, years, csv);
        exportedRows = written.valueOr(0);
        return written.ok();
    });
    std::printf("server-record %.1f\nserver-export %.1f\nserver-export-rows %d\n", record, exported, exportedRows);
    const bool tills = measureTillsAtOnce(*till, clock);
    return record >= 0 && exported >= 0 && tills && measureWindow(journal, clock) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--server"))
        return serverMeasures(arguments, TodayClock());
    const bool windowOnly = arguments.value(0) == QLatin1String("--window");
    const bool generateOnly = arguments.value(0) == QLatin1String("--generate");
    const QString size = generateOnly ? arguments.value(2) : windowOnly ? arguments.value(1) : arguments.value(0);
    bool given = false;
    const int told = size.toInt(&given);
    const int cheques = given && told >= 0 ? told : 100000;
    QTemporaryDir dir;
    const QString path = generateOnly ? arguments.value(1) : dir.filePath(journal::JournalFileName);
    TodayClock clock;
    {
        auto created = journal::Journal::open(path, clock);
        if (!created || !generate(path, cheques)) {
            std::fprintf(stderr, "le journal de mesure n'a pas pu être fait\n");
            return 1;
        }
    }
    if (generateOnly)
        return 0;
    std::unique_ptr<journal::Journal> journal;
    const double open = medianMs(windowOnly ? 1 : 5, [&] {
        journal.reset();
        auto opened = journal::Journal::open(path, clock);
        if (opened)
            journal = std::move(std::move(opened).value().journal);
        return journal != nullptr;
    });
    if (windowOnly)
        return open >= 0 && measureWindow(*journal, clock) ? 0 : 1;
    const journal::Filter today{Today, Today, QString(), std::nullopt};
    const double firstPage =
        medianMs(9, [&] { return journal->page(today, {}, {}, 50).ok() && journal->totals(today).ok(); });
    int month = 0;
    const double range = medianMs(9, [&] {
        const QDate from = Today.addMonths(-(++month % 24));
        const journal::Filter filter{from, from.addMonths(1), QString(), std::nullopt};
        return journal->page(filter, {}, {}, 50).ok() && journal->totals(filter).ok();
    });
    journal::PrintedCheque cheque;
    cheque.amount = QStringLiteral("1575.98");
    cheque.bankName = QStringLiteral("Crédit Léman");
    const double record = medianMs(21, [&] { return journal->record(cheque).ok(); });
    const double undeposited = medianMs(5, [&] { return journal->undeposited().ok(); });
    const QString csv = dir.filePath(QStringLiteral("export.csv"));
    const double exported = medianMs(3, [&] { return journal::exportCsv(*journal, {}, csv).ok(); });
    std::printf("open %.1f\nfirst-page %.1f\ndate-range %.1f\nrecord %.1f\nundeposited %.1f\nexport %.1f\n", open,
                firstPage, range, record, undeposited, exported);
    const bool windowMeasured = measureWindow(*journal, clock);
    return open < 0 || firstPage < 0 || range < 0 || record < 0 || exported < 0 || !windowMeasured ? 1 : 0;
}
