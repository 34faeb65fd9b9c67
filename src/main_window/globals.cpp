#include "main_window/globals.h"

namespace main_window {

bool KeepOpenAfterPrint = false;
bool PrintersReady = false;

} // namespace main_window
