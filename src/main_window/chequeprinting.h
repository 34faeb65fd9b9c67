#pragma once

#include "bank_layouts/chequeprint.h"
#include "journal/journaldesk.h"

#include <QString>

namespace platform {
class Clock;
class PrintingSystem;
} // namespace platform

namespace prompt_dialog {
class UserTalk;
}

namespace journal {
class ChequeRecorder;
}

namespace main_window {

// What every failure of a bank says: that it is not defined, then why and
// what to do.
QString undefinedBank(const QString &cause);

// The one way a cheque is printed, whether a bank button or the journal's
// reprint asks: the bank's layout read, the cheque printed at its
// positions plus the printer offsets, written down just before its page is
// handed to the printing system and confirmed once the printing system
// took it. The user is told whatever failed; a cheque that did not print is
// not recorded as printed.
class ChequePrinting final : public journal::ChequePrinter
{
public:
    struct Services
    {
        const platform::Clock &clock;
        platform::PrintingSystem &printing;
        prompt_dialog::UserTalk &talk;
        // Where each cheque printed is written down.
        journal::ChequeRecorder &recorder;
    };

    explicit ChequePrinting(Services services);

    // A cheque to print: on the bank of `layoutFile`, these texts, shifted
    // by the printer offsets, and where its amount came from.
    struct Cheque
    {
        QString layoutFile;
        bank_layouts::ChequeFields fields;
        bank_layouts::PrinterOffsets offsets;
        journal::AmountSource source = journal::AmountSource::Typed;
        // The cheque's own number and line, when a reader read them.
        QString chequeNumber = QString();
        QString cmc7 = QString();
    };
    journal::Reprinted print(const Cheque &cheque);

    journal::Reprinted printAgain(const journal::PrintedCheque &cheque, const QString &layoutFile,
                                  const journal::MainWindowValues &mainWindow) override;
    platform::PrinterSurface &currentPrinter() override;
    int sendWaiting() override;
    // The till the cheques printed from now on are kept with.
    void setTill(const QString &till);
    platform::Result<journal::Journal::Moved> takeIn(const QString &path);

private:
    // The journal's record of the cheque printed with these lines of words.
    journal::PrintedCheque printedCheque(const Cheque &cheque, const QString &bankName,
                                         const amount_words::SplitLines &lines) const;

    const platform::Clock &m_clock;
    platform::PrintingSystem &m_printing;
    prompt_dialog::UserTalk &m_talk;
    journal::ChequeRecorder &m_recorder;
};

} // namespace main_window
