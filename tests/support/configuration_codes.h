#pragma once

#include <cstdint>
#include <vector>

#include "hid/hid_protocol.h"
#include "params/parameter_codes.h"

// Record codes of a full configuration, in the order they are sent, for an
// illuminance, noise or wind-speed logger.
inline std::vector<uint8_t> FullConfigurationCodes(uint8_t ch3Type = 0) {
    const uint8_t ch3[3][4] = {
        {PARAM_ILLUM_LOW, PARAM_ILLUM_HIGH, PARAM_RESERVED_68, PARAM_RESERVED_69},
        {PARAM_NOISE_LOW, PARAM_NOISE_HIGH, PARAM_RESERVED_72, PARAM_RESERVED_73},
        {PARAM_WIND_LOW, PARAM_WIND_HIGH, PARAM_RESERVED_76, PARAM_RESERVED_77},
    };
    return {PARAM_TOOL_VERSION, PARAM_RESERVED_27, PARAM_TOOL_STAMP, PARAM_RESERVED_4A,
            PARAM_REPORT_LANGUAGE, PARAM_ENABLE_ALARM, PARAM_EXPORT_CSV, PARAM_TEMP_UNIT,
            PARAM_CH3_UNIT, PARAM_START_DELAY, PARAM_LOG_INTERVAL, PARAM_TEMP_HIGH,
            PARAM_TEMP_LOW, PARAM_RESERVED_2F, PARAM_RESERVED_31, PARAM_HUM_HIGH,
            PARAM_HUM_LOW, PARAM_RESERVED_37, PARAM_RESERVED_39, ch3[ch3Type][0],
            ch3[ch3Type][1], ch3[ch3Type][2], ch3[ch3Type][3], PARAM_TIME_ZONE,
            PARAM_DATE_FORMAT, PARAM_POWER_SAVE, PARAM_ALERT_LED_INTERVAL, PARAM_RECORD_LED_INTERVAL,
            PARAM_TRADEMARK, PARAM_DEVICE_NAME, PARAM_WEBSITE, PARAM_USER_INFO,
            PARAM_DEVICE_ID, PARAM_PDF_PASSWORD, PARAM_CLOCK, PARAM_END};
}

// The codes of the reports that carry them, closing command included: a
// payload beyond one report's 58 bytes (the user information) takes two.
inline std::vector<uint8_t> FullConfigurationReports(uint8_t ch3Type = 0) {
    std::vector<uint8_t> reports;
    for (uint8_t code : FullConfigurationCodes(ch3Type)) {
        reports.push_back(code);
        if (code == PARAM_USER_INFO) reports.push_back(code);
    }
    reports.push_back(CMD_CONFIG_CLOSE);
    return reports;
}
