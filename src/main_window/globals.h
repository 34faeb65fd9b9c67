#pragma once

namespace main_window {

// True when the cheque handed over asked the program to stay open after
// printing; otherwise a printed cheque ends the program.
extern bool KeepOpenAfterPrint;

// False while start-up restores the stored printer, so that the printer
// list's own selection changes neither store nor apply anything.
extern bool PrintersReady;

} // namespace main_window
