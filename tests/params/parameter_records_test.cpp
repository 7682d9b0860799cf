#include <gtest/gtest.h>

#include <set>
#include <string>

#include "params/device_parameter_block.h"
#include "params/parameter_records.h"
#include "params/third_channel.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct TableRow {
    uint8_t code;
    const char* name;
    uint8_t payloadLength;
};

TEST(ParameterRecordTable, EveryCodeWithItsNameAndPayloadLength) {
    const TableRow rows[] = {
        {3, "PARAM_CLOCK", 8},
        {6, "PARAM_START_DELAY", 4},
        {8, "PARAM_LOG_INTERVAL", 4},
        {9, "PARAM_TEMP_HIGH", 2},
        {11, "PARAM_TEMP_LOW", 2},
        {13, "PARAM_REPORT_LANGUAGE", 1},
        {15, "PARAM_TEMP_UNIT", 1},
        {17, "PARAM_DEVICE_ID", 20},
        {21, "PARAM_DEVICE_NAME", 20},
        {23, "PARAM_WEBSITE", 50},
        {25, "PARAM_USER_INFO", 100},
        {39, "PARAM_RESERVED_27", 1},
        {45, "PARAM_TRADEMARK", 20},
        {47, "PARAM_RESERVED_2F", 4},
        {49, "PARAM_RESERVED_31", 4},
        {51, "PARAM_HUM_HIGH", 2},
        {53, "PARAM_HUM_LOW", 2},
        {55, "PARAM_RESERVED_37", 4},
        {57, "PARAM_RESERVED_39", 4},
        {60, "PARAM_ALERT_LED_INTERVAL", 2},
        {64, "PARAM_POWER_SAVE", 4},
        {66, "PARAM_RECORD_LED_INTERVAL", 2},
        {67, "PARAM_TIME_ZONE", 2},
        {68, "PARAM_DATE_FORMAT", 1},
        {73, "PARAM_TOOL_VERSION", 2},
        {74, "PARAM_RESERVED_4A", 1},
        {77, "PARAM_EXPORT_CSV", 1},
        {79, "PARAM_ENABLE_ALARM", 1},
        {81, "PARAM_PDF_PASSWORD", 8},
        {96, "PARAM_CH3_UNIT", 1},
        {102, "PARAM_ILLUM_HIGH", 4},
        {103, "PARAM_ILLUM_LOW", 4},
        {104, "PARAM_RESERVED_68", 4},
        {105, "PARAM_RESERVED_69", 4},
        {112, "PARAM_NOISE_HIGH", 4},
        {113, "PARAM_NOISE_LOW", 4},
        {114, "PARAM_RESERVED_72", 4},
        {115, "PARAM_RESERVED_73", 4},
        {116, "PARAM_WIND_HIGH", 4},
        {117, "PARAM_WIND_LOW", 4},
        {118, "PARAM_RESERVED_76", 4},
        {119, "PARAM_RESERVED_77", 4},
        {131, "PARAM_TOOL_STAMP", 4},
        {255, "PARAM_END", 0},
    };
    auto table = ParameterRecordTypes();
    ASSERT_EQ(table.size(), std::size(rows));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].code, rows[i].code);
        EXPECT_EQ(table[i].name, rows[i].name);
        EXPECT_EQ(table[i].payloadLength, rows[i].payloadLength) << rows[i].name;
        EXPECT_EQ(FindParameterRecordType(rows[i].code), &table[i]);
    }
    EXPECT_EQ(FindParameterRecordType(0), nullptr);
    EXPECT_EQ(FindParameterRecordType(100), nullptr);
}

TEST(ParameterRecordTable, ReadBackColumnFitsThePayloads) {
    for (const ParameterRecordType& type : ParameterRecordTypes()) {
        SCOPED_TRACE(std::string(type.name));
        // A record lands in its field byte for byte, or as one byte in bits.
        EXPECT_FALSE(type.blockField && type.settingsBits != 0);
        if (type.blockField) {
            EXPECT_EQ(type.blockField->width, type.payloadLength);
            EXPECT_LE(type.blockField->offset + type.blockField->width, 358);
        }
        if (type.settingsBits != 0) {
            EXPECT_EQ(type.payloadLength, 1);
        }
        const bool describesNothing =
            type.kind == PayloadKind::Clock || type.kind == PayloadKind::Reserved ||
            type.kind == PayloadKind::ToolVersion || type.kind == PayloadKind::ToolStamp ||
            type.kind == PayloadKind::End;
        EXPECT_EQ(describesNothing, !type.blockField && type.settingsBits == 0);
    }
}

TEST(ParameterRecordTable, ThirdChannelCodesAreRecordsOfTheTable) {
    for (uint8_t ch3Type : {CH3_ILLUMINANCE, CH3_NOISE, CH3_WIND_SPEED}) {
        const Ch3TypeInfo* info = FindCh3Type(ch3Type);
        ASSERT_NE(info, nullptr);
        const ParameterRecordType* high = FindParameterRecordType(info->highCode);
        const ParameterRecordType* low = FindParameterRecordType(info->lowCode);
        ASSERT_TRUE(high && low);
        EXPECT_EQ(high->blockField->offset, BLOCK_CH3_HIGH.offset);
        EXPECT_EQ(low->blockField->offset, BLOCK_CH3_LOW.offset);
        for (uint8_t code : info->reservedCodes) {
            ASSERT_NE(FindParameterRecordType(code), nullptr);
            EXPECT_EQ(FindParameterRecordType(code)->kind, PayloadKind::Reserved);
        }
    }
}

struct PayloadCase {
    const char* what;
    ParameterRecord record;
    Bytes payload;
};

TEST(ParameterRecordEncoders, ExactPayloadBytes) {
    Bytes deviceId(20, 0);
    deviceId[0] = 'A';
    deviceId[1] = 'B';
    const PayloadCase cases[] = {
        {"UTC-03:30", EncodeTimeZoneRecord(-210), {0xFD, 0xE2}},
        {"UTC+05:45", EncodeTimeZoneRecord(345), {0x05, 0x2D}},
        {"UTC-01:00", EncodeTimeZoneRecord(-60), {0xFF, 0x00}},
        {"UTC-00:30", EncodeTimeZoneRecord(-30), {0x00, 0xE2}},
        {"UTC+00:00", EncodeTimeZoneRecord(0), {0x00, 0x00}},
        {"stamp", EncodeToolStampRecord(0x00), {0x13, 0x04, 0x00, 0x17}},
        {"stamp sum wraps", EncodeToolStampRecord(0xFF), {0x13, 0x04, 0xFF, 0x16}},
        {"tool version", EncodeFixedRecord(PARAM_TOOL_VERSION), {0x12, 0x04}},
        {"power save off", EncodeFixedRecord(PARAM_POWER_SAVE), {0xFF, 0xFF, 0xFF, 0xFF}},
        {"end", EncodeFixedRecord(PARAM_END), {}},
        {"clock", EncodeClockRecord({24, 2, 29, 23, 59, 58}),
         {24, 2, 29, 23, 59, 58, 0x55, 0xAA}},
        {"-0.1 °C", EncodeNumberRecord(PARAM_TEMP_HIGH, -1), {0xFF, 0xFF}},
        {"100.0 %RH", EncodeNumberRecord(PARAM_HUM_HIGH, 1000), {0xE8, 0x03}},
        {"negative wind", EncodeNumberRecord(PARAM_WIND_LOW, -5), {0xFB, 0xFF, 0xFF, 0xFF}},
        {"largest delay", EncodeNumberRecord(PARAM_START_DELAY, 0xFFFFFFFF), {0xFF, 0xFF, 0xFF, 0xFF}},
        {"alarm on", EncodeNumberRecord(PARAM_ENABLE_ALARM, 1), {0x01}},
        {"short text", EncodeTextRecord(PARAM_DEVICE_ID, "AB"), deviceId},
        {"full password", EncodeTextRecord(PARAM_PDF_PASSWORD, "abcd1234"),
         {'a', 'b', 'c', 'd', '1', '2', '3', '4'}},
        {"long password", EncodeTextRecord(PARAM_PDF_PASSWORD, "abcd12345"),
         {'a', 'b', 'c', 'd', '1', '2', '3', '4'}},
    };
    for (const PayloadCase& c : cases) EXPECT_EQ(c.record.payload, c.payload) << c.what;

    for (const ParameterRecordType& type : ParameterRecordTypes()) {
        if (type.kind != PayloadKind::Reserved) continue;
        EXPECT_EQ(EncodeFixedRecord(type.code), (ParameterRecord{type.code, Bytes(type.payloadLength, 0)}))
            << type.name;
    }
}

struct ReadBackCase {
    ParameterRecord record;
    int64_t expected;
    int64_t (*get)(const DeviceParameterBlock&);
};

#define GET(expr) [](const DeviceParameterBlock& b) -> int64_t { return b.expr; }

// What the logger keeps of each record reads back through the block as the
// value that was written: the read-back column and the field layout agree.
TEST(ParameterRecordTable, EveryRecordReadsBackThroughItsBlockField) {
    const ReadBackCase cases[] = {
        {EncodeNumberRecord(PARAM_START_DELAY, 600), 600, GET(startDelaySeconds)},
        {EncodeNumberRecord(PARAM_LOG_INTERVAL, 86400), 86400, GET(logIntervalSeconds)},
        {EncodeNumberRecord(PARAM_TEMP_HIGH, -1), -1, GET(tempHigh)},
        {EncodeNumberRecord(PARAM_TEMP_LOW, -400), -400, GET(tempLow)},
        {EncodeNumberRecord(PARAM_HUM_HIGH, 1000), 1000, GET(humHigh)},
        {EncodeNumberRecord(PARAM_HUM_LOW, 1), 1, GET(humLow)},
        {EncodeNumberRecord(PARAM_ALERT_LED_INTERVAL, 5), 5, GET(alertLedInterval)},
        {EncodeNumberRecord(PARAM_RECORD_LED_INTERVAL, 300), 300, GET(recordLedInterval)},
        {EncodeFixedRecord(PARAM_POWER_SAVE), 0xFFFFFFFF, GET(powerSave)},
        {EncodeTimeZoneRecord(-210), -3, GET(tzHours)},
        {EncodeTimeZoneRecord(-210), -30, GET(tzMinutes)},
        {EncodeNumberRecord(PARAM_ILLUM_HIGH, 10760), 10760, GET(ch3High)},
        {EncodeNumberRecord(PARAM_NOISE_LOW, 300), 300, GET(ch3Low)},
        {EncodeNumberRecord(PARAM_WIND_HIGH, 2500), 2500, GET(ch3High)},
        {EncodeNumberRecord(PARAM_WIND_LOW, 0), 0, GET(ch3Low)},
        {EncodeNumberRecord(PARAM_REPORT_LANGUAGE, 1), 1, GET(LanguageChinese())},
        {EncodeNumberRecord(PARAM_TEMP_UNIT, 1), 1, GET(Fahrenheit())},
        {EncodeNumberRecord(PARAM_CH3_UNIT, 5), 5, GET(Ch3UnitIndex())},
        {EncodeNumberRecord(PARAM_DATE_FORMAT, 2), 2, GET(DateFormatBits())},
        {EncodeNumberRecord(PARAM_EXPORT_CSV, 1), 1, GET(ExportCsv())},
        {EncodeNumberRecord(PARAM_ENABLE_ALARM, 1), 1, GET(AlarmEnabled())},
    };
    for (const ReadBackCase& c : cases) {
        Bytes block(PARAMETER_BLOCK_SIZE, 0xAA);
        EXPECT_TRUE(ApplyRecordToBlock(c.record, block));
        EXPECT_EQ(c.get(DeviceParameterBlock::FromBytes(block)), c.expected)
            << FindParameterRecordType(c.record.code)->name;
    }
}

TEST(ParameterRecordTable, TextRecordsReadBackAsTheirText) {
    const std::string full20 = "ABCDEFGHIJKLMNOPQRST";
    const struct {
        ParameterRecord record;
        std::string expected;
        std::string (*get)(const DeviceParameterBlock&);
    } cases[] = {
        {EncodeTextRecord(PARAM_DEVICE_NAME, "Logger-1"), "Logger-1",
         [](const DeviceParameterBlock& b) { return b.deviceName; }},
        {EncodeTextRecord(PARAM_DEVICE_ID, full20), full20,
         [](const DeviceParameterBlock& b) { return b.deviceId; }},
        {EncodeTextRecord(PARAM_WEBSITE, "example.org"), "example.org",
         [](const DeviceParameterBlock& b) { return b.website; }},
        {EncodeTextRecord(PARAM_USER_INFO, "\xD6\xD0"), "\xD6\xD0",
         [](const DeviceParameterBlock& b) { return b.userInfo; }},
        {EncodeTextRecord(PARAM_TRADEMARK, ""), "",
         [](const DeviceParameterBlock& b) { return b.trademark; }},
        {EncodeTextRecord(PARAM_PDF_PASSWORD, "abcd1234"), "abcd1234",
         [](const DeviceParameterBlock& b) { return b.pdfPassword; }},
    };
    for (const auto& c : cases) {
        Bytes block(PARAMETER_BLOCK_SIZE, 'x');
        EXPECT_TRUE(ApplyRecordToBlock(c.record, block));
        EXPECT_EQ(c.get(DeviceParameterBlock::FromBytes(block)), c.expected);
    }
}

TEST(ParameterRecordTable, SelectionRecordTouchesOnlyItsBits) {
    Bytes block(PARAMETER_BLOCK_SIZE, 0xFF);
    ApplyRecordToBlock(EncodeNumberRecord(PARAM_CH3_UNIT, 0), block);
    EXPECT_EQ(DeviceParameterBlock::FromBytes(block).settingsWord, 0xFFFFF0FFu);
    ApplyRecordToBlock(EncodeNumberRecord(PARAM_TEMP_UNIT, 0), block);
    EXPECT_EQ(DeviceParameterBlock::FromBytes(block).settingsWord, 0xFFFFF07Fu);
}

TEST(ParameterRecordTable, RecordsWithoutCounterpartLeaveTheBlockAlone) {
    const Bytes before(PARAMETER_BLOCK_SIZE, 0x5A);
    for (const ParameterRecord& record :
         {EncodeClockRecord({24, 1, 1, 0, 0, 0}), EncodeToolStampRecord(), EncodeFixedRecord(PARAM_END),
          EncodeFixedRecord(PARAM_TOOL_VERSION), EncodeFixedRecord(PARAM_RESERVED_4A)}) {
        Bytes block = before;
        EXPECT_FALSE(ApplyRecordToBlock(record, block));
        EXPECT_EQ(block, before);
    }
}

TEST(ParameterRecordTable, ShortBlockTakesOnlyWhatFits) {
    Bytes block(200, 0);  // ends two bytes into the user information
    EXPECT_TRUE(ApplyRecordToBlock(EncodeTextRecord(PARAM_USER_INFO, "abcdef"), block));
    EXPECT_EQ(block[198], 'a');
    EXPECT_EQ(block[199], 'b');
    EXPECT_TRUE(ApplyRecordToBlock(EncodeFixedRecord(PARAM_POWER_SAVE), block));
    Bytes tiny(10, 0);
    EXPECT_TRUE(ApplyRecordToBlock(EncodeNumberRecord(PARAM_CH3_UNIT, 3), tiny));
    EXPECT_EQ(tiny, Bytes(10, 0));
}

}  // namespace
