#pragma once

#include "journal/journal.h"
#include "journal/outbox.h"

#include <QHash>
#include <QObject>

#include <future>
#include <optional>

class QTimer;

namespace prompt_dialog {
class UserTalk;
}

namespace journal {

// Where a printed cheque is written down: before its page is handed to the
// printing system, so that no page can come out unrecorded whatever the
// moment the program is stopped, and again once the printing system has
// taken it.
class ChequeRecorder
{
public:
    virtual ~ChequeRecorder() = default;
    // Writes the cheque down as being handed over; gives its id. It stands
    // "à vérifier" until one of the two below.
    virtual platform::Result<qint64> recordHandingOver(const PrintedCheque &cheque) = 0;
    // The printing system took the cheque written down as `id`. Gives its id
    // in the journal, which is another when the journal had to be started
    // again meanwhile.
    virtual platform::Result<qint64> confirmPrinted(qint64 id, const PrintedCheque &cheque) = 0;
    // The printing system refused it: it will not come out.
    virtual platform::Result<void> markNotPrinted(qint64 id, const QString &why) = 0;
    // Sends what waits for the journal's server, if it answers; gives how
    // many of this till's cheques still wait (none but on a server).
    virtual int sendWaiting() { return 0; }
    // The till each cheque written down from now on is kept with.
    virtual void setTill(const QString &till) = 0;
    // Brings this till's own journal file at `path`, from before the
    // server, into the server's journal (Journal::takeIn).
    virtual platform::Result<Journal::Moved> takeIn(const QString &path) = 0;
};

// The journal of the program's run. Looking at a journal of years takes a
// while, so the look runs on a thread of its own once the window shows, and
// the first cheque to be written down waits for it if it must. A journal
// damaged then, or found damaged by a record, is set aside and a new one
// started, so that every cheque printed is written down somewhere. What the
// user must know (a journal set aside, none to be had) is told through the
// user talk once back in the event loop, never in the middle of a print;
// then each cheque a stopped program left unconfirmed is put to the user.
class JournalRecorder final : public QObject, public ChequeRecorder
{
    Q_OBJECT

public:
    JournalRecorder(QString path, const platform::Clock &clock, prompt_dialog::UserTalk &talk,
                    QObject *parent = nullptr);
    // The journal on the shop's server. What this till prints goes first
    // into its outbox at `outboxPath`, then to the server as soon as it
    // answers: after each cheque, every 30 seconds, and when the journal is
    // asked for.
    JournalRecorder(ServerAddress server, QString outboxPath, const platform::Clock &clock,
                    prompt_dialog::UserTalk &talk, QObject *parent = nullptr);
    ~JournalRecorder() override;

    // Starts the look at the file; the journal is opened when it is done, or
    // when first needed.
    void startOpening();
    // The journal, opened (waiting for the look if it runs yet); nullptr when
    // there can be none, unavailable() then saying why. The same object for
    // the whole run, a replaced journal included.
    Journal *journal();
    QString unavailable() const { return m_server ? m_serverAway : m_unavailable; }
    // The till each cheque is kept with: this machine's name, unless the
    // shop named it.
    void setTill(const QString &till) override;
    // Only on a server: a till writing to a file would go on writing to the
    // file set aside.
    platform::Result<Journal::Moved> takeIn(const QString &path) override;

    platform::Result<qint64> recordHandingOver(const PrintedCheque &cheque) override;
    platform::Result<qint64> confirmPrinted(qint64 id, const PrintedCheque &cheque) override;
    platform::Result<void> markNotPrinted(qint64 id, const QString &why) override;

    int sendWaiting() override;
    // This till's cheques that the server does not have yet.
    int waiting() const { return m_waiting; }

    // Tells at once what there is to tell (the program is ending).
    void tellNow();

Q_SIGNALS:
    // How many of this till's cheques wait for the server, when it changes.
    void waitingChanged(int count);
    // The journal is opened, or known to be unavailable.
    void opened();
    // The user was told what there was to tell and asked about each cheque
    // left unconfirmed.
    void settled();

private:
    void finishOpening();
    void openServer();
    // The server's journal, its connection made again when the server went
    // away; nullptr, m_serverAway saying why, while it does not answer.
    Journal *reachServer();
    // A cheque of this till in the outbox, or straight to the server when
    // there can be no outbox.
    platform::Result<void> post(const PrintedCheque &cheque, Journal::Outcome outcome, const QString &detail);
    platform::Result<void> noteOutcome(const Entry &entry, bool out, const QString &detail);
    void countWaiting();
    // A failed operation on a damaged journal: sets it aside and goes on in a
    // new one, once a run. True when there is a new one.
    bool replaceIfDamaged(const QString &why);
    void tellLater(const QString &text);
    void settleLater();
    void tellWaiting();
    void settle();

    QString m_path;
    QString m_till;
    const platform::Clock &m_clock;
    prompt_dialog::UserTalk &m_talk;
    std::future<platform::Result<Journal::Health>> m_look;
    bool m_started = false;
    bool m_finished = false;
    std::unique_ptr<Journal> m_journal;
    QString m_unavailable;
    bool m_replaced = false;
    QStringList m_toTell;
    bool m_settleQueued = false;
    bool m_settling = false;
    // The cheques found unconfirmed at opening, to put to the user.
    QList<Entry> m_leftovers;

    // On a server.
    std::optional<ServerAddress> m_server;
    QString m_outboxPath;
    std::unique_ptr<Outbox> m_outbox;
    QString m_serverAway;
    bool m_toldAway = false;
    QString m_toldRefusal;
    // The cheques handed over and not yet said printed or not, by the
    // number recordHandingOver() gave.
    QHash<qint64, PrintedCheque> m_handedOver;
    qint64 m_lastHandle = 0;
    // The server's numbers of the cheques sent, by identity.
    QHash<QString, qint64> m_sentIds;
    int m_waiting = 0;
    QTimer *m_retry = nullptr;
};

// What the main window says while cheques wait for the server:
// "2 chèques en attente du serveur"; empty when none.
QString waitingText(int count);

// What the user is told when a printed cheque could not be written down.
QString notRecordedMessage(const PrintedCheque &cheque, const QString &why);
// The question put for a cheque a stopped program left unconfirmed:
// "Le chèque de 401,01 € sur Banque de Test, à 10 h 42, est-il sorti ?"
QString leftoverQuestion(const Entry &entry, const QDate &today);

} // namespace journal
