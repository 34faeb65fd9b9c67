#pragma once

#include "journal/journal.h"

#include <QList>
#include <QString>

#include <optional>

namespace platform {
class Clock;
class PrinterSurface;
} // namespace platform

namespace prompt_dialog {
class UserTalk;
}

namespace journal {

// What the main window holds that the journal's commands need.
struct ShopTexts
{
    QString payee; // the shop's name, as printed on its cheques
    QString place;
    QString currencyName;
    QString hundredthName;
};

struct BankChoice
{
    QString layoutFile; // "bq_CODE.txt"
    QString name;
};

struct Reprinted
{
    bool printed = false;
    qint64 id = 0; // the new cheque in the journal, 0 when it could not be recorded
};

// What the journal's commands take from the main window, as it stands when
// the journal's window opens (nothing changes it while that window is up).
struct MainWindowValues
{
    ShopTexts shop;
    // The banks of the bank buttons, in their order.
    QList<BankChoice> banks;
    // The printer offsets, in millimetres (Text5, Text6), which a reprint
    // is shifted by as every cheque is.
    QString verticalOffset;
    QString horizontalOffset;
};

// The program's one way of printing a cheque, as the journal's commands
// reach it.
class ChequePrinter
{
public:
    virtual ~ChequePrinter() = default;

    // Prints the amount, payee, place and date of `cheque` on the bank of
    // `layoutFile`, as a bank click prints, with the main window's currency
    // names and printer offsets, and records it. The user has been told
    // whatever failed.
    virtual Reprinted printAgain(const PrintedCheque &cheque, const QString &layoutFile,
                                 const MainWindowValues &mainWindow) = 0;
    // The printer chosen on the main window, which the slip goes to.
    virtual platform::PrinterSurface &currentPrinter() = 0;
    // Sends what this till printed and the journal's server does not have
    // yet; gives how many cheques still wait.
    virtual int sendWaiting() { return 0; }
};

// The journal window's rules: what each of its commands does to the
// journal, what it asks and what it says, through the user talk. Each
// command returns true when the journal changed.
class JournalDesk
{
public:
    JournalDesk(Journal &journal, MainWindowValues mainWindow, ChequePrinter &printer, prompt_dialog::UserTalk &talk,
                const platform::Clock &clock);

    Journal &journal() { return m_journal; }
    const MainWindowValues &mainWindow() const { return m_main; }
    prompt_dialog::UserTalk &talk() { return m_talk; }

    // What the window shows first: today's cheques.
    Filter todaysFilter() const;
    // The bank a reprint goes to unless the user picks another: the one the
    // cheque was printed on, when it is still among the buttons.
    static int defaultBank(const Entry &entry, const QList<BankChoice> &banks);

    // The commands on one cheque. The window offers a command only where
    // its command would be accepted.
    enum class Command { Reprint, Spoil, Cancel, Note, Settle };
    // Why `command` does not apply to `entry`, in French; nothing when it
    // does.
    static std::optional<QString> refusal(Command command, const Entry &entry);

    bool markSpoiled(qint64 id);
    // Prints a spoiled (or printed, once the user agrees it is spoiled)
    // cheque again on the bank of `layoutFile`, after the user has fed a
    // blank cheque; the old one then names the new one.
    bool reprint(qint64 id, const QString &layoutFile);
    bool cancel(qint64 id);
    bool editNote(qint64 id);
    // Asks whether a cheque left unconfirmed by a stopped program came out,
    // and notes the answer.
    bool settle(qint64 id);

    // Checks the account the shop typed and keeps it; false (the user told
    // why) when it is an IBAN with wrong check digits.
    bool keepAccount(const QString &account);
    // Prints the slip of the cheques `ids` on the main window's printer and,
    // once the printing system took it, records them deposited under its
    // number. A slip that did not print deposits nothing.
    bool remit(const QList<qint64> &ids, const QString &account);

    bool exportTo(const Filter &filter, const QString &path);

private:
    std::optional<Entry> find(qint64 id);

    Journal &m_journal;
    const MainWindowValues m_main;
    ChequePrinter &m_printer;
    prompt_dialog::UserTalk &m_talk;
    const platform::Clock &m_clock;
};

// Where a cheque stands, for the window and its questions:
// "gâché : mal imprimé, remplacé par le n° 12", "remis (remise 3 du 07/03/2026)".
QString standing(const Entry &entry);
// The cheque in a few words: "1 575,98 € du 07/03/2026 (Banque de Test)".
QString chequeSummary(const Entry &entry);
// The reason the user gave for spoiling or cancelling the cheque; empty
// for a cheque in any other state.
QString reasonGiven(const Entry &entry);
// The count and total the window shows: what the shop holds, and what is
// not money apart: "2 chèques, total 2 475,56 € ; hors total : 1 gâché".
QString totalsSummary(const Totals &totals);
// What an export says it wrote, in the window and on the command line:
// "Aucun chèque exporté dans « F ».", "1 chèque exporté…", "3 chèques exportés…".
QString exportedMessage(int count, const QString &path);

} // namespace journal
