#include "journal/journal.h"

#include "journal/connection.h"

#include "platform/clock.h"
#include "platform/folder.h"
#include "platform/regularfile.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace journal {

const QString JournalFileName = QStringLiteral("ormeline_journal.sqlite");

namespace {

// The schema's version, in PRAGMA user_version. A file of an older version is
// brought forward by the steps below, each in the transaction that opens it;
// a new file goes through the same steps, so that they are always the ones
// run.
constexpr int SchemaVersion = 5;

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

// Version 3: where each cheque stands now, kept from its events by triggers,
// so that the totals of a range tell what the shop holds without reading
// every cheque's history. A cheque is written down before its page is handed
// over and stands 'pending' until its first status event. Not history: its
// rows follow the events, which stay as they were written.
const char *const SchemaToVersion3[] = {
    "CREATE TABLE standing ("
    " cheque_id INTEGER PRIMARY KEY REFERENCES cheques (id),"
    " kind TEXT NOT NULL)",
    "INSERT INTO standing (cheque_id, kind) SELECT c.id, coalesce((SELECT e.kind FROM events e"
    " WHERE e.cheque_id = c.id AND e.kind IN ('printed', 'spoiled', 'cancelled', 'deposited')"
    " ORDER BY e.id DESC LIMIT 1), 'pending') FROM cheques c",
    // The few that are not money, for the totals and the start-up's look
    // for cheques left unconfirmed.
    "CREATE INDEX standing_apart ON standing (kind) WHERE kind IN ('pending', 'spoiled', 'cancelled')",
    "CREATE TRIGGER cheques_standing AFTER INSERT ON cheques"
    " BEGIN INSERT INTO standing (cheque_id, kind) VALUES (NEW.id, 'pending'); END",
    "CREATE TRIGGER events_standing AFTER INSERT ON events"
    " WHEN NEW.kind IN ('printed', 'spoiled', 'cancelled', 'deposited')"
    " BEGIN UPDATE standing SET kind = NEW.kind WHERE cheque_id = NEW.cheque_id; END",
};

// Version 4: each cheque's own identity, so that a record sent twice (to a
// server that did not answer the first time) is stored once, and the till
// that printed it. A cheque written by an older program has neither.
const char *const SchemaToVersion4[] = {
    "ALTER TABLE cheques ADD COLUMN uuid TEXT",
    "ALTER TABLE cheques ADD COLUMN till TEXT NOT NULL DEFAULT ''",
    "CREATE UNIQUE INDEX cheques_uuid ON cheques (uuid)",
};

// Version 5: the tills found in a journal, and one till's cheques, read
// through an index as the banks are; the cheque's own number and CMC7 line,
// as a reader read them (empty without one), found through indexes.
const char *const SchemaToVersion5[] = {
    "CREATE INDEX cheques_till ON cheques (till, printed_at, cents)",
    "ALTER TABLE cheques ADD COLUMN cheque_number TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE cheques ADD COLUMN cmc7 TEXT NOT NULL DEFAULT ''",
    "CREATE INDEX cheques_number ON cheques (cheque_number) WHERE cheque_number <> ''",
    "CREATE INDEX cheques_cmc7 ON cheques (cmc7) WHERE cmc7 <> ''",
};
// The tables each version has, checked before a file is taken as a journal.
const char *const TablesOfVersion[][6] = {
    {},
    {"cheques", "remittances", "events"},
    {"cheques", "remittances", "events", "notes", "settings"},
    {"cheques", "remittances", "events", "notes", "settings", "standing"},
    {"cheques", "remittances", "events", "notes", "settings", "standing"},
    {"cheques", "remittances", "events", "notes", "settings", "standing"},
};

// The journal on a PostgreSQL server, shared by the shop's tills: the same
// tables as the file's version 4, in one step, then the steps after it. Texts compare byte by
// byte, as in the file, so that both sort and page alike. History is kept
// twice over: by triggers, and by rights, the tills' role being given only
// to read and to add (see ServerRights).
const int ServerSchemaVersion = 5;
const char *const ServerSchema[] = {
    "CREATE TABLE cheques ("
    " id bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
    " printed_at text COLLATE \"C\" NOT NULL,"
    " cheque_date text COLLATE \"C\" NOT NULL,"
    " amount text COLLATE \"C\" NOT NULL,"
    " cents bigint NOT NULL,"
    " words1 text COLLATE \"C\" NOT NULL, words2 text COLLATE \"C\" NOT NULL,"
    " payee text COLLATE \"C\" NOT NULL, place text COLLATE \"C\" NOT NULL,"
    " bank_name text COLLATE \"C\" NOT NULL, layout_file text COLLATE \"C\" NOT NULL,"
    " printer text COLLATE \"C\" NOT NULL,"
    " source text NOT NULL CHECK (source IN ('handed_over', 'typed')),"
    " uuid text COLLATE \"C\" UNIQUE,"
    " till text COLLATE \"C\" NOT NULL DEFAULT '')",
    "CREATE TABLE remittances ("
    " number bigint PRIMARY KEY,"
    " date text COLLATE \"C\" NOT NULL,"
    " account text COLLATE \"C\" NOT NULL,"
    " made_at text COLLATE \"C\" NOT NULL)",
    "CREATE TABLE events ("
    " id bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
    " cheque_id bigint NOT NULL REFERENCES cheques (id),"
    " at text COLLATE \"C\" NOT NULL,"
    " kind text NOT NULL CHECK (kind IN ('printed', 'spoiled', 'cancelled', 'deposited',"
    "                                    'replaced_by', 'reprint_of')),"
    " detail text COLLATE \"C\" NOT NULL DEFAULT '',"
    " remittance bigint REFERENCES remittances (number),"
    " other_id bigint REFERENCES cheques (id))",
    "CREATE INDEX events_cheque ON events (cheque_id, id)",
    "CREATE TABLE notes ("
    " id bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
    " cheque_id bigint NOT NULL REFERENCES cheques (id),"
    " at text COLLATE \"C\" NOT NULL,"
    " text text COLLATE \"C\" NOT NULL)",
    "CREATE INDEX notes_cheque ON notes (cheque_id, id)",
    "CREATE TABLE settings (key text COLLATE \"C\" PRIMARY KEY, value text COLLATE \"C\" NOT NULL)",
    "CREATE INDEX cheques_printed ON cheques (printed_at, cents)",
    "CREATE INDEX cheques_bank ON cheques (bank_name, printed_at, cents)",
    "CREATE INDEX events_other ON events (other_id) WHERE other_id IS NOT NULL",
    "CREATE INDEX events_remittance ON events (remittance) WHERE remittance IS NOT NULL",
    "CREATE FUNCTION ormeline_history_kept() RETURNS trigger LANGUAGE plpgsql AS"
    " $$ BEGIN RAISE EXCEPTION 'history is kept'; END $$",
    "CREATE TRIGGER cheques_kept BEFORE UPDATE OR DELETE ON cheques"
    " FOR EACH ROW EXECUTE FUNCTION ormeline_history_kept()",
    "CREATE TRIGGER events_kept BEFORE UPDATE OR DELETE ON events"
    " FOR EACH ROW EXECUTE FUNCTION ormeline_history_kept()",
    "CREATE TRIGGER notes_kept BEFORE UPDATE OR DELETE ON notes"
    " FOR EACH ROW EXECUTE FUNCTION ormeline_history_kept()",
    "CREATE TRIGGER remittances_kept BEFORE UPDATE OR DELETE ON remittances"
    " FOR EACH ROW EXECUTE FUNCTION ormeline_history_kept()",
    "CREATE TABLE standing ("
    " cheque_id bigint PRIMARY KEY REFERENCES cheques (id),"
    " kind text NOT NULL)",
    "CREATE INDEX standing_apart ON standing (kind) WHERE kind IN ('pending', 'spoiled', 'cancelled')",
    // Run with the owner's rights: the tills' role adds events, never
    // updates a row itself.
    "CREATE FUNCTION ormeline_cheque_standing() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER"
    " SET search_path = pg_catalog, pg_temp AS"
    " $$ BEGIN EXECUTE format('INSERT INTO %I.standing (cheque_id, kind) VALUES ($1, ''pending'')',"
    " TG_TABLE_SCHEMA) USING NEW.id; RETURN NULL; END $$",
    "CREATE FUNCTION ormeline_event_standing() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER"
    " SET search_path = pg_catalog, pg_temp AS"
    " $$ BEGIN EXECUTE format('UPDATE %I.standing SET kind = $1 WHERE cheque_id = $2', TG_TABLE_SCHEMA)"
    " USING NEW.kind, NEW.cheque_id; RETURN NULL; END $$",
    "CREATE TRIGGER cheques_standing AFTER INSERT ON cheques"
    " FOR EACH ROW EXECUTE FUNCTION ormeline_cheque_standing()",
    "CREATE TRIGGER events_standing AFTER INSERT ON events FOR EACH ROW"
    " WHEN (NEW.kind IN ('printed', 'spoiled', 'cancelled', 'deposited'))"
    " EXECUTE FUNCTION ormeline_event_standing()",
    "CREATE TABLE journal_schema (version integer NOT NULL)",
};

// Version 5: the index of the till filter, the cheque's number and CMC7
// line, and a word to every till listening each time history grows, so that
// their windows follow.
const char *const ServerSchemaToVersion5[] = {
    "CREATE INDEX cheques_till ON cheques (till, printed_at, cents)",
    "ALTER TABLE cheques ADD COLUMN cheque_number text COLLATE \"C\" NOT NULL DEFAULT ''",
    "ALTER TABLE cheques ADD COLUMN cmc7 text COLLATE \"C\" NOT NULL DEFAULT ''",
    "CREATE INDEX cheques_number ON cheques (cheque_number) WHERE cheque_number <> ''",
    "CREATE INDEX cheques_cmc7 ON cheques (cmc7) WHERE cmc7 <> ''",
    "CREATE FUNCTION ormeline_changed() RETURNS trigger LANGUAGE plpgsql AS"
    " $$ BEGIN PERFORM pg_notify('ormeline_journal', TG_TABLE_NAME); RETURN NULL; END $$",
    "CREATE TRIGGER cheques_changed AFTER INSERT ON cheques FOR EACH STATEMENT EXECUTE FUNCTION ormeline_changed()",
    "CREATE TRIGGER events_changed AFTER INSERT ON events FOR EACH STATEMENT EXECUTE FUNCTION ormeline_changed()",
    "CREATE TRIGGER notes_changed AFTER INSERT ON notes FOR EACH STATEMENT EXECUTE FUNCTION ormeline_changed()",
    "CREATE TRIGGER remittances_changed AFTER INSERT ON remittances FOR EACH STATEMENT"
    " EXECUTE FUNCTION ormeline_changed()",
};
// The channel those words go on.
const QString ChangesChannel = QStringLiteral("ormeline_journal");

// What the tills are given, through the group role every till's login
// belongs to: to read everything and to add to history, never to change or
// take away; the slip's account is the one setting they may change.
const QString TillsRole = QStringLiteral("ormeline_caisses");
const char *const ServerRights[] = {
    "REVOKE ALL ON cheques, events, notes, remittances, standing, settings, journal_schema FROM PUBLIC",
    "GRANT SELECT, INSERT ON cheques, events, notes, remittances TO ormeline_caisses",
    "GRANT SELECT ON standing, journal_schema TO ormeline_caisses",
    "GRANT SELECT, INSERT, UPDATE ON settings TO ormeline_caisses",
};

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
    // At the offset found rather than in local time: Qt would look at the
    // time zone file again for each one. It reads and compares the same.
    return QDateTime::fromMSecsSinceEpoch(utc, Qt::OffsetFromUTC, *offset);
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
    case Status::Unconfirmed:
        return QStringLiteral("pending");
    }
    return QString();
}

Status statusOfCode(const QString &code)
{
    if (code == QLatin1String("pending"))
        return Status::Unconfirmed;
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
    Perm = 3,
    Busy = 5,
    Locked = 6,
    NoMemory = 7,
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

// Whether a failure to read a file comes from where it is (its folder, its
// rights, the disk, another program) rather than from what it holds: a file
// that cannot be read for any other reason (an unknown format, a schema that
// will not parse) is no journal of ours.
bool isCircumstance(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Perm:
    case Busy:
    case Locked:
    case NoMemory:
    case ReadOnly:
    case IoError:
    case Full:
    case CantOpen:
    case Auth:
        return true;
    default:
        return false;
    }
}

QString reason(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case Busy:
    case Locked:
        return QStringLiteral("le journal est occupé par un autre programme depuis trop longtemps");
    case ReadOnly:
        return QStringLiteral("le journal est en lecture seule : fichier ou dossier protégé");
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
    return QStringLiteral("le journal a refusé l'opération : %1").arg(error.text().trimmed());
}

// Where the journal is kept: a file of the working folder, through SQLite, or
// a PostgreSQL server shared by the shop's tills.
enum class Engine { File, Server };

// The server did not answer, or dropped the connection (it was stopped, the
// network went): not a refusal of what was asked.
bool serverAway(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    return state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")) || state.isEmpty();
}

// What the user is told of a server's refusal, from its SQLSTATE.
QString serverReason(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    const QString said =
        error.databaseText().trimmed().isEmpty() ? error.text().trimmed() : error.databaseText().trimmed();
    if (serverAway(error))
        return QStringLiteral("le serveur du journal ne répond pas (%1)").arg(said);
    if (state == QLatin1String("42501"))
        return QStringLiteral("le serveur du journal refuse cette opération à cette caisse (%1)").arg(said);
    if (state == QLatin1String("53100"))
        return QStringLiteral("le disque du serveur du journal est plein");
    return QStringLiteral("le serveur du journal a refusé l'opération : %1").arg(said);
}

QString reasonOn(Engine engine, const QSqlError &error)
{
    return engine == Engine::Server ? serverReason(error) : reason(error);
}

// A server has no file to set aside: what it refuses is never damage.
bool isDamageOn(Engine engine, const QSqlError &error)
{
    return engine == Engine::File && isDamage(error);
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

// The key of the lock every change on a server takes.
constexpr qint64 ChangeLock = 0x4f726d656c696e65; // "Ormeline"
// Held while a slip prints, from its number read to its cheques deposited.
constexpr qint64 RemittanceLock = 0x4f726d2052656d69; // "Orm Remi"

// One change, all of it or none: BEGIN IMMEDIATE takes the write lock at
// once (a second program is waited for there, not half-way), and a change
// left without commit() is rolled back. On a server, the tills' changes are
// taken one after the other the same way, through a lock held until the
// end of the transaction: a cheque a till is putting on a slip cannot be
// spoiled meanwhile at another, nor two slips take one number.
class Transaction
{
public:
    Transaction(const QSqlDatabase &db, Engine engine, bool &damage, QSqlError &lastFailure)
        : m_db(db)
        , m_engine(engine)
        , m_damage(damage)
        , m_lastFailure(lastFailure)
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
        if (m_engine == Engine::Server) {
            if (!query.exec(QStringLiteral("BEGIN")))
                return failed(query);
            m_open = true;
            if (!query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(ChangeLock)))
                return failed(query);
            return {};
        }
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return failed(query);
        m_open = true;
        return {};
    }
    platform::Result<void> commit()
    {
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("COMMIT")))
            return failed(query);
        m_open = false;
        return {};
    }

private:
    platform::Failure failed(const QSqlQuery &query)
    {
        m_lastFailure = query.lastError();
        m_damage = m_damage || isDamageOn(m_engine, m_lastFailure);
        return platform::fail(reasonOn(m_engine, m_lastFailure));
    }

    QSqlDatabase m_db;
    Engine m_engine;
    bool &m_damage;
    QSqlError &m_lastFailure;
    bool m_open = false;
};

// The columns an Entry is read from, for `FROM cheques c` joined with where
// it stands `st`, its status event `s` (none while unconfirmed) and that
// event's slip `r`.
const QString EntryColumns = QStringLiteral(
    "c.id, c.printed_at, c.cheque_date, c.amount, c.words1, c.words2, c.payee, c.place, c.bank_name,"
    " c.layout_file, c.printer, c.source, c.cents, st.kind, s.at, s.detail, s.remittance, r.date,"
    " (SELECT other_id FROM events x WHERE x.cheque_id = c.id AND x.kind = 'replaced_by' ORDER BY x.id DESC LIMIT 1),"
    " (SELECT other_id FROM events x WHERE x.cheque_id = c.id AND x.kind = 'reprint_of' ORDER BY x.id DESC LIMIT 1),"
    " (SELECT text FROM notes n WHERE n.cheque_id = c.id ORDER BY n.id DESC LIMIT 1), c.uuid, c.till,"
    " c.cheque_number, c.cmc7");

// How many columns EntryColumns reads.
constexpr int EntryColumnCount = 25;

QString entrySource(Engine engine)
{
    // The server would hash every event of the journal for the join below;
    // a lateral join reads each cheque's last status event alone.
    if (engine == Engine::Server)
        return QStringLiteral(" FROM cheques c JOIN standing st ON st.cheque_id = c.id"
                              " LEFT JOIN LATERAL (SELECT e.at, e.detail, e.remittance FROM events e"
                              " WHERE e.cheque_id = c.id AND e.kind IN ") +
               StatusKinds +
               QStringLiteral(" ORDER BY e.id DESC LIMIT 1) s ON true"
                              " LEFT JOIN remittances r ON r.number = s.remittance");
    return QStringLiteral(" FROM cheques c JOIN standing st ON st.cheque_id = c.id"
                          " LEFT JOIN events s ON s.id = (SELECT e.id FROM events e WHERE e.cheque_id = c.id"
                          " AND e.kind IN ") +
           StatusKinds +
           QStringLiteral(" ORDER BY e.id DESC LIMIT 1)"
                          " LEFT JOIN remittances r ON r.number = s.remittance");
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
    entry.statusAt = entry.status == Status::Unconfirmed ? cheque.printedAt : timeOf(query.value(14).toString());
    entry.statusReason = entry.status == Status::Printed ? QString() : query.value(15).toString();
    entry.remittance = query.value(16).toLongLong();
    entry.remittanceDate = QDate::fromString(query.value(17).toString(), DayFormat);
    entry.replacedBy = query.value(18).toLongLong();
    entry.reprintOf = query.value(19).toLongLong();
    entry.note = query.value(20).toString();
    cheque.uuid = query.value(21).toString();
    cheque.till = query.value(22).toString();
    cheque.chequeNumber = query.value(23).toString();
    cheque.cmc7 = query.value(24).toString();
    return entry;
}

// The statements that write, shared by the operations and by the rehearsal
// of a file at opening.
const QString InsertCheque =
    QStringLiteral("INSERT INTO cheques (printed_at, cheque_date, amount, cents, words1, words2, payee, place,"
                   " bank_name, layout_file, printer, source, uuid, till, cheque_number, cmc7)"
                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString InsertEvent = QStringLiteral("INSERT INTO events (cheque_id, at, kind, detail, remittance, other_id)"
                                           " VALUES (?, ?, ?, ?, ?, ?)");
const QString InsertNote = QStringLiteral("INSERT INTO notes (cheque_id, at, text) VALUES (?, ?, ?)");
const QString InsertRemittance =
    QStringLiteral("INSERT INTO remittances (number, date, account, made_at) VALUES (?, ?, ?, ?)");
// The one row that is replaced: a setting, not history.
const QString SetSetting = QStringLiteral("INSERT INTO settings (key, value) VALUES (?, ?)"
                                          " ON CONFLICT (key) DO UPDATE SET value = excluded.value");

QVariantList chequeValues(const PrintedCheque &cheque, const QString &at, qint64 cents)
{
    return {at,
            cheque.date,
            cheque.amount,
            cents,
            cheque.wordsLine1,
            cheque.wordsLine2,
            cheque.payee,
            cheque.place,
            cheque.bankName,
            cheque.layoutFile,
            cheque.printer,
            cheque.source == AmountSource::HandedOver ? QStringLiteral("handed_over") : QStringLiteral("typed"),
            cheque.uuid,
            cheque.till,
            cheque.chequeNumber,
            cheque.cmc7};
}

// The WHERE of a filter, and the values it binds in order.
struct Condition
{
    QString sql;
    QVariantList values;
};

// The kinds that are not money, as the partial index on `standing` names
// them: a query that names them so is answered from that index.
const QString ApartKinds = QStringLiteral("st.kind IN ('pending', 'spoiled', 'cancelled')");

// Bounds on the time of printing narrower than the filter's days: where a
// page of rows in that order ended.
struct PrintedBounds
{
    QString after;  // printed at or after this time
    QString before; // printed at or before this time
};

Condition conditionOf(const Filter &filter, bool withStatus, const PrintedBounds &bounds = {})
{
    QStringList parts;
    Condition condition;
    // Local times written as text sort as they read: a day is a range of
    // them, which the index on printed_at answers. One bound each way, the
    // narrower: with two, the planner takes either.
    const QString from = filter.from.isValid() ? filter.from.toString(DayFormat) : QString();
    if (!bounds.after.isEmpty() && bounds.after >= from) {
        parts << QStringLiteral("c.printed_at >= ?");
        condition.values << bounds.after;
    } else if (!from.isEmpty()) {
        parts << QStringLiteral("c.printed_at >= ?");
        condition.values << from;
    }
    const QString to = filter.to.isValid() ? filter.to.addDays(1).toString(DayFormat) : QString();
    if (!bounds.before.isEmpty() && (to.isEmpty() || bounds.before < to)) {
        parts << QStringLiteral("c.printed_at <= ?");
        condition.values << bounds.before;
    } else if (!to.isEmpty()) {
        parts << QStringLiteral("c.printed_at < ?");
        condition.values << to;
    }
    if (!filter.bankName.isEmpty()) {
        parts << QStringLiteral("c.bank_name = ?");
        condition.values << filter.bankName;
    }
    if (!filter.till.isEmpty()) {
        parts << QStringLiteral("c.till = ?");
        condition.values << filter.till;
    }
    if (!filter.chequeNumber.isEmpty()) {
        parts << QStringLiteral("c.cheque_number = ?");
        condition.values << filter.chequeNumber;
    }
    // Written out rather than bound, so that the planner sees the partial
    // index's own terms: the codes are the program's, not the user's.
    if (withStatus && filter.status) {
        const QString kind = QStringLiteral("st.kind = '%1'").arg(statusCode(*filter.status));
        switch (*filter.status) {
        case Status::Unconfirmed:
        case Status::Spoiled:
        case Status::Cancelled:
            parts << ApartKinds << kind;
            break;
        case Status::Printed:
        case Status::Deposited:
            parts << kind;
            break;
        }
    }
    if (!parts.isEmpty())
        condition.sql = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}

// A NULL column.
const QVariant NoValue = QVariant(QMetaType::fromType<qint64>());

using Health = Journal::Health;

// Whether the first hundred bytes are those of a journal: SQLite's own
// checks take a file whose header says "write only with a newer SQLite" for
// a read-only file, and read the text of one that says UTF-16 as garbage.
bool headerIsSound(const QByteArray &header)
{
    static const QByteArray Magic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(Magic))
        return false;
    const auto byte = [&](int at) { return quint8(header.at(at)); };
    // Read and write versions: 1 with a rollback journal, 2 in WAL mode.
    if (byte(18) < 1 || byte(18) > 2 || byte(19) < 1 || byte(19) > 2)
        return false;
    const quint32 encoding = quint32(byte(56)) << 24 | quint32(byte(57)) << 16 | quint32(byte(58)) << 8 | byte(59);
    // 0 on a file with no table yet, 1 for UTF-8, which Qt's driver makes.
    return encoding <= 1;
}

// Read through memory rather than a system call a page, the check included:
// years of cheques are a few tens of megabytes.
void readThroughMemory(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA cache_size=-32768"));
    query.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
}

const QString NoDriver = QStringLiteral("le pilote SQLite de Qt est absent (paquet libqt6sql6-sqlite)");
const QString NoServerDriver = QStringLiteral("le pilote PostgreSQL de Qt est absent (paquet libqt6sql6-psql)");
const QString NewerProgram = QStringLiteral("le journal a été écrit par une version plus récente d'Ormeline");

// The verdict on a failed step of the look at a file: damage, or the reason
// it cannot be read now.
platform::Result<Health> verdictOf(const QSqlError &error)
{
    if (isCircumstance(error))
        return platform::fail(reason(error));
    return Health::Damaged;
}

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
    case Status::Unconfirmed:
        return QStringLiteral("à vérifier");
    }
    return QString();
}

struct Journal::Private
{
    Engine engine = Engine::File;
    std::unique_ptr<Connection> connection;
    QSqlDatabase db; // the connection's
    const platform::Clock *clock = nullptr;
    QString path;
    // The till each cheque written here is kept with.
    QString till;
    // A window follows the server's changes on this connection.
    bool watched = false;
    // An operation failed on a damaged file.
    mutable bool damage = false;
    // What SQLite said of the last operation that failed.
    mutable QSqlError lastFailure;

    platform::Failure failed(const QSqlQuery &query) const
    {
        lastFailure = query.lastError();
        damage = damage || isDamageOn(engine, lastFailure);
        return platform::fail(reasonOn(engine, lastFailure));
    }
    Transaction transaction() const { return Transaction(db, engine, damage, lastFailure); }
    void close();

    // The connection opened for writing, on a file that check() found sound.
    enum class Use { Record, ReadOut };
    static platform::Result<std::pair<std::unique_ptr<Journal>, Health>> connect(const QString &path,
                                                                                 const platform::Clock &clock, Use use);
    platform::Result<Health> prepare(Use use, const Journal &self);
    // A server's journal of an earlier version brought forward, when this
    // till may.
    platform::Result<void> bringServerForward();
    platform::Result<void> migrate(int from);
    // Everything a day of cheques writes, written and taken back: a file
    // whose pages pass the check but whose schema refuses a record fails
    // here rather than at the first cheque, and so does one that cannot be
    // written to.
    platform::Result<Health> rehearse(const Journal &self);
    // The verdict on a failed step of the rehearsal: on a file, damage or
    // why it cannot be used now; on a server, why it refused.
    platform::Result<Health> verdictOn(const QSqlError &error) const
    {
        if (engine == Engine::Server)
            return platform::fail(serverReason(error));
        return verdictOf(error);
    }
    // Opens the journal on a server, creating its tables the first time.
    platform::Result<void> prepareServer(ServerUse use);
    // A cheque inserted, or found already there under its identity.
    struct InsertedCheque
    {
        qint64 id = 0;
        bool fresh = false;
    };
    platform::Result<InsertedCheque> insertCheque(const PrintedCheque &cheque, const QString &at);
    // The whole history of the journal `file` added to this one, in one
    // transaction.
    platform::Result<Moved> copyFrom(const Private &file);
    // Writes a cheque in a transaction of its own: taken by the printing
    // system already, or about to be handed over.
    platform::Result<qint64> writeCheque(const PrintedCheque &cheque, bool taken);
    // Sets the damaged file at `path` aside and starts a new journal there.
    static platform::Result<Opened> startAfresh(const QString &path, const platform::Clock &clock);
    // Links a reprint to the cheque it replaces, inside the caller's
    // transaction.
    platform::Result<void> link(qint64 original, qint64 reprint);
    // The first entry the condition (and its order) gives, if any.
    platform::Result<std::optional<Entry>> firstEntry(const QString &where, const QVariantList &values) const;
    platform::Result<std::optional<Entry>> entryIn(qint64 id) const;
    // Where a cheque stands, refusing a change unless it is still "imprimé".
    platform::Result<void> mayChange(qint64 id) const;
    // Refuses unless the cheque is still unconfirmed.
    platform::Result<void> isPending(qint64 id) const;
    platform::Result<void> addEvent(qint64 id, const QString &kind, const QString &detail, const QVariant &remittance,
                                    const QVariant &other);
    // One status event in a transaction of its own, once `allowed` says the
    // cheque may take it.
    using Requirement = platform::Result<void> (Private::*)(qint64) const;
    platform::Result<void> statusEvent(qint64 id, Requirement allowed, const QString &kind, const QString &detail);
};

Journal::Journal()
    : d(std::make_unique<Private>())
{
}

Journal::~Journal()
{
    d->close();
}

void Journal::Private::close()
{
    // No copy of it may be left when Qt forgets the connection.
    db = QSqlDatabase();
    connection.reset();
}

platform::Result<QString> Journal::replaceDamaged()
{
    // Closed first: a connection left open on the renamed file would, at
    // its end, remove the new journal's log by its name.
    d->close();
    platform::Result<Opened> fresh = Private::startAfresh(d->path, *d->clock);
    if (!fresh)
        return fresh.failure();
    Opened made = std::move(fresh).value();
    made.journal->d->till = d->till;
    std::swap(d, made.journal->d);
    return made.notice;
}

void Journal::setTill(const QString &till)
{
    d->till = till;
}

bool Journal::damaged() const
{
    return d->damage;
}

platform::Result<Health> Journal::check(const QString &path)
{
    if (!platform::fileExists(path))
        return Health::Sound;
    // A change a stopped program left half-written (its rollback journal
    // beside the file) is taken back first, as SQLite does at the first
    // read: a connection that writes nothing could not.
    const platform::Result<QByteArray> rollback = platform::readFileStart(path + QStringLiteral("-journal"), 1);
    if (rollback && !rollback->isEmpty()) {
        Connection recovery(path, false);
        if (!recovery.db().open())
            return verdictOf(recovery.db().lastError());
        QSqlQuery query(recovery.db());
        if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            return verdictOf(query.lastError());
    }
    const platform::Result<QByteArray> header = platform::readFileStart(path, 100);
    if (!header)
        return platform::fail(QStringLiteral("le journal ne peut pas être lu (%1)").arg(header.error()));
    // An empty file is a journal not begun: SQLite starts one in it.
    if (header->isEmpty())
        return Health::Sound;
    if (!headerIsSound(*header))
        return Health::Damaged;

    Connection connection(path, true);
    QSqlDatabase &db = connection.db();
    if (!db.isValid())
        return platform::fail(NoDriver);
    if (!db.open())
        return verdictOf(db.lastError());
    readThroughMemory(db);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return verdictOf(query.lastError());
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return Health::Damaged;
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return verdictOf(query.lastError());
    const int version = query.value(0).toInt();
    query.finish();
    if (version > SchemaVersion || version < 0) {
        // Only a newer program writes a higher version; a negative one is
        // no journal's.
        if (version < 0)
            return Health::Damaged;
        return platform::fail(NewerProgram);
    }
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        return verdictOf(query.lastError());
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    if (query.lastError().isValid())
        return verdictOf(query.lastError());
    // Version 0 with tables: some other program's database under our name,
    // kept aside rather than written into.
    if (version == 0)
        return tables.isEmpty() ? Health::Sound : Health::Damaged;
    for (const char *table : TablesOfVersion[version]) {
        if (table && !tables.contains(QLatin1String(table)))
            return Health::Damaged;
    }
    return Health::Sound;
}

platform::Result<Health> Journal::Private::prepare(Use use, const Journal &self)
{
    if (!db.open())
        return verdictOf(db.lastError());
    readThroughMemory(db);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA foreign_keys=ON")) || !query.exec(QStringLiteral("PRAGMA user_version")) ||
        !query.next())
        return verdictOf(query.lastError());
    const int version = query.value(0).toInt();
    query.finish();
    // Another copy of the program may have brought it forward since the look.
    if (version > SchemaVersion)
        return platform::fail(NewerProgram);
    // Brought forward before its log changes, in one transaction: a step
    // that fails leaves the file as it was.
    if (version < SchemaVersion) {
        if (const platform::Result<void> migrated = migrate(version); !migrated)
            return damage ? platform::Result<Health>(Health::Damaged) : platform::Result<Health>(migrated.failure());
    }
    if (use == Use::Record) {
        const platform::Result<Health> rehearsed = rehearse(self);
        if (!rehearsed || *rehearsed != Health::Sound)
            return rehearsed;
    }
    // Write-ahead logging: one synchronous write a change, and readers (the
    // window of a second copy of the program) do not stop a writer. Where the
    // file system cannot share its index, SQLite stays with its rollback
    // journal, which is as safe.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return verdictOf(query.lastError());
    return Health::Sound;
}

platform::Result<void> Journal::Private::migrate(int from)
{
    Transaction transaction = this->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    QSqlQuery query(db);
    // Another copy of the program may have done it while this one waited.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed(query);
    int version = query.value(0).toInt();
    query.finish();
    if (version != from && version == SchemaVersion)
        return {};
    const auto apply = [&](const auto &statements) -> bool {
        for (const char *statement : statements) {
            if (!query.exec(QString::fromUtf8(statement)))
                return false;
        }
        return true;
    };
    if (version < 1 && !apply(SchemaToVersion1))
        return failed(query);
    if (version < 2 && !apply(SchemaToVersion2))
        return failed(query);
    if (version < 3 && !apply(SchemaToVersion3))
        return failed(query);
    if (version < 4 && !apply(SchemaToVersion4))
        return failed(query);
    if (version < 5 && !apply(SchemaToVersion5))
        return failed(query);
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)))
        return failed(query);
    return transaction.commit();
}

platform::Result<Health> Journal::Private::rehearse(const Journal &self)
{
    // Never committed: nothing of it reaches the file.
    Transaction takenBack = transaction();
    if (!takenBack.begin())
        return verdictOn(lastFailure);
    QSqlQuery query(db);
    const QString at = timeText(clock->now());
    PrintedCheque trial;
    trial.date = QStringLiteral("01/01/2000");
    trial.amount = QStringLiteral("0.01");
    trial.wordsLine1 = QStringLiteral("**** UN CENTIME");
    trial.wordsLine2 = QStringLiteral("****");
    trial.payee = QStringLiteral("Ordre");
    trial.place = QStringLiteral("Lieu");
    trial.bankName = QStringLiteral("Essai d'ouverture du journal");
    trial.layoutFile = QStringLiteral("bq_ESSAI.txt");
    trial.printer = QStringLiteral("Imprimante");
    trial.source = AmountSource::HandedOver;
    // Typed as well as handed over: each value a check of the schema lets
    // through is tried.
    PrintedCheque typed = trial;
    typed.source = AmountSource::Typed;
    const platform::Result<InsertedCheque> other = insertCheque(typed, at);
    const platform::Result<InsertedCheque> inserted = insertCheque(trial, at);
    if (!other || !inserted)
        return verdictOn(lastFailure);
    const qint64 id = inserted->id;
    if (!query.exec(QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !query.next())
        return verdictOn(query.lastError());
    const qint64 remittance = query.value(0).toLongLong();
    query.finish();
    if (!run(query, InsertRemittance, {remittance, QStringLiteral("2000-01-02"), QString(), at}))
        return verdictOn(query.lastError());

    // Each step as a day of cheques takes it, and where the cheque then
    // stands, read back as the window and the totals read it.
    Filter filter;
    filter.bankName = trial.bankName;
    struct Step
    {
        const char *kind;
        QVariant remittance;
        QVariant other;
        Status status;
        int money; // cheques counted in the money
    };
    const Step steps[] = {
        {nullptr, NoValue, NoValue, Status::Unconfirmed, 0},      {"printed", NoValue, NoValue, Status::Printed, 1},
        {"spoiled", NoValue, NoValue, Status::Spoiled, 0},        {"cancelled", NoValue, NoValue, Status::Cancelled, 0},
        {"deposited", remittance, NoValue, Status::Deposited, 1}, {"replaced_by", NoValue, id, Status::Deposited, 1},
        {"reprint_of", NoValue, id, Status::Deposited, 1}};
    for (const Step &step : steps) {
        if (step.kind &&
            !run(query, InsertEvent, {id, at, QString::fromLatin1(step.kind), QString(), step.remittance, step.other}))
            return verdictOn(query.lastError());
        const platform::Result<std::optional<Entry>> entry = entryIn(id);
        const platform::Result<Totals> totals = self.totals(filter);
        if (!entry || !totals)
            return verdictOn(lastFailure);
        if (!*entry || (*entry)->status != step.status || totals->count != step.money || totals->cents != step.money)
            return Health::Damaged;
    }
    if (!run(query, InsertNote, {id, at, QStringLiteral("Note")}) ||
        !run(query, SetSetting, {QStringLiteral("essai"), QStringLiteral("Valeur")}))
        return verdictOn(query.lastError());
    const platform::Result<std::optional<Entry>> entry = entryIn(id);
    if (!entry)
        return verdictOn(lastFailure);
    if (!*entry)
        return Health::Damaged;
    const Entry &back = **entry;
    const PrintedCheque &c = back.cheque;
    const bool same = c.printedAt == timeOf(at) && c.date == trial.date && c.amount == trial.amount &&
                      c.wordsLine1 == trial.wordsLine1 && c.wordsLine2 == trial.wordsLine2 && c.payee == trial.payee &&
                      c.place == trial.place && c.bankName == trial.bankName && c.layoutFile == trial.layoutFile &&
                      c.printer == trial.printer && c.source == trial.source && back.cents == 1 &&
                      back.remittance == remittance && back.remittanceDate == QDate(2000, 1, 2) &&
                      back.replacedBy == id && back.reprintOf == id && back.note == QStringLiteral("Note");
    return same ? Health::Sound : Health::Damaged;
}

platform::Result<std::pair<std::unique_ptr<Journal>, Health>>
Journal::Private::connect(const QString &path, const platform::Clock &clock, Use use)
{
    std::unique_ptr<Journal> journal(new Journal());
    Journal::Private &d = *journal->d;
    d.connection = std::make_unique<Connection>(path, false);
    d.db = d.connection->db();
    d.clock = &clock;
    d.path = path;
    if (!d.db.isValid())
        return platform::fail(NoDriver);
    const platform::Result<Health> health = d.prepare(use, *journal);
    if (!health)
        return health.failure();
    return std::make_pair(std::move(journal), *health);
}

platform::Result<Journal::Opened> Journal::open(const QString &path, const platform::Clock &clock)
{
    return openChecked(path, clock, check(path));
}

platform::Result<Journal::Opened> Journal::openChecked(const QString &path, const platform::Clock &clock,
                                                       platform::Result<Health> checked)
{
    if (!checked)
        return checked.failure();
    if (*checked == Health::Sound) {
        platform::Result<std::pair<std::unique_ptr<Journal>, Health>> connected =
            Private::connect(path, clock, Private::Use::Record);
        if (!connected)
            return connected.failure();
        std::pair<std::unique_ptr<Journal>, Health> made = std::move(connected).value();
        if (made.second == Health::Sound)
            return Opened{std::move(made.first), QString()};
        // Closed before it is renamed.
    }
    return Private::startAfresh(path, clock);
}

namespace {

// The file and what SQLite keeps beside it while it is in use.
const QStringList Companions{QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};

// Renames a journal, and what SQLite keeps beside it, with why (".abîmé")
// and the date and time in the name; never in place of anything: a name
// taken gets a counter. Gives the new name of the file itself.
platform::Result<QString> setAside(const QString &path, const QDateTime &now,
                                   const QString &why = QStringLiteral(".abîmé"))
{
    const QString stem = path + why + QLatin1Char('-') + now.toString(QStringLiteral("yyyy-MM-dd-HHmm"));
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
            return renamed.failure();
        }
        // Kept with it: a log left beside the new file would be played
        // into it.
        for (const QString &companion : Companions.mid(1)) {
            if (platform::fileExists(path + companion)) {
                if (const platform::Result<void> moved = platform::renameFile(path + companion, aside + companion);
                    !moved)
                    return moved.failure();
            }
        }
        return aside;
    }
    return platform::fail(QStringLiteral("aucun nom libre pour mettre le journal de côté"));
}

} // namespace

platform::Result<Journal::Opened> Journal::Private::startAfresh(const QString &path, const platform::Clock &clock)
{
    const platform::Result<QString> aside = setAside(path, clock.now());
    if (!aside) {
        return platform::fail(
            QStringLiteral("le journal est abîmé et ne peut pas être mis de côté (%1)").arg(aside.error()));
    }
    platform::Result<std::pair<std::unique_ptr<Journal>, Health>> fresh = connect(path, clock, Use::Record);
    if (!fresh)
        return fresh.failure();
    if (fresh->second != Health::Sound)
        return platform::fail(QStringLiteral("un nouveau journal ne peut pas être commencé"));
    return Opened{std::move(std::move(fresh).value().first),
                  QStringLiteral("Le journal des chèques était abîmé : il a été mis de côté sous le nom « %1 » "
                                 "et un nouveau journal a été commencé.")
                      .arg(*aside)};
}

platform::Result<std::unique_ptr<Journal>> Journal::openExisting(const QString &path, const platform::Clock &clock)
{
    if (!platform::fileExists(path))
        return platform::fail(QStringLiteral("il n'y a pas de journal des chèques (« %1 » est introuvable)").arg(path));
    const QString damaged =
        QStringLiteral("le journal « %1 » est abîmé ; Ormeline le mettra de côté à son prochain lancement").arg(path);
    const platform::Result<Health> checked = check(path);
    if (!checked)
        return checked.failure();
    if (*checked != Health::Sound)
        return platform::fail(damaged);
    platform::Result<std::pair<std::unique_ptr<Journal>, Health>> connected =
        Private::connect(path, clock, Private::Use::ReadOut);
    if (!connected)
        return connected.failure();
    if (connected->second != Health::Sound)
        return platform::fail(damaged);
    return std::move(std::move(connected).value().first);
}

platform::Result<Journal::Moved> Journal::takeIn(const QString &path)
{
    if (d->engine != Engine::Server)
        return platform::fail(QStringLiteral("un journal ne peut être envoyé qu'au serveur du journal partagé"));
    if (!platform::fileExists(path))
        return platform::fail(
            QStringLiteral("cette caisse n'a pas de journal à envoyer (« %1 » est introuvable)").arg(path));
    const platform::Result<Health> checked = check(path);
    if (!checked)
        return checked.failure();
    if (*checked != Health::Sound)
        return platform::fail(QStringLiteral("le journal « %1 » est abîmé : il ne peut pas être envoyé").arg(path));
    Moved moved;
    {
        // Brought forward first when an older program wrote it.
        const platform::Result<Opened> opened = open(path, *d->clock);
        if (!opened)
            return opened.failure();
        const platform::Result<Moved> copied = d->copyFrom(*opened->journal->d);
        if (!copied)
            return copied;
        moved = *copied;
    }
    // Closed by now, its log played into it: renamed with it, so that this
    // till never writes to it again, and kept.
    const platform::Result<QString> aside = setAside(path, d->clock->now(), QStringLiteral(".envoyé"));
    if (!aside)
        return platform::fail(QStringLiteral("le journal est envoyé au serveur, mais son fichier n'a pas pu être "
                                             "renommé (%1)")
                                  .arg(aside.error()));
    moved.keptAs = *aside;
    return moved;
}

platform::Result<Journal::Moved> Journal::Private::copyFrom(const Private &file)
{
    Transaction transaction = this->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun.failure();
    QSqlQuery from(file.db);
    from.setForwardOnly(true);
    QSqlQuery to(db);
    Moved moved;

    // The file's cheque ids to the server's; those the server did not have.
    QHash<qint64, qint64> ids;
    QSet<qint64> fresh;
    if (!from.exec(QStringLiteral("SELECT id, printed_at, cheque_date, amount, words1, words2, payee, place,"
                                  " bank_name, layout_file, printer, source, uuid, till, cheque_number, cmc7"
                                  " FROM cheques ORDER BY id")))
        return file.failed(from);
    while (from.next()) {
        const qint64 id = from.value(0).toLongLong();
        const QString at = from.value(1).toString();
        PrintedCheque cheque;
        cheque.date = from.value(2).toString();
        cheque.amount = from.value(3).toString();
        cheque.wordsLine1 = from.value(4).toString();
        cheque.wordsLine2 = from.value(5).toString();
        cheque.payee = from.value(6).toString();
        cheque.place = from.value(7).toString();
        cheque.bankName = from.value(8).toString();
        cheque.layoutFile = from.value(9).toString();
        cheque.printer = from.value(10).toString();
        cheque.source =
            from.value(11).toString() == QLatin1String("handed_over") ? AmountSource::HandedOver : AmountSource::Typed;
        cheque.uuid = from.value(12).toString();
        cheque.till = from.value(13).toString();
        cheque.chequeNumber = from.value(14).toString();
        cheque.cmc7 = from.value(15).toString();
        if (cheque.uuid.isEmpty()) {
            // Written by a program that gave none: one made of the cheque
            // itself, the same at every move.
            static const QUuid Moving(QStringLiteral("{6f726d65-6c69-6e65-8000-6a6f75726e61}"));
            cheque.uuid = QUuid::createUuidV5(Moving, QStringList{QString::number(id), at, cheque.amount,
                                                                  cheque.bankName, cheque.payee, cheque.printer}
                                                          .join(QLatin1Char('|')))
                              .toString(QUuid::WithoutBraces);
        }
        const platform::Result<InsertedCheque> inserted = insertCheque(cheque, at);
        if (!inserted)
            return inserted.failure();
        ids.insert(id, inserted->id);
        if (inserted->fresh) {
            fresh.insert(id);
            ++moved.added;
        } else {
            ++moved.alreadyThere;
        }
    }

    // The file's slips, given the server's next numbers as their cheques
    // come.
    struct Slip
    {
        QString date;
        QString account;
        QString madeAt;
    };
    QHash<qint64, Slip> slips;
    if (!from.exec(QStringLiteral("SELECT number, date, account, made_at FROM remittances")))
        return file.failed(from);
    while (from.next())
        slips.insert(from.value(0).toLongLong(),
                     {from.value(1).toString(), from.value(2).toString(), from.value(3).toString()});
    QHash<qint64, qint64> numbers;
    const auto numberOf = [&](qint64 printed) -> platform::Result<qint64> {
        if (const auto found = numbers.constFind(printed); found != numbers.cend())
            return *found;
        if (!to.exec(QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !to.next())
            return failed(to);
        const qint64 number = to.value(0).toLongLong();
        to.finish();
        const Slip slip = slips.value(printed);
        if (!run(to, InsertRemittance, {number, slip.date, slip.account, slip.madeAt}))
            return failed(to);
        numbers.insert(printed, number);
        return number;
    };

    if (!from.exec(QStringLiteral("SELECT cheque_id, at, kind, detail, remittance, other_id FROM events ORDER BY id")))
        return file.failed(from);
    while (from.next()) {
        const qint64 cheque = from.value(0).toLongLong();
        if (!fresh.contains(cheque))
            continue;
        QString detail = from.value(3).toString();
        QVariant remittance = NoValue;
        if (!from.value(4).isNull()) {
            const qint64 printed = from.value(4).toLongLong();
            const platform::Result<qint64> number = numberOf(printed);
            if (!number)
                return number.failure();
            remittance = *number;
            if (*number != printed)
                detail = remittanceText(*number, QDate::fromString(slips.value(printed).date, DayFormat)) +
                         QStringLiteral(" ; n° %1 sur le bordereau imprimé").arg(printed);
        }
        const QVariant other = from.value(5).isNull() ? NoValue : QVariant(ids.value(from.value(5).toLongLong()));
        if (!run(to, InsertEvent, {ids.value(cheque), from.value(1), from.value(2), detail, remittance, other}))
            return failed(to);
    }

    if (!from.exec(QStringLiteral("SELECT cheque_id, at, text FROM notes ORDER BY id")))
        return file.failed(from);
    while (from.next()) {
        const qint64 cheque = from.value(0).toLongLong();
        if (fresh.contains(cheque) && !run(to, InsertNote, {ids.value(cheque), from.value(1), from.value(2)}))
            return failed(to);
    }

    // The slips' account, when the shop has not typed one on the server.
    if (!from.exec(QStringLiteral("SELECT value FROM settings WHERE key = 'account'")))
        return file.failed(from);
    const QString account = from.next() ? from.value(0).toString() : QString();
    if (!run(to, QStringLiteral("SELECT value FROM settings WHERE key = 'account'")))
        return failed(to);
    const bool typed = to.next() && !to.value(0).toString().isEmpty();
    to.finish();
    if (!account.isEmpty() && !typed && !run(to, SetSetting, {QStringLiteral("account"), account}))
        return failed(to);

    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return moved;
}

platform::Result<Journal::Private::InsertedCheque> Journal::Private::insertCheque(const PrintedCheque &cheque,
                                                                                  const QString &at)
{
    const std::optional<qint64> cents = centsOf(cheque.amount);
    if (!cents)
        return platform::fail(QStringLiteral("le montant « %1 » n'est pas un montant").arg(cheque.amount));
    PrintedCheque kept = cheque;
    if (kept.uuid.isEmpty())
        kept.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (kept.till.isEmpty())
        kept.till = till;
    QSqlQuery query(db);
    const QString insert = InsertCheque + QStringLiteral(" ON CONFLICT (uuid) DO NOTHING");
    if (engine == Engine::Server) {
        if (!run(query, insert + QStringLiteral(" RETURNING id"), chequeValues(kept, at, *cents)))
            return failed(query);
        if (query.next())
            return InsertedCheque{query.value(0).toLongLong(), true};
    } else {
        if (!run(query, insert, chequeValues(kept, at, *cents)))
            return failed(query);
        if (query.numRowsAffected() == 1)
            return InsertedCheque{query.lastInsertId().toLongLong(), true};
    }
    // Sent before: the cheque is there already, with its events.
    query.finish();
    if (!run(query, QStringLiteral("SELECT id FROM cheques WHERE uuid = ?"), {kept.uuid}) || !query.next())
        return failed(query);
    return InsertedCheque{query.value(0).toLongLong(), false};
}

namespace {

// The keywords libpq takes; anything else is a typing error.
const QStringList ServerKeywords{QStringLiteral("host"),
                                 QStringLiteral("hostaddr"),
                                 QStringLiteral("port"),
                                 QStringLiteral("dbname"),
                                 QStringLiteral("user"),
                                 QStringLiteral("passfile"),
                                 QStringLiteral("connect_timeout"),
                                 QStringLiteral("client_encoding"),
                                 QStringLiteral("options"),
                                 QStringLiteral("application_name"),
                                 QStringLiteral("keepalives"),
                                 QStringLiteral("keepalives_idle"),
                                 QStringLiteral("keepalives_interval"),
                                 QStringLiteral("keepalives_count"),
                                 QStringLiteral("tcp_user_timeout"),
                                 QStringLiteral("sslmode"),
                                 QStringLiteral("sslcert"),
                                 QStringLiteral("sslkey"),
                                 QStringLiteral("sslrootcert"),
                                 QStringLiteral("sslcrl"),
                                 QStringLiteral("sslcompression"),
                                 QStringLiteral("requirepeer"),
                                 QStringLiteral("gssencmode"),
                                 QStringLiteral("krbsrvname"),
                                 QStringLiteral("service"),
                                 QStringLiteral("target_session_attrs"),
                                 QStringLiteral("load_balance_hosts")};

const QString NoPassword = QStringLiteral(
    "un mot de passe n'est jamais écrit dans l'adresse du journal : mettez-le dans le fichier ~/.pgpass de la caisse");

// libpq's "key = value" pairs, a value in quotes when it holds blanks.
platform::Result<QList<std::pair<QString, QString>>> readPairs(const QString &text)
{
    QList<std::pair<QString, QString>> pairs;
    int at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && text.at(at).isSpace())
            ++at;
    };
    while (true) {
        skipBlanks();
        if (at >= text.size())
            break;
        const int keyStart = at;
        while (at < text.size() && !text.at(at).isSpace() && text.at(at) != QLatin1Char('='))
            ++at;
        const QString key = text.mid(keyStart, at - keyStart);
        skipBlanks();
        if (at >= text.size() || text.at(at) != QLatin1Char('='))
            return platform::fail(QStringLiteral("« %1 » n'est suivi d'aucun « = »").arg(key));
        ++at;
        skipBlanks();
        QString value;
        if (at < text.size() && text.at(at) == QLatin1Char('\'')) {
            ++at;
            bool closed = false;
            while (at < text.size()) {
                const QChar c = text.at(at++);
                if (c == QLatin1Char('\\') && at < text.size()) {
                    value += text.at(at++);
                } else if (c == QLatin1Char('\'')) {
                    closed = true;
                    break;
                } else {
                    value += c;
                }
            }
            if (!closed)
                return platform::fail(QStringLiteral("la valeur de « %1 » n'a pas de guillemet final").arg(key));
        } else {
            while (at < text.size() && !text.at(at).isSpace())
                value += text.at(at++);
        }
        pairs.append({key, value});
    }
    return pairs;
}

// A URI's parts as libpq's pairs.
platform::Result<QList<std::pair<QString, QString>>> uriPairs(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return platform::fail(QStringLiteral("l'adresse n'est pas une adresse valable (%1)").arg(url.errorString()));
    if (!url.password().isEmpty())
        return platform::fail(NoPassword);
    QList<std::pair<QString, QString>> pairs;
    if (!url.host().isEmpty())
        pairs.append({QStringLiteral("host"), url.host()});
    if (url.port() != -1)
        pairs.append({QStringLiteral("port"), QString::number(url.port())});
    const QString database = url.path(QUrl::FullyDecoded).mid(1);
    if (!database.isEmpty())
        pairs.append({QStringLiteral("dbname"), database});
    if (!url.userName().isEmpty())
        pairs.append({QStringLiteral("user"), url.userName(QUrl::FullyDecoded)});
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded))
        pairs.append({key, value});
    return pairs;
}

} // namespace

platform::Result<ServerAddress> ServerAddress::parse(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return platform::fail(QStringLiteral("l'adresse du journal partagé est vide"));
    const bool uri = text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
    platform::Result<QList<std::pair<QString, QString>>> pairs = uri ? uriPairs(text) : readPairs(text);
    if (!pairs)
        return pairs.failure();
    for (const auto &[key, value] : *pairs) {
        if (key == QLatin1String("password"))
            return platform::fail(NoPassword);
        if (!ServerKeywords.contains(key))
            return platform::fail(QStringLiteral("« %1 » n'est pas une option de connexion de PostgreSQL").arg(key));
        // Qt hands the options to libpq with each ";" turned into a blank.
        if (value.contains(QLatin1Char(';')))
            return platform::fail(QStringLiteral("la valeur de « %1 » ne peut pas contenir de « ; »").arg(key));
    }
    if (pairs->isEmpty())
        return platform::fail(QStringLiteral("l'adresse du journal partagé ne dit ni serveur ni service"));
    ServerAddress address;
    address.m_text = text;
    address.m_options = std::move(pairs).value();
    return address;
}

bool ServerAddress::sets(const QString &key) const
{
    return std::any_of(m_options.cbegin(), m_options.cend(),
                       [&](const std::pair<QString, QString> &option) { return option.first == key; });
}

QString ServerAddress::options() const
{
    QStringList parts;
    for (const auto &[key, value] : m_options) {
        QString quoted = value;
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
        parts << QStringLiteral("%1='%2'").arg(key, quoted);
    }
    return parts.join(QLatin1Char(' '));
}

platform::Result<std::unique_ptr<Journal>> Journal::openServer(const ServerAddress &server, const QString &till,
                                                               const platform::Clock &clock, ServerUse use)
{
    std::unique_ptr<Journal> journal(new Journal());
    Journal::Private &d = *journal->d;
    d.engine = Engine::Server;
    d.connection = std::make_unique<Connection>(server);
    d.db = d.connection->db();
    d.clock = &clock;
    d.path = server.text();
    d.till = till;
    if (!d.db.isValid())
        return platform::fail(NoServerDriver);
    if (!d.db.open())
        return platform::fail(serverReason(d.db.lastError()));
    if (const platform::Result<void> prepared = d.prepareServer(use); !prepared)
        return prepared.failure();
    return journal;
}

platform::Result<void> Journal::Private::prepareServer(ServerUse use)
{
    QSqlQuery query(db);
    // A cheque is written down before its page goes to the printer: the
    // server says so only once its disk has it.
    // Compiling a plan costs more than a till's queries ever save by it.
    if (!query.exec(QStringLiteral("SET synchronous_commit = on")) || !query.exec(QStringLiteral("SET jit = off")))
        return failed(query);
    const auto hasSchema = [&]() -> platform::Result<bool> {
        if (!query.exec(QStringLiteral("SELECT to_regclass('journal_schema') IS NOT NULL")) || !query.next())
            return failed(query);
        const bool there = query.value(0).toBool();
        query.finish();
        return there;
    };
    platform::Result<bool> there = hasSchema();
    if (!there)
        return there.failure();
    if (!*there && use == ServerUse::ReadOut)
        return platform::fail(QStringLiteral("il n'y a pas encore de journal des chèques sur ce serveur"));
    if (!*there) {
        // The first till to open it makes the tables, the others wait for it.
        Transaction transaction = this->transaction();
        if (const platform::Result<void> begun = transaction.begin(); !begun)
            return begun;
        there = hasSchema();
        if (!there)
            return there.failure();
        if (!*there) {
            if (!query.exec(QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = '%1'").arg(TillsRole)))
                return failed(query);
            if (!query.next()) {
                return platform::fail(QStringLiteral("le rôle « %1 » des caisses n'existe pas sur le serveur du "
                                                     "journal : créez-le comme le dit le README (« Plusieurs "
                                                     "caisses »)")
                                          .arg(TillsRole));
            }
            query.finish();
            QList<const char *> statements(std::begin(ServerSchema), std::end(ServerSchema));
            statements += QList<const char *>(std::begin(ServerSchemaToVersion5), std::end(ServerSchemaToVersion5));
            for (const char *statement : std::as_const(statements)) {
                if (!query.exec(QString::fromUtf8(statement))) {
                    if (query.lastError().nativeErrorCode() == QLatin1String("42501"))
                        return platform::fail(QStringLiteral(
                            "le journal n'est pas encore créé sur le serveur, et cette caisse n'a pas le droit de le "
                            "créer : ouvrez-le une première fois avec le rôle propriétaire de la base"));
                    return failed(query);
                }
            }
            if (!query.exec(
                    QStringLiteral("INSERT INTO journal_schema (version) VALUES (%1)").arg(ServerSchemaVersion)))
                return failed(query);
            for (const char *statement : ServerRights) {
                if (!query.exec(QString::fromUtf8(statement)))
                    return failed(query);
            }
            if (!query.exec(QStringLiteral("SELECT quote_ident(current_schema())")) || !query.next())
                return failed(query);
            const QString schema = query.value(0).toString();
            query.finish();
            if (!query.exec(QStringLiteral("GRANT USAGE ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(schema, TillsRole)))
                return failed(query);
        }
        if (const platform::Result<void> committed = transaction.commit(); !committed)
            return committed;
    }
    if (!query.exec(QStringLiteral("SELECT max(version) FROM journal_schema")) || !query.next())
        return failed(query);
    const int version = query.value(0).toInt();
    query.finish();
    if (version > ServerSchemaVersion)
        return platform::fail(NewerProgram);
    if (use == ServerUse::ReadOut)
        return {};
    if (version < ServerSchemaVersion) {
        if (const platform::Result<void> brought = bringServerForward(); !brought)
            return brought;
    }
    // What a day of cheques needs, asked rather than rehearsed: numbers a
    // server hands out are not taken back with a rehearsal's rows.
    if (!query.exec(QStringLiteral("SELECT has_table_privilege('cheques', 'INSERT')"
                                   " AND has_table_privilege('events', 'INSERT')"
                                   " AND has_table_privilege('notes', 'INSERT')"
                                   " AND has_table_privilege('remittances', 'INSERT')"
                                   " AND has_table_privilege('settings', 'UPDATE')"
                                   " AND has_table_privilege('standing', 'SELECT')")) ||
        !query.next())
        return failed(query);
    if (!query.value(0).toBool()) {
        return platform::fail(QStringLiteral("le serveur du journal ne donne pas à cette caisse le droit d'y écrire : "
                                             "mettez son rôle dans le rôle « %1 »")
                                  .arg(TillsRole));
    }
    return {};
}

platform::Result<void> Journal::Private::bringServerForward()
{
    Transaction transaction = this->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    QSqlQuery query(db);
    // Another till may have done it while this one waited.
    if (!query.exec(QStringLiteral("SELECT max(version) FROM journal_schema")) || !query.next())
        return failed(query);
    const int version = query.value(0).toInt();
    query.finish();
    if (version >= ServerSchemaVersion)
        return {};
    bool done = true;
    for (const char *statement : ServerSchemaToVersion5)
        done = done && query.exec(QString::fromUtf8(statement));
    done =
        done && query.exec(QStringLiteral("INSERT INTO journal_schema (version) VALUES (%1)").arg(ServerSchemaVersion));
    // Only the owner may change the tables.
    if (!done && query.lastError().nativeErrorCode() == QLatin1String("42501"))
        return platform::fail(QStringLiteral("le journal du serveur est celui d'un Ormeline plus ancien : ouvrez-le "
                                             "une fois avec le rôle propriétaire de la base pour le mettre à jour "
                                             "(README, « Plusieurs caisses »)"));
    if (!done)
        return failed(query);
    return transaction.commit();
}

platform::Result<qint64> Journal::Private::writeCheque(const PrintedCheque &cheque, bool taken)
{
    const QString at = timeText(cheque.printedAt.isValid() ? cheque.printedAt : clock->now());
    Transaction transaction = this->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun.failure();
    const platform::Result<InsertedCheque> inserted = insertCheque(cheque, at);
    if (!inserted)
        return inserted.failure();
    QSqlQuery query(db);
    if (taken && inserted->fresh &&
        !run(query, InsertEvent, {inserted->id, at, QStringLiteral("printed"), QString(), NoValue, NoValue}))
        return failed(query);
    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return inserted->id;
}

platform::Result<qint64> Journal::record(const PrintedCheque &cheque)
{
    return d->writeCheque(cheque, true);
}

platform::Result<qint64> Journal::recordHandingOver(const PrintedCheque &cheque)
{
    return d->writeCheque(cheque, false);
}

platform::Result<qint64> Journal::deliver(const PrintedCheque &cheque, Outcome outcome, const QDateTime &at,
                                          const QString &detail)
{
    if (cheque.uuid.isEmpty())
        return platform::fail(QStringLiteral("un chèque sans identité ne peut pas être envoyé au journal"));
    if (outcome == Outcome::HandedOver)
        return d->writeCheque(cheque, false);
    Transaction transaction = d->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun.failure();
    const QString printedAt = timeText(cheque.printedAt.isValid() ? cheque.printedAt : at);
    const platform::Result<Private::InsertedCheque> inserted = d->insertCheque(cheque, printedAt);
    if (!inserted)
        return inserted.failure();
    const platform::Result<std::optional<Entry>> found = d->entryIn(inserted->id);
    if (!found)
        return found.failure();
    // Anything else and the outcome was told already: sent again after a
    // stop, or said in another till's window meanwhile.
    if (*found && (*found)->status == Status::Unconfirmed) {
        QSqlQuery query(d->db);
        const QString kind = outcome == Outcome::Printed ? QStringLiteral("printed") : QStringLiteral("cancelled");
        if (!run(query, InsertEvent, {inserted->id, timeText(at), kind, detail, NoValue, NoValue}))
            return d->failed(query);
    }
    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return inserted->id;
}

bool Journal::unreachable() const
{
    return d->engine == Engine::Server && serverAway(d->lastFailure);
}

platform::Result<void> Journal::reconnect()
{
    if (d->engine != Engine::Server)
        return {};
    d->db.close();
    if (!d->db.open())
        return platform::fail(serverReason(d->db.lastError()));
    QSqlQuery query(d->db);
    // Compiling a plan costs more than a till's queries ever save by it.
    if (!query.exec(QStringLiteral("SET synchronous_commit = on")) || !query.exec(QStringLiteral("SET jit = off")))
        return d->failed(query);
    // A new connection listens to nothing yet.
    if (d->watched)
        d->db.driver()->subscribeToNotification(ChangesChannel);
    return {};
}

void Journal::watch(QObject *context, std::function<void()> changed)
{
    if (d->engine != Engine::Server)
        return;
    QSqlDriver *const driver = d->db.driver();
    if (!driver->subscribedToNotifications().contains(ChangesChannel))
        driver->subscribeToNotification(ChangesChannel);
    d->watched = true;
    QObject::connect(
        driver, qOverload<const QString &, QSqlDriver::NotificationSource, const QVariant &>(&QSqlDriver::notification),
        context, [changed = std::move(changed)](const QString &channel) {
            if (channel == ChangesChannel)
                changed();
        });
}

platform::Result<void> Journal::Private::isPending(qint64 id) const
{
    const platform::Result<std::optional<Entry>> found = entryIn(id);
    if (!found)
        return found.failure();
    if (!*found)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(id));
    if ((*found)->status != Status::Unconfirmed)
        return platform::fail(
            QStringLiteral("le chèque n° %1 est déjà « %2 »").arg(id).arg(statusLabel((*found)->status)));
    return {};
}

platform::Result<void> Journal::Private::statusEvent(qint64 id, Requirement allowed, const QString &kind,
                                                     const QString &detail)
{
    Transaction transaction = this->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    if (const platform::Result<void> may = (this->*allowed)(id); !may)
        return may;
    if (const platform::Result<void> added = addEvent(id, kind, detail, NoValue, NoValue); !added)
        return added;
    return transaction.commit();
}

platform::Result<void> Journal::confirmPrinted(qint64 id, const QString &detail)
{
    return d->statusEvent(id, &Private::isPending, QStringLiteral("printed"), detail);
}

platform::Result<void> Journal::markNotPrinted(qint64 id, const QString &reason)
{
    return d->statusEvent(id, &Private::isPending, QStringLiteral("cancelled"), reason);
}

platform::Result<QList<Entry>> Journal::unconfirmed() const
{
    return everyEntry(Status::Unconfirmed);
}

platform::Result<std::optional<Entry>> Journal::Private::firstEntry(const QString &where,
                                                                    const QVariantList &values) const
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query, QStringLiteral("SELECT ") + EntryColumns + entrySource(engine) + where, values))
        return failed(query);
    if (!query.next())
        return std::optional<Entry>();
    return std::optional<Entry>(readEntry(query));
}

platform::Result<std::optional<Entry>> Journal::Private::entryIn(qint64 id) const
{
    return firstEntry(QStringLiteral(" WHERE c.id = ?"), {id});
}

platform::Result<void> Journal::Private::mayChange(qint64 id) const
{
    const platform::Result<std::optional<Entry>> found = entryIn(id);
    if (!found)
        return found.failure();
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
    case Status::Unconfirmed:
        return platform::fail(
            QStringLiteral("le chèque n° %1 est à vérifier : dites d'abord s'il est sorti de l'imprimante").arg(id));
    }
    return {};
}

platform::Result<void> Journal::Private::addEvent(qint64 id, const QString &kind, const QString &detail,
                                                  const QVariant &remittance, const QVariant &other)
{
    QSqlQuery query(db);
    if (!run(query, InsertEvent, {id, timeText(clock->now()), kind, detail, remittance, other}))
        return failed(query);
    return {};
}

platform::Result<void> Journal::markSpoiled(qint64 id, const QString &reason, qint64 replacedBy)
{
    Transaction transaction = d->transaction();
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
    return d->statusEvent(id, &Private::mayChange, QStringLiteral("cancelled"), reason);
}

platform::Result<void> Journal::addNote(qint64 id, const QString &note)
{
    Transaction transaction = d->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    const platform::Result<std::optional<Entry>> found = d->entryIn(id);
    if (!found)
        return found.failure();
    if (!*found)
        return platform::fail(QStringLiteral("le chèque n° %1 n'est pas dans le journal").arg(id));
    QSqlQuery query(d->db);
    if (!run(query, InsertNote, {id, timeText(d->clock->now()), note}))
        return d->failed(query);
    return transaction.commit();
}

platform::Result<void> Journal::linkReprint(qint64 original, qint64 reprint)
{
    Transaction transaction = d->transaction();
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
        return old.failure();
    if (!fresh)
        return fresh.failure();
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
    Transaction transaction = d->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun.failure();
    for (qint64 id : unique) {
        if (const platform::Result<void> may = d->mayChange(id); !may)
            return may.failure();
    }
    QSqlQuery query(d->db);
    if (!query.exec(QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !query.next())
        return d->failed(query);
    Remittance remittance;
    remittance.number = query.value(0).toLongLong();
    remittance.date = date;
    remittance.account = account;
    query.finish();
    if (!run(query, InsertRemittance,
             {remittance.number, date.toString(DayFormat), account, timeText(d->clock->now())}))
        return d->failed(query);
    const QString detail = remittanceText(remittance.number, date);
    for (qint64 id : unique) {
        if (const platform::Result<void> added =
                d->addEvent(id, QStringLiteral("deposited"), detail, remittance.number, NoValue);
            !added)
            return added.failure();
        const platform::Result<std::optional<Entry>> entry = d->entryIn(id);
        if (!entry || !*entry)
            return platform::fail(entry.ok() ? QStringLiteral("le chèque n° %1 a disparu").arg(id) : entry.error());
        remittance.cheques << **entry;
        ++remittance.totals.count;
        remittance.totals.cents += (*entry)->cents;
    }
    if (const platform::Result<void> committed = transaction.commit(); !committed)
        return committed.failure();
    return remittance;
}

namespace {

// What a window's column sorts by.
QString sortExpression(SortKey key)
{
    switch (key) {
    case SortKey::PrintedAt:
        break;
    case SortKey::Id:
        return QStringLiteral("c.id");
    case SortKey::ChequeDate:
        // Written dd/mm/yyyy: read year first.
        return QStringLiteral("substr(c.cheque_date, 7, 4) || substr(c.cheque_date, 4, 2) || "
                              "substr(c.cheque_date, 1, 2)");
    case SortKey::Amount:
        return QStringLiteral("c.cents");
    case SortKey::Bank:
        return QStringLiteral("c.bank_name");
    case SortKey::Payee:
        return QStringLiteral("c.payee");
    case SortKey::Standing:
        // As the labels read: à vérifier, annulé, gâché, imprimé, remis.
        return QStringLiteral("CASE st.kind WHEN 'pending' THEN 0 WHEN 'cancelled' THEN 1 WHEN 'spoiled' THEN 2"
                              " WHEN 'printed' THEN 3 ELSE 4 END");
    case SortKey::Till:
        return QStringLiteral("c.till");
    case SortKey::ChequeNumber:
        return QStringLiteral("c.cheque_number");
    case SortKey::Note:
        return QStringLiteral("coalesce((SELECT text FROM notes n WHERE n.cheque_id = c.id ORDER BY n.id DESC"
                              " LIMIT 1), '')");
    }
    return QStringLiteral("c.printed_at");
}

} // namespace

platform::Result<Page> Journal::page(const Filter &filter, const Sort &sort, const std::optional<PageEnd> &after,
                                     int limit) const
{
    const QString key = sortExpression(sort.key);
    const QString before = sort.descending ? QStringLiteral(" < ") : QStringLiteral(" > ");
    PrintedBounds bounds;
    if (after && sort.key == SortKey::PrintedAt)
        (sort.descending ? bounds.before : bounds.after) = after->key.toString();
    Condition condition = conditionOf(filter, true, bounds);
    if (after) {
        condition.sql += (condition.sql.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
                         QStringLiteral("(%1%2? OR (%1 = ? AND c.id%2?))").arg(key, before);
        condition.values << after->key << after->key << after->id;
    }
    const QString direction = sort.descending ? QStringLiteral(" DESC") : QString();
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    QVariantList values = condition.values;
    values << qMax(0, limit);
    if (!run(query,
             QStringLiteral("SELECT ") + EntryColumns + QStringLiteral(", ") + key + entrySource(d->engine) +
                 condition.sql + QStringLiteral(" ORDER BY ") + key + direction + QStringLiteral(", c.id") + direction +
                 QStringLiteral(" LIMIT ?"),
             values))
        return d->failed(query);
    Page page;
    QVariant last;
    while (query.next()) {
        page.entries << readEntry(query);
        last = query.value(EntryColumnCount);
    }
    if (query.lastError().isValid())
        return d->failed(query);
    if (limit > 0 && page.entries.size() == limit)
        page.next = PageEnd{last, page.entries.last().id};
    return page;
}

platform::Result<Totals> Journal::totals(const Filter &filter) const
{
    Totals totals;
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    const auto countApart = [&](Status status, int count, qint64 cents) {
        switch (status) {
        case Status::Spoiled:
            totals.spoiled += count;
            break;
        case Status::Cancelled:
            totals.cancelled += count;
            break;
        case Status::Unconfirmed:
            totals.unconfirmed += count;
            break;
        case Status::Printed:
        case Status::Deposited:
            totals.count += count;
            totals.cents += cents;
            break;
        }
    };
    if (filter.status) {
        const Condition condition = conditionOf(filter, true);
        if (!run(query,
                 QStringLiteral("SELECT count(*), coalesce(sum(c.cents), 0) FROM cheques c"
                                " JOIN standing st ON st.cheque_id = c.id") +
                     condition.sql,
                 condition.values) ||
            !query.next())
            return d->failed(query);
        countApart(*filter.status, query.value(0).toInt(), query.value(1).toLongLong());
        return totals;
    }
    // Every cheque of the range from the index alone, then the few that are
    // not money taken off: a year of cheques is counted without reading
    // where each one stands.
    const Condition condition = conditionOf(filter, false);
    if (!run(query, QStringLiteral("SELECT count(*), coalesce(sum(c.cents), 0) FROM cheques c") + condition.sql,
             condition.values) ||
        !query.next())
        return d->failed(query);
    totals.count = query.value(0).toInt();
    totals.cents = query.value(1).toLongLong();
    query.finish();
    const QString apart =
        (condition.sql.isEmpty() ? QStringLiteral(" WHERE ") : condition.sql + QStringLiteral(" AND ")) + ApartKinds;
    if (!run(query,
             QStringLiteral("SELECT st.kind, count(*), coalesce(sum(c.cents), 0) FROM standing st"
                            " JOIN cheques c ON c.id = st.cheque_id") +
                 apart + QStringLiteral(" GROUP BY st.kind"),
             condition.values))
        return d->failed(query);
    while (query.next()) {
        const int count = query.value(1).toInt();
        const qint64 cents = query.value(2).toLongLong();
        totals.count -= count;
        totals.cents -= cents;
        countApart(statusOfCode(query.value(0).toString()), count, cents);
    }
    if (query.lastError().isValid())
        return d->failed(query);
    return totals;
}

platform::Result<int> Journal::forEach(const Filter &filter, const std::function<bool(const Entry &)> &visit) const
{
    const Condition condition = conditionOf(filter, true);
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!run(query,
             QStringLiteral("SELECT ") + EntryColumns + entrySource(d->engine) + condition.sql +
                 QStringLiteral(" ORDER BY c.printed_at, c.id"),
             condition.values))
        return d->failed(query);
    int count = 0;
    while (query.next()) {
        ++count;
        if (!visit(readEntry(query)))
            break;
    }
    if (query.lastError().isValid())
        return d->failed(query);
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
        return d->failed(query);
    QList<Event> events;
    while (query.next())
        events << Event{timeOf(query.value(0).toString()), kindLabel(query.value(1).toString()),
                        query.value(2).toString()};
    return events;
}

platform::Result<QList<Entry>> Journal::everyEntry(Status status) const
{
    Filter filter;
    filter.status = status;
    QList<Entry> list;
    const platform::Result<int> read = forEach(filter, [&](const Entry &entry) {
        list << entry;
        return true;
    });
    if (!read)
        return read.failure();
    return list;
}

platform::Result<QList<Entry>> Journal::undeposited() const
{
    return everyEntry(Status::Printed);
}

namespace {

// The values of an indexed column, from one to the next through its index:
// a DISTINCT would read every cheque of the journal.
QString distinctThroughIndex(const QString &column)
{
    return QStringLiteral("WITH RECURSIVE b (name) AS (SELECT min(%1) FROM cheques"
                          " UNION ALL SELECT (SELECT min(%1) FROM cheques WHERE %1 > b.name)"
                          " FROM b WHERE b.name IS NOT NULL) SELECT name FROM b WHERE name IS NOT NULL")
        .arg(column);
}

} // namespace

platform::Result<QStringList> Journal::bankNames() const
{
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!query.exec(distinctThroughIndex(QStringLiteral("bank_name"))))
        return d->failed(query);
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

platform::Result<QStringList> Journal::tillNames() const
{
    QSqlQuery query(d->db);
    query.setForwardOnly(true);
    if (!query.exec(distinctThroughIndex(QStringLiteral("till"))))
        return d->failed(query);
    QStringList names;
    while (query.next()) {
        // Cheques of an older program are nobody's.
        if (const QString name = query.value(0).toString(); !name.isEmpty())
            names << name;
    }
    return names;
}

platform::Result<std::optional<Entry>> Journal::withLine(const QString &cmc7) const
{
    return d->firstEntry(QStringLiteral(" WHERE c.cmc7 = ? AND c.cmc7 <> '' ORDER BY c.id DESC LIMIT 1"), {cmc7});
}

platform::Result<std::optional<Entry>> Journal::ofChequebook(const QString &cmc7, const QDateTime &since) const
{
    // The line is "NNNNNNN interbank internal": the chequebook is all of it
    // after the number. A few days of cheques are looked at, by their index.
    return d->firstEntry(QStringLiteral(" WHERE c.printed_at >= ? AND c.cmc7 <> '' AND c.cmc7 <> ?"
                                        " AND substr(c.cmc7, 9) = ? ORDER BY c.id DESC LIMIT 1"),
                         {timeText(since), cmc7, cmc7.mid(8)});
}

platform::Result<bool> Journal::hasChequeNumbers() const
{
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("SELECT 1 FROM cheques WHERE cheque_number <> '' LIMIT 1")))
        return d->failed(query);
    return query.next();
}

platform::Result<Journal::Census> Journal::census() const
{
    QSqlQuery query(d->db);
    // Cheques of an older program have no till: they are nobody's.
    if (!run(query, QStringLiteral("SELECT count(DISTINCT NULLIF(till, '')), count(*) FROM cheques")) || !query.next())
        return d->failed(query);
    return Census{query.value(0).toInt(), query.value(1).toLongLong()};
}

platform::Result<qint64> Journal::nextRemittanceNumber() const
{
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("SELECT coalesce(max(number), 0) + 1 FROM remittances")) || !query.next())
        return d->failed(query);
    return query.value(0).toLongLong();
}

Journal::RemittanceTurn::RemittanceTurn(Journal *journal, qint64 number)
    : m_journal(journal)
    , m_number(number)
{
}

Journal::RemittanceTurn::RemittanceTurn(RemittanceTurn &&other) noexcept
    : m_journal(std::exchange(other.m_journal, nullptr))
    , m_number(other.m_number)
{
}

Journal::RemittanceTurn::~RemittanceTurn()
{
    if (!m_journal || m_journal->d->engine != Engine::Server)
        return;
    // A connection gone has let it go already.
    QSqlQuery query(m_journal->d->db);
    query.exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(RemittanceLock));
}

platform::Result<Journal::RemittanceTurn> Journal::takeRemittanceTurn(int waitMs)
{
    if (d->engine == Engine::Server) {
        QDeadlineTimer deadline(waitMs);
        QSqlQuery query(d->db);
        for (;;) {
            if (!query.exec(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(RemittanceLock)) || !query.next())
                return d->failed(query);
            if (query.value(0).toBool())
                break;
            query.finish();
            if (deadline.hasExpired())
                return platform::fail(QStringLiteral("une autre caisse imprime un bordereau en ce moment ; "
                                                     "réessayez dans un instant"));
            QThread::msleep(50);
        }
    }
    RemittanceTurn turn(this, 0);
    const platform::Result<qint64> number = nextRemittanceNumber();
    if (!number)
        return number.failure();
    turn.m_number = *number;
    return platform::Result<RemittanceTurn>(std::move(turn));
}

platform::Result<QString> Journal::account() const
{
    QSqlQuery query(d->db);
    if (!run(query, QStringLiteral("SELECT value FROM settings WHERE key = 'account'")))
        return d->failed(query);
    return query.next() ? query.value(0).toString() : QString();
}

platform::Result<void> Journal::setAccount(const QString &account)
{
    Transaction transaction = d->transaction();
    if (const platform::Result<void> begun = transaction.begin(); !begun)
        return begun;
    QSqlQuery query(d->db);
    if (!run(query, SetSetting, {QStringLiteral("account"), account}))
        return d->failed(query);
    return transaction.commit();
}

} // namespace journal
