#pragma once

#include <cstdint>

// The computer's local time, as a calendar date and time of day.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The computer's clock and its time zone. Daylight saving is not applied to
// the bias: it is the standard offset only.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    virtual LocalTime GetLocalTime() = 0;
    // Minutes to add to local standard time to get UTC (UTC+08:00 is -480).
    virtual int32_t StandardBias() = 0;
};

// The clock in use: the system's unless one is installed (tests install
// their own); nullptr restores the system's.
void SetLocalClock(LocalClock* clock);
LocalClock& CurrentLocalClock();
