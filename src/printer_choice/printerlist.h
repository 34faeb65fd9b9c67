#pragma once

#include "printer_choice/printerassignments.h"

#include <QStringList>

// The printer list of the main window and the printers behind its entries.
namespace printer_choice {

constexpr int PrinterTableSize = 21;

// PrinterTable: the device names behind the list's entries, entry i at index
// i: the first 21 printers of the system, in their order, which the list
// shows. It shows no more than these, so that every index stored from a
// pick can be restored.
QStringList printerTable(const QStringList &installedPrinters);

// The entry the stored value selects in a list of `entryCount`: its numeric
// value rounded to a whole number when that is an entry, else entry 0. With
// nothing stored, `defaultEntry` (the system's default printer) when it is
// one. -1 when the list is empty.
int storedEntry(int entryCount, const QString &storedValue, int defaultEntry = 0);

struct RestoredChoice
{
    QStringList entries; // what the list shows: the printer table
    int selected = -1;   // the entry to select and make current; -1: none
};

// Start-up: the printer table, and the entry the assignment file names
// under "IMP_CHQ_FACT"; with nothing stored, the system's default printer.
// An unreadable file counts as nothing stored.
RestoredChoice restorePrinterChoice(const QStringList &installedPrinters, const QString &defaultPrinter = QString(),
                                    const PrinterAssignments &file = PrinterAssignments());

// A pick of entry `index` of a list of `entryCount`: stores it as "00" under
// "IMP_CHQ_FACT". Whatever the result, the pick applies to this run.
platform::Result<void> storePrinterChoice(int index, int entryCount,
                                          const PrinterAssignments &file = PrinterAssignments());

} // namespace printer_choice
