#pragma once

#include "platform/printersurface.h"

#include <QStringList>

#include <memory>
#include <optional>

// The current printer: the one every print and every text measurement goes
// to. The printer choice changes it; until then it is the system's default.
namespace platform {

// The names of the installed printers, in the printing system's order.
QStringList installedPrinters();

// The current printer's surface, created for the default printer on first use.
PrinterSurface &currentPrinter();

// Makes the named printer current (an empty name: the system's default).
void selectPrinter(const QString &name);

// Puts a surface of the caller's in place of the current printer; the tests
// use a recording surface. Null goes back to the default printer.
void setCurrentPrinterSurface(std::unique_ptr<PrinterSurface> surface);

// Tests say which printers the system has, so that a run does not depend on
// the queues of the machine it runs on. An empty optional: the real ones.
void setInstalledPrintersForTests(const std::optional<QStringList> &names);

} // namespace platform
