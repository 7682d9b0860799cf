#pragma once

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
