#include "printer_choice/printerlist.h"

#include "common/numeric.h"

#include <cmath>

namespace printer_choice {

QStringList printerTable(const QStringList &installedPrinters)
{
    return installedPrinters.mid(0, PrinterTableSize);
}

int storedEntry(int entryCount, const QString &storedValue, int defaultEntry)
{
    if (entryCount <= 0)
        return -1;
    // A new queue that sorts first must not take the cheques: with nothing
    // stored, the system's default printer is the one the user expects.
    if (storedValue.trimmed().isEmpty())
        return defaultEntry >= 0 && defaultEntry < entryCount ? defaultEntry : 0;
    // std::round: halves away from zero, as the "00" pattern writes them.
    const double index = std::round(common::numericValue(storedValue));
    return index >= 0 && index < entryCount ? int(index) : 0;
}

RestoredChoice restorePrinterChoice(const QStringList &installedPrinters, const QString &defaultPrinter,
                                    const PrinterAssignments &file)
{
    RestoredChoice choice;
    choice.entries = printerTable(installedPrinters);
    // An empty list needs no lookup, but the file is created all the same,
    // as any start-up does. A file that cannot be read counts as nothing
    // stored.
    choice.selected = storedEntry(int(choice.entries.size()), file.lookup(ChequePrinterKey).valueOr(QString()),
                                  int(choice.entries.indexOf(defaultPrinter)));
    return choice;
}

platform::Result<void> storePrinterChoice(int index, int entryCount, const PrinterAssignments &file)
{
    if (index < 0 || index >= entryCount)
        return platform::fail(QStringLiteral("aucune imprimante ne correspond à ce choix"));
    return file.store(ChequePrinterKey, common::formatWhole(index, 2));
}

} // namespace printer_choice
