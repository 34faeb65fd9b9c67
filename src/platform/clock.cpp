#include "platform/clock.h"

namespace platform {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

} // namespace platform
