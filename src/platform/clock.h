#pragma once

#include <QDate>

namespace platform {

// Today's date on this machine.
QDate today();

// Tests fix the date so that a run across midnight cannot fail; an invalid
// date puts the real clock back.
void setTodayForTests(const QDate &date);

} // namespace platform
