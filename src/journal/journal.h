#pragma once

#include "platform/result.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

namespace platform {
class Clock;
}

namespace journal {

// The journal's file in the working folder, beside the suite's files.
extern const QString JournalFileName; // "ormeline_journal.sqlite"

// Where a cheque stands. Each change is an event of its own, kept with when
// and why: a recorded cheque is never edited nor deleted. A cheque is written
// down before its page is handed to the printing system, and stands
// unconfirmed until the printing system has taken it: a program stopped in
// between leaves it so, for the user to say whether it came out.
enum class Status { Printed, Spoiled, Cancelled, Deposited, Unconfirmed };
// "imprimé", "gâché", "annulé", "remis", "à vérifier".
QString statusLabel(Status status);

// Where the amount came from.
enum class AmountSource { HandedOver, Typed };

// A cheque as the printing system accepted it: every text exactly as printed.
struct PrintedCheque
{
    QDateTime printedAt; // when it was printed (local time)
    QString date;        // the date printed, "dd/mm/yyyy"
    QString amount;      // the amount in figures, "1575.98" (as amountFigures gives it)
    QString wordsLine1;  // the two lines of words, stars included
    QString wordsLine2;
    QString payee;
    QString place;
    QString bankName;
    QString layoutFile; // "bq_CODE.txt"
    QString printer;
    AmountSource source = AmountSource::Typed;
    // The cheque's own identity, given when it is first written down: the
    // same cheque sent twice is stored once. Empty for one not yet written.
    QString uuid;
    // The till that printed it; empty for a cheque of an older program.
    QString till;
    // As a reader read them at the till; empty without a reader. The line
    // is the customer's: it is kept here and nowhere else.
    QString chequeNumber; // "1234567"
    QString cmc7;         // "1234567 001234567890 987654321098"
};

// One cheque of the journal, with where it stands now.
struct Entry
{
    qint64 id = 0;
    PrintedCheque cheque;
    qint64 cents = 0; // the amount, in hundredths
    Status status = Status::Printed;
    QDateTime statusAt;    // when the last status event was recorded
    QString statusReason;  // why, as the user gave it (may be empty)
    qint64 remittance = 0; // the slip's number when deposited, else 0
    QDate remittanceDate;  // the slip's date when deposited
    qint64 replacedBy = 0; // the reprint of a spoiled cheque, else 0
    qint64 reprintOf = 0;  // the spoiled cheque this one replaces, else 0
    QString note;          // the latest note, empty when none
};

// One event of a cheque's history, oldest first.
struct Event
{
    QDateTime at;
    QString kind;   // "imprimé", "gâché", "annulé", "remis", "note"
    QString detail; // the reason, the note, "remise N du JJ/MM/AAAA", …
};

// What the journal window and the export show. Empty fields do not filter.
struct Filter
{
    QDate from;                       // printed on or after (day of printedAt)
    QDate to;                         // printed on or before
    QString bankName;                 // exactly, empty for every bank
    std::optional<Status> status;     // nullopt for every status
    QString till = QString();         // exactly, empty for every till
    QString chequeNumber = QString(); // the cheque's own number, exactly
};

// The order of the window's rows; cheques that tie go by their number, the
// same way.
enum class SortKey { PrintedAt, Id, ChequeDate, Amount, Bank, Payee, Standing, Note, Till, ChequeNumber };
struct Sort
{
    SortKey key = SortKey::PrintedAt;
    bool descending = true;
};

// Where a page of rows ended: the next page starts after it.
struct PageEnd
{
    QVariant key;
    qint64 id = 0;
};

struct Page
{
    QList<Entry> entries;
    std::optional<PageEnd> next; // none on the last page
};

struct Totals
{
    // What the shop holds: the cheques printed, deposited or not.
    int count = 0;
    qint64 cents = 0;
    // Counted apart, never in the money.
    int spoiled = 0;
    int cancelled = 0;
    int unconfirmed = 0;
};

// A remittance slip once made: its number, date and cheques.
struct Remittance
{
    qint64 number = 0;
    QDate date;
    QString account; // the account identifier printed on it, may be empty
    QList<Entry> cheques;
    Totals totals;
};

// A journal on a PostgreSQL server, as typed in the set-up window or on the
// command line: a URI ("postgresql://caisse@serveur/ormeline?sslmode=require")
// or libpq's "key=value" pairs ("service=ormeline"). Never a password: libpq
// finds it in ~/.pgpass, PGPASSWORD or the service file.
class ServerAddress
{
public:
    // Nothing but why, in French, when the text is neither form, or holds a
    // password.
    static platform::Result<ServerAddress> parse(const QString &typed);

    QString text() const { return m_text; }
    // Whether the text gives libpq's option `key`.
    bool sets(const QString &key) const;
    // libpq's options, "key='value'" separated by blanks.
    QString options() const;

private:
    QString m_text;
    QList<std::pair<QString, QString>> m_options;
};

// The shop's record of the cheques it filled: an SQLite database in the
// working folder, or on a server the shop's tills share. Every change is one transaction with full synchronous
// commits; a second program using it meanwhile is waited for.
class Journal
{
public:
    struct Opened
    {
        std::unique_ptr<Journal> journal;
        // Non-empty when a damaged file was set aside and a new journal
        // started: says, in French, where the old one now is.
        QString notice;
    };

    // What a look at the file, that writes nothing, says of it.
    enum class Health { Sound, Damaged };
    // Reads the file at `path` without writing to it: its header, the quick
    // check of its pages, its schema. Uses a connection of its own, so it
    // may run on another thread; a missing file is sound (it will be made).
    // Fails, saying why, when the file cannot be read for a reason of its
    // own (a protected folder, a newer program's journal).
    static platform::Result<Health> check(const QString &path);
    // Opens (creating when absent, migrating an older schema forward) the
    // journal at `path`. A file that will not open or fails the checks is
    // renamed aside with the date in its name, its bytes as they were, and a
    // new journal started. A file refused for another reason is left as it
    // is.
    static platform::Result<Opened> open(const QString &path, const platform::Clock &clock);
    // The same, on the verdict of a check() already made.
    static platform::Result<Opened> openChecked(const QString &path, const platform::Clock &clock,
                                                platform::Result<Health> checked);
    // The journal as it stands, to read it out (the command-line export):
    // fails rather than create one where there is none, and leaves a
    // damaged file where it is.
    static platform::Result<std::unique_ptr<Journal>> openExisting(const QString &path, const platform::Clock &clock);
    // The journal on a server, its tables made the first time (by a role
    // allowed to), every cheque written through it kept with `till`. To
    // read it out, one that is not there is not made.
    enum class ServerUse { Record, ReadOut };
    static platform::Result<std::unique_ptr<Journal>> openServer(const ServerAddress &server, const QString &till,
                                                                 const platform::Clock &clock,
                                                                 ServerUse use = ServerUse::Record);
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // The till each cheque written from now on is kept with (a server's
    // journal is given it at opening).
    void setTill(const QString &till);

    // Records a printed cheque; gives its id.
    platform::Result<qint64> record(const PrintedCheque &cheque);
    // Writes the cheque down before its page is handed over: it stands
    // unconfirmed ("à vérifier") until one of the two below. Gives its id.
    platform::Result<qint64> recordHandingOver(const PrintedCheque &cheque);
    // The printing system took it (`detail`: who said so, when not the
    // program itself).
    platform::Result<void> confirmPrinted(qint64 id, const QString &detail = QString());
    // It did not come out: kept as cancelled, with why.
    platform::Result<void> markNotPrinted(qint64 id, const QString &reason);
    // What a till's outbox brings: the cheque written down as handed over,
    // or with what became of it, at `at`, in one transaction. Brought again
    // (the program stopped before it knew the first time went through), it
    // changes nothing; an outcome already said stays. Gives its id.
    enum class Outcome { HandedOver, Printed, NotPrinted };
    platform::Result<qint64> deliver(const PrintedCheque &cheque, Outcome outcome, const QDateTime &at,
                                     const QString &detail = QString());
    // On a server, whether the last operation that failed did because the
    // server did not answer; and opening its connection again once it may.
    bool unreachable() const;
    platform::Result<void> reconnect();
    // On a server, calls `changed` from the event loop each time a till
    // (this one included) adds to the journal, for as long as `context`
    // lives, across reconnections. A file is one till's: never called.
    void watch(QObject *context, std::function<void()> changed);

    // What moving a till's own journal file to the server did.
    struct Moved
    {
        int added = 0;        // cheques the server did not have, brought with their whole history
        int alreadyThere = 0; // brought before: left as the server has them
        QString keptAs;       // the file's new name
    };
    // Copies the journal file at `path`, this till's own from before the
    // server, into the server's journal in one transaction: every cheque
    // with its events, notes and slips, each cheque once by its identity, so
    // that moving it again adds nothing. Its slips take the server's next
    // numbers, the number printed on each being kept in its cheques'
    // history. The file is then renamed, its name saying so, and kept.
    platform::Result<Moved> takeIn(const QString &path);

    // The cheques still unconfirmed, oldest first.
    platform::Result<QList<Entry>> unconfirmed() const;

    // Whether an operation failed because the file is damaged (SQLite found
    // it corrupt, or not a database): the journal is then to be set aside.
    bool damaged() const;
    // Closes this journal, found damaged, sets its file aside as open() does
    // and goes on in a new journal in its place: whoever holds this journal
    // writes to the new one from now on. Gives what the user is to be told.
    platform::Result<QString> replaceDamaged();

    // Status events. A spoiled cheque may name its reprint.
    platform::Result<void> markSpoiled(qint64 id, const QString &reason, qint64 replacedBy = 0);
    platform::Result<void> cancel(qint64 id, const QString &reason);
    platform::Result<void> addNote(qint64 id, const QString &note);
    // Records `id` as the reprint of the spoiled `original`.
    platform::Result<void> linkReprint(qint64 original, qint64 reprint);

    // Makes a remittance of the cheques given (printed, not yet deposited),
    // numbered after the last one, dated `date`.
    platform::Result<Remittance> deposit(const QList<qint64> &ids, const QDate &date, const QString &account);

    // `limit` rows in the order asked, after where the previous page ended
    // (from the first without one): the window reads what it shows, as fast
    // deep in years of cheques as at their start.
    platform::Result<Page> page(const Filter &filter, const Sort &sort, const std::optional<PageEnd> &after,
                                int limit) const;
    platform::Result<Totals> totals(const Filter &filter) const;
    // Every entry the filter keeps, oldest first, read one at a time (an
    // export does not hold the whole journal); `visit` returns false to stop.
    // Gives how many were visited.
    platform::Result<int> forEach(const Filter &filter, const std::function<bool(const Entry &)> &visit) const;
    platform::Result<std::optional<Entry>> entry(qint64 id) const;
    platform::Result<QList<Event>> history(qint64 id) const;
    // Printed cheques not yet deposited, oldest first.
    platform::Result<QList<Entry>> undeposited() const;
    // The banks' names found in the journal, for the bank filter.
    platform::Result<QStringList> bankNames() const;
    // The tills whose cheques the journal holds, for the till filter.
    platform::Result<QStringList> tillNames() const;
    // Whether any cheque was read at the till: the window then shows their
    // numbers, and finds a cheque by it.
    platform::Result<bool> hasChequeNumbers() const;
    // How many tills have written to the journal, and how many cheques it
    // holds whatever became of them: what a connection test shows.
    struct Census
    {
        int tills = 0;
        qint64 cheques = 0;
    };
    platform::Result<Census> census() const;

    // The latest cheque printed with this very line, if any: a cheque
    // filled in twice.
    platform::Result<std::optional<Entry>> withLine(const QString &cmc7) const;
    // The latest other cheque of the same chequebook (its line but for the
    // number) printed since `since`.
    platform::Result<std::optional<Entry>> ofChequebook(const QString &cmc7, const QDateTime &since) const;

    // The account identifier the shop typed once for its slips.
    // The number the next remittance will get, for the slip printed before
    // the cheques are marked deposited.
    platform::Result<qint64> nextRemittanceNumber() const;

    // The next slip's number, held for this journal while the turn lasts: on
    // a server, another till asking meanwhile waits for it to end (`waitMs`
    // at most, then is refused), so that two slips printed at once never
    // bear the same number, no cheque goes on both, and a slip that fails to
    // print leaves no gap. The server ends a turn by itself when the till's
    // connection goes. A file is one till's: its turn holds nothing.
    class RemittanceTurn
    {
    public:
        RemittanceTurn(RemittanceTurn &&other) noexcept;
        RemittanceTurn &operator=(RemittanceTurn &&) = delete;
        ~RemittanceTurn();
        qint64 number() const { return m_number; }

    private:
        friend class Journal;
        RemittanceTurn(Journal *journal, qint64 number);
        Journal *m_journal;
        qint64 m_number;
    };
    platform::Result<RemittanceTurn> takeRemittanceTurn(int waitMs = 5000);

    platform::Result<QString> account() const;
    platform::Result<void> setAccount(const QString &account);

private:
    Journal();
    // Every entry in that state, oldest first.
    platform::Result<QList<Entry>> everyEntry(Status status) const;
    struct Private;
    std::unique_ptr<Private> d;
};

// The CSV the accountant gets, as a French spreadsheet opens it without a
// question: UTF-8 with a byte-order mark, ";" between fields, "," decimals,
// dates as JJ/MM/AAAA, a header line, quotes where needed. Written in one step.
platform::Result<int> exportCsv(const Journal &journal, const Filter &filter, const QString &path);

// An IBAN as typed (blanks allowed): nothing when it is sound, else why not
// in French. ISO 13616 check digits.
std::optional<QString> ibanProblem(const QString &iban);
// The IBAN in groups of four, upper case.
QString ibanGrouped(const QString &iban);

// "1 234,56 €", with no-break spaces (U+00A0) between the groups and before
// the sign, so that an amount is never cut at the end of a line.
QString frenchEuros(qint64 cents);

// "1 204": a count in groups of three, with no-break spaces (U+00A0).
QString frenchCount(quint64 count);

// The amount in hundredths of figures as amountFigures writes them
// ("1575.98" -> 157598), exactly; nothing when the text is not an amount.
std::optional<qint64> centsOf(const QString &figures);

} // namespace journal
