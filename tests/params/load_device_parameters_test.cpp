#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "app/form_values.h"
#include "params/device_values.h"
#include "platform/ansi_code_page.h"
#include "support/block_builder.h"
#include "support/dialog_rig.h"

namespace {

using Items = std::vector<std::u16string>;

// Every control's state, to see what a load changed.
std::vector<Control> Snapshot(Form& form) {
    std::vector<Control> controls;
    for (size_t i = 0; i < form.Count(); ++i) controls.push_back(form.At(i));
    return controls;
}

std::vector<int> ChangedIds(const std::vector<Control>& before, const std::vector<Control>& after) {
    std::vector<int> ids;
    for (size_t i = 0; i < before.size(); ++i) {
        const Control& a = before[i];
        const Control& b = after[i];
        if (a.text != b.text || a.items != b.items || a.selection != b.selection || a.check != b.check ||
            a.enabled != b.enabled) {
            ids.push_back(a.id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

TEST(LoadDeviceParameters, ADefaultLoggerFillsTheWholeForm) {
    DialogRig rig;
    ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Bytes()));
    Form& f = rig.form();
    EXPECT_EQ(rig.Text(IDC_FW_VERSION), u"FW Version:V5.016");
    EXPECT_EQ(f.GetLBText(IDC_TIME_ZONE, f.GetCurSel(IDC_TIME_ZONE)), u"UTC+08:00");
    EXPECT_EQ(f.GetCurSel(IDC_REPORT_LANGUAGE), 0);
    EXPECT_EQ(f.GetCurSel(IDC_DATE_FORMAT), 0);
    EXPECT_EQ(f.GetCurSel(IDC_TEMP_UNIT), 0);
    EXPECT_TRUE(f.IsWindowEnabled(IDC_TEMP_UNIT));
    EXPECT_EQ(f.GetCurSel(IDC_CH3_UNIT), 0);
    EXPECT_EQ(rig.Text(IDC_START_DELAY), u"30");
    EXPECT_EQ(rig.Text(IDC_LOG_INTERVAL), u"60");
    EXPECT_EQ(rig.Text(IDC_ALARM_LED_DUTY), u"10");
    EXPECT_EQ(rig.Text(IDC_RECORD_LED_DUTY), u"10");
    EXPECT_EQ(rig.Text(IDC_HUM_HIGH), u"80.0");
    EXPECT_EQ(rig.Text(IDC_HUM_LOW), u"20.0");
    EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"10.0");
    EXPECT_EQ(rig.Text(IDC_CH3_LOW), u"1.0");
    EXPECT_EQ(rig.Text(IDC_DEVICE_NAME), u"Cold Room 3");
    EXPECT_EQ(rig.Text(IDC_DEVICE_ID), u"SIM-0001");
    EXPECT_EQ(rig.Text(IDC_WEBSITE), u"www.example.com");
    EXPECT_EQ(rig.Text(IDC_USER_INFO), u"Simulated logger");
    EXPECT_EQ(rig.Text(IDC_TRADEMARK), u"Datalogger");
    EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u"");
    EXPECT_EQ(f.GetCheck(IDC_POWER_SAVE), 0);
    EXPECT_EQ(f.GetCheck(IDC_EXPORT_CSV), 1);
    EXPECT_EQ(f.GetCheck(IDC_ENABLE_ALARM), 0);
    EXPECT_EQ(g_pendingEvents, EVT_ENABLE_ALARM | EVT_TEMP_UNIT | EVT_CH3_UNIT);
    EXPECT_DOUBLE_EQ(g_tempHighC, 8.0);
    EXPECT_DOUBLE_EQ(g_tempLowF, 35.6);
    EXPECT_DOUBLE_EQ(g_humHigh, 80.0);
    EXPECT_DOUBLE_EQ(g_ch3Low, 1.0);
    EXPECT_EQ(g_capacityPoints, 32000u);
    EXPECT_EQ(g_tempRangeMin, -400);
    EXPECT_EQ(g_tempRangeMax, 850);
    EXPECT_EQ(g_ch3RangeMax, 2000000u);
    EXPECT_EQ(g_deviceVariant, 7);
    for (int id : {IDC_FW_VERSION, IDC_DEVICE_ID}) EXPECT_GE(f.InvalidationCount(id), 1) << id;
}

struct TypeCase {
    uint8_t type;
    std::u16string unitLabel, lowLabel, highLabel, unit;
    Items items;
};

TEST(LoadDeviceParameters, TheThirdChannelIsRebuiltOnlyWhenItsTypeChanges) {
    const TypeCase cases[] = {
        {0, u"Illuminance Unit:", u"\u200BLow Illumination Alert:", u"\u200BHigh Illumination Alert:", u"Lux",
         {u"Lux", u"Fc"}},
        {1, u"Noise Unit:", u"Low Noise Alert:", u"High Noise Alert:", u"dB(A)", {u"dB(A)", u"dB(C)"}},
        {2, u"Wind Speed Unit:", u"Low Wind Speed Alert:", u"High Wind Speed Alert:", u"m/s",
         {u"m/s", u"km/h", u"ft/min", u"knot", u"MPH", u"CMM", u"CFM"}},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(c.type);
        DialogRig rig;
        // Unit index 1 of the logger wins over the rebuilt list's item 0.
        ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_CH3_TYPE, c.type)
                                            .Number(BLOCK_SETTINGS_WORD, 1u << 8).Bytes()));
        EXPECT_EQ(rig.Text(IDC_CH3_UNIT_LABEL), c.unitLabel);
        EXPECT_EQ(rig.Text(IDC_CH3_LOW_LABEL), c.lowLabel);
        EXPECT_EQ(rig.Text(IDC_CH3_HIGH_LABEL), c.highLabel);
        EXPECT_EQ(rig.Text(IDC_CH3_LOW_UNIT), c.unit);
        EXPECT_EQ(rig.Text(IDC_CH3_HIGH_UNIT), c.unit);
        EXPECT_EQ(rig.form().Get(IDC_CH3_UNIT).items, c.items);
        EXPECT_EQ(rig.form().GetCurSel(IDC_CH3_UNIT), 1);
        EXPECT_EQ(g_ch3Type, c.type);

        // The same type again keeps the texts; only the selection follows.
        const int repaints = rig.form().InvalidationCount(IDC_CH3_UNIT_LABEL);
        ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_CH3_TYPE, c.type).Bytes()));
        EXPECT_EQ(rig.form().InvalidationCount(IDC_CH3_UNIT_LABEL), repaints);
        EXPECT_EQ(rig.form().GetCurSel(IDC_CH3_UNIT), 0);

        // A type outside the table keeps every text and shows no value.
        rig.form().SetWindowText(IDC_CH3_HIGH, u"typed");
        ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_CH3_TYPE, 7).Bytes()));
        EXPECT_EQ(rig.Text(IDC_CH3_UNIT_LABEL), c.unitLabel);
        EXPECT_EQ(rig.form().Get(IDC_CH3_UNIT).items, c.items);
        EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"typed");
        EXPECT_DOUBLE_EQ(g_ch3High, 10.0);  // stored in tenths all the same
        EXPECT_EQ(g_shownCh3Type, 7);
    }
}

TEST(LoadDeviceParameters, ANewerToolIsDemandedWithAMessageAndNothingLoads) {
    DialogRig rig;
    const auto before = Snapshot(rig.form());
    EXPECT_FALSE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_MIN_TOOL_VERSION, 0x0413)
                                         .Number(BLOCK_CH3_TYPE, 1).Number(BLOCK_CAPACITY_POINTS, 99).Bytes()));
    EXPECT_EQ(rig.messages.Texts(),
              std::vector<std::u16string>{u"The version of this configuration tool is too low！\r\n"
                                          u"Please use configuration tool V4.13 or a higher version."});
    // The device values and the third channel's texts have already changed.
    EXPECT_EQ(g_capacityPoints, 99u);
    EXPECT_EQ(ChangedIds(before, Snapshot(rig.form())),
              (std::vector<int>{IDC_CH3_UNIT_LABEL, IDC_CH3_UNIT, IDC_CH3_LOW_UNIT, IDC_CH3_HIGH_UNIT,
                                IDC_CH3_LOW_LABEL, IDC_CH3_HIGH_LABEL}));
    EXPECT_EQ(g_pendingEvents, EVT_ENABLE_ALARM);

    for (uint16_t accepted : {0x0000, 0xFFFF, 0x0412}) {
        EXPECT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_MIN_TOOL_VERSION, accepted).Bytes()));
    }
    EXPECT_EQ(rig.messages.Texts().size(), 1u);
}

TEST(LoadDeviceParameters, ALockedFormTakesOnlyTheVersionAndTheDeviceId) {
    DialogRig rig;
    rig.form().SetCheck(IDC_LOCK_SETTINGS, 1);
    const auto before = Snapshot(rig.form());
    ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_CH3_TYPE, 0).Bytes(), false));
    // The first logger also rewrites the illuminance labels (zero-width space).
    EXPECT_EQ(ChangedIds(before, Snapshot(rig.form())),
              (std::vector<int>{IDC_FW_VERSION, IDC_CH3_LOW_LABEL, IDC_CH3_HIGH_LABEL, IDC_DEVICE_ID}));
    EXPECT_EQ(rig.Text(IDC_DEVICE_ID), u"SIM-0001");
    EXPECT_EQ(g_pendingEvents, EVT_ENABLE_ALARM);
}

TEST(LoadDeviceParameters, AKeepFormLoggerLeavesTheValuesAndEnablesTheAlerts) {
    DialogRig rig;
    for (int id : {IDC_TEMP_LOW, IDC_HUM_HIGH, IDC_CH3_LOW, IDC_TIME_ZONE}) rig.form().EnableWindow(id, false);
    rig.form().SetCurSel(IDC_TEMP_UNIT, 1);
    const auto before = Snapshot(rig.form());
    ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_STATE_WORD, STATE_KEEP_FORM)
                                        .Number(BLOCK_SETTINGS_WORD, SET_FAHRENHEIT | SET_EXPORT_CSV).Bytes()));
    std::vector<int> expected = {IDC_FW_VERSION, IDC_EXPORT_CSV, IDC_TEMP_UNIT, IDC_TEMP_LOW, IDC_HUM_HIGH,
                                 IDC_CH3_LOW, IDC_TIME_ZONE, IDC_TIMED_START, IDC_CH3_LOW_LABEL,
                                 IDC_CH3_HIGH_LABEL};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ChangedIds(before, Snapshot(rig.form())), expected);
    EXPECT_EQ(rig.form().GetCheck(IDC_EXPORT_CSV), 0);
    EXPECT_EQ(rig.form().GetCurSel(IDC_TEMP_UNIT), 0);  // Celsius is forced
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_TEMP_UNIT));
    EXPECT_EQ(rig.Text(IDC_START_DELAY), u"30");
    EXPECT_EQ(g_pendingEvents, EVT_ENABLE_ALARM);
}

struct SettingCase {
    const char* what;
    std::function<void(BlockBuilder&)> block;
    std::function<void(DialogRig&)> check;
};

TEST(LoadDeviceParameters, EachSettingIsShownByItsRule) {
    auto selected = [](DialogRig& rig, int id) { return rig.form().GetCurSel(id); };
    const std::vector<SettingCase> cases = {
        {"119 s is 1 minute", [](BlockBuilder& b) { b.Number(BLOCK_START_DELAY_SECONDS, 119); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_START_DELAY), u"1"); }},
        {"120 s are 2 minutes", [](BlockBuilder& b) { b.Number(BLOCK_START_DELAY_SECONDS, 120); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_START_DELAY), u"2"); }},
        {"bits 12 and 13", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, 3u << 12); },
         [&](DialogRig& rig) {
             EXPECT_EQ(selected(rig, IDC_DATE_FORMAT), 2);
             EXPECT_EQ(selected(rig, IDC_REPORT_LANGUAGE), 1);
         }},
        {"bits 12 and 14", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, 5u << 12); },
         [&](DialogRig& rig) { EXPECT_EQ(selected(rig, IDC_DATE_FORMAT), 2); }},
        {"bit 13 alone", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, 1u << 13); },
         [&](DialogRig& rig) {
             EXPECT_EQ(selected(rig, IDC_DATE_FORMAT), 0);
             EXPECT_EQ(selected(rig, IDC_REPORT_LANGUAGE), 0);
         }},
        {"bit 12 alone", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, 1u << 12); },
         [&](DialogRig& rig) {
             EXPECT_EQ(selected(rig, IDC_DATE_FORMAT), 0);
             EXPECT_EQ(selected(rig, IDC_REPORT_LANGUAGE), 1);
         }},
        {"Fahrenheit without bit 0 is Celsius", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, SET_FAHRENHEIT); },
         [&](DialogRig& rig) {
             EXPECT_EQ(selected(rig, IDC_TEMP_UNIT), 0);
             EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_TEMP_UNIT));
         }},
        {"Fahrenheit", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, SET_FAHRENHEIT | SET_TEMP_UNIT_SELECTABLE); },
         [&](DialogRig& rig) {
             EXPECT_EQ(selected(rig, IDC_TEMP_UNIT), 1);
             EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_TEMP_UNIT));
         }},
        {"alarm, no CSV, power save on",
         [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, SET_ALARM_ENABLED).Number(BLOCK_POWER_SAVE, 0); },
         [](DialogRig& rig) {
             EXPECT_EQ(rig.form().GetCheck(IDC_ENABLE_ALARM), 1);
             EXPECT_EQ(rig.form().GetCheck(IDC_EXPORT_CSV), 0);
             EXPECT_EQ(rig.form().GetCheck(IDC_POWER_SAVE), 1);
         }},
        {"UTC-03:30", [](BlockBuilder& b) { b.Number(BLOCK_TZ_HOURS, -3).Number(BLOCK_TZ_MINUTES, -30); },
         [&](DialogRig& rig) { EXPECT_EQ(rig.form().GetLBText(IDC_TIME_ZONE, selected(rig, IDC_TIME_ZONE)), u"UTC-03:30"); }},
        {"UTC-00:30", [](BlockBuilder& b) { b.Number(BLOCK_TZ_HOURS, 0).Number(BLOCK_TZ_MINUTES, -30); },
         [&](DialogRig& rig) { EXPECT_EQ(selected(rig, IDC_TIME_ZONE), 25); }},
        {"+05:45 is not in the list", [](BlockBuilder& b) { b.Number(BLOCK_TZ_HOURS, 5).Number(BLOCK_TZ_MINUTES, 45); },
         [&](DialogRig& rig) { EXPECT_EQ(selected(rig, IDC_TIME_ZONE), 24); }},
        {"+13:00 is not in the list", [](BlockBuilder& b) { b.Number(BLOCK_TZ_HOURS, 13); },
         [&](DialogRig& rig) { EXPECT_EQ(selected(rig, IDC_TIME_ZONE), 24); }},
        {"CMM through a duct of 0.5 m²",
         [](BlockBuilder& b) {
             b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_SETTINGS_WORD, 5u << 8).Number(BLOCK_DUCT_AREA, 50)
                 .Number(BLOCK_CH3_HIGH, 3000);
         },
         [](DialogRig& rig) {
             EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"3.0");
             EXPECT_NEAR(g_ch3High, 0.1, 1e-12);
         }},
        {"CFM", [](BlockBuilder& b) {
             b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_SETTINGS_WORD, 6u << 8).Number(BLOCK_DUCT_AREA, 50)
                 .Number(BLOCK_CH3_HIGH, 3000);
         },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"105.9"); }},
        {"km/h", [](BlockBuilder& b) {
             b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_SETTINGS_WORD, 1u << 8).Number(BLOCK_CH3_HIGH, 10000);
         },
         [](DialogRig& rig) {
             EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"36.0");
             EXPECT_DOUBLE_EQ(g_ch3High, 10.0);
         }},
        {"a wind unit beyond the list shows nothing", [](BlockBuilder& b) {
             b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_SETTINGS_WORD, 9u << 8).Number(BLOCK_CH3_HIGH, 10000);
         },
         [&](DialogRig& rig) {
             EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"10.0");  // the dialog's default
             EXPECT_EQ(selected(rig, IDC_CH3_UNIT), CB_ERR);
             EXPECT_DOUBLE_EQ(g_ch3High, 10.0);
         }},
        {"foot-candles", [](BlockBuilder& b) { b.Number(BLOCK_SETTINGS_WORD, 1u << 8).Number(BLOCK_CH3_HIGH, 10760); },
         [](DialogRig& rig) {
             EXPECT_EQ(rig.Text(IDC_CH3_HIGH), u"100.0");
             EXPECT_DOUBLE_EQ(g_ch3High, 1076.0);
         }},
        {"dB(C) shows decibels", [](BlockBuilder& b) {
             b.Number(BLOCK_CH3_TYPE, 1).Number(BLOCK_SETTINGS_WORD, 1u << 8).Number(BLOCK_CH3_LOW, 355);
         },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_CH3_LOW), u"35.5"); }},
        {"a PDF password with a hyphen is none", [](BlockBuilder& b) { b.Text(BLOCK_PDF_PASSWORD, "ab-12"); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u""); }},
        {"a bad byte after the NUL counts too", [](BlockBuilder& b) { b.Text(BLOCK_PDF_PASSWORD, std::string("ab\0\xFF", 4)); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u""); }},
        {"eight letters and digits", [](BlockBuilder& b) { b.Text(BLOCK_PDF_PASSWORD, "Abcd1234"); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u"Abcd1234"); }},
        {"a full name shows 19 characters", [](BlockBuilder& b) { b.Text(BLOCK_DEVICE_NAME, "ABCDEFGHIJKLMNOPQRST"); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_DEVICE_NAME), u"ABCDEFGHIJKLMNOPQRS"); }},
        {"a full user information shows 99", [](BlockBuilder& b) { b.Text(BLOCK_USER_INFO, std::string(100, 'u')); },
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_USER_INFO), std::u16string(99, u'u')); }},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        BlockBuilder block;
        c.block(block);
        ASSERT_TRUE(LoadBlock(*rig.dlg, block.Bytes()));
        c.check(rig);
        EXPECT_TRUE(rig.messages.Texts().empty());
    }
}

TEST(LoadDeviceParameters, TextsAreReadInTheAnsiCodePage) {
    if (!CodePageAvailable(936)) GTEST_SKIP() << "no CP936 on this system";
    SetAnsiCodePage(936);
    DialogRig rig;
    ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Text(BLOCK_DEVICE_NAME, "\xCE\xC2\xB6\xC8").Bytes()));
    EXPECT_EQ(rig.Text(IDC_DEVICE_NAME), u"温度");
    SetAnsiCodePage(CP_ACP);
}

// Whatever bytes a logger sends, loading neither crashes nor leaves a list
// with a selection outside its items.
TEST(LoadDeviceParameters, AnyBlockLoadsSafely) {
    DialogRig rig;
    std::mt19937 random(12345);
    std::vector<uint8_t> block(PARAMETER_BLOCK_SIZE);
    for (int round = 0; round < 300; ++round) {
        for (uint8_t& byte : block) byte = static_cast<uint8_t>(random());
        block[BLOCK_MIN_TOOL_VERSION.offset + 1] = 0;  // most blocks pass the version rule
        block[BLOCK_CH3_TYPE.offset] %= 4;
        LoadBlock(*rig.dlg, block, round % 5 != 0);
        for (int id : {IDC_TIME_ZONE, IDC_DATE_FORMAT, IDC_TEMP_UNIT, IDC_CH3_UNIT, IDC_REPORT_LANGUAGE}) {
            const int selection = rig.form().GetCurSel(id);
            EXPECT_TRUE(selection == CB_ERR || selection < rig.form().GetCount(id)) << id;
        }
        EXPECT_NE(rig.form().GetCurSel(IDC_TIME_ZONE), CB_ERR);
    }
}

}  // namespace
