#include "platform/printingsystem.h"

#include "platform/qtprintersurface.h"

#include <QPrinterInfo>

namespace platform {

QtPrintingSystem::QtPrintingSystem() = default;
QtPrintingSystem::~QtPrintingSystem() = default;

QStringList QtPrintingSystem::printerNames()
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrintingSystem::defaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

PrinterSurface &QtPrintingSystem::currentPrinter()
{
    // Made when first needed: asking the printing system for the default
    // printer takes time, and a start-up that prints nothing need not wait.
    if (!m_current)
        m_current = std::make_unique<QtPrinterSurface>();
    return *m_current;
}

void QtPrintingSystem::selectPrinter(const QString &name)
{
    m_current = std::make_unique<QtPrinterSurface>(name);
}

} // namespace platform
