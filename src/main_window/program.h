#pragma once

#include "main_window/chequeprinting.h"
#include "main_window/chequesession.h"
#include "main_window/form1.h"

namespace platform {
class Clock;
class PrintingSystem;
} // namespace platform

namespace prompt_dialog {
class Form97Talk;
}

namespace journal {
class ChequeRecorder;
class JournalRecorder;
} // namespace journal

namespace cheque_reader {
class SerialReader;
}

namespace main_window {

// The program put together: the main window and its rules, the one way a
// cheque is printed, on the clock, printing system, prompt dialog and
// recorder it is given. The application gives this machine's and the
// working folder's journal; the tests give theirs, wired the same way.
// Made after the application object and the working folder, and gone
// before the application object.
class Program
{
public:
    struct Parts
    {
        platform::Clock &clock;
        platform::PrintingSystem &printing;
        // Held in front of the main window.
        prompt_dialog::Form97Talk &talk;
        // Where each printed cheque is written down.
        journal::ChequeRecorder &recorder;
        // The run's journal, which the journal button opens and which is
        // looked at once the window is painted; none, and the button says
        // there is none.
        journal::JournalRecorder *journal = nullptr;
        // Where this till keeps what is its own, as its name; empty: the
        // working folder.
        QString tillFolder = QString();
        // This till's journal file from before the server; empty: the
        // working folder's.
        QString localJournal = QString();
        // This till's serial cheque reader: each line it reads goes to the
        // main window's rules.
        cheque_reader::SerialReader *serialReader = nullptr;
    };

    explicit Program(Parts parts);
    ~Program();

    ChequeSession &session() { return m_session; }
    Form1 &window() { return m_window; }

private:
    ChequePrinting m_cheques;
    ChequeSession m_session;
    Form1 m_window;
};

} // namespace main_window
