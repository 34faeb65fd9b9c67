#pragma once

#include <QDate>
#include <QDateTime>

namespace platform {

// Where today's date comes from; tests give one of their own so that a run
// across midnight cannot fail.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    // This moment, in local time: when a cheque was printed.
    virtual QDateTime now() const = 0;
};

// This machine's date.
class SystemClock final : public Clock
{
public:
    QDate today() const override;
    QDateTime now() const override;
};

} // namespace platform
