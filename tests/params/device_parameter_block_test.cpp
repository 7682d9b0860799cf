#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "params/device_parameter_block.h"
#include "platform/ansi_code_page.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A full block of a filler byte with `field` bytes put at `offset`, so a field
// read too wide or at the wrong place picks up filler.
Bytes BlockWith(size_t offset, const Bytes& field, uint8_t filler = 0xAA) {
    Bytes block(PARAMETER_BLOCK_SIZE, filler);
    std::copy(field.begin(), field.end(), block.begin() + offset);
    return block;
}

struct NumberCase {
    const char* field;
    size_t offset;
    Bytes bytes;
    int64_t expected;
    int64_t (*get)(const DeviceParameterBlock&);
};

#define GET(member) [](const DeviceParameterBlock& b) -> int64_t { return b.member; }

TEST(DeviceParameterBlock, ReadsEveryNumberAtItsOffsetWidthAndSign) {
    const NumberCase cases[] = {
        {"minToolVersion", 0, {0x12, 0x04}, 0x0412, GET(minToolVersion)},
        {"capacityPoints", 2, {0x01, 0x02, 0x83}, 0x830201, GET(capacityPoints)},
        {"tempRangeMin", 5, {0x70, 0xFE}, -400, GET(tempRangeMin)},
        {"tempRangeMax", 7, {0x52, 0x03}, 850, GET(tempRangeMax)},
        {"ch3RangeMax", 9, {0x01, 0x02, 0x03, 0x84}, 0x84030201, GET(ch3RangeMax)},
        {"fwVersionHigh", 16, {0x50}, 0x50, GET(fwVersionHigh)},
        {"fwVersionLow", 20, {0x16}, 0x16, GET(fwVersionLow)},
        {"deviceVariant", 21, {0x07}, 7, GET(deviceVariant)},
        {"deviceType", 22, {0x92}, 0x92, GET(deviceType)},
        {"tzHours", 23, {0xFD}, -3, GET(tzHours)},
        {"tzMinutes", 24, {0xE2}, -30, GET(tzMinutes)},
        {"ch3Type", 30, {0x02}, 2, GET(ch3Type)},
        {"settingsWord", 31, {0x01, 0x02, 0x03, 0x84}, 0x84030201, GET(settingsWord)},
        {"stateWord", 35, {0x04, 0x00, 0x00, 0x80}, 0x80000004, GET(stateWord)},
        {"ductArea", 39, {0x32, 0x00, 0x00, 0x00}, 50, GET(ductArea)},
        {"startDelaySeconds", 58, {0x77, 0x00, 0x00, 0x00}, 119, GET(startDelaySeconds)},
        {"logIntervalSeconds", 62, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF, GET(logIntervalSeconds)},
        {"tempHigh", 66, {0xFF, 0xFF}, -1, GET(tempHigh)},  // -0.1 °C
        {"tempLow", 68, {0x14, 0x00}, 20, GET(tempLow)},
        {"humHigh", 78, {0xE8, 0x03}, 1000, GET(humHigh)},  // 100.0 %RH
        {"humLow", 80, {0xFF, 0xFF}, 0xFFFF, GET(humLow)},
        {"ch3High", 90, {0xC4, 0x09, 0x00, 0x00}, 2500, GET(ch3High)},
        {"ch3Low", 94, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF, GET(ch3Low)},
        {"alertLedInterval", 318, {0x05, 0x01}, 0x0105, GET(alertLedInterval)},
        {"recordLedInterval", 320, {0x0A, 0x02}, 0x020A, GET(recordLedInterval)},
        {"powerSave", 354, {0x01, 0x00, 0x00, 0x00}, 1, GET(powerSave)},
    };
    for (const NumberCase& c : cases) {
        Bytes block = BlockWith(c.offset, c.bytes);
        EXPECT_EQ(c.get(DeviceParameterBlock::FromBytes(block)), c.expected) << c.field;
    }
}

struct TextCase {
    const char* field;
    BlockField layout;
    std::string (*get)(const DeviceParameterBlock&);
};

#define TEXT(member) [](const DeviceParameterBlock& b) { return b.member; }

const TextCase TEXT_FIELDS[] = {
    {"deviceName", {108, 20}, TEXT(deviceName)}, {"deviceId", {128, 20}, TEXT(deviceId)},
    {"website", {148, 50}, TEXT(website)},       {"userInfo", {198, 100}, TEXT(userInfo)},
    {"trademark", {298, 20}, TEXT(trademark)},   {"pdfPassword", {330, 8}, TEXT(pdfPassword)},
};

TEST(DeviceParameterBlock, TextEndsAtItsFirstNul) {
    for (const TextCase& c : TEXT_FIELDS) {
        Bytes block = BlockWith(c.layout.offset, {'a', 'b', 0x00, 'c', 'd'});
        EXPECT_EQ(c.get(DeviceParameterBlock::FromBytes(block)), "ab") << c.field;
    }
}

TEST(DeviceParameterBlock, FullTextFieldHasNoNulAndIsTheWholeField) {
    for (const TextCase& c : TEXT_FIELDS) {
        std::string full;
        for (int i = 0; i < c.layout.width; ++i) full += static_cast<char>('A' + i % 26);
        Bytes block = BlockWith(c.layout.offset, Bytes(full.begin(), full.end()), 'z');
        EXPECT_EQ(c.get(DeviceParameterBlock::FromBytes(block)), full) << c.field;
    }
}

struct BitsCase {
    uint32_t settingsWord;
    uint32_t stateWord;
    bool tempUnitSelectable, alarmEnabled, exportCsv, fahrenheit;
    unsigned ch3UnitIndex;
    bool chinese;
    unsigned dateFormatBits;
    bool keepForm;
};

TEST(DeviceParameterBlock, SettingsAndStateBitsByName) {
    const BitsCase cases[] = {
        {0x00000001, 0, true, false, false, false, 0, false, 0, false},
        {0x00000010, 0, false, true, false, false, 0, false, 0, false},
        {0x00000020, 0, false, false, true, false, 0, false, 0, false},
        {0x00000080, 0, false, false, false, true, 0, false, 0, false},
        {0x00000500, 0, false, false, false, false, 5, false, 0, false},
        {0x00000F00, 0, false, false, false, false, 15, false, 0, false},
        {0x00001000, 0, false, false, false, false, 0, true, 0, false},
        {0x00002000, 0, false, false, false, false, 0, false, 1, false},
        {0x00004000, 0, false, false, false, false, 0, false, 2, false},
        {0x00000000, 0x00000004, false, false, false, false, 0, false, 0, true},
        // Bits the tool does not use change nothing.
        {0xFFFF804E, 0xFFFFFFFB, false, false, false, false, 0, false, 0, false},
    };
    for (const BitsCase& c : cases) {
        DeviceParameterBlock b;
        b.settingsWord = c.settingsWord;
        b.stateWord = c.stateWord;
        SCOPED_TRACE(testing::Message() << std::hex << c.settingsWord << " " << c.stateWord);
        EXPECT_EQ(b.TempUnitSelectable(), c.tempUnitSelectable);
        EXPECT_EQ(b.AlarmEnabled(), c.alarmEnabled);
        EXPECT_EQ(b.ExportCsv(), c.exportCsv);
        EXPECT_EQ(b.Fahrenheit(), c.fahrenheit);
        EXPECT_EQ(b.Ch3UnitIndex(), c.ch3UnitIndex);
        EXPECT_EQ(b.LanguageChinese(), c.chinese);
        EXPECT_EQ(b.DateFormatBits(), c.dateFormatBits);
        EXPECT_EQ(b.KeepForm(), c.keepForm);
    }
}

TEST(DeviceParameterBlock, DerivedValues) {
    Bytes block(PARAMETER_BLOCK_SIZE, 0);
    block[16] = 0x50;
    block[20] = 0x16;
    block[23] = 0xFD;  // UTC-03:30
    block[24] = 0xE2;
    std::memset(&block[354], 0xFF, 4);
    DeviceParameterBlock b = DeviceParameterBlock::FromBytes(block);
    EXPECT_EQ(b.FirmwareVersion(), 0x5016);
    EXPECT_EQ(b.TimeZoneMinutes(), -210);
    EXPECT_FALSE(b.PowerSaveOn());
    b.powerSave = 0;
    EXPECT_TRUE(b.PowerSaveOn());
}

TEST(DeviceParameterBlock, ShortBlockReadsMissingBytesAsZero) {
    Bytes full = BlockWith(0, {}, 0x11);
    // Ends inside startDelaySeconds (58..61) and long before every text.
    Bytes shortBlock(full.begin(), full.begin() + 60);
    DeviceParameterBlock b = DeviceParameterBlock::FromBytes(shortBlock);
    EXPECT_EQ(b.minToolVersion, 0x1111);
    EXPECT_EQ(b.startDelaySeconds, 0x1111u);
    EXPECT_EQ(b.logIntervalSeconds, 0u);
    EXPECT_EQ(b.powerSave, 0u);
    EXPECT_EQ(b.deviceName, "");

    // Ends inside the device name: the text stops there.
    Bytes cutText(full.begin(), full.begin() + 112);
    EXPECT_EQ(DeviceParameterBlock::FromBytes(cutText).deviceName, "\x11\x11\x11\x11");

    DeviceParameterBlock empty = DeviceParameterBlock::FromBytes({});
    EXPECT_EQ(empty.minToolVersion, 0);
    EXPECT_EQ(empty.settingsWord, 0u);
    EXPECT_EQ(empty.pdfPassword, "");
}

TEST(DeviceParameterBlock, TextsDecodeThroughTheAnsiCodePageWithinTheirWidth) {
    SetAnsiCodePage(936);
    Bytes block = BlockWith(108, {0xD6, 0xD0, 0xCE, 0xC4, 0x00});
    DeviceParameterBlock b = DeviceParameterBlock::FromBytes(block);
    EXPECT_EQ(DecodeBlockText(b.deviceName, BLOCK_DEVICE_NAME), u"中文");

    // A block of 0xFF: every byte undefined in the code page, no NUL anywhere.
    DeviceParameterBlock junk = DeviceParameterBlock::FromBytes(Bytes(PARAMETER_BLOCK_SIZE, 0xFF));
    EXPECT_EQ(DecodeBlockText(junk.userInfo, BLOCK_USER_INFO), std::u16string(100, u'?'));
    EXPECT_EQ(junk.tempHigh, -1);
    EXPECT_EQ(junk.humHigh, 0xFFFF);
    SetAnsiCodePage(CP_ACP);
}

}  // namespace
