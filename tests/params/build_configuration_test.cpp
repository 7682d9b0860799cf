#include <gtest/gtest.h>

#include <functional>

#include "form/clock_record.h"
#include "hid/record_queue.h"
#include "params/parameter_records.h"
#include "platform/ansi_code_page.h"
#include "support/block_builder.h"
#include "support/configuration_codes.h"
#include "support/dialog_rig.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<ParameterRecord> QueuedRecords() {
    std::vector<ParameterRecord> records;
    uint16_t position = 0;
    QueuedRecord r;
    while (NextQueuedRecord(position, r)) records.push_back({r.code, Bytes(r.payload, r.payload + r.payloadLength)});
    return records;
}

Bytes Padded(std::string_view text, size_t width) {
    Bytes bytes(width);
    std::copy(text.begin(), text.end(), bytes.begin());
    return bytes;
}

// Loads `block`, lets `form` change the form, validates and encodes.
void Configure(DialogRig& rig, const BlockBuilder& block, const std::function<void(DialogRig&)>& form = nullptr) {
    ASSERT_TRUE(LoadBlock(*rig.dlg, block.Bytes()));
    if (form) form(rig);
    ASSERT_TRUE(rig.dlg->ValidateForm()) << (rig.messages.Texts().empty() ? "" : "a message was shown");
    ASSERT_TRUE(rig.dlg->BuildConfiguration());
}

TEST(BuildConfiguration, TheDefaultLoggerFormIsEncodedByteForByte) {
    SetAnsiCodePage(1252);
    DialogRig rig;
    Configure(rig, BlockBuilder());
    const Bytes zeros4(4);
    const std::vector<ParameterRecord> expected = {
        {PARAM_TOOL_VERSION, {0x12, 0x04}},
        {PARAM_RESERVED_27, {0x00}},
        {PARAM_TOOL_STAMP, {0x13, 0x04, 0x00, 0x17}},
        {PARAM_RESERVED_4A, {0x00}},
        {PARAM_REPORT_LANGUAGE, {0}},
        {PARAM_ENABLE_ALARM, {0}},
        {PARAM_EXPORT_CSV, {1}},
        {PARAM_TEMP_UNIT, {0}},
        {PARAM_CH3_UNIT, {0}},
        {PARAM_START_DELAY, {0x08, 0x07, 0x00, 0x00}},  // 30 minutes
        {PARAM_LOG_INTERVAL, {60, 0, 0, 0}},
        {PARAM_TEMP_HIGH, {80, 0}},
        {PARAM_TEMP_LOW, {20, 0}},
        {PARAM_RESERVED_2F, zeros4},
        {PARAM_RESERVED_31, zeros4},
        {PARAM_HUM_HIGH, {0x20, 0x03}},
        {PARAM_HUM_LOW, {200, 0}},
        {PARAM_RESERVED_37, zeros4},
        {PARAM_RESERVED_39, zeros4},
        {PARAM_ILLUM_LOW, {10, 0, 0, 0}},
        {PARAM_ILLUM_HIGH, {100, 0, 0, 0}},
        {PARAM_RESERVED_68, zeros4},
        {PARAM_RESERVED_69, zeros4},
        {PARAM_TIME_ZONE, {8, 0}},
        {PARAM_DATE_FORMAT, {0}},
        {PARAM_POWER_SAVE, {0xFF, 0xFF, 0xFF, 0xFF}},
        {PARAM_ALERT_LED_INTERVAL, {10, 0}},
        {PARAM_RECORD_LED_INTERVAL, {10, 0}},
        {PARAM_TRADEMARK, Padded("Datalogger", 20)},
        {PARAM_DEVICE_NAME, Padded("Cold Room 3", 20)},
        {PARAM_WEBSITE, Padded("www.example.com", 50)},
        {PARAM_USER_INFO, Padded("Simulated logger", 100)},
        {PARAM_DEVICE_ID, Padded("SIM-0001", 20)},
        {PARAM_PDF_PASSWORD, Bytes(8)},
        {PARAM_CLOCK, {g_clock.year, g_clock.month, g_clock.day, g_clock.hour, g_clock.minute, g_clock.second,
                       0x55, 0xAA}},
        {PARAM_END, {}},
    };
    const std::vector<ParameterRecord> records = QueuedRecords();
    EXPECT_EQ(records, expected);
    size_t payload = 0;
    for (const ParameterRecord& r : records) payload += r.payload.size();
    EXPECT_EQ(records.size(), 36u);
    EXPECT_EQ(payload, 298u);
    EXPECT_EQ(g_cmdQueueLength, 478);
    EXPECT_TRUE(g_configPending);
    SetAnsiCodePage(CP_ACP);
}

struct EncodedCase {
    const char* what;
    std::function<void(BlockBuilder&)> block;
    std::function<void(DialogRig&)> form;
    uint8_t code;
    Bytes payload;
};

std::function<void(DialogRig&)> Types(std::vector<std::pair<int, std::u16string>> texts, int unitList = 0,
                                      int unit = -2) {
    return [=](DialogRig& rig) {
        if (unit != -2) rig.form().SetCurSel(unitList, unit);
        for (const auto& [id, text] : texts) rig.form().SetWindowText(id, text);
    };
}
std::function<void(BlockBuilder&)> Wind(unsigned unit) {
    return [=](BlockBuilder& b) {
        b.Number(BLOCK_CH3_TYPE, 2).Number(BLOCK_CH3_RANGE_MAX, 30000).Number(BLOCK_DUCT_AREA, 50)
            .Number(BLOCK_SETTINGS_WORD, unit << 8).Number(BLOCK_CH3_LOW, 0).Number(BLOCK_CH3_HIGH, 3000);
    };
}
void NoChange(BlockBuilder&) {}

TEST(BuildConfiguration, EveryValueIsWrittenAsTheFormHeldIt) {
    const std::vector<EncodedCase> cases = {
        {"50.1 °F", NoChange, Types({{IDC_TEMP_LOW, u"50.1"}, {IDC_TEMP_HIGH, u"60.0"}}, IDC_TEMP_UNIT, 1),
         PARAM_TEMP_LOW, {100, 0}},
        {"50.2 °F", NoChange, Types({{IDC_TEMP_LOW, u"40.0"}, {IDC_TEMP_HIGH, u"50.2"}}, IDC_TEMP_UNIT, 1),
         PARAM_TEMP_HIGH, {101, 0}},
        {"-40.0 °C", NoChange, Types({{IDC_TEMP_LOW, u"-40.0"}}), PARAM_TEMP_LOW, {0x70, 0xFE}},
        {"20.3 %RH", NoChange, Types({{IDC_HUM_LOW, u"20.3"}}), PARAM_HUM_LOW, {203, 0}},
        {"100 Fc", NoChange, Types({{IDC_CH3_HIGH, u"100"}, {IDC_CH3_LOW, u"1"}}, IDC_CH3_UNIT, 1),
         PARAM_ILLUM_HIGH, {0x08, 0x2A, 0, 0}},
        {"36.0 km/h", Wind(1), Types({{IDC_CH3_HIGH, u"36.0"}}, IDC_CH3_UNIT, 1), PARAM_WIND_HIGH, {0x10, 0x27, 0, 0}},
        {"108.0 km/h over 30 m/s", Wind(1), Types({{IDC_CH3_HIGH, u"108.0"}}, IDC_CH3_UNIT, 1), PARAM_WIND_HIGH,
         {0x30, 0x75, 0, 0}},
        {"2.5 CMM", Wind(5), Types({{IDC_CH3_HIGH, u"2.5"}}), PARAM_WIND_HIGH, {0xC4, 0x09, 0, 0}},
        {"100 CFM", Wind(6), Types({{IDC_CH3_HIGH, u"100"}}), PARAM_WIND_HIGH, {0x0F, 0x0B, 0, 0}},
        {"1.001 m/s", Wind(0), Types({{IDC_CH3_LOW, u"1.001"}, {IDC_CH3_HIGH, u"2"}}), PARAM_WIND_LOW,
         {0xE9, 0x03, 0, 0}},
        {"a disabled CMM edit keeps the logger's flow", Wind(5),
         [](DialogRig& rig) { rig.form().EnableWindow(IDC_CH3_HIGH, false); }, PARAM_WIND_HIGH,
         {0xB8, 0x0B, 0, 0}},
        {"the largest illuminance a logger can name",
         [](BlockBuilder& b) { b.Number(BLOCK_CH3_RANGE_MAX, 0xFFFFFFFF); },
         Types({{IDC_CH3_HIGH, u"429496729.5"}}), PARAM_ILLUM_HIGH, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"UTC-03:30", NoChange, Types({}, IDC_TIME_ZONE, 31), PARAM_TIME_ZONE, {0xFD, 0xE2}},
        {"UTC+00:00", NoChange, Types({}, IDC_TIME_ZONE, 24), PARAM_TIME_ZONE, {0, 0}},
        {"1440 minutes", NoChange, Types({{IDC_START_DELAY, u"1440"}}), PARAM_START_DELAY, {0x80, 0x51, 0x01, 0}},
        {"month first", NoChange, Types({}, IDC_DATE_FORMAT, 1), PARAM_DATE_FORMAT, {1}},
        {"power save shown on is sent off", [](BlockBuilder& b) { b.Number(BLOCK_POWER_SAVE, 0); }, nullptr,
         PARAM_POWER_SAVE, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"a 20-character name has no NUL", NoChange, Types({{IDC_DEVICE_NAME, u"ABCDEFGHIJKLMNOPQRST"}}),
         PARAM_DEVICE_NAME, Padded("ABCDEFGHIJKLMNOPQRST", 20)},
        {"an eight-letter password has no NUL", NoChange, Types({{IDC_PDF_PASSWORD, u"Abcd1234"}}),
         PARAM_PDF_PASSWORD, Padded("Abcd1234", 8)},
    };
    SetAnsiCodePage(1252);
    for (const EncodedCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        BlockBuilder block;
        c.block(block);
        Configure(rig, block, c.form);
        bool found = false;
        for (const ParameterRecord& r : QueuedRecords()) {
            if (r.code != c.code) continue;
            EXPECT_EQ(r.payload, c.payload);
            found = true;
        }
        EXPECT_TRUE(found);
    }
    SetAnsiCodePage(CP_ACP);
}

TEST(BuildConfiguration, NewerFirmwareTakesOnlyTheToolVersion) {
    DialogRig rig;
    Configure(rig, BlockBuilder());
    ClearRecordQueue();
    g_fwVersionHi = 0x60;
    ASSERT_TRUE(rig.dlg->BuildConfiguration());
    EXPECT_EQ(QueuedRecords(), (std::vector<ParameterRecord>{
                                   {PARAM_TOOL_VERSION, {0x12, 0x04}}, {PARAM_RESERVED_27, {0}}, {PARAM_END, {}}}));
}

TEST(BuildConfiguration, ABusyQueueIsLeftAsItIs) {
    DialogRig rig;
    Configure(rig, BlockBuilder());
    const auto queue = g_cmdQueue;
    const uint16_t length = g_cmdQueueLength;
    EXPECT_FALSE(rig.dlg->BuildConfiguration());
    EXPECT_EQ(g_cmdQueue, queue);
    EXPECT_EQ(g_cmdQueueLength, length);
}

TEST(BuildConfiguration, ATypeWithoutRecordCodesSendsNoThirdChannel) {
    DialogRig rig;
    Configure(rig, BlockBuilder().Number(BLOCK_CH3_TYPE, 3));
    std::vector<uint8_t> codes;
    for (const ParameterRecord& r : QueuedRecords()) codes.push_back(r.code);
    std::vector<uint8_t> expected = FullConfigurationCodes(0);
    std::erase_if(expected, [](uint8_t code) {
        return code == PARAM_ILLUM_LOW || code == PARAM_ILLUM_HIGH || code == PARAM_RESERVED_68 ||
               code == PARAM_RESERVED_69;
    });
    EXPECT_EQ(codes, expected);
}

}  // namespace
