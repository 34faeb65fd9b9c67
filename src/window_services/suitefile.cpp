#include "window_services/suitefile.h"

#include "platform/desktop.h"

namespace window_services {

platform::Result<void> openSuiteFile(platform::RecordFile &file)
{
    file.close();
    platform::processEvents();
    const platform::Result<void> opened = file.open(SuiteFileName, SuiteRecordLength);
    platform::processEvents();
    return opened;
}

} // namespace window_services
