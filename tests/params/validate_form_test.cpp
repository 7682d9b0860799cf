#include <gtest/gtest.h>

#include <functional>

#include "app/form_values.h"
#include "params/pending_configuration.h"
#include "platform/ansi_code_page.h"
#include "support/block_builder.h"
#include "support/dialog_rig.h"

namespace {

struct FailureCase {
    const char* what;
    std::function<void(BlockBuilder&)> block;  // the logger loaded first
    std::function<void(DialogRig&)> form;      // then the user's changes
    std::u16string message;
    int focus;                                 // IDC_CONFIGURE: the focus did not move
    CodePage codePage = 1252;
    std::function<void(DialogRig&)> after = nullptr;
};

void NoChange(BlockBuilder&) {}
std::function<void(BlockBuilder&)> Wind(uint32_t range, unsigned unit) {
    return [=](BlockBuilder& b) {
        b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_CH3_RANGE_MAX, range).Number(BLOCK_SETTINGS_WORD, unit << 8);
    };
}
std::function<void(DialogRig&)> Types(std::vector<std::pair<int, std::u16string>> texts) {
    return [=](DialogRig& rig) {
        for (const auto& [id, text] : texts) rig.form().SetWindowText(id, text);
    };
}

TEST(ValidateForm, TheFirstFieldInErrorStopsWithItsMessageAndFocus) {
    const std::vector<FailureCase> cases = {
        {"record LED", NoChange, Types({{IDC_RECORD_LED_DUTY, u"61"}}),
         u"Invalid Recording LED Blinking Interval Parameter Error: 数值必须在0至60之内!", IDC_RECORD_LED_DUTY},
        {"alert LED", NoChange, Types({{IDC_ALARM_LED_DUTY, u"x"}}),
         u"Invalid Alert LED Blinking Interval Parameter Error: 存在非法字符!", IDC_ALARM_LED_DUTY},
        {"no time zone", NoChange, [](DialogRig& rig) { rig.form().SetCurSel(IDC_TIME_ZONE, -1); },
         u"Invalid Time Zone Parameter Error: 内容为空", IDC_CONFIGURE},
        {"start delay", NoChange, Types({{IDC_START_DELAY, u"1441"}}),
         u"Startup Delay Parameter Configuration Error: 数值必须在0至1440之内!", IDC_START_DELAY},
        {"log interval", NoChange, Types({{IDC_LOG_INTERVAL, u"0"}}),
         u"Recording Interval Parameter Configuration Error : 数值必须在1至86400之内!", IDC_LOG_INTERVAL},
        {"low temperature", NoChange, Types({{IDC_TEMP_LOW, u"-40.1"}}),
         u"Low Temperature Alert Parameter Configuration Error: 数值必须在-40.0至85.0之内!", IDC_TEMP_LOW},
        {"high temperature in Fahrenheit", NoChange,
         [](DialogRig& rig) {
             rig.form().SetCurSel(IDC_TEMP_UNIT, 1);
             Types({{IDC_TEMP_LOW, u"35.0"}, {IDC_TEMP_HIGH, u"185.1"}})(rig);
         },
         u"High Temperature Alert Parameter Configuration Error: 数值必须在-40.0至185.0之内!", IDC_TEMP_HIGH},
        {"equal temperatures", NoChange, Types({{IDC_TEMP_LOW, u"5.0"}, {IDC_TEMP_HIGH, u"5.0"}}),
         u"High-Temperature Alert Value Must Be Greater Than Low-Temperature Alert Value", IDC_TEMP_LOW},
        {"a disabled low edit is not read but compared", NoChange,
         [](DialogRig& rig) {
             Types({{IDC_TEMP_LOW, u"junk"}, {IDC_TEMP_HIGH, u"1.0"}})(rig);
             rig.form().EnableWindow(IDC_TEMP_LOW, false);
         },
         u"High-Temperature Alert Value Must Be Greater Than Low-Temperature Alert Value", IDC_TEMP_LOW},
        {"low humidity", NoChange, Types({{IDC_HUM_LOW, u"100.1"}}),
         u"Low Humidity Alert Parameter Configuration Error!: 数值必须在0.0至100.0之内!", IDC_HUM_LOW},
        {"humidity in the wrong order", NoChange, Types({{IDC_HUM_LOW, u"50.0"}, {IDC_HUM_HIGH, u"40.0"}}),
         u"High-Humidity Alert Value Must Be Greater Than Low-Humidity Alert Value", IDC_HUM_LOW, 1252,
         [](DialogRig&) { EXPECT_DOUBLE_EQ(g_humHigh, 40.0); }},
        {"equal illuminance", NoChange, Types({{IDC_CH3_LOW, u"5.0"}, {IDC_CH3_HIGH, u"5.0"}}),
         u"High Illumination Alert Value Must Be Greater Than Low Illumination Alert Value", IDC_CH3_LOW},
        {"low noise", [](BlockBuilder& b) { b.Number(BLOCK_CH3_TYPE, 1).Number(BLOCK_CH3_RANGE_MAX, 1300); },
         Types({{IDC_CH3_LOW, u"130.1"}}),
         u"Low Noise Alert Parameter Configuration Error!: 数值必须在0.0至130.0之内!", IDC_CH3_LOW},
        {"equal noise", [](BlockBuilder& b) { b.Number(BLOCK_CH3_TYPE, 1); },
         Types({{IDC_CH3_LOW, u"5.0"}, {IDC_CH3_HIGH, u"5.0"}}),
         u"High Noise Alert Value Must Be Greater Than Low Noise Alert Value", IDC_CH3_LOW},
        {"108.1 km/h over 30 m/s", Wind(30000, 1), Types({{IDC_CH3_LOW, u"0.0"}, {IDC_CH3_HIGH, u"108.1"}}),
         u"High Wind Speed Alert Parameter Configuration Error!: 数值必须在0.0至108.0之内!", IDC_CH3_HIGH},
        {"low wind speed", Wind(30000, 0), Types({{IDC_CH3_LOW, u"1,5"}}),
         u"Low Wind speed Alert Parameter Configuration Error!: 存在非法字符!", IDC_CH3_LOW},
        {"equal wind speeds", Wind(30000, 0), Types({{IDC_CH3_LOW, u"2.0"}, {IDC_CH3_HIGH, u"2.0"}}),
         u"High Wind Speed Alert Value Must Be Greater Than Low Wind Speed Alert Value", IDC_CH3_LOW},
        {"empty trademark", NoChange, Types({{IDC_TRADEMARK, u""}}),
         u"Trademark Parameter Configuration Error!: 不能为空!", IDC_TRADEMARK},
        {"empty device name", NoChange, Types({{IDC_DEVICE_NAME, u""}}), u"Device Name Error!: 不能为空!",
         IDC_DEVICE_NAME},
        {"21-byte device name", NoChange, Types({{IDC_DEVICE_NAME, std::u16string(21, u'n')}}),
         u"Device Name Error!: 字符串太长!", IDC_DEVICE_NAME, 1252,
         [](DialogRig&) { EXPECT_EQ(g_pendingConfig.deviceName[0], 0); }},
        {"101-byte user information", NoChange, Types({{IDC_USER_INFO, std::u16string(101, u'u')}}),
         u"User Information Error!: 字符串太长!", IDC_USER_INFO},
        {"a website character the code page lacks", NoChange, Types({{IDC_WEBSITE, u"www.温.com"}}),
         u"Website Error!: 存在非法字符!", IDC_WEBSITE},
        {"a device name the code page cannot hold", NoChange, Types({{IDC_DEVICE_NAME, u"温度"}}),
         u"Device Name Error!: 存在非法字符!", IDC_DEVICE_NAME},
        {"a Chinese device id", NoChange, Types({{IDC_DEVICE_ID, u"温度1"}}), u"Device ID Error!: 存在非法字符!",
         IDC_DEVICE_ID, 936,
         [](DialogRig& rig) {
             EXPECT_EQ(rig.Text(IDC_DEVICE_ID), u"");
             EXPECT_EQ(g_pendingConfig.deviceId[0], 0);
         }},
        {"a hyphen in the PDF password", NoChange, Types({{IDC_PDF_PASSWORD, u"ab-cd"}}),
         u"PDF Password must only contain digits and English letters.", IDC_PDF_PASSWORD, 1252,
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u""); }},
        {"nine letters", NoChange, Types({{IDC_PDF_PASSWORD, u"abcdefghi"}}),
         u"The PDF password must be no more than 8 characters long", IDC_CONFIGURE, 1252,
         [](DialogRig& rig) { EXPECT_EQ(rig.Text(IDC_PDF_PASSWORD), u"abcdefghi"); }},
        {"a hyphen after the eighth character", NoChange, Types({{IDC_PDF_PASSWORD, u"abcdefgh-"}}),
         u"The PDF password must be no more than 8 characters long", IDC_CONFIGURE},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!CodePageAvailable(c.codePage)) continue;
        SetAnsiCodePage(c.codePage);
        DialogRig rig;
        BlockBuilder block;
        c.block(block);
        ASSERT_TRUE(LoadBlock(*rig.dlg, block.Bytes()));
        c.form(rig);
        rig.form().SetFocus(IDC_CONFIGURE);
        rig.messages.Clear();
        EXPECT_FALSE(rig.dlg->ValidateForm());
        EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{c.message});
        EXPECT_EQ(rig.form().GetFocus(), c.focus);
        if (c.after) c.after(rig);
        SetAnsiCodePage(CP_ACP);
    }
}

TEST(ValidateForm, APassingFormIsTakenWhole) {
    SetAnsiCodePage(1252);
    DialogRig rig;
    ASSERT_TRUE(LoadBlock(*rig.dlg, BlockBuilder().Number(BLOCK_SETTINGS_WORD, SET_TEMP_UNIT_SELECTABLE).Bytes()));
    rig.form().SetCurSel(IDC_TIME_ZONE, 31);  // UTC-03:30
    rig.form().SetCurSel(IDC_DATE_FORMAT, 1);
    rig.form().SetCurSel(IDC_REPORT_LANGUAGE, 1);
    rig.form().SetCurSel(IDC_TEMP_UNIT, 1);
    rig.form().SetCheck(IDC_ENABLE_ALARM, 1);
    Types({{IDC_TEMP_LOW, u"50.1"}, {IDC_TEMP_HIGH, u"77"}, {IDC_WEBSITE, u""}, {IDC_USER_INFO, u""},
           {IDC_DEVICE_NAME, u"ABCDEFGHIJKLMNOPQRST"}, {IDC_PDF_PASSWORD, u"Abcd1234"},
           {IDC_START_DELAY, u"1440"}, {IDC_LOG_INTERVAL, u"86400"}})(rig);
    ASSERT_TRUE(rig.dlg->ValidateForm());
    EXPECT_TRUE(rig.messages.Texts().empty());
    const PendingConfiguration& p = g_pendingConfig;
    EXPECT_EQ(p.tzHours, -3);
    EXPECT_EQ(p.tzMinutes, -30);
    EXPECT_EQ(p.dateFormat, 1);
    EXPECT_EQ(p.language, 1);
    EXPECT_EQ(p.tempUnit, 1);
    EXPECT_EQ(p.enableAlarm, 1);
    EXPECT_EQ(p.exportCsv, 0);
    EXPECT_EQ(p.startDelayMinutes, 1440);
    EXPECT_EQ(p.logIntervalSeconds, 86400);
    EXPECT_EQ(p.recordLedInterval, 10);
    EXPECT_NEAR(g_tempLowC, 10.05001, 1e-9);
    EXPECT_NEAR(g_tempHighC, 25.00001, 1e-9);
    EXPECT_DOUBLE_EQ(g_tempLowF, 50.1);
    EXPECT_EQ(std::string(p.deviceName.begin(), p.deviceName.end()), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(std::string(p.pdfPassword.begin(), p.pdfPassword.end()), "Abcd1234");
    EXPECT_EQ(p.website[0], 0);
    SetAnsiCodePage(CP_ACP);
}

}  // namespace
