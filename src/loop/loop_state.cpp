#include "loop/loop_state.h"

bool g_firstTickDone = false;
uint16_t g_fwVersion = 0;
uint8_t g_fwVersionHi = 0;
uint8_t g_deviceType = 0;

void ResetLoopState() {
    g_firstTickDone = false;
    g_fwVersion = 0;
    g_fwVersionHi = 0;
    g_deviceType = 0;
}
