#include "journal/chequerecorder.h"

#include "platform/clock.h"
#include "prompt_dialog/usertalk.h"

#include <QTimer>
#include <QUuid>

namespace journal {

namespace {

// A cheque younger than this may be another copy of the program's, still
// being printed: it is left for the journal's window.
constexpr qint64 LeftoverAgeSeconds = 60;

// How often what waits for the server is sent again while it is away.
constexpr int RetryMilliseconds = 30 * 1000;

QString euros(const QString &figures)
{
    const std::optional<qint64> cents = centsOf(figures);
    return cents ? frenchEuros(*cents) : figures + QStringLiteral(" €");
}

} // namespace

JournalRecorder::JournalRecorder(QString path, const platform::Clock &clock, prompt_dialog::UserTalk &talk,
                                 QObject *parent)
    : QObject(parent)
    , m_path(std::move(path))
    , m_clock(clock)
    , m_talk(talk)
{
}

JournalRecorder::JournalRecorder(ServerAddress server, QString outboxPath, const platform::Clock &clock,
                                 prompt_dialog::UserTalk &talk, QObject *parent)
    : QObject(parent)
    , m_path(server.text())
    , m_clock(clock)
    , m_talk(talk)
    , m_server(std::move(server))
    , m_outboxPath(std::move(outboxPath))
    , m_retry(new QTimer(this))
{
    m_retry->setInterval(RetryMilliseconds);
    connect(m_retry, &QTimer::timeout, this, [this] { sendWaiting(); });
}

JournalRecorder::~JournalRecorder()
{
    // The look tells this object when it is done: it must be over first.
    if (m_look.valid())
        m_look.wait();
}

void JournalRecorder::startOpening()
{
    if (m_started || m_finished)
        return;
    m_started = true;
    if (m_server) {
        // Once the window shows: a server that does not answer takes a few
        // seconds to say so.
        QTimer::singleShot(0, this, &JournalRecorder::finishOpening);
        return;
    }
    m_look = std::async(std::launch::async, [this, path = m_path] {
        platform::Result<Journal::Health> verdict = Journal::check(path);
        QMetaObject::invokeMethod(this, &JournalRecorder::finishOpening, Qt::QueuedConnection);
        return verdict;
    });
}

void JournalRecorder::setTill(const QString &till)
{
    m_till = till;
    if (m_journal)
        m_journal->setTill(till);
}

Journal *JournalRecorder::journal()
{
    finishOpening();
    if (m_server) {
        sendWaiting();
        return m_serverAway.isEmpty() ? m_journal.get() : nullptr;
    }
    return m_unavailable.isEmpty() ? m_journal.get() : nullptr;
}

void JournalRecorder::finishOpening()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_server) {
        openServer();
        return;
    }
    platform::Result<Journal::Health> verdict = m_started ? m_look.get() : Journal::check(m_path);
    platform::Result<Journal::Opened> opened = Journal::openChecked(m_path, m_clock, std::move(verdict));
    if (!opened) {
        m_unavailable = QStringLiteral("le journal « %1 » ne peut pas être ouvert : %2").arg(m_path, opened.error());
        tellLater(QStringLiteral("Le journal des chèques « %1 » ne peut pas être ouvert : %2.\n\n"
                                 "Les chèques imprimés cette fois n'y seront pas inscrits.")
                      .arg(m_path, opened.error()));
        Q_EMIT this->opened();
        return;
    }
    Journal::Opened made = std::move(opened).value();
    m_journal = std::move(made.journal);
    m_journal->setTill(m_till);
    if (!made.notice.isEmpty())
        tellLater(made.notice);
    const platform::Result<QList<Entry>> leftovers = m_journal->unconfirmed();
    if (leftovers) {
        const QDateTime before = m_clock.now().addSecs(-LeftoverAgeSeconds);
        for (const Entry &entry : *leftovers) {
            if (entry.cheque.printedAt <= before)
                m_leftovers << entry;
        }
    }
    if (!m_leftovers.isEmpty())
        settleLater();
    Q_EMIT this->opened();
}

void JournalRecorder::openServer()
{
    platform::Result<std::unique_ptr<Outbox>> outbox = Outbox::open(m_outboxPath);
    if (outbox) {
        m_outbox = std::move(outbox).value();
    } else {
        tellLater(QStringLiteral("%1.\n\nLes chèques imprimés cette fois seront inscrits directement sur le serveur du "
                                 "journal : s'il ne répond pas, ils ne seront pas inscrits.")
                      .arg(outbox.error()));
    }
    sendWaiting();
    const QDateTime before = m_clock.now().addSecs(-LeftoverAgeSeconds);
    const auto isLeftover = [&](const PrintedCheque &cheque) {
        return cheque.till == m_till && cheque.printedAt <= before;
    };
    // Those the server has, then those it does not have yet.
    if (Journal *const server = m_serverAway.isEmpty() ? m_journal.get() : nullptr) {
        const platform::Result<QList<Entry>> leftovers = server->unconfirmed();
        for (const Entry &entry : leftovers ? *leftovers : QList<Entry>()) {
            if (isLeftover(entry.cheque))
                m_leftovers << entry;
        }
    }
    const platform::Result<QList<Outbox::Letter>> letters =
        m_outbox ? m_outbox->letters() : platform::Result<QList<Outbox::Letter>>(QList<Outbox::Letter>());
    for (const Outbox::Letter &letter : letters ? *letters : QList<Outbox::Letter>()) {
        if (letter.outcome == Journal::Outcome::HandedOver && isLeftover(letter.cheque)) {
            Entry entry;
            entry.cheque = letter.cheque;
            entry.cents = centsOf(letter.cheque.amount).value_or(0);
            entry.status = Status::Unconfirmed;
            m_leftovers << entry;
        }
    }
    if (!m_leftovers.isEmpty())
        settleLater();
    m_retry->start();
    Q_EMIT this->opened();
}

platform::Result<Journal::Moved> JournalRecorder::takeIn(const QString &path)
{
    if (!m_server)
        return platform::fail(QStringLiteral("cette caisse n'écrit pas encore sur le serveur du journal partagé : "
                                             "gardez son adresse, relancez Ormeline, puis envoyez le journal"));
    Journal *const server = reachServer();
    if (!server)
        return platform::fail(m_serverAway);
    return server->takeIn(path);
}

Journal *JournalRecorder::reachServer()
{
    if (!m_journal) {
        platform::Result<std::unique_ptr<Journal>> opened =
            Journal::openServer(*m_server, m_till, m_clock, Journal::ServerUse::Record);
        if (!opened) {
            m_serverAway = opened.error();
            return nullptr;
        }
        m_journal = std::move(opened).value();
    } else if (!m_serverAway.isEmpty()) {
        if (const platform::Result<void> again = m_journal->reconnect(); !again) {
            m_serverAway = again.error();
            return nullptr;
        }
    }
    m_serverAway.clear();
    return m_journal.get();
}

int JournalRecorder::sendWaiting()
{
    if (!m_server)
        return 0;
    finishOpening();
    Journal *const server = reachServer();
    const platform::Result<int> before = m_outbox ? m_outbox->count() : platform::Result<int>(0);
    if (server && before && *before > 0) {
        const platform::Result<void> sent =
            m_outbox->sendTo(*server, [this](const QString &uuid, qint64 id) { m_sentIds.insert(uuid, id); });
        if (!sent && server->unreachable()) {
            m_serverAway = sent.error();
        } else if (!sent && sent.error() != std::exchange(m_toldRefusal, sent.error())) {
            tellLater(QStringLiteral("Des chèques de cette caisse n'ont pas pu être envoyés au serveur du journal : "
                                     "%1.\n\nIls restent en attente sur cette caisse.")
                          .arg(sent.error()));
        }
    }
    // Told once each time it goes away, not every half-minute.
    if (m_serverAway.isEmpty()) {
        m_toldAway = false;
    } else if (!std::exchange(m_toldAway, true)) {
        tellLater(QStringLiteral("Le serveur du journal partagé « %1 » ne répond pas : %2.\n\nLes chèques imprimés "
                                 "attendent sur cette caisse ; ils lui seront envoyés dès qu'il répondra.")
                      .arg(m_server->text(), m_serverAway));
    }
    countWaiting();
    return m_waiting;
}

void JournalRecorder::countWaiting()
{
    const platform::Result<int> counted = m_outbox ? m_outbox->count() : platform::Result<int>(0);
    const int waiting = counted ? *counted : m_waiting;
    if (waiting != std::exchange(m_waiting, waiting))
        Q_EMIT waitingChanged(m_waiting);
}

platform::Result<void> JournalRecorder::post(const PrintedCheque &cheque, Journal::Outcome outcome,
                                             const QString &detail)
{
    if (m_outbox) {
        const platform::Result<void> put = m_outbox->put({cheque, outcome, m_clock.now(), detail});
        countWaiting();
        if (put)
            return {};
        // A disk that refuses the outbox may leave the server reachable.
        tellLater(put.error());
    }
    Journal *const server = reachServer();
    if (!server)
        return platform::fail(m_serverAway);
    const platform::Result<qint64> delivered = server->deliver(cheque, outcome, m_clock.now(), detail);
    if (!delivered) {
        if (server->unreachable())
            m_serverAway = delivered.error();
        return delivered.failure();
    }
    m_sentIds.insert(cheque.uuid, *delivered);
    return {};
}

platform::Result<void> JournalRecorder::noteOutcome(const Entry &entry, bool out, const QString &detail)
{
    if (m_server) {
        const platform::Result<void> posted =
            post(entry.cheque, out ? Journal::Outcome::Printed : Journal::Outcome::NotPrinted, detail);
        sendWaiting();
        return posted;
    }
    return out ? m_journal->confirmPrinted(entry.id, detail) : m_journal->markNotPrinted(entry.id, detail);
}

bool JournalRecorder::replaceIfDamaged(const QString &why)
{
    if (!m_journal || !m_journal->damaged() || m_replaced)
        return false;
    // Once a run: a new journal that fails the same way has another cause.
    m_replaced = true;
    const platform::Result<QString> notice = m_journal->replaceDamaged();
    if (!notice) {
        // Kept, closed: a window may still hold it.
        m_unavailable = QStringLiteral("le journal est abîmé (%1) : %2").arg(why, notice.error());
        return false;
    }
    tellLater(*notice);
    return true;
}

platform::Result<qint64> JournalRecorder::recordHandingOver(const PrintedCheque &cheque)
{
    if (m_server) {
        finishOpening();
        PrintedCheque kept = cheque;
        kept.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        kept.till = m_till;
        // Not sent yet: the page goes first, the server hears of it after.
        if (const platform::Result<void> posted = post(kept, Journal::Outcome::HandedOver, QString()); !posted)
            return posted.failure();
        m_handedOver.insert(++m_lastHandle, kept);
        return m_lastHandle;
    }
    Journal *const open = journal();
    if (!open)
        return platform::fail(m_unavailable);
    const platform::Result<qint64> recorded = open->recordHandingOver(cheque);
    if (recorded)
        return recorded;
    if (replaceIfDamaged(recorded.error()))
        return m_journal->recordHandingOver(cheque);
    return platform::fail(m_unavailable.isEmpty() ? recorded.error() : m_unavailable);
}

platform::Result<qint64> JournalRecorder::confirmPrinted(qint64 id, const PrintedCheque &cheque)
{
    if (m_server) {
        const PrintedCheque kept = m_handedOver.take(id);
        if (kept.uuid.isEmpty())
            return platform::fail(
                QStringLiteral("le chèque n'a pas été inscrit avant d'être imprimé (%1)").arg(cheque.amount));
        if (const platform::Result<void> posted = post(kept, Journal::Outcome::Printed, QString()); !posted)
            return posted.failure();
        sendWaiting();
        // Still waiting for the server: it has no number yet.
        return m_sentIds.value(kept.uuid, 0);
    }
    Journal *const open = journal();
    if (!open)
        return platform::fail(m_unavailable);
    const platform::Result<void> confirmed = open->confirmPrinted(id);
    if (confirmed)
        return id;
    if (!replaceIfDamaged(confirmed.error()))
        return platform::fail(m_unavailable.isEmpty() ? confirmed.error() : m_unavailable);
    // Its first line went with the damaged file: the new journal has it
    // whole, as printed.
    return m_journal->record(cheque);
}

platform::Result<void> JournalRecorder::markNotPrinted(qint64 id, const QString &why)
{
    if (m_server) {
        const PrintedCheque kept = m_handedOver.take(id);
        if (kept.uuid.isEmpty())
            return {};
        const platform::Result<void> posted = post(kept, Journal::Outcome::NotPrinted, why);
        sendWaiting();
        return posted;
    }
    Journal *const open = journal();
    if (!open)
        return platform::fail(m_unavailable);
    const platform::Result<void> marked = open->markNotPrinted(id, why);
    // A new journal does not have the cheque, which did not come out.
    if (marked || replaceIfDamaged(marked.error()))
        return {};
    return platform::fail(m_unavailable.isEmpty() ? marked.error() : m_unavailable);
}

void JournalRecorder::tellLater(const QString &text)
{
    m_toTell << text;
    settleLater();
}

void JournalRecorder::settleLater()
{
    // Back in the event loop: never between a page and its hand-over.
    if (!std::exchange(m_settleQueued, true))
        QTimer::singleShot(0, this, &JournalRecorder::settle);
}

void JournalRecorder::tellWaiting()
{
    while (!m_toTell.isEmpty())
        m_talk.message(m_toTell.takeFirst());
}

void JournalRecorder::tellNow()
{
    if (!m_settling)
        tellWaiting();
}

void JournalRecorder::settle()
{
    m_settleQueued = false;
    // A message's own event loop may bring another turn here: the first one
    // tells everything.
    if (m_settling)
        return;
    m_settling = true;
    tellWaiting();
    const QList<Entry> leftovers = std::exchange(m_leftovers, {});
    for (const Entry &entry : leftovers) {
        if (!m_unavailable.isEmpty())
            break;
        const bool out = m_talk.question(leftoverQuestion(entry, m_clock.today()));
        const platform::Result<void> noted =
            noteOutcome(entry, out,
                        out ? QStringLiteral("sorti, dit au lancement suivant")
                            : QStringLiteral("pas sorti de l'imprimante, dit au lancement suivant"));
        if (!noted) {
            m_talk.message(QStringLiteral("La réponse n'a pas pu être notée dans le journal des chèques : %1.\n\n"
                                          "Le chèque y reste « à vérifier » ; son état se règle dans le journal.")
                               .arg(noted.error()));
        }
    }
    tellWaiting();
    m_settling = false;
    Q_EMIT settled();
}

QString waitingText(int count)
{
    if (count <= 0)
        return QString();
    return count == 1 ? QStringLiteral("1 chèque en attente du serveur")
                      : QStringLiteral("%1 chèques en attente du serveur").arg(count);
}

QString notRecordedMessage(const PrintedCheque &cheque, const QString &why)
{
    return QStringLiteral("Le chèque de %1 a été imprimé, mais il n'est pas inscrit dans le journal des chèques : "
                          "%2.\n\nNotez-le à la main : il ne figurera ni dans le journal ni sur la remise en banque.")
        .arg(euros(cheque.amount), why);
}

QString leftoverQuestion(const Entry &entry, const QDate &today)
{
    const QDateTime &at = entry.cheque.printedAt;
    const QString time = at.toString(QStringLiteral("H 'h' mm"));
    const QString when = at.date() == today
                             ? QStringLiteral("à %1").arg(time)
                             : QStringLiteral("le %1 à %2").arg(at.date().toString(QStringLiteral("dd/MM/yyyy")), time);
    return QStringLiteral("Ormeline s'est arrêté pendant l'impression d'un chèque.\n\n"
                          "Le chèque de %1 sur %2, %3, est-il sorti ?")
        .arg(frenchEuros(entry.cents), entry.cheque.bankName, when);
}

} // namespace journal
