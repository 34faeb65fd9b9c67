#pragma once

#include "bank_layouts/chequeprint.h"

#include <QString>

#include <optional>

namespace platform {
class PrinterSurface;
}

namespace prompt_dialog {
class UserTalk;
}

// The three phases that find where the printer puts a cheque: the two
// printer offsets, in millimetres, that the cheque print adds to every
// bank's positions. Each phase prints on the printer it is given and talks
// to the user through the talk it is given; the offsets come in as values
// and the new ones go back to the caller, who keeps them.
namespace calibration {

// The offsets the phases find are the ones the cheque print adds: one type.
using bank_layouts::PrinterOffsets;

// Phase 1: after a yes, one sheet of three mock cheques to cut out, with the
// grey frame and the millimetre scales that phases 2 and 3 are read from.
void phase1TestCheques(platform::PrinterSurface &printer, prompt_dialog::UserTalk &talk);

// Phase 2: the numbered grid over a mock cheque fed lengthwise; the number
// in the cheque's top-left corner gives both offsets. Nothing when the
// offsets stay as they were (cancelled, refused, or not printed).
std::optional<PrinterOffsets> phase2BasePositioning(platform::PrinterSurface &printer, prompt_dialog::UserTalk &talk);

// Phase 3: the frame printed at the current offsets, then the corrections
// read on the mock cheque's scales. Both offsets come back in the "00000"
// form, changed or not; nothing when the frame could not be printed.
std::optional<PrinterOffsets> phase3FinalAdjustment(platform::PrinterSurface &printer, prompt_dialog::UserTalk &talk,
                                                    const PrinterOffsets &current);

// The pages themselves, each sent to the printer; they throw
// platform::PrinterError when it fails, having dropped the page.
void printTestCheques(platform::PrinterSurface &printer);
void printNumberGrid(platform::PrinterSurface &printer);
void printFinalFrame(platform::PrinterSurface &printer, const PrinterOffsets &offsets);

// The offsets a grid number gives: its row and column, 500 twips each, in
// millimetres. Nothing for a number that is not on the grid.
std::optional<PrinterOffsets> offsetsOfGridNumber(int number);

} // namespace calibration
