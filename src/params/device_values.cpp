#include "params/device_values.h"

uint32_t g_capacityPoints = 0;
int16_t g_tempRangeMin = 0;
int16_t g_tempRangeMax = 0;
uint32_t g_ch3RangeMax = 0;
uint8_t g_deviceVariant = 0;
uint8_t g_ch3Type = 0;
uint32_t g_ductArea = 0;
uint8_t g_shownCh3Type = CH3_TYPE_NONE_SHOWN;

void ResetDeviceValues() {
    g_capacityPoints = 0;
    g_tempRangeMin = 0;
    g_tempRangeMax = 0;
    g_ch3RangeMax = 0;
    g_deviceVariant = 0;
    g_ch3Type = 0;
    g_ductArea = 0;
    g_shownCh3Type = CH3_TYPE_NONE_SHOWN;
}
