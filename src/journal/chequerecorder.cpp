#include "journal/chequerecorder.h"

#include "platform/clock.h"
#include "prompt_dialog/usertalk.h"

#include <QTimer>

namespace journal {

namespace {

// A cheque younger than this may be another copy of the program's, still
// being printed: it is left for the journal's window.
constexpr qint64 LeftoverAgeSeconds = 60;

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
    return m_unavailable.isEmpty() ? m_journal.get() : nullptr;
}

void JournalRecorder::finishOpening()
{
    if (m_finished)
        return;
    m_finished = true;
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
            out ? m_journal->confirmPrinted(entry.id, QStringLiteral("sorti, dit au lancement suivant"))
                : m_journal->markNotPrinted(entry.id, QStringLiteral("pas sorti de l'imprimante, dit au lancement "
                                                                     "suivant"));
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
