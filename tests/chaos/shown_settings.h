#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/form_values.h"
#include "form/field_validators.h"
#include "platform/format_text.h"
#include "support/dialog_rig.h"

// One setting as the form shows it.
struct ShownSetting {
    int id;
    std::u16string text;
    int selection;
    int check;
    bool operator==(const ShownSetting&) const = default;
};

// The settings the form holds for a logger, as it shows them.
inline std::vector<ShownSetting> ShownSettings(DialogRig& rig) {
    constexpr int SETTING_CONTROLS[] = {
        IDC_TIME_ZONE,    IDC_DATE_FORMAT,     IDC_REPORT_LANGUAGE, IDC_TEMP_UNIT,  IDC_CH3_UNIT,
        IDC_START_DELAY,  IDC_LOG_INTERVAL,    IDC_ALARM_LED_DUTY,  IDC_RECORD_LED_DUTY,
        IDC_HUM_LOW,      IDC_HUM_HIGH,        IDC_CH3_LOW,         IDC_CH3_HIGH,   IDC_DEVICE_NAME,
        IDC_DEVICE_ID,    IDC_WEBSITE,         IDC_USER_INFO,       IDC_TRADEMARK,  IDC_PDF_PASSWORD,
        IDC_EXPORT_CSV,   IDC_ENABLE_ALARM,
    };
    std::vector<ShownSetting> shown;
    for (int id : SETTING_CONTROLS) {
        const Control c = rig.form().Get(id);
        shown.push_back({id, c.text, c.selection, c.check});
    }
    // The limits the form holds. A disabled alert edit may show what was
    // typed before the alarm went off; it is not read, the held limit is
    // written. The temperatures are compared in Celsius, whatever unit shows them.
    const auto held = [&](int id, double value) {
        for (ShownSetting& s : shown) {
            if (s.id == id && !rig.form().IsWindowEnabled(id)) s.text = FormatText(u"held %0.3f", {value});
        }
    };
    // Integers as the validator reads them: " 7" and "-0" are 7 and 0.
    for (ShownSetting& s : shown) {
        int32_t number = 0;
        if ((s.id == IDC_START_DELAY || s.id == IDC_LOG_INTERVAL || s.id == IDC_ALARM_LED_DUTY ||
             s.id == IDC_RECORD_LED_DUTY) &&
            ValidateInteger(s.text, number, INT32_MIN, INT32_MAX) == VALID_OK) {
            s.text = FormatText(u"%d", {number});
        }
    }
    // Decimals likewise, to the tenth the form shows them with.
    for (ShownSetting& s : shown) {
        double number = 0;
        if ((s.id == IDC_HUM_LOW || s.id == IDC_HUM_HIGH || s.id == IDC_CH3_LOW || s.id == IDC_CH3_HIGH) &&
            ValidateDecimal(s.text, number, -1e9, 1e9) == VALID_OK) {
            s.text = FormatText(u"%1.1f", {number + 0.0});  // no "-0.0"
        }
    }
    held(IDC_HUM_LOW, g_humLow);
    held(IDC_HUM_HIGH, g_humHigh);
    held(IDC_CH3_LOW, g_ch3Low);
    held(IDC_CH3_HIGH, g_ch3High);
    shown.push_back({IDC_TEMP_LOW, FormatText(u"%1.1f", {g_tempLowC}), -1, 0});
    shown.push_back({IDC_TEMP_HIGH, FormatText(u"%1.1f", {g_tempHighC}), -1, 0});
    return shown;
}
