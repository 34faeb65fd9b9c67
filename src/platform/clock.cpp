#include "platform/clock.h"

namespace platform {

QDateTime Clock::now() const
{
    return QDateTime(today(), QTime::currentTime());
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

} // namespace platform
