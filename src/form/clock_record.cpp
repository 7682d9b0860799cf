#include "form/clock_record.h"

ClockRecord g_clock;
int32_t g_zoneMinutes = 0;
int32_t g_pcZoneMinutes = 0;
ShownDate g_shownDate;
int32_t g_shownDateFormat = 255;
uint8_t g_shownSecond = 0xFF;

void ResetClock() {
    g_clock = ClockRecord{};
    g_zoneMinutes = 0;
    g_pcZoneMinutes = 0;
    g_shownDate = ShownDate{};
    g_shownDateFormat = 255;
    g_shownSecond = 0xFF;
}

int DaysInMonth(int month, uint8_t yearByte) {
    if (month < 1 || month > 12) return 31;
    return DAYS_IN_MONTH[month] + ((month == 2 && yearByte % 4 == 0) ? 1 : 0);
}

ClockRecord ShiftClock(int year, int month, int day, int hour, int minute, int second,
                       int32_t deltaMinutes) {
    uint8_t yearByte = static_cast<uint8_t>(((year - 2000) % 256 + 256) % 256);
    hour += deltaMinutes / 60;    // truncated toward zero
    minute += deltaMinutes % 60;  // with the sign of the delta
    if (deltaMinutes > 0) {
        if (minute >= 60) {
            hour += minute / 60;
            minute %= 60;
        }
        if (hour >= 24) {
            const int days = hour / 24;
            hour %= 24;
            for (int n = 0; n < days; ++n) {
                if (++day > DaysInMonth(month, yearByte)) {
                    day = 1;
                    if (++month > 12) {
                        month = 1;
                        ++yearByte;
                    }
                }
            }
        }
    } else {
        if (minute < 0) {
            const int k = (-minute - 1) / 60 + 1;
            hour -= k;
            minute += 60 * k;
        }
        if (hour < 0) {
            const int days = (-hour - 1) / 24 + 1;
            hour += 24 * days;
            for (int n = 0; n < days; ++n) {
                if (--day < 1) {
                    if (--month < 1) {
                        month = 12;
                        --yearByte;
                    }
                    day = DaysInMonth(month, yearByte);
                }
            }
        }
    }
    return {yearByte,
            static_cast<uint8_t>(month),
            static_cast<uint8_t>(day),
            static_cast<uint8_t>(hour),
            static_cast<uint8_t>(minute),
            static_cast<uint8_t>(second)};
}
