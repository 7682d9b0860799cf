#pragma once

#include <cstdint>

// Values the form logic keeps beside the controls. Dialog thread only.

// Temperature alert limits, each held in both units at once.
extern double g_tempLowC;
extern double g_tempHighC;
extern double g_tempLowF;
extern double g_tempHighF;

// Humidity alert limits, percent relative humidity.
extern double g_humLow;
extern double g_humHigh;

// Third-channel alert limits in the base unit of the logger's type: lux,
// decibel or metre per second. After a validation with an air-flow unit
// (CMM, CFM) selected, a limit read from its edit holds the flow in cubic
// metres per minute, which is what the records carry.
extern double g_ch3Low;
extern double g_ch3High;

// Set just before the program writes a temperature edit itself, so that the
// change notification of that write raises no re-read.
extern bool g_suppressTempLowChange;
extern bool g_suppressTempHighChange;
