#include "platform/currentprinter.h"

#include "platform/qtprintersurface.h"

#include <QCoreApplication>
#include <QPrinterInfo>

namespace platform {

namespace {

std::optional<QStringList> &testPrinters()
{
    static std::optional<QStringList> names;
    return names;
}

std::unique_ptr<PrinterSurface> &current()
{
    static std::unique_ptr<PrinterSurface> surface;
    return surface;
}

void dropCurrent()
{
    current().reset();
}

void install(std::unique_ptr<PrinterSurface> surface)
{
    // A printer holds fonts, which must go before the application does; a
    // static would outlive it.
    static bool cleanupRegistered = false;
    if (surface && !cleanupRegistered && QCoreApplication::instance()) {
        qAddPostRoutine(dropCurrent);
        cleanupRegistered = true;
    }
    current() = std::move(surface);
}

} // namespace

QStringList installedPrinters()
{
    if (testPrinters())
        return *testPrinters();
    return QPrinterInfo::availablePrinterNames();
}

void setInstalledPrintersForTests(const std::optional<QStringList> &names)
{
    testPrinters() = names;
}

PrinterSurface &currentPrinter()
{
    if (!current())
        install(std::make_unique<QtPrinterSurface>());
    return *current();
}

void selectPrinter(const QString &name)
{
    install(std::make_unique<QtPrinterSurface>(name));
}

void setCurrentPrinterSurface(std::unique_ptr<PrinterSurface> surface)
{
    install(std::move(surface));
}

} // namespace platform
