#include <gtest/gtest.h>

#include "app/form_values.h"
#include "platform/ansi_code_page.h"
#include "platform/format_text.h"
#include "support/block_builder.h"
#include "support/dialog_rig.h"

namespace {

// The controls that show a logger's settings.
constexpr int SETTING_CONTROLS[] = {
    IDC_TIME_ZONE,   IDC_DATE_FORMAT, IDC_REPORT_LANGUAGE, IDC_TEMP_UNIT,   IDC_CH3_UNIT,    IDC_START_DELAY,
    IDC_LOG_INTERVAL, IDC_ALARM_LED_DUTY, IDC_RECORD_LED_DUTY, IDC_TEMP_LOW, IDC_TEMP_HIGH, IDC_HUM_LOW,
    IDC_HUM_HIGH,    IDC_CH3_LOW,     IDC_CH3_HIGH,        IDC_DEVICE_NAME, IDC_DEVICE_ID,   IDC_WEBSITE,
    IDC_USER_INFO,   IDC_TRADEMARK,   IDC_PDF_PASSWORD,    IDC_EXPORT_CSV,  IDC_ENABLE_ALARM,
};

struct Shown {
    std::u16string text;
    int selection;
    int check;
    bool operator==(const Shown&) const = default;
};

std::vector<Shown> ShownSettings(DialogRig& rig) {
    std::vector<Shown> shown;
    for (int id : SETTING_CONTROLS) {
        const Control c = rig.form().Get(id);
        shown.push_back({c.text, c.selection, c.check});
    }
    return shown;
}

// The temperature edits show the loaded limits in the unit selected.
void ShowTemperatures(DialogRig& rig) {
    const bool celsius = rig.form().GetCurSel(IDC_TEMP_UNIT) == 0;
    rig.Type(IDC_TEMP_LOW, FormatText(u"%1.1f", {celsius ? g_tempLowC : g_tempLowF}));
    rig.Type(IDC_TEMP_HIGH, FormatText(u"%1.1f", {celsius ? g_tempHighC : g_tempHighF}));
}

struct LoggerCase {
    const char* what;
    BlockBuilder block;
};

BlockBuilder Logger(uint8_t ch3Type, uint32_t settings, uint32_t ch3Low, uint32_t ch3High) {
    BlockBuilder b;
    b.Number(BLOCK_CH3_TYPE, ch3Type).Number(BLOCK_SETTINGS_WORD, settings).Number(BLOCK_CH3_LOW, ch3Low)
        .Number(BLOCK_CH3_HIGH, ch3High).Number(BLOCK_CH3_RANGE_MAX, 2000000).Number(BLOCK_DUCT_AREA, 50);
    return b;
}

// Plugging a logger, configuring it untouched, and plugging it again shows
// every setting as the form had it: what the form showed is what the logger
// keeps.
TEST(RoundTrip, AConfiguredLoggerShowsTheFormAgain) {
    constexpr uint32_t CSV = SET_EXPORT_CSV, ALARM = SET_ALARM_ENABLED, SELECTABLE = SET_TEMP_UNIT_SELECTABLE;
    const std::vector<LoggerCase> cases = {
        {"illuminance in lux", Logger(0, SELECTABLE | CSV, 10, 100)},
        {"illuminance in foot-candles, Fahrenheit, Chinese",
         Logger(0, SELECTABLE | SET_FAHRENHEIT | SET_LANGUAGE_CHINESE | (1u << 13) | (1u << 8) | ALARM, 1076, 10760)
             .Number(BLOCK_TZ_HOURS, -3).Number(BLOCK_TZ_MINUTES, -30).Text(BLOCK_PDF_PASSWORD, "Abcd1234")},
        {"noise in dB(C), Celsius forced", Logger(1, SET_FAHRENHEIT | (1u << 8), 355, 1005)
                                               .Number(BLOCK_TEMP_LOW, -123).Number(BLOCK_TEMP_HIGH, 456)},
        {"wind in m/s", Logger(2, CSV | ALARM, 1500, 25000).Number(BLOCK_START_DELAY_SECONDS, 119)},
        {"wind in km/h", Logger(2, 1u << 8, 1000, 10000).Number(BLOCK_HUM_LOW, 0).Number(BLOCK_HUM_HIGH, 1000)},
        {"wind in knots", Logger(2, 3u << 8, 514, 5144)},
        {"air flow in CMM", Logger(2, 5u << 8, 500, 3000)},
        {"air flow in CFM", Logger(2, 6u << 8, 500, 3000).Text(BLOCK_DEVICE_NAME, "ABCDEFGHIJKLMNOPQRS")},
    };
    SetAnsiCodePage(1252);
    for (const LoggerCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        const int id = rig.PlugAndLoad(SimLogger(c.block.Bytes()));
        ASSERT_EQ(rig.Button(), u"Configure");
        ShowTemperatures(rig);
        const std::vector<Shown> before = ShownSettings(rig);

        rig.Click(IDC_CONFIGURE);
        rig.Tick();
        ASSERT_EQ(rig.Button(), u"配置中...");
        EXPECT_TRUE(rig.messages.Texts().empty());

        rig.bus.Unplug(id);
        ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Input Device"; }));
        rig.bus.Replug(id);
        ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Configure"; }));
        ShowTemperatures(rig);
        EXPECT_EQ(ShownSettings(rig), before);

        // Power save is always written off, whatever the logger had.
        EXPECT_EQ(ReadBlockNumber(rig.bus.Block(id), BLOCK_POWER_SAVE), POWER_SAVE_OFF);
    }
    SetAnsiCodePage(CP_ACP);
}

}  // namespace
