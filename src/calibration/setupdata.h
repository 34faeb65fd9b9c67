#pragma once

#include <QString>

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

// What the printer set-up window works on: the main window's lasting texts
// and its calibration, which the main window's rules keep.
class SetupData
{
public:
    virtual ~SetupData() = default;

    virtual SetupTexts setupTexts() const = 0;
    // A finish button's texts go back to the main window and are kept.
    virtual void keepSetupTexts(const SetupTexts &texts) = 0;

    // Runs a calibration phase on the current printer; the offsets it finds
    // are the main window's at once.
    virtual void runPhase(Phase phase) = 0;
};

} // namespace calibration
