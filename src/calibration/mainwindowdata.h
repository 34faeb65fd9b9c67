#pragma once

#include "bank_layouts/chequeprint.h"

#include <QString>

namespace platform {
class PrinterSurface;
}

namespace prompt_dialog {
class UserTalk;
}

namespace calibration {

// The lasting texts of the main window that the set-up window edits, and
// of which the layout editor edits the last two.
struct SetupTexts
{
    QString payee;         // Text8
    QString place;         // Text7
    QString currencyName;  // Text9
    QString hundredthName; // Text11
};

enum class Phase { TestCheques = 1, BasePositioning = 2, FinalAdjustment = 3 };

// What the layout editor and the printer set-up window work on: the main
// window's working data, which the main window's rules keep.
class MainWindowData
{
public:
    virtual ~MainWindowData() = default;

    virtual SetupTexts setupTexts() const = 0;
    // A finish button's texts go back to the main window and are kept.
    virtual void keepSetupTexts(const SetupTexts &texts) = 0;

    // Runs a calibration phase on the current printer; the offsets it finds
    // are the main window's at once.
    virtual void runPhase(Phase phase) = 0;

    // The cheque as it would print now: amount, words, payee, place, date
    // and the printer offsets.
    virtual bank_layouts::ChequeFields chequeFields() const = 0;

    // The printer the cheques go to (the layout editor's proof goes there).
    virtual platform::PrinterSurface &currentPrinter() = 0;

    virtual prompt_dialog::UserTalk &talk() = 0;
};

} // namespace calibration
