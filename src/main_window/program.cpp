#include "main_window/program.h"

namespace main_window {

Program::Program()
    : m_recorder(journal::JournalFileName, m_clock, m_talk)
    , m_session({m_clock, m_printing, m_talk, m_recorder})
    , m_window(m_session)
{
    m_talk.setParentWindow(&m_window);
    m_window.setJournal(&m_recorder);
    // Like the printers, once the window is on the screen.
    QObject::connect(&m_window, &Form1::firstPainted, &m_recorder, &journal::JournalRecorder::startOpening);
    // A cheque that ends the program may have had something to say about
    // the journal.
    QObject::connect(&m_session, &ChequeSession::programEnded, &m_recorder, &journal::JournalRecorder::tellNow);
}

Program::~Program() = default;

} // namespace main_window
