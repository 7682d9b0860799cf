#include <gtest/gtest.h>

#include "app/form_values.h"
#include "app/pending_events.h"
#include "form/clock_record.h"
#include "loop/loop_state.h"
#include "params/device_values.h"
#include "params/third_channel.h"
#include "support/block_builder.h"
#include "support/dialog_rig.h"

namespace {

const std::vector<int> ALERT_GROUP = {IDC_TEMP_HIGH, IDC_TEMP_LOW, IDC_HUM_HIGH, IDC_HUM_LOW,
                                      IDC_CH3_HIGH,  IDC_CH3_LOW,  IDC_TEMP_UNIT, IDC_CH3_UNIT};
const std::vector<int> LOCK_LIST = {
    IDC_TIME_ZONE,    IDC_DATE_FORMAT,  IDC_START_DELAY,     IDC_LOG_INTERVAL,   IDC_TEMP_UNIT,
    IDC_CH3_UNIT,     IDC_REPORT_LANGUAGE, IDC_POWER_SAVE,   IDC_TRADEMARK,      IDC_DEVICE_NAME,
    IDC_USER_INFO,    IDC_WEBSITE,      IDC_DEVICE_ID,       IDC_TIMED_START,    IDC_START_TIME,
    IDC_ENABLE_ALARM, IDC_PDF_PASSWORD, IDC_RECORD_LED_DUTY, IDC_ALARM_LED_DUTY, IDC_EXPORT_CSV};

std::vector<int> EnabledOf(DialogRig& rig, const std::vector<int>& ids) {
    std::vector<int> enabled;
    for (int id : ids) {
        if (rig.form().IsWindowEnabled(id)) enabled.push_back(id);
    }
    return enabled;
}

TEST(FormEvents, SwitchingTheTemperatureUnitShowsTheOtherMemberAndRaisesNoReRead) {
    DialogRig rig;
    rig.Tick();
    rig.Pick(IDC_TEMP_UNIT, 1);
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW), u"35.6");
    EXPECT_EQ(rig.Text(IDC_TEMP_HIGH), u"46.4");
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW_UNIT), u"℉");
    EXPECT_EQ(rig.Text(IDC_TEMP_HIGH_UNIT), u"℉");
    EXPECT_EQ(g_pendingEvents & (EVT_TEMP_LOW | EVT_TEMP_HIGH), 0u);
    EXPECT_FALSE(g_suppressTempLowChange);
    EXPECT_FALSE(g_suppressTempHighChange);

    rig.Pick(IDC_TEMP_UNIT, 0);
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW), u"2.0");
    EXPECT_EQ(rig.Text(IDC_TEMP_HIGH), u"8.0");
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW_UNIT), u"℃");
    EXPECT_EQ(g_pendingEvents & (EVT_TEMP_LOW | EVT_TEMP_HIGH), 0u);
    // A change the user types still asks for a re-read.
    rig.Type(IDC_TEMP_LOW, u"3.0");
    EXPECT_EQ(g_pendingEvents & EVT_TEMP_LOW, EVT_TEMP_LOW);
}

TEST(FormEvents, OlderFirmwareTiesTheDateFormatToTheLanguage) {
    struct Case {
        uint16_t fwVersion;
        int language;
        int expectedFormat;  // starting from format 1
    };
    const Case cases[] = {{0x0000, 1, 2}, {0x0000, 0, 0}, {0x1FFF, 1, 2}, {0x2000, 1, 1}, {0x5010, 0, 1}};
    for (const Case& c : cases) {
        DialogRig rig;
        rig.Tick();
        g_fwVersion = c.fwVersion;
        rig.form().SetCurSel(IDC_DATE_FORMAT, 1);
        rig.Pick(IDC_REPORT_LANGUAGE, c.language);
        g_pendingEvents |= EVT_REPORT_LANGUAGE;  // also when the pick changed nothing
        rig.Tick();
        EXPECT_EQ(rig.form().GetCurSel(IDC_DATE_FORMAT), c.expectedFormat) << std::hex << c.fwVersion;
    }
}

TEST(FormEvents, AlarmEnablingNeedsALogger) {
    DialogRig rig;
    rig.Tick();
    rig.Click(IDC_ENABLE_ALARM);  // ticked, no logger
    rig.Tick();
    EXPECT_EQ(EnabledOf(rig, ALERT_GROUP), ALERT_GROUP);  // as they started
    EXPECT_EQ(g_pendingEvents & EVT_LOG_INTERVAL, 0u);

    rig.Click(IDC_ENABLE_ALARM);  // cleared again
    rig.PlugAndLoad();  // a logger with its alarm off
    EXPECT_TRUE(EnabledOf(rig, ALERT_GROUP).empty());
    rig.Tick();
    g_pendingEvents = 0;
    rig.Click(IDC_ENABLE_ALARM);
    rig.Tick();
    EXPECT_EQ(EnabledOf(rig, ALERT_GROUP), ALERT_GROUP);
    EXPECT_EQ(g_pendingEvents & EVT_LOG_INTERVAL, EVT_LOG_INTERVAL);  // for the next tick
}

TEST(FormEvents, LockSettingsFreezesTheFormAndTheAlarmKeepsTheAlertGroup) {
    DialogRig rig;
    rig.Tick();
    rig.Click(IDC_LOCK_SETTINGS);
    rig.Tick();
    EXPECT_TRUE(EnabledOf(rig, LOCK_LIST).empty());
    EXPECT_TRUE(EnabledOf(rig, ALERT_GROUP).empty());

    rig.Click(IDC_LOCK_SETTINGS);  // unlocked, alarm off: the unit lists stay with the alert group
    rig.Tick();
    std::vector<int> open = LOCK_LIST;
    std::erase(open, IDC_TEMP_UNIT);
    std::erase(open, IDC_CH3_UNIT);
    EXPECT_EQ(EnabledOf(rig, LOCK_LIST), open);
    EXPECT_TRUE(EnabledOf(rig, ALERT_GROUP).empty());

    rig.Click(IDC_ENABLE_ALARM);
    rig.Click(IDC_LOCK_SETTINGS);
    rig.Click(IDC_LOCK_SETTINGS);  // locked and unlocked again with the alarm on
    rig.Tick();
    EXPECT_EQ(EnabledOf(rig, ALERT_GROUP), ALERT_GROUP);
}

TEST(FormEvents, MaximumRecordingTime) {
    DialogRig rig;
    struct Case {
        uint32_t capacity;
        std::u16string interval;
        std::u16string shown;
    };
    const Case cases[] = {
        {32000, u"1", u"Maximum Recording Time:8.9Hours/32000points"},
        {32000, u"2", u"Maximum Recording Time:17.8Hours/32000points"},
        {32000, u"60", u"Maximum Recording Time:22.2Days/32000points"},
        {32000, u"1440", u"Maximum Recording Time:533.3Days/32000points"},
        {43200, u"2", u"Maximum Recording Time:24.0Hours/43200points"},  // exactly one day
        {0xFFFFFF, u"1440", u"Maximum Recording Time:279620.2Days/16777215points"},  // 35-bit product
    };
    for (const Case& c : cases) {
        g_capacityPoints = c.capacity;
        rig.form().SetWindowText(IDC_LOG_INTERVAL, c.interval);
        rig.dlg->UpdateMaxRecordingTime();
        EXPECT_EQ(rig.Text(IDC_MAX_REC_TIME), c.shown);
    }
    // What the display does not take leaves it, and moves the focus there.
    for (std::u16string bad : {u"1441", u"", u"a", u"-1"}) {
        rig.form().SetFocus(IDC_TRADEMARK);
        rig.form().SetWindowText(IDC_LOG_INTERVAL, bad);
        rig.dlg->UpdateMaxRecordingTime();
        EXPECT_EQ(rig.Text(IDC_MAX_REC_TIME), cases[5].shown);
        EXPECT_EQ(rig.form().GetFocus(), IDC_LOG_INTERVAL);
    }
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(FormEvents, TypedLimitsAreHeldInBothUnits) {
    DialogRig rig;
    rig.Tick();
    g_tempRangeMin = -400;
    g_tempRangeMax = 850;
    rig.Pick(IDC_TEMP_UNIT, 1);
    rig.Tick();
    struct Case {
        std::u16string fahrenheit;
        double celsius;
    };
    const Case cases[] = {{u"36.0", 2.20001}, {u"35.7", 2.05001}, {u"33.3", 0.70001},
                          {u"33.4", 0.80001}, {u"31.9", -0.05001}, {u"32.0", -0.00001},
                          {u"-40.0", -40.00001}, {u"185.0", 85.00001}};
    for (const Case& c : cases) {
        rig.Type(IDC_TEMP_LOW, c.fahrenheit);
        rig.Tick();
        EXPECT_NEAR(g_tempLowC, c.celsius, 1e-9) << ToUtf8(c.fahrenheit);
    }
    // Out of range, empty or malformed: the pair stays, the focus goes there.
    for (std::u16string bad : {u"185.1", u"", u"3,5"}) {
        rig.form().SetFocus(IDC_TRADEMARK);
        rig.Type(IDC_TEMP_HIGH, bad);
        rig.Tick();
        EXPECT_DOUBLE_EQ(g_tempHighF, 46.4);
        EXPECT_DOUBLE_EQ(g_tempHighC, 8.0);
        EXPECT_EQ(rig.form().GetFocus(), IDC_TEMP_HIGH);
    }
    rig.Pick(IDC_TEMP_UNIT, 0);
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW), u"85.0");
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(FormEvents, ThirdChannelViews) {
    struct Case {
        uint8_t type;
        double stored;
        uint32_t ductArea;
        int unit;
        std::u16string shown;
        std::u16string unitText;
    };
    const Case cases[] = {
        {CH3_ILLUMINANCE, 100, 0, 1, u"9.3", u"Fc"},
        {CH3_ILLUMINANCE, 100, 0, 0, u"100.0", u"Lux"},
        {CH3_WIND_SPEED, 10, 0, 1, u"36.0", u"km/h"},
        {CH3_WIND_SPEED, 10, 0, 3, u"19.4", u"knots"},
        {CH3_WIND_SPEED, 10, 0, 4, u"22.4", u"MPH"},
        {CH3_WIND_SPEED, 1, 0, 2, u"196.9", u"ft/min"},
        {CH3_WIND_SPEED, 1, 50, 5, u"30.0", u"CMM"},
        {CH3_WIND_SPEED, 1, 50, 6, u"1059.4", u"CFM"},
        {CH3_NOISE, 55, 0, 1, u"1.0", u"dB(C)"},  // the edits keep what they showed
    };
    for (const Case& c : cases) {
        DialogRig rig;
        rig.Tick();
        ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_CH3_TYPE, c.type).Bytes()));
        rig.Tick();
        g_ch3High = c.stored;
        g_ch3Low = c.stored;
        g_ductArea = c.ductArea;
        rig.form().SetWindowText(IDC_CH3_LOW, u"1.0");
        rig.Pick(IDC_CH3_UNIT, c.unit);
        rig.Tick();
        EXPECT_EQ(rig.Text(IDC_CH3_HIGH), c.type == CH3_NOISE ? u"10.0" : c.shown) << c.unitText.size();
        EXPECT_EQ(rig.Text(IDC_CH3_LOW), c.shown);
        EXPECT_EQ(rig.Text(IDC_CH3_LOW_UNIT), c.unitText);
        EXPECT_EQ(rig.Text(IDC_CH3_HIGH_UNIT), c.unitText);
    }
}

TEST(FormEvents, APickedTimeZoneStandsAndMovesTheClock) {
    DialogRig rig;
    rig.clock.now = {2025, 3, 7, 10, 20, 30};  // computer in UTC+08:00
    rig.Tick();
    rig.Tick();
    EXPECT_EQ(rig.Text(IDC_TIME_TEXT), u"10:20:30");
    rig.Pick(IDC_TIME_ZONE, 6);  // "UTC+09:00"
    rig.clock.now.second = 31;
    rig.Tick();
    EXPECT_EQ(rig.form().GetCurSel(IDC_TIME_ZONE), 6);
    EXPECT_EQ(g_clock.hour, 11);
    EXPECT_EQ(rig.Text(IDC_TIME_TEXT), u"11:20:31");

    const std::vector<std::pair<int16_t, int>> selections = {
        {480, 8}, {-30, 25}, {0, 24}, {345, 24}, {780, 24}, {-720, 48}, {720, 0}};
    for (const auto& [offset, item] : selections) {
        rig.dlg->SelectTimeZone(offset);
        EXPECT_EQ(rig.form().GetCurSel(IDC_TIME_ZONE), item) << offset;
    }
}

}  // namespace
