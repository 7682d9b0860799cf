#pragma once

#include <cstdint>

// What the logger read last says about itself: the limits validation checks
// against, the capacity behind the maximum recording time, the third
// channel's type and the duct behind the air-flow units. Kept from one
// load to the next, also after the logger is unplugged. Dialog thread only.
extern uint32_t g_capacityPoints;
extern int16_t g_tempRangeMin;  // tenths of a degree Celsius
extern int16_t g_tempRangeMax;
extern uint32_t g_ch3RangeMax;  // raw unit of the third channel's type
extern uint8_t g_deviceVariant;
extern uint8_t g_ch3Type;
extern uint32_t g_ductArea;  // hundredths of a square metre

// The third-channel type the form's labels and unit list were built for;
// none at start, so the first logger always builds them.
extern uint8_t g_shownCh3Type;
constexpr uint8_t CH3_TYPE_NONE_SHOWN = 0xFF;

// Back to the state the program starts in.
void ResetDeviceValues();
