#pragma once

#include "platform/currentprinter.h"
#include "platform/desktop.h"
#include "platform/recordingsurface.h"

#include <memory>

// For the life of the object the program prints on a recording surface, the
// system has no printers (so start-up selects none and the recording stays
// current, whatever queues the machine has) and the pointer is the default.
class RecordingPrinter
{
public:
    RecordingPrinter()
    {
        auto surface = std::make_unique<platform::RecordingSurface>();
        m_surface = surface.get();
        platform::setCurrentPrinterSurface(std::move(surface));
        platform::setInstalledPrintersForTests(QStringList());
        platform::setPointer(platform::DefaultPointer);
    }
    ~RecordingPrinter()
    {
        platform::setCurrentPrinterSurface(nullptr);
        platform::setInstalledPrintersForTests(std::nullopt);
        platform::setPointer(platform::DefaultPointer);
    }
    RecordingPrinter(const RecordingPrinter &) = delete;
    RecordingPrinter &operator=(const RecordingPrinter &) = delete;

    platform::RecordingSurface &surface() const { return *m_surface; }

private:
    platform::RecordingSurface *m_surface = nullptr;
};
