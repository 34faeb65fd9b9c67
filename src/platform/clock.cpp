#include "platform/clock.h"

namespace platform {

namespace {
QDate g_fixedToday;
}

QDate today()
{
    return g_fixedToday.isValid() ? g_fixedToday : QDate::currentDate();
}

void setTodayForTests(const QDate &date)
{
    g_fixedToday = date;
}

} // namespace platform
