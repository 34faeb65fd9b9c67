#pragma once

#include "platform/printersurface.h"

#include <QStringList>

#include <memory>

namespace platform {

// The machine's printers and the current printer: the one every print and
// every text measurement goes to. Until a printer is selected it is the
// system's default printer.
class PrintingSystem
{
public:
    virtual ~PrintingSystem() = default;

    // The names of the installed printers, in the printing system's order.
    virtual QStringList printerNames() = 0;
    // The system's default printer; empty when there is none.
    virtual QString defaultPrinterName() = 0;

    virtual PrinterSurface &currentPrinter() = 0;

    // Makes the named printer current (an empty name: the system's default).
    virtual void selectPrinter(const QString &name) = 0;
};

// The printing system of this machine, through Qt (CUPS on Linux). It must
// not outlive the application object: a printer holds fonts.
class QtPrintingSystem final : public PrintingSystem
{
public:
    QtPrintingSystem();
    ~QtPrintingSystem() override;

    QStringList printerNames() override;
    QString defaultPrinterName() override;
    PrinterSurface &currentPrinter() override;
    void selectPrinter(const QString &name) override;

private:
    std::unique_ptr<PrinterSurface> m_current;
};

} // namespace platform
