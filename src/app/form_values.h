#pragma once

#include <cstdint>

// Values the form logic keeps beside the controls. Dialog thread only.

// Temperature alert limits, each held in both units at once.
extern double g_tempLowC;
extern double g_tempHighC;
extern double g_tempLowF;
extern double g_tempHighF;

// Set just before the program writes a temperature edit itself, so that the
// change notification of that write raises no re-read.
extern bool g_suppressTempLowChange;
extern bool g_suppressTempHighChange;

// What the logger read last says of itself (its parameter block).
extern uint8_t g_deviceVariant;
extern uint8_t g_ch3Type;
