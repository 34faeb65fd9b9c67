#pragma once

// The program's shared globals back to what a fresh start has, in one place,
// for the folders a test links (the others cannot be seen from it).

#if __has_include("bank_layouts/layoutfile.h")
#include "bank_layouts/layoutfile.h"
#endif
#if __has_include("main_window/globals.h")
#include "main_window/globals.h"
#endif
#if __has_include("printer_choice/printerlist.h")
#include "printer_choice/printerlist.h"
#endif
#if __has_include("prompt_dialog/globals.h")
#include "prompt_dialog/globals.h"
#endif
#if __has_include("platform/desktop.h")
#include "platform/desktop.h"
#endif

inline void resetGlobals()
{
#if __has_include("bank_layouts/layoutfile.h")
    bank_layouts::BankFiles.fill(QString());
    bank_layouts::SelectedBankFile.clear();
#endif
#if __has_include("main_window/globals.h")
    main_window::KeepOpenAfterPrint = false;
    main_window::PrintersReady = false;
#endif
#if __has_include("printer_choice/printerlist.h")
    printer_choice::PrinterTable.clear();
#endif
#if __has_include("prompt_dialog/globals.h")
    prompt_dialog::PromptText.clear();
    prompt_dialog::PromptValue = 0;
#endif
#if __has_include("platform/desktop.h")
    // Parameter mode lives in the application's pointer.
    platform::setPointer(platform::DefaultPointer);
#endif
}
