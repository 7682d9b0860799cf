#pragma once

#include <cstdint>

// State of the control loop besides the link's. Dialog thread only.
extern bool g_firstTickDone;
extern uint16_t g_fwVersion;   // firmware version word of the logger read last
extern uint8_t g_fwVersionHi;  // its high byte
extern uint8_t g_deviceType;

constexpr unsigned TICK_NORMAL_MS = 50;
constexpr unsigned TICK_UPGRADE_MS = 100;

// Firmware from this version word on is of another family.
constexpr uint16_t FW_VERSION_LIMIT = 0x6000;

void ResetLoopState();
