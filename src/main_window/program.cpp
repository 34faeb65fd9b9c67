#include "main_window/program.h"

namespace main_window {

Program::Program()
    : m_session({m_clock, m_printing, m_talk, m_recorder})
    , m_window(m_session)
{
    m_talk.setParentWindow(&m_window);
    openJournal();
}

Program::~Program() = default;

void Program::openJournal()
{
    platform::Result<journal::Journal::Opened> opened = journal::Journal::open(journal::JournalFileName, m_clock);
    if (!opened) {
        const QString why = QStringLiteral("le journal « %1 » ne peut pas être ouvert : %2")
                                .arg(journal::JournalFileName, opened.error());
        m_recorder.setUnavailable(why);
        m_session.addStartUpProblem(QStringLiteral("Le journal des chèques « %1 » ne peut pas être ouvert (%2).\n\n"
                                                   "Les chèques imprimés cette fois n'y seront pas inscrits.")
                                        .arg(journal::JournalFileName, opened.error()));
        return;
    }
    journal::Journal::Opened journalOpened = std::move(opened).value();
    m_journal = std::move(journalOpened.journal);
    m_recorder.setJournal(m_journal.get());
    m_window.setJournal(m_journal.get());
    if (!journalOpened.notice.isEmpty())
        m_session.addStartUpProblem(journalOpened.notice);
}

} // namespace main_window
