#include "app/form_table.h"

#include <cstdio>

#include "app/control_ids.h"

const char16_t DIALOG_CAPTION[] = u"Datalogger  Configuration Tool V4.12";

namespace {

using K = ControlKind;

constexpr bool SHOWN = true, HIDDEN = false, ENABLED = true, DISABLED = false;

struct Row {
    int id;
    ControlKind kind;
    const char16_t* text;
    DialogRect rect;
    bool shown;
    bool enabled;
};

// Tab order. Check boxes without a text of their own are named by the label
// to their right.
const Row ROWS[] = {
    {0, K::Label, u"", {163, 6, 138, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Time Zone:", {13, 25, 42, 10}, SHOWN, ENABLED},
    {0, K::Label, u"Date Format:", {149, 25, 51, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Start Delay:", {13, 42, 50, 8}, SHOWN, ENABLED},
    {IDC_MAX_REC_TIME, K::Label, u"Maximum Recording Time:", {149, 42, 145, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Low Temp. Alert:", {13, 93, 64, 8}, SHOWN, ENABLED},
    {0, K::Label, u"High Temp. Alert:", {13, 110, 68, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Report Language:", {13, 161, 67, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Logging Interval:", {13, 59, 69, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Min.", {86, 42, 17, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Sec.", {110, 58, 16, 8}, SHOWN, ENABLED},
    {IDC_TEMP_LOW_UNIT, K::Label, u"℃", {115, 93, 12, 8}, SHOWN, ENABLED},
    {IDC_TEMP_HIGH_UNIT, K::Label, u"℃", {115, 110, 14, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Temp. Unit:", {13, 76, 46, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Low Hum.  Alert:", {13, 127, 65, 8}, SHOWN, ENABLED},
    {0, K::Label, u"High Hum. Alert:", {13, 144, 66, 8}, SHOWN, ENABLED},
    {0, K::Label, u"%RH", {102, 127, 14, 8}, SHOWN, ENABLED},
    {0, K::Label, u"%RH", {102, 144, 14, 8}, SHOWN, ENABLED},
    {IDC_DATE_TEXT, K::Label, u"2018/12/12", {356, 26, 43, 8}, SHOWN, ENABLED},
    {IDC_TIME_TEXT, K::Label, u"22:00:00", {406, 26, 37, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Trademark:", {326, 43, 42, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Device Name:", {317, 60, 51, 8}, SHOWN, ENABLED},
    {0, K::Label, u"User Information:", {297, 77, 69, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Webite:", {338, 93, 29, 9}, SHOWN, ENABLED},
    {0, K::Label, u"DeviceID:", {330, 110, 39, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Lock Settings", {442, 128, 56, 8}, SHOWN, ENABLED},
    {IDC_CONFIGURE, K::PushButton, u"Plug Device", {418, 148, 61, 23}, SHOWN, DISABLED},
    {IDC_POWER_SAVE, K::CheckBox, u"", {319, 178, 39, 13}, HIDDEN, DISABLED},
    {IDC_LOCK_SETTINGS, K::CheckBox, u"", {432, 128, 57, 8}, SHOWN, ENABLED},
    {IDC_TIME_ZONE, K::DropDownList, u"", {57, 23, 50, 12}, SHOWN, ENABLED},
    {IDC_DATE_FORMAT, K::DropDownList, u"", {202, 24, 53, 12}, SHOWN, ENABLED},
    {IDC_REPORT_LANGUAGE, K::DropDownList, u"", {81, 160, 44, 13}, SHOWN, ENABLED},
    {IDC_TEMP_UNIT, K::DropDownList, u"", {62, 75, 20, 12}, SHOWN, ENABLED},
    {IDC_START_DELAY, K::EditCentred, u"", {64, 42, 18, 8}, SHOWN, ENABLED},
    {IDC_LOG_INTERVAL, K::EditCentred, u"", {84, 58, 22, 8}, SHOWN, ENABLED},
    {IDC_TEMP_LOW, K::EditCentred, u"", {82, 93, 30, 8}, SHOWN, ENABLED},
    {IDC_TEMP_HIGH, K::EditCentred, u"", {82, 110, 30, 8}, SHOWN, ENABLED},
    {IDC_HUM_LOW, K::EditCentred, u"", {80, 127, 19, 8}, SHOWN, ENABLED},
    {IDC_HUM_HIGH, K::EditCentred, u"", {80, 144, 19, 8}, SHOWN, ENABLED},
    {IDC_TRADEMARK, K::Edit, u"", {371, 43, 59, 8}, SHOWN, ENABLED},
    {IDC_DEVICE_NAME, K::Edit, u"", {372, 60, 125, 8}, SHOWN, ENABLED},
    {IDC_USER_INFO, K::Edit, u"", {372, 77, 125, 8}, SHOWN, ENABLED},
    {IDC_WEBSITE, K::Edit, u"", {372, 94, 125, 8}, SHOWN, ENABLED},
    {IDC_DEVICE_ID, K::Edit, u"", {372, 111, 99, 8}, SHOWN, DISABLED},
    {0, K::Label, u"Date Time:", {310, 26, 46, 11}, SHOWN, ENABLED},
    {0, K::Label, u"Alarm LED Flash Duty:", {152, 144, 87, 11}, SHOWN, ENABLED},
    {0, K::Label, u"Record LED Flash Duty:", {152, 127, 91, 11}, SHOWN, ENABLED},
    {IDC_RECORD_LED_DUTY, K::EditCentred, u"", {244, 127, 15, 8}, SHOWN, ENABLED},
    {IDC_ALARM_LED_DUTY, K::EditCentred, u"", {244, 144, 15, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Sec.", {263, 144, 19, 10}, SHOWN, ENABLED},
    {0, K::Label, u"Sec.", {263, 127, 18, 9}, SHOWN, ENABLED},
    {IDC_TIMED_START, K::CheckBox, u"定时启动", {154, 180, 42, 9}, HIDDEN, DISABLED},
    {IDC_START_TIME, K::DateTimePicker, u"", {195, 180, 85, 11}, HIDDEN, DISABLED},
    {IDC_AUTO_SETUP, K::CheckBox, u"Automatic Set-up", {316, 146, 77, 11}, SHOWN, ENABLED},
    {IDC_ENABLE_ALARM, K::CheckBox, u"", {152, 59, 41, 12}, SHOWN, ENABLED},
    {0, K::Label, u"Enable Alarm", {164, 61, 56, 10}, SHOWN, ENABLED},
    {0, K::Label, u"VDD/BAT:", {316, 7, 34, 11}, HIDDEN, DISABLED},
    {IDC_VDD_BAT, K::Label, u"", {352, 7, 65, 11}, HIDDEN, DISABLED},
    {IDC_FW_VERSION, K::Label, u"FW Version:", {13, 8, 79, 11}, SHOWN, ENABLED},
    {0, K::Label, u"PDF Password:", {314, 128, 54, 10}, SHOWN, ENABLED},
    {IDC_PDF_PASSWORD, K::Edit, u"", {373, 128, 37, 8}, SHOWN, ENABLED},
    {0, K::Label, u"Power Save Mode", {333, 180, 69, 8}, HIDDEN, DISABLED},
    {IDC_EXPORT_CSV, K::CheckBox, u"", {152, 161, 69, 10}, SHOWN, ENABLED},
    {0, K::Label, u"Export CSV Report", {164, 161, 72, 10}, SHOWN, ENABLED},
    {IDC_CH3_UNIT_LABEL, K::Label, u"Illuminance Unit:", {149, 76, 77, 10}, SHOWN, ENABLED},
    {IDC_CH3_LOW_LABEL, K::Label, u"Low Illumination Alert:", {149, 93, 92, 9}, SHOWN, ENABLED},
    {IDC_CH3_HIGH_LABEL, K::Label, u"High Illumination Alert:", {149, 110, 96, 9}, SHOWN, ENABLED},
    {IDC_CH3_UNIT, K::DropDownList, u"", {229, 75, 33, 12}, SHOWN, ENABLED},
    {IDC_CH3_LOW, K::EditCentred, u"", {245, 93, 37, 8}, SHOWN, ENABLED},
    {IDC_CH3_HIGH, K::EditCentred, u"", {245, 110, 37, 8}, SHOWN, ENABLED},
    {IDC_CH3_LOW_UNIT, K::Label, u"Lux", {286, 93, 22, 10}, SHOWN, ENABLED},
    {IDC_CH3_HIGH_UNIT, K::Label, u"Lux", {286, 110, 19, 11}, SHOWN, ENABLED},
};

std::u16string Ascii(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }

std::vector<std::u16string> ListItems(int id) {
    switch (id) {
    case IDC_TIME_ZONE: return TimeZoneItems();
    case IDC_DATE_FORMAT: return {u"DD/MM/YYYY", u"MM/DD/YYYY", u"YYYY/MM/DD"};
    case IDC_REPORT_LANGUAGE: return {u"English", u"Chinese"};
    case IDC_TEMP_UNIT: return {u"℃", u"℉"};
    case IDC_CH3_UNIT: return {u"Lux", u"Fc"};
    default: return {};
    }
}

}  // namespace

std::vector<std::u16string> TimeZoneItems() {
    std::vector<std::u16string> items;
    for (int i = 0; i < 49; ++i) {
        const int minutes = 720 - 30 * i;
        const int magnitude = minutes < 0 ? -minutes : minutes;
        char text[16];
        std::snprintf(text, sizeof text, "UTC%c%02d:%02d", i <= 24 ? '+' : '-', magnitude / 60,
                      magnitude % 60);
        items.push_back(Ascii(text));
    }
    return items;
}

std::vector<Control> MainDialogTemplate() {
    std::vector<Control> controls;
    for (const Row& row : ROWS) {
        Control c;
        c.id = row.id;
        c.kind = row.kind;
        c.text = row.text;
        c.rect = row.rect;
        c.shown = row.shown;
        c.enabled = row.enabled;
        c.items = ListItems(row.id);
        controls.push_back(std::move(c));
    }
    return controls;
}
