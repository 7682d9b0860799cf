#include "form/clock_record.h"

ClockRecord g_clock;

void ResetClock() { g_clock = ClockRecord{}; }
