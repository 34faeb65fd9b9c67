#include "journal/journal.h"

#include "platform/clock.h"
#include "platform/folder.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace journal {

const QString JournalFileName = QStringLiteral("ormeline_journal.sqlite");

namespace {

// The schema's version, in PRAGMA user_version. A file of an older version is
// brought forward by the steps below, each in the transaction that opens it;
// a new file goes through the same steps, so that they are always the ones
// run.
constexpr int SchemaVersion = 2;

// Version 1: the cheques, their events and the remittance slips.
const char *const SchemaToVersion1[] = {
    "CREATE TABLE cheques ("
    " id INTEGER PRIMARY KEY,"
    " printed_at TEXT NOT NULL,"  // local time, yyyy-MM-ddTHH:mm:ss.zzz
    " cheque_date TEXT NOT NULL," // as printed, dd/mm/yyyy
    " amount TEXT NOT NULL,"      // as printed, 1575.98
    " cents INTEGER NOT NULL,"
    " words1 TEXT NOT NULL, words2 TEXT NOT NULL,"
    " payee TEXT NOT NULL, place TEXT NOT NULL,"
    " bank_name TEXT NOT NULL, layout_file TEXT NOT NULL, printer TEXT NOT NULL,"
    " source TEXT NOT NULL CHECK (source IN ('handed_over', 'typed')))",
    "CREATE TABLE remittances ("
    " number INTEGER PRIMARY KEY,"
    " date TEXT NOT NULL," // yyyy-MM-dd
    " account TEXT NOT NULL,"
    " made_at TEXT NOT NULL)",
    "CREATE TABLE events ("
    " id INTEGER PRIMARY KEY,"
    " cheque_id INTEGER NOT NULL REFERENCES cheques (id),"
    " at TEXT NOT NULL,"
    " kind TEXT NOT NULL CHECK (kind IN ('printed', 'spoiled', 'cancelled', 'deposited',"
    "                                    'replaced_by', 'reprint_of')),"
    " detail TEXT NOT NULL DEFAULT '',"
    " remittance INTEGER REFERENCES remittances (number),"
    " other_id INTEGER REFERENCES cheques (id))",
    "CREATE INDEX events_cheque ON events (cheque_id, id)",
};

// Version 2: notes, the shop's settings (the slip's account), the indexes
// that answer a large journal's first page and totals at once, and triggers
// that refuse any rewrite of history.
const char *const SchemaToVersion2[] = {
    "CREATE TABLE notes ("
    " id INTEGER PRIMARY KEY,"
    " cheque_id INTEGER NOT NULL REFERENCES cheques (id),"
    " at TEXT NOT NULL,"
    " text TEXT NOT NULL)",
    "CREATE INDEX notes_cheque ON notes (cheque_id, id)",
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    // Covering the totals of a date range; newest first by walking it back.
    "CREATE INDEX cheques_printed ON cheques (printed_at, cents)",
    "CREATE INDEX cheques_bank ON cheques (bank_name, printed_at, cents)",
    "CREATE INDEX events_other ON events (other_id) WHERE other_id IS NOT NULL",
    "CREATE INDEX events_remittance ON events (remittance) WHERE remittance IS NOT NULL",
    "CREATE TRIGGER cheques_kept_u BEFORE UPDATE ON cheques BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER cheques_kept_d BEFORE DELETE ON cheques BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER events_kept_u BEFORE UPDATE ON events BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER events_kept_d BEFORE DELETE ON events BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER notes_kept_u BEFORE UPDATE ON notes BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER notes_kept_d BEFORE DELETE ON notes BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER remittances_kept_u BEFORE UPDATE ON remittances BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
    "CREATE TRIGGER remittances_kept_d BEFORE DELETE ON remittances BEGIN SELECT RAISE(ABORT, 'history is kept'); END",
};

// A second program busy with the journal is waited for this long.
const QString ConnectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=20000");

const QString TimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");
const QString DayFormat = QStringLiteral("yyyy-MM-dd");

// The kinds of events that set where a cheque stands.
const QString StatusKinds = QStringLiteral("('printed', 'spoiled', 'cancelled', 'deposited')");

QString timeText(const QDateTime &at)
{
    return at.toString(TimeFormat);
}

QDateTime timeOf(const QString &text)
{
    // Read by hand, and the local offset asked of the system once an hour of
    // the calendar: each answer costs a look at the time zone file, which
    // made reading out a large journal take seconds.
    if (text.size() != 23)
        return QDateTime::fromString(text, TimeFormat);
    const auto number = [&](int from, int length) { return QStringView(text).mid(from, length).toInt(); };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
    if (!date.isValid() || !time.isValid())
        return QDateTime::fromString(text, TimeFormat);
    static thread_local QHash<qint64, int> offsets;
    const qint64 hour = date.toJulianDay() * 24 + time.hour();
    auto offset = offsets.constFind(hour);
    if (offset == offsets.constEnd())
        offset = offsets.insert(hour, QDateTime(date, QTime(time.hour(), 0)).offsetFromUtc());
    const qint64 utc = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch() - qint64(*offset) * 1000;
    return QDateTime::fromMSecsSinceEpoch(utc, Qt::LocalTime);
}

QString statusCode(Status status)
{
    switch (status) {
    case Status::Printed:
        return QStringLiteral("printed");
    case Status::Spoiled:
        return QStringLiteral("spoiled");
    case Status::Cancelled:
        return QStringLiteral("cancelled");
    case Status::Deposited:
        return QStringLiteral("deposited");
    }
    return QString();
}

Status statusOfCode(const QString &code)
{
    if (code == QLatin1String("spoiled"))
        return Status::Spoiled;
    if (code == QLatin1String("cancelled"))
        return Status::Cancelled;
    if (code == QLatin1String("deposited"))
        return Status::Deposited;
    return Status::Printed;
}

QString kindLabel(const QString &code)
{
    if (code == QLatin1String("replaced_by"))
        return QStringLiteral("réimprimé");
    if (code == QLatin1String("reprint_of"))
        return QStringLiteral("réimpression");
    if (code == QLatin1String("note"))
        return QStringLiteral("note");
    return statusLabel(statusOfCode(code));
}

QString remittanceText(qint64 number, const QDate &date)
{
    return QStringLiteral("remise %1 du %2").arg(number).arg(date.toString(QStringLiteral("dd/MM/yyyy")));
}

// SQLite's primary result codes that the user can be told about.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Auth = 23,
    NotADatabase = 26
};

int sqliteCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : -1;
}

bool isDamage(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == Corrupt || code == NotADatabase;
}

QString reason(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral("le journal est occupé par un autre programme depuis trop longtemps");
    case ReadOnly:
        return QStringLiteral("le journal est en lecture seule (fichier ou dossier protégé)");
    case IoError:
        return QStringLiteral("le disque n'a pas pu lire ou écrire le journal");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("le journal est abîmé");
    case Full:
        return QStringLiteral("le disque est plein");
    case CantOpen:
    case Auth:
        return QStringLiteral("le journal ne peut pas être ouvert (dossier introuvable ou accès refusé)");
    default:
        break;
    }
    return QStringLiteral("le journal a refusé l'opération (%1)").arg(error.text().trimmed());
}

platform::Failure failure(const QSqlQuery &query)
{
    return platform::fail(reason(query.lastError()));
}

// A statement run with its values bound in order.
bool run(QSqlQuery &query, const QString &sql, const QVariantList &values = {})
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant &value : values) {
        // An empty text is a text: Qt binds a null QString as NULL.
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    return query.exec();
}

// One change, all of it or none: BEGIN IMMEDIATE takes the write lock at
// once (a second program is waited for there, not half-way), and a change
// left without commit() is rolled back.
class Transaction
{
public:
    explicit Transaction(const QSqlDatabase &db)
        : m_db(db)
    {
    }
    ~Transaction()
    {
        if (m_open) {
            QSqlQuery rollback(m_db);
            rollback.exec(QStringLiteral("ROLLBACK"));
        }
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    platform::Result<void> begin()
    {
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return failure(query);
        m_open = true;
        return {};
    }
    platform::Result<void> commit()
    {
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("COMMIT")))
            return failure(query);
        m_open = false;
        return {};
    }

private:
    QSqlDatabase m_db;
    bool m_open = false;
};

// The columns an Entry is read from, for `FROM cheques c` joined with its
// status event `s` and that event's slip `r`.
const QString EntryColumns = QStringLiteral(
    "c.id, c.printed_at, c.cheque_date, c.amount, c.words1, c.words2, c.payee, c.place, c.bank_name,"
    " c.layout_file, c.printer, c.source, c.cents, s.kind, s.at, s.detail, s.remittance, r.date,"
    " (SELECT other_id FROM events x WHERE x.cheque_id = c.id AND x.kind = 'replaced_by' ORDER BY x.id DESC LIMIT 1),"
    " (SELECT other_id FROM events x WHERE x.cheque_id = c.id AND x.kind = 'reprint_of' ORDER BY x.id DESC LIMIT 1),"
    " (SELECT text FROM notes n WHERE n.cheque_id = c.id ORDER BY n.id DESC LIMIT 1)");

QString statusJoin()
{
    return QStringLiteral(
               " JOIN events s ON s.id = (SELECT e.id FROM events e WHERE e.cheque_id = c.id AND e.kind IN ") +
           StatusKinds + QStringLiteral(" ORDER BY e.id DESC LIMIT 1)");
}

QString entrySource()
{
    return QStringLiteral(" FROM cheques c") + statusJoin() +
           QStringLiteral(" LEFT JOIN remittances r ON r.number = s.remittance");
}

Entry readEntry(const QSqlQuery &query)
{
    Entry entry;
    entry.id = query.value(0).toLongLong();
    PrintedCheque &cheque = entry.cheque;
    cheque.printedAt = timeOf(query.value(1).toString());
    cheque.date = query.value(2).toString();
    cheque.amount = query.value(3).toString();
    cheque.wordsLine1 = query.value(4).toString();
    cheque.wordsLine2 = query.value(5).toString();
    cheque.payee = query.value(6).toString();
    cheque.place = query.value(7).toString();
    cheque.bankName = query.value(8).toString();
    cheque.layoutFile = query.value(9).toString();
    cheque.printer = query.value(10).toString();
    cheque.source =
        query.value(11).toString() == QLatin1String("handed_over") ? AmountSource::HandedOver : AmountSource::Typed;
    entry.cents = query.value(12).toLongLong();
    entry.status = statusOfCode(query.value(13).toString());
    entry.statusAt = timeOf(query.value(14).toString());
    entry.statusReason = entry.status == Status::Printed ? QString() : query.value(15).toString();
    entry.remittance = query.value(16).toLongLong();
    entry.remittanceDate = QDate::fromString(query.value(17).toString(), DayFormat);
    entry.replacedBy = query.value(18).toLongLong();
    entry.reprintOf = query.value(19).toLongLong();
    entry.note = query.value(20).toString();
    return entry;
}

// The WHERE of a filter, and the values it binds in order.
struct Condition
{
    QString sql;
    QVariantList values;
};

Condition conditionOf(const Filter &filter, bool withStatus)
{
    QStringList parts;
    Condition condition;
    // Local times written as text sort as they read: a day is a range of
    // them, which the index on printed_at answers.
    if (filter.from.isValid()) {
        parts << QStringLiteral("c.printed_at >= ?");
        condition.values << filter.from.toString(DayFormat);
    }
    if (filter.to.isValid()) {
        parts << QStringLiteral("c.printed_at < ?");
        condition.values << filter.to.addDays(1).toString(DayFormat);
    }
    if (!filter.bankName.isEmpty()) {
        parts << QStringLiteral("c.bank_name = ?");
        condition.values << filter.bankName;
    }
    if (withStatus && filter.status) {
        parts << QStringLiteral("s.kind = ?");
        condition.values << statusCode(*filter.status);
    }
    if (!parts.isEmpty())
        condition.sql = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}

std::atomic<quint64> connections{0};

// A NULL column.
const QVariant NoValue = QVariant(QMetaType::fromType<qint64>());

enum class Health { Sound, Damaged };

struct Connected
{
    std::unique_ptr<Journal> journal;
    Health health = Health::Sound;
};

} // namespace

QString statusLabel(Status status)
{
    switch (status) {
    case Status::Printed:
        return QStringLiteral("imprimé");
    case Status::Spoiled:
        return QStringLiteral("gâché");
    case Status::Cancelled:
        return QStringLiteral("annulé");
    case Status::Deposited:
        return QStringLiteral("remis");
    }
    return QString();
}

struct Journal::Private
{
    QString connection;
    QSqlDatabase db;
    const platform::Clock *clock = nullptr;
    QString path;

    static platform::Result<Connected> connect(const QString &path, const platform::Clock &clock, bool write);
    platform::Result<Health> prepare(bool write);
    // Links a reprint to the cheque it replaces, inside the caller's
    // transaction.
    platform::Result<void> link(qint64 original, qint64 reprint);
    platform::Result<void> migrate();
    platform::Result<std::optional<Entry>> entryIn(qint64 id) const;
    // Where a cheque stands, refusing a change unless it is still "imprimé".
    platform::Result<void> mayChange(qint64 id) const;
    platform::Result<void> addEvent(qint64 id, const QString &kind, const QString &detail, const QVariant &remittance,
                                    const QVariant &other);
};

Journal::Journal()
    : d(std::make_unique<Private>())
{
}

Journal::~Journal()
{
    const QString name = d->connection;
    d->db.close();
    d->db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

platform::Result<Health> Journal::Private::prepare(bool write)
{
    if (!db.open())
        return isDamage(db.lastError()) ? platform::Result<Health>(Health::Damaged)
                                        : platform::Result<Health>(platform::fail(reason(db.lastError())));
    QSqlQuery query(db);
    // Read through memory rather than a system call a page, the check
    // included: years of cheques are a few tens of megabytes. What these
    // say of a damaged file, the check says better.
    query.exec(QStringLiteral("PRAGMA cache_size=-32768"));
    query.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
    query.finish();
    // Not a database at all shows here, at the first read.
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        if (isDamage(query.lastError()))
            return Health::Damaged;
        return failure(query);
    }
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return Health::Damaged;
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return isDamage(query.lastError()) ? platform::Result<Health>(Health::Damaged)
                                           : platform::Result<Health>(failure(query));
    const int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion)
        return platform::fail(QStringLiteral("le journal a été écrit par une version plus récente d'Ormeline"));
    if (version == 0) {
        // A database of some other program's, under our name: kept aside
        // rather than written into.
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
            return failure(query);
        if (query.value(0).toInt() != 0)
            return Health::Damaged;
        query.finish();
    }
    // Write-ahead logging: one synchronous write a change, and readers (the
    // window of a second copy of the program) do not stop a writer. Where the
    // file system cannot share its index, SQLite stays with its rollback
    // journal, which is as safe.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        return failure(query);
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA synchronous=FULL")) || !query.exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return failure(query);

    if (version < SchemaVersion) {
        if (const platform::Result<void> migrated = migrate(); !migrated)
            return platform::fail(migrated.error());
    } else if (write) {
        // Told now, not at the first cheque: a journal that cannot be
        // written to (a protected file or folder).
        Transaction probe(db);
        if (const platform::Result<void> begun = probe.begin(); !begun)
            return platform::fail(begun.error());
    }
    return Health::Sound;
}

platform::Result<void> Journal::Private::migrate()
{
    Transaction transaction(db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    QSqlQuery query(db);
    // Another copy of the program may have done it while this one waited.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failure(query);
    int version = query.value(0).toInt();
    query.finish();
    const auto apply = [&](const auto &statements) -> bool {
        for (const char *statement : statements) {
            if (!query.exec(QString::fromUtf8(statement)))
                return false;
        }
        return true;
    };
    if (version < 1 && !apply(SchemaToVersion1))
        return failure(query);
    if (version < 2 && !apply(SchemaToVersion2))
        return failure(query);
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
        return failure(query);
    return transaction.commit();
}

namespace {

// The file and what SQLite keeps beside it while it is in use.
const QStringList Companions{QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};

// Renames a damaged journal, and what SQLite keeps beside it, with the date
// and time in the name; never in place of anything: a name taken gets a
// counter. Gives the new name of the file itself.
platform::Result<QString> setAside(const QString &path, const QDateTime &now)
{
    const QString stem = path + QStringLiteral(".abîmé-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString aside = attempt == 1 ? stem : QStringLiteral("%1-%2").arg(stem).arg(attempt);
        bool taken = false;
        for (const QString &companion : Companions)
            taken = taken || platform::fileExists(aside + companion);
        if (taken)
            continue;
        const platform::Result<void> renamed = platform::renameFile(path, aside);
        if (!renamed) {
            if (platform::fileExists(aside))
                continue; // taken meanwhile
            return platform::fail(renamed.error());
        }
        // Kept with it: a log left beside the new file would be played
        // into it.
        for (const QString &companion : Companions.mid(1)) {
            if (platform::fileExists(path + companion)) {
                if (const platform::Result<void> moved = platform::renameFile(path + companion, aside + companion);
                    !moved)
                    return platform::fail(moved.error());
            }
        }
        return aside;
    }
    return platform::fail(QStringLiteral("aucun nom libre pour mettre de côté le journal abîmé"));
}

} // namespace

platform::Result<Connected> Journal::Private::connect(const QString &path, const platform::Clock &clock, bool write)
{
    {
        std::unique_ptr<Journal> journal(new Journal());
        Journal::Private &d = *journal->d;
        d.connection = QStringLiteral("ormeline-journal-%1").arg(++connections);
        d.clock = &clock;
        d.path = path;
        d.db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d.connection);
        if (!d.db.isValid())
            return platform::fail(QStringLiteral("le pilote SQLite de Qt est absent (paquet libqt6sql6-sqlite)"));
        d.db.setDatabaseName(path);
        d.db.setConnectOptions(ConnectOptions);
        const platform::Result<Health> health = d.prepare(write);
        if (!health)
            return platform::fail(health.error());
        return Connected{std::move(journal), *health};
    }
}

platform::Result<Journal::Opened> Journal::open(const QString &path, const platform::Clock &clock)
{
    platform::Result<Connected> connected = Private::connect(path, clock, true);
    if (!connected)
        return platform::fail(connected.error());
    if (connected->health == Health::Sound)
        return Opened{std::move(std::move(connected).value().journal), QString()};
    // Closed before it is renamed.
    std::move(connected).value().journal.reset();
    const platform::Result<QString> aside = setAside(path, clock.now());
    if (!aside) {
        return platform::fail(
            QStringLiteral("le journal est abîmé et ne peut pas être mis de côté (%1)").arg(aside.error()));
    }
    platform::Result<Connected> fresh = Private::connect(path, clock, true);
    if (!fresh)
        return platform::fail(fresh.error());
    if (fresh->health != Health::Sound)
        return platform::fail(QStringLiteral("un nouveau journal ne peut pas être commencé"));
    return Opened{std::move(std::move(fresh).value().journal),
                  QStringLiteral("Le journal des chèques était abîmé : il a été mis de côté sous le nom « %1 » "
                                 "et un nouveau journal a été commencé.")
                      .arg(*aside)};
}

platform::Result<std::unique_ptr<Journal>> Journal::openExisting(const QString &path, const platform::Clock &clock)
{
    if (!platform::fileExists(path))
        return platform::fail(QStringLiteral("il n'y a pas de journal des chèques (« %1 » est introuvable)").arg(path));
    platform::Result<Connected> connected = Private::connect(path, clock, false);
    if (!connected)
        return platform::fail(connected.error());
    if (connected->health != Health::Sound)
        return platform::fail(QStringLiteral("le journal « %1 » est abîmé ; Ormeline le mettra de côté à son "
                                             "prochain lancement")
                                  .arg(path));
    return std::move(std::move(connected).value().journal);
}

platform::Result<qint64> Journal::record(const PrintedCheque &cheque)
{
    const std::optional<qint64> cents = centsOf(cheque.amount);
    if (!cents)
        return platform::fail(QStringLiteral("le montant « %1 » n'est pas un montant").arg(cheque.amount));
    const QString at = timeText(cheque.printedAt.isValid() ? cheque.printedAt : d->clock->now());
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return platform::fail(begun.error());
    QSqlQuery query(d->db);
    if (!run(query,
             QStringLiteral("INSERT INTO cheques (printed_at, cheque_date, amount, cents, words1, words2, payee, place,"
                            " bank_name, layout_file, printer, source) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {at, cheque.date, cheque.amount, *cents, cheque.wordsLine1, cheque.wordsLine2, cheque.payee, cheque.place,
              cheque.bankName, cheque.layoutFile, cheque.printer,
              cheque.source == AmountSource::HandedOver ? QStringLiteral("handed_over") : QStringLiteral("typed")}))
        return failure(query);
    const qint64 id = query.lastInsertId().toLongLong();
    if (!run(query, QStringLiteral("INSERT INTO events (cheque_id, at, kind) VALUES (?, ?, 'printed')"), {id, at}))
        return failure(query);
    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return platform::fail(committed.error());
    return id;
}

platform::Result<std::optional<Entry>> Journal::Private::entryIn(qint64 id) const
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query, QStringLiteral("SELECT ") + EntryColumns + entrySource() + QStringLiteral(" WHERE c.id = ?"), {id}))
        return failure(query);
    if (!query.next())
        return std::optional<Entry>();
    return std::optional<Entry>(readEntry(query));
}

platform::Result<void> Journal::Private::mayChange(qint64 id) const
{
    const platform::Result<std::optional<Entry>> found = entryIn(id);
    if (!found)
        return platform::fail(found.error());
    if (!*found)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(id));
    const Entry &entry = **found;
    switch (entry.status) {
    case Status::Printed:
        return {};
    case Status::Spoiled:
        return platform::fail(QStringLiteral("le chèque n° %1 est déjà marqué gâché").arg(id));
    case Status::Cancelled:
        return platform::fail(QStringLiteral("le chèque n° %1 est annulé").arg(id));
    case Status::Deposited:
        return platform::fail(QStringLiteral("le chèque n° %1 est déjà remis en banque (%2)")
                                  .arg(id)
                                  .arg(remittanceText(entry.remittance, entry.remittanceDate)));
    }
    return {};
}

platform::Result<void> Journal::Private::addEvent(qint64 id, const QString &kind, const QString &detail,
                                                  const QVariant &remittance, const QVariant &other)
{
    QSqlQuery query(db);
    if (!run(query,
             QStringLiteral("INSERT INTO events (cheque_id, at, kind, detail, remittance, other_id)"
                            " VALUES (?, ?, ?, ?, ?, ?)"),
             {id, timeText(clock->now()), kind, detail, remittance, other}))
        return failure(query);
    return {};
}

platform::Result<void> Journal::markSpoiled(qint64 id, const QString &reason, qint64 replacedBy)
{
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    if (const platform::Result<void> may = d->mayChange(id); !may)
        return may;
    if (const platform::Result<void> added = d->addEvent(id, QStringLiteral("spoiled"), reason, NoValue, NoValue);
        !added)
        return added;
    if (replacedBy != 0) {
        if (const platform::Result<void> linked = d->link(id, replacedBy); !linked)
            return linked;
    }
    return transaction.commit();
}

platform::Result<void> Journal::cancel(qint64 id, const QString &reason)
{
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    if (const platform::Result<void> may = d->mayChange(id); !may)
        return may;
    if (const platform::Result<void> added = d->addEvent(id, QStringLiteral("cancelled"), reason, NoValue, NoValue);
        !added)
        return added;
    return transaction.commit();
}

platform::Result<void> Journal::addNote(qint64 id, const QString &note)
{
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    const platform::Result<std::optional<Entry>> found = d->entryIn(id);
    if (!found)
        return platform::fail(found.error());
    if (!*found)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(id));
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("INSERT INTO notes (cheque_id, at, text) VALUES (?, ?, ?)"),
             {id, timeText(d->clock->now()), note}))
        return failure(query);
    return transaction.commit();
}

platform::Result<void> Journal::linkReprint(qint64 original, qint64 reprint)
{
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    if (const platform::Result<void> linked = d->link(original, reprint); !linked)
        return linked;
    return transaction.commit();
}

platform::Result<void> Journal::Private::link(qint64 original, qint64 reprint)
{
    const platform::Result<std::optional<Entry>> old = entryIn(original);
    const platform::Result<std::optional<Entry>> fresh = entryIn(reprint);
    if (!old)
        return platform::fail(old.error());
    if (!fresh)
        return platform::fail(fresh.error());
    if (!*old)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(original));
    if (!*fresh)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(reprint));
    if (original == reprint)
        return platform::fail(QStringLiteral("un chèque ne peut pas être sa propre réimpression"));
    if ((*old)->replacedBy != 0) {
        return platform::fail(QStringLiteral("le chèque n° %1 a déjà été réimprimé (chèque n° %2)")
                                  .arg(original)
                                  .arg((*old)->replacedBy));
    }
    if ((*fresh)->reprintOf != 0) {
        return platform::fail(QStringLiteral("le chèque n° %1 est déjà la réimpression du chèque n° %2")
                                  .arg(reprint)
                                  .arg((*fresh)->reprintOf));
    }
    // A cheque reprinted straight away was spoiled.
    if ((*old)->status == Status::Printed) {
        if (const platform::Result<void> spoiled =
                addEvent(original, QStringLiteral("spoiled"), QStringLiteral("réimprimé"), NoValue, NoValue);
            !spoiled)
            return spoiled;
    } else if ((*old)->status != Status::Spoiled) {
        if (const platform::Result<void> may = mayChange(original); !may)
            return may;
    }
    if (const platform::Result<void> linked =
            addEvent(original, QStringLiteral("replaced_by"), QStringLiteral("réimprimé : chèque n° %1").arg(reprint),
                     NoValue, reprint);
        !linked)
        return linked;
    return addEvent(reprint, QStringLiteral("reprint_of"), QStringLiteral("réimpression du chèque n° %1").arg(original),
                    NoValue, original);
}

platform::Result<Remittance> Journal::deposit(const QList<qint64> &ids, const QDate &date, const QString &account)
{
    QList<qint64> unique;
    for (qint64 id : ids) {
        if (!unique.contains(id))
            unique << id;
    }
    if (unique.isEmpty())
        return platform::fail(QStringLiteral("aucun chèque n'est choisi pour la remise"));
    if (!date.isValid())
        return platform::fail(QStringLiteral("la date de la remise n'est pas valable"));
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return platform::fail(begun.error());
    for (qint64 id : unique) {
        if (const platform::Result<void> may = d->mayChange(id); !may)
            return platform::fail(may.error());
    }
    QSqlQuery query(d->db);
    if (!query.exec(QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !query.next())
        return failure(query);
    Remittance remittance;
    remittance.number = query.value(0).toLongLong();
    remittance.date = date;
    remittance.account = account;
    query.finish();
    if (!run(query, QStringLiteral("INSERT INTO remittances (number, date, account, made_at) VALUES (?, ?, ?, ?)"),
             {remittance.number, date.toString(DayFormat), account, timeText(d->clock->now())}))
        return failure(query);
    const QString detail = remittanceText(remittance.number, date);
    for (qint64 id : unique) {
        if (const platform::Result<void> added =
                d->addEvent(id, QStringLiteral("deposited"), detail, remittance.number, NoValue);
            !added)
            return platform::fail(added.error());
        const platform::Result<std::optional<Entry>> entry = d->entryIn(id);
        if (!entry || !*entry)
            return platform::fail(entry.ok() ? QStringLiteral("le chèque n° %1 a disparu").arg(id) : entry.error());
        remittance.cheques << **entry;
        ++remittance.totals.count;
        remittance.totals.cents += (*entry)->cents;
    }
    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return platform::fail(committed.error());
    return remittance;
}

platform::Result<QList<Entry>> Journal::entries(const Filter &filter, int offset, int limit) const
{
    const Condition condition = conditionOf(filter, true);
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    QVariantList values = condition.values;
    values << qMax(0, limit) << qMax(0, offset);
    if (!run(query,
             QStringLiteral("SELECT ") + EntryColumns + entrySource() + condition.sql +
                 QStringLiteral(" ORDER BY c.printed_at DESC, c.id DESC LIMIT ? OFFSET ?"),
             values))
        return failure(query);
    QList<Entry> list;
    while (query.next())
        list << readEntry(query);
    if (query.lastError().isValid())
        return failure(query);
    return list;
}

platform::Result<Totals> Journal::totals(const Filter &filter) const
{
    const Condition condition = conditionOf(filter, true);
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    // The status event is looked up only when the filter asks for it.
    const QString source =
        filter.status ? QStringLiteral(" FROM cheques c") + statusJoin() : QStringLiteral(" FROM cheques c");
    if (!run(query, QStringLiteral("SELECT count(*), coalesce(sum(c.cents), 0)") + source + condition.sql,
             condition.values) ||
        !query.next())
        return failure(query);
    return Totals{query.value(0).toInt(), query.value(1).toLongLong()};
}

platform::Result<int> Journal::forEach(const Filter &filter, const std::function<bool(const Entry &)> &visit) const
{
    const Condition condition = conditionOf(filter, true);
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!run(query,
             QStringLiteral("SELECT ") + EntryColumns + entrySource() + condition.sql +
                 QStringLiteral(" ORDER BY c.printed_at, c.id"),
             condition.values))
        return failure(query);
    int count = 0;
    while (query.next()) {
        ++count;
        if (!visit(readEntry(query)))
            break;
    }
    if (query.lastError().isValid())
        return failure(query);
    return count;
}

platform::Result<std::optional<Entry>> Journal::entry(qint64 id) const
{
    return d->entryIn(id);
}

platform::Result<QList<Event>> Journal::history(qint64 id) const
{
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!run(query,
             QStringLiteral("SELECT at, kind, detail, 0 AS part, id FROM events WHERE cheque_id = ?"
                            " UNION ALL SELECT at, 'note', text, 1, id FROM notes WHERE cheque_id = ?"
                            " ORDER BY 1, 4, 5"),
             {id, id}))
        return failure(query);
    QList<Event> events;
    while (query.next())
        events << Event{timeOf(query.value(0).toString()), kindLabel(query.value(1).toString()),
                        query.value(2).toString()};
    return events;
}

platform::Result<QList<Entry>> Journal::undeposited() const
{
    Filter filter;
    filter.status = Status::Printed;
    QList<Entry> list;
    const platform::Result<int> read = forEach(filter, [&](const Entry &entry) {
        list << entry;
        return true;
    });
    if (!read)
        return platform::fail(read.error());
    return list;
}

platform::Result<QStringList> Journal::bankNames() const
{
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT DISTINCT bank_name FROM cheques ORDER BY bank_name")))
        return failure(query);
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

platform::Result<qint64> Journal::nextRemittanceNumber() const
{
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !query.next())
        return failure(query);
    return query.value(0).toLongLong();
}

platform::Result<QString> Journal::account() const
{
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("SELECT value FROM settings WHERE key = 'account'")))
        return failure(query);
    return query.next() ? query.value(0).toString() : QString();
}

platform::Result<void> Journal::setAccount(const QString &account)
{
    Transaction transaction(d->db);
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    QSqlQuery query(d->db);
    // The one row that is replaced: a setting, not history.
    if (!run(query,
             QStringLiteral("INSERT INTO settings (key, value) VALUES ('account', ?)"
                            " ON CONFLICT (key) DO UPDATE SET value = excluded.value"),
             {account}))
        return failure(query);
    return transaction.commit();
}

} // namespace journal
