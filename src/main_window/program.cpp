#include "main_window/program.h"

#include "cheque_reader/serialreader.h"
#include "journal/chequerecorder.h"
#include "prompt_dialog/form97talk.h"

namespace main_window {

Program::Program(Parts parts)
    : m_cheques({parts.clock, parts.printing, parts.talk, parts.recorder})
    , m_session({parts.clock, parts.printing, parts.talk, m_cheques, parts.tillFolder, parts.localJournal,
                 parts.journal, parts.serialReader})
    , m_window({m_session, m_cheques, parts.talk, parts.clock, parts.journal})
{
    parts.talk.setParentWindow(&m_window);
    if (parts.serialReader)
        QObject::connect(parts.serialReader, &cheque_reader::SerialReader::lineRead, &m_session,
                         &ChequeSession::chequeRead);
    if (journal::JournalRecorder *const journal = parts.journal) {
        // Like the printers, once the window is on the screen.
        QObject::connect(&m_window, &Form1::firstPainted, journal, &journal::JournalRecorder::startOpening);
        // A cheque that ends the program may have had something to say about
        // the journal.
        QObject::connect(&m_session, &ChequeSession::programEnded, journal, &journal::JournalRecorder::tellNow);
    }
}

Program::~Program() = default;

} // namespace main_window
