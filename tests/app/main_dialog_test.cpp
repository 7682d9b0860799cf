#include <gtest/gtest.h>

#include <set>

#include "app/form_table.h"
#include "app/form_values.h"
#include "app/pending_events.h"
#include "support/dialog_rig.h"

namespace {

TEST(MainDialogTemplate, SeventyTwoControlsWithUniqueIdentifiers) {
    const std::vector<Control> controls = MainDialogTemplate();
    ASSERT_EQ(controls.size(), 72u);
    std::set<int> ids;
    int named = 0;
    for (const Control& c : controls) {
        if (c.id == 0) continue;
        ++named;
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    }
    EXPECT_EQ(named, 41);
    EXPECT_EQ(std::u16string(DIALOG_CAPTION), u"Datalogger  Configuration Tool V4.12");

    Form form(controls);
    const Control button = form.Get(IDC_CONFIGURE);
    EXPECT_EQ(button.kind, ControlKind::PushButton);
    EXPECT_EQ(button.text, u"Plug Device");
    EXPECT_FALSE(button.enabled);
    EXPECT_EQ(button.rect.x, 418);
    EXPECT_EQ(button.rect.height, 23);
    EXPECT_EQ(form.Get(IDC_TIMED_START).text, u"定时启动");
    EXPECT_EQ(controls[14].text, u"Low Hum.  Alert:");  // two blanks
    for (int hidden : {IDC_POWER_SAVE, IDC_TIMED_START, IDC_START_TIME, IDC_VDD_BAT}) {
        EXPECT_FALSE(form.Get(hidden).shown) << hidden;
    }
    EXPECT_FALSE(form.Get(IDC_DEVICE_ID).enabled);
}

TEST(MainDialogTemplate, TimeZoneItemsRunFromPlusTwelveToMinusTwelve) {
    const std::vector<std::u16string> items = TimeZoneItems();
    ASSERT_EQ(items.size(), 49u);
    const std::vector<std::pair<int, std::u16string>> cases = {
        {0, u"UTC+12:00"}, {1, u"UTC+11:30"}, {8, u"UTC+08:00"}, {23, u"UTC+00:30"},
        {24, u"UTC+00:00"}, {25, u"UTC-00:30"}, {31, u"UTC-03:30"}, {48, u"UTC-12:00"},
    };
    for (const auto& [index, text] : cases) EXPECT_EQ(items[index], text) << index;
}

TEST(MainDialog, DefaultsAfterInitialisation) {
    DialogRig rig;
    // Writing the default texts raised notifications; none is left pending.
    EXPECT_EQ(g_pendingEvents, 0u);
    EXPECT_TRUE(rig.timer.armed);
    EXPECT_EQ(rig.timer.period, 50u);

    const std::vector<std::pair<int, std::u16string>> texts = {
        {IDC_START_DELAY, u"30"}, {IDC_LOG_INTERVAL, u"1"},   {IDC_TEMP_LOW, u"2.0"},
        {IDC_TEMP_HIGH, u"8.0"},  {IDC_HUM_LOW, u"20.0"},     {IDC_HUM_HIGH, u"80.0"},
        {IDC_CH3_LOW, u"1.0"},    {IDC_CH3_HIGH, u"10.0"},    {IDC_TRADEMARK, u""},
        {IDC_PDF_PASSWORD, u""},  {IDC_RECORD_LED_DUTY, u"0"}, {IDC_ALARM_LED_DUTY, u"0"},
        {IDC_CONFIGURE, u"Plug Device"},
    };
    for (const auto& [id, text] : texts) EXPECT_EQ(rig.Text(id), text) << id;

    const std::vector<std::pair<int, std::u16string>> selections = {
        {IDC_TIME_ZONE, u"UTC+08:00"}, {IDC_DATE_FORMAT, u"DD/MM/YYYY"}, {IDC_TEMP_UNIT, u"℃"},
        {IDC_REPORT_LANGUAGE, u"English"}, {IDC_CH3_UNIT, u"Lux"},
    };
    for (const auto& [id, item] : selections) {
        EXPECT_EQ(rig.form().GetLBText(id, rig.form().GetCurSel(id)), item) << id;
    }
    for (int id : {IDC_POWER_SAVE, IDC_TIMED_START, IDC_LOCK_SETTINGS, IDC_AUTO_SETUP, IDC_ENABLE_ALARM}) {
        EXPECT_EQ(rig.form().GetCheck(id), 0) << id;
    }
    EXPECT_EQ(rig.form().GetCheck(IDC_EXPORT_CSV), 1);
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_START_TIME));
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_TIMED_START));

    // The stored limits agree with the texts shown.
    EXPECT_DOUBLE_EQ(g_tempLowC, 2.0);
    EXPECT_DOUBLE_EQ(g_tempHighC, 8.0);
    EXPECT_DOUBLE_EQ(g_tempLowF, 35.6);
    EXPECT_DOUBLE_EQ(g_tempHighF, 46.4);
}

TEST(MainDialog, HandlersRaiseTheirEvents) {
    DialogRig rig;
    struct Case {
        std::function<void()> act;
        uint32_t bit;
    };
    const std::vector<Case> cases = {
        {[&] { rig.Pick(IDC_TIME_ZONE, 3); }, EVT_TIME_ZONE},
        {[&] { rig.Pick(IDC_DATE_FORMAT, 2); }, EVT_DATE_FORMAT},
        {[&] { rig.Pick(IDC_TEMP_UNIT, 1); }, EVT_TEMP_UNIT},
        {[&] { rig.Pick(IDC_CH3_UNIT, 1); }, EVT_CH3_UNIT},
        {[&] { rig.Pick(IDC_REPORT_LANGUAGE, 1); }, EVT_REPORT_LANGUAGE},
        {[&] { rig.Click(IDC_LOCK_SETTINGS); }, EVT_LOCK_SETTINGS},
        {[&] { rig.Click(IDC_ENABLE_ALARM); }, EVT_ENABLE_ALARM},
        {[&] { rig.Type(IDC_TEMP_LOW, u"3.0"); }, EVT_TEMP_LOW},
        {[&] { rig.Type(IDC_TEMP_HIGH, u"9.0"); }, EVT_TEMP_HIGH},
        {[&] { rig.Type(IDC_HUM_LOW, u"25.0"); }, 0},
        {[&] { rig.Type(IDC_LOG_INTERVAL, u"60"); }, 0},  // no logger: nothing to compute
        {[&] { rig.form().SetCurSel(IDC_TIME_ZONE, 5); }, 0},  // the program's own selection
        {[&] { rig.form().SetCheck(IDC_ENABLE_ALARM, 1); }, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        g_pendingEvents = 0;
        cases[i].act();
        EXPECT_EQ(g_pendingEvents, cases[i].bit) << "case " << i;
    }

    rig.form().EnableWindow(IDC_CONFIGURE, true);
    g_pendingEvents = 0;
    rig.Click(IDC_CONFIGURE);
    EXPECT_EQ(g_pendingEvents, EVT_CONFIGURE);
}

TEST(MainDialog, TimedStartEnablesThePicker) {
    DialogRig rig;
    rig.form().EnableWindow(IDC_TIMED_START, true);
    rig.Click(IDC_TIMED_START);
    EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_START_TIME));
    rig.Click(IDC_TIMED_START);
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_START_TIME));
    EXPECT_EQ(g_pendingEvents, 0u);
}

TEST(AlertEdits, KeepOneCharacterAfterThePoint) {
    DialogRig rig;
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"3", u"3"},        {u"3.5", u"3.5"},   {u"3.55", u"3.5"}, {u"12.34", u"12.3"},
        {u"1.5.", u"1.5"},   {u"1..5", u"1."},   {u".55", u".5"},   {u"1.x5", u"1.x"},
        {u"-12.55", u"-12.5"}, {u"", u""},
    };
    for (int id : {IDC_TEMP_LOW, IDC_TEMP_HIGH, IDC_HUM_LOW, IDC_HUM_HIGH}) {
        for (const auto& [typed, kept] : cases) {
            rig.Type(id, typed);
            EXPECT_EQ(rig.Text(id), kept) << id << " typed " << typed.size();
            if (typed != kept) {
                const Control c = rig.form().Get(id);
                EXPECT_EQ(c.selStart, static_cast<int>(kept.size()));
                EXPECT_EQ(c.selEnd, static_cast<int>(kept.size()));
                EXPECT_EQ(rig.form().GetFocus(), id);
            }
        }
    }
}

TEST(AlertEdits, ACutTemperatureRaisesItsEventOnceAndHumidityNone) {
    DialogRig rig;
    int raised = 0;
    // Count the handler runs that raise the bit: clear it after each.
    rig.form().SetNotificationSink([&](int id, Notification what) {
        rig.dlg->OnNotify(id, what);
        if (g_pendingEvents & EVT_TEMP_LOW) {
            ++raised;
            g_pendingEvents &= ~EVT_TEMP_LOW;
        }
    });
    rig.Type(IDC_TEMP_LOW, u"-12.55");
    EXPECT_EQ(rig.Text(IDC_TEMP_LOW), u"-12.5");
    EXPECT_EQ(raised, 1);

    // A program write behind the suppress flag raises nothing and clears it.
    raised = 0;
    g_suppressTempLowChange = true;
    rig.form().SetWindowText(IDC_TEMP_LOW, u"35.66");
    EXPECT_EQ(raised, 0);
    EXPECT_FALSE(g_suppressTempLowChange);

    g_pendingEvents = 0;
    rig.Type(IDC_HUM_LOW, u"-12.55");
    EXPECT_EQ(rig.Text(IDC_HUM_LOW), u"-12.5");
    EXPECT_EQ(g_pendingEvents, 0u);
}

}  // namespace

namespace {

TEST(FieldReaders, FailureMovesCaretAndFocusEvenWithoutAMessage) {
    DialogRig rig;
    struct Case {
        std::u16string text;
        ValidationResult expected;
    };
    const Case cases[] = {{u"60", VALID_OK}, {u"61", VALID_OUT_OF_RANGE}, {u"6 0", VALID_BAD_CHAR}, {u"", VALID_EMPTY}};
    for (const Case& c : cases) {
        rig.form().SetFocus(IDC_TRADEMARK);
        rig.form().SetWindowText(IDC_START_DELAY, c.text);
        rig.form().SetSel(IDC_START_DELAY, 0, 0);
        int32_t value = -1;
        EXPECT_EQ(rig.dlg->ReadIntegerField(IDC_START_DELAY, value, 0, 60), c.expected);
        const Control field = rig.form().Get(IDC_START_DELAY);
        if (c.expected == VALID_OK) {
            EXPECT_EQ(value, 60);
            EXPECT_EQ(rig.form().GetFocus(), IDC_TRADEMARK);
        } else {
            EXPECT_EQ(rig.form().GetFocus(), IDC_START_DELAY);
            EXPECT_EQ(field.selStart, static_cast<int>(c.text.size()));
            EXPECT_EQ(field.selEnd, static_cast<int>(c.text.size()));
        }
    }
    EXPECT_TRUE(rig.messages.Texts().empty());

    double limit = 0;
    rig.form().SetWindowText(IDC_HUM_LOW, u"100.5");
    EXPECT_EQ(rig.dlg->ReadDecimalField(IDC_HUM_LOW, limit, u"Low Hum. Alert", 0.0, 100.0), VALID_OUT_OF_RANGE);
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"Low Hum. Alert: 数值必须在0.0至100.0之内!"});
    EXPECT_EQ(rig.form().GetFocus(), IDC_HUM_LOW);
}

}  // namespace
