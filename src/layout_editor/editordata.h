#pragma once

#include "bank_layouts/chequeprint.h"
#include "calibration/setupdata.h"

#include <QStringList>

namespace platform {
class PrinterSurface;
}

namespace prompt_dialog {
class UserTalk;
}

namespace layout_editor {

// What the layout editor works on besides its layout file: the main
// window's texts and calibration (its buttons run the same phases as the
// set-up window's), the cheque as it would print now, and its printer.
class EditorData : public calibration::SetupData
{
public:
    // The cheque as it would print now: amount, words, payee, place, date;
    // and the printer offsets it would print at.
    virtual bank_layouts::ChequeFields chequeFields() const = 0;
    virtual bank_layouts::PrinterOffsets printerOffsets() const = 0;

    // The printer the cheques go to (the layout editor's proof goes there).
    virtual platform::PrinterSurface &currentPrinter() = 0;

    virtual prompt_dialog::UserTalk &talk() = 0;

    // The chequebooks a reader tied to the bank of `layoutFile`, by the
    // digits of their interbank zone; and one of them untied, its next
    // cheque's bank to be clicked again. False, the user told why, when the
    // folder's ties cannot be changed.
    virtual QStringList chequebookTies(const QString &layoutFile) const = 0;
    virtual bool untieChequebook(const QString &digits) = 0;
};

} // namespace layout_editor
