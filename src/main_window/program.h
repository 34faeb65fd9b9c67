#pragma once

#include "journal/chequerecorder.h"
#include "main_window/chequesession.h"
#include "main_window/form1.h"
#include "platform/clock.h"
#include "platform/printingsystem.h"
#include "prompt_dialog/form97talk.h"

#include <memory>

namespace main_window {

// The program put together: the main window and its rules, on this
// machine's clock and printing system, talking through the prompt dialog,
// with the journal of the working folder. Made after the application object
// and the working folder, and gone before the application object.
class Program
{
public:
    Program();
    ~Program();

    ChequeSession &session() { return m_session; }
    Form1 &window() { return m_window; }

private:
    platform::SystemClock m_clock;
    platform::QtPrintingSystem m_printing;
    prompt_dialog::Form97Talk m_talk;
    journal::JournalRecorder m_recorder;
    ChequeSession m_session;
    Form1 m_window;
};

} // namespace main_window
