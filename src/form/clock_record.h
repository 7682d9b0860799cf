#pragma once

#include <cstdint>

// The clock written to the logger: the selected time zone's date and time.
struct ClockRecord {
    uint8_t year = 0;  // year - 2000
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
};

// Dialog thread only.
extern ClockRecord g_clock;

void ResetClock();
