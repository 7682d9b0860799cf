#pragma once

#include <cstddef>
#include <cstdint>

#include "hid/hid_protocol.h"  // PARAMETER_BLOCK_SIZE: the block is asked for until it has arrived

// Where each field of the logger's parameter block lies. Records that carry the
// same setting point at these too (parameter_records.h), so the layout is
// written down once.

// The logger sends at least PARAMETER_BLOCK_SIZE bytes; the tool uses bytes 0 to 357.

struct BlockField {
    uint16_t offset;
    uint8_t width;  // bytes; numbers are little-endian
};

constexpr BlockField BLOCK_MIN_TOOL_VERSION{0, 2};        // uint16, 0xMMmm
constexpr BlockField BLOCK_CAPACITY_POINTS{2, 3};         // uint24, readings
constexpr BlockField BLOCK_TEMP_RANGE_MIN{5, 2};          // int16, 0.1 °C
constexpr BlockField BLOCK_TEMP_RANGE_MAX{7, 2};          // int16, 0.1 °C
constexpr BlockField BLOCK_CH3_RANGE_MAX{9, 4};           // uint32, raw unit of the type
constexpr BlockField BLOCK_FW_VERSION_HIGH{16, 1};        // uint8
constexpr BlockField BLOCK_FW_VERSION_LOW{20, 1};         // uint8
constexpr BlockField BLOCK_DEVICE_VARIANT{21, 1};         // uint8
constexpr BlockField BLOCK_DEVICE_TYPE{22, 1};            // uint8
constexpr BlockField BLOCK_TZ_HOURS{23, 1};               // int8
constexpr BlockField BLOCK_TZ_MINUTES{24, 1};             // int8, same sign as the hours
constexpr BlockField BLOCK_TIME_ZONE{23, 2};              // both of the above
constexpr BlockField BLOCK_CH3_TYPE{30, 1};               // uint8
constexpr BlockField BLOCK_SETTINGS_WORD{31, 4};          // uint32, SET_* bits
constexpr BlockField BLOCK_STATE_WORD{35, 4};             // uint32, STATE_* bits
constexpr BlockField BLOCK_DUCT_AREA{39, 4};              // uint32, 0.01 m²
constexpr BlockField BLOCK_START_DELAY_SECONDS{58, 4};    // uint32
constexpr BlockField BLOCK_LOG_INTERVAL_SECONDS{62, 4};   // uint32
constexpr BlockField BLOCK_TEMP_HIGH{66, 2};              // int16, 0.1 °C
constexpr BlockField BLOCK_TEMP_LOW{68, 2};               // int16, 0.1 °C
constexpr BlockField BLOCK_HUM_HIGH{78, 2};               // uint16, 0.1 %RH
constexpr BlockField BLOCK_HUM_LOW{80, 2};                // uint16, 0.1 %RH
constexpr BlockField BLOCK_CH3_HIGH{90, 4};               // uint32, raw unit of the type
constexpr BlockField BLOCK_CH3_LOW{94, 4};                // uint32, raw unit of the type
constexpr BlockField BLOCK_DEVICE_NAME{108, 20};          // text
constexpr BlockField BLOCK_DEVICE_ID{128, 20};            // text
constexpr BlockField BLOCK_WEBSITE{148, 50};              // text
constexpr BlockField BLOCK_USER_INFO{198, 100};           // text
constexpr BlockField BLOCK_TRADEMARK{298, 20};            // text
constexpr BlockField BLOCK_ALERT_LED_INTERVAL{318, 2};    // uint16, seconds
constexpr BlockField BLOCK_RECORD_LED_INTERVAL{320, 2};   // uint16, seconds
constexpr BlockField BLOCK_PDF_PASSWORD{330, 8};          // text, letters and digits
constexpr BlockField BLOCK_POWER_SAVE{354, 4};            // uint32, POWER_SAVE_OFF or on

// Bits of settingsWord.
constexpr uint32_t SET_TEMP_UNIT_SELECTABLE = 1u << 0;
constexpr uint32_t SET_ALARM_ENABLED = 1u << 4;
constexpr uint32_t SET_EXPORT_CSV = 1u << 5;
constexpr uint32_t SET_FAHRENHEIT = 1u << 7;   // meaningful only with SET_TEMP_UNIT_SELECTABLE
constexpr uint32_t SET_CH3_UNIT = 0xFu << 8;   // index into the type's unit list
constexpr uint32_t SET_LANGUAGE_CHINESE = 1u << 12;
constexpr uint32_t SET_DATE_FORMAT = 3u << 13;  // read together with SET_LANGUAGE_CHINESE

// Bits of stateWord.
constexpr uint32_t STATE_KEEP_FORM = 1u << 2;  // the block carries no settings to load

// powerSave's value for "off"; any other value is "on".
constexpr uint32_t POWER_SAVE_OFF = 0xFFFFFFFF;

// deviceType of every logger the tool serves.
constexpr uint8_t DEVICE_TYPE_LOGGER = 0x92;
