#include <gtest/gtest.h>

#include "app/form_values.h"
#include "app/pending_events.h"
#include "loop/loop_state.h"
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

}  // namespace
