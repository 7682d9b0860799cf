#pragma once

#include <cstdint>

// Form events raised by the handlers and taken once per timer tick, in the
// order of ProcessPendingEvents. Touched only by the dialog's thread.
extern uint32_t g_pendingEvents;

constexpr uint32_t EVT_TIME_ZONE = 0x001;
constexpr uint32_t EVT_DATE_FORMAT = 0x002;
constexpr uint32_t EVT_ENABLE_ALARM = 0x004;
constexpr uint32_t EVT_TEMP_UNIT = 0x008;
constexpr uint32_t EVT_TEMP_HIGH = 0x010;
constexpr uint32_t EVT_TEMP_LOW = 0x020;
constexpr uint32_t EVT_REPORT_LANGUAGE = 0x080;
constexpr uint32_t EVT_LOCK_SETTINGS = 0x100;
constexpr uint32_t EVT_CONFIGURE = 0x200;
constexpr uint32_t EVT_LOG_INTERVAL = 0x400;
constexpr uint32_t EVT_CH3_UNIT = 0x800;
