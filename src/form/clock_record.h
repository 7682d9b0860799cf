#pragma once

#include <cstdint>

// The clock written to the logger: the selected time zone's date and time.
struct ClockRecord {
    uint8_t year = 0;  // year - 2000, modulo 256
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
};

// Dialog thread only.
extern ClockRecord g_clock;
extern int32_t g_zoneMinutes;    // the selected zone, minutes east of UTC
extern int32_t g_pcZoneMinutes;  // the computer's standard offset, minutes east of UTC

// What the date and time labels show now, so that each is written only when
// it changes. 0xFF (and 255 for the format) until the first display.
struct ShownDate {
    uint8_t year = 0xFF;
    uint8_t month = 0xFF;
    uint8_t day = 0xFF;
};
extern ShownDate g_shownDate;
extern int32_t g_shownDateFormat;
extern uint8_t g_shownSecond;

// Days of each month, index 1 to 12; February of a leap year has one more.
constexpr uint8_t DAYS_IN_MONTH[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days of `month` (1 to 12) in the year of `yearByte`: every year byte
// divisible by 4 is a leap year (2000, 2100 and so on included).
int DaysInMonth(int month, uint8_t yearByte);

// Moves a local time by `deltaMinutes` into another zone, carrying into or
// borrowing from the date as the clock does.
ClockRecord ShiftClock(int year, int month, int day, int hour, int minute, int second,
                       int32_t deltaMinutes);

// Back to the start: the clock zero, nothing shown yet.
void ResetClock();
