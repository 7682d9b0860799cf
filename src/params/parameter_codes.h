#pragma once

#include <cstdint>

#include "hid/hid_protocol.h"  // PARAM_END, which the link knows too

// Codes of the parameter records, one record per setting. Payloads and the
// block fields they are read back from: parameter_records.h.
constexpr uint8_t PARAM_CLOCK = 3;
constexpr uint8_t PARAM_START_DELAY = 6;
constexpr uint8_t PARAM_LOG_INTERVAL = 8;
constexpr uint8_t PARAM_TEMP_HIGH = 9;
constexpr uint8_t PARAM_TEMP_LOW = 11;
constexpr uint8_t PARAM_REPORT_LANGUAGE = 13;
constexpr uint8_t PARAM_TEMP_UNIT = 15;
constexpr uint8_t PARAM_DEVICE_ID = 17;
constexpr uint8_t PARAM_DEVICE_NAME = 21;
constexpr uint8_t PARAM_WEBSITE = 23;
constexpr uint8_t PARAM_USER_INFO = 25;
constexpr uint8_t PARAM_RESERVED_27 = 0x27;
constexpr uint8_t PARAM_TRADEMARK = 45;
constexpr uint8_t PARAM_RESERVED_2F = 0x2F;
constexpr uint8_t PARAM_RESERVED_31 = 0x31;
constexpr uint8_t PARAM_HUM_HIGH = 51;
constexpr uint8_t PARAM_HUM_LOW = 53;
constexpr uint8_t PARAM_RESERVED_37 = 0x37;
constexpr uint8_t PARAM_RESERVED_39 = 0x39;
constexpr uint8_t PARAM_ALERT_LED_INTERVAL = 60;
constexpr uint8_t PARAM_POWER_SAVE = 64;
constexpr uint8_t PARAM_RECORD_LED_INTERVAL = 66;
constexpr uint8_t PARAM_TIME_ZONE = 67;
constexpr uint8_t PARAM_DATE_FORMAT = 68;
constexpr uint8_t PARAM_TOOL_VERSION = 73;
constexpr uint8_t PARAM_RESERVED_4A = 0x4A;
constexpr uint8_t PARAM_EXPORT_CSV = 77;
constexpr uint8_t PARAM_ENABLE_ALARM = 79;
constexpr uint8_t PARAM_PDF_PASSWORD = 81;
constexpr uint8_t PARAM_CH3_UNIT = 96;
constexpr uint8_t PARAM_ILLUM_HIGH = 102;
constexpr uint8_t PARAM_ILLUM_LOW = 103;
constexpr uint8_t PARAM_RESERVED_68 = 0x68;
constexpr uint8_t PARAM_RESERVED_69 = 0x69;
constexpr uint8_t PARAM_NOISE_HIGH = 112;
constexpr uint8_t PARAM_NOISE_LOW = 113;
constexpr uint8_t PARAM_RESERVED_72 = 0x72;
constexpr uint8_t PARAM_RESERVED_73 = 0x73;
constexpr uint8_t PARAM_WIND_HIGH = 116;
constexpr uint8_t PARAM_WIND_LOW = 117;
constexpr uint8_t PARAM_RESERVED_76 = 0x76;
constexpr uint8_t PARAM_RESERVED_77 = 0x77;
constexpr uint8_t PARAM_TOOL_STAMP = 0x83;
