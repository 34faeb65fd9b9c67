#pragma once

#include "platform/recordfile.h"

#include <QString>

namespace window_services {

// "w_cai020.wdo" belongs to the suite's other programs; this program only
// holds it open, shared, from start-up to its end (created empty when
// absent), on the file it is given.
inline const QString SuiteFileName = QStringLiteral("w_cai020.wdo");
constexpr int SuiteRecordLength = 20;

platform::Result<void> openSuiteFile(platform::RecordFile &file);

} // namespace window_services
