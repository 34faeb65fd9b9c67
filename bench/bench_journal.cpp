// The journal at the size of years of a busy shop, a hundred cheques a day,
// generated in a temporary folder. Prints one line a measure, "name
// median_ms", medians of several runs. The window's figures are taken on
// whatever screen Qt is given (run.sh gives the offscreen one).
//
//   bench_journal [CHEQUES]                every measure, on 100,000 cheques
//                                          unless told
//   bench_journal --window CHEQUES         the window's measures only
//   bench_journal --generate FILE CHEQUES  only writes such a journal to FILE
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
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
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
