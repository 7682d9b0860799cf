#include "params/device_parameter_block.h"

#include "params/block_bytes.h"
#include "platform/ansi_code_page.h"

std::u16string DecodeBlockText(const std::string& bytes, BlockField field) {
    std::u16string text = MultiByteToWide(bytes);
    if (text.size() > field.width) text.resize(field.width);
    return text;
}

DeviceParameterBlock DeviceParameterBlock::FromBytes(std::span<const uint8_t> bytes) {
    auto u8 = [&](BlockField f) { return static_cast<uint8_t>(ReadBlockNumber(bytes, f)); };
    auto u16 = [&](BlockField f) { return static_cast<uint16_t>(ReadBlockNumber(bytes, f)); };
    auto u32 = [&](BlockField f) { return ReadBlockNumber(bytes, f); };
    auto text = [&](BlockField f) { return ReadBlockText(bytes, f); };

    DeviceParameterBlock b;
    b.minToolVersion = u16(BLOCK_MIN_TOOL_VERSION);
    b.capacityPoints = u32(BLOCK_CAPACITY_POINTS);
    b.tempRangeMin = static_cast<int16_t>(u16(BLOCK_TEMP_RANGE_MIN));
    b.tempRangeMax = static_cast<int16_t>(u16(BLOCK_TEMP_RANGE_MAX));
    b.ch3RangeMax = u32(BLOCK_CH3_RANGE_MAX);
    b.fwVersionHigh = u8(BLOCK_FW_VERSION_HIGH);
    b.fwVersionLow = u8(BLOCK_FW_VERSION_LOW);
    b.deviceVariant = u8(BLOCK_DEVICE_VARIANT);
    b.deviceType = u8(BLOCK_DEVICE_TYPE);
    b.tzHours = static_cast<int8_t>(u8(BLOCK_TZ_HOURS));
    b.tzMinutes = static_cast<int8_t>(u8(BLOCK_TZ_MINUTES));
    b.ch3Type = u8(BLOCK_CH3_TYPE);
    b.settingsWord = u32(BLOCK_SETTINGS_WORD);
    b.stateWord = u32(BLOCK_STATE_WORD);
    b.ductArea = u32(BLOCK_DUCT_AREA);
    b.startDelaySeconds = u32(BLOCK_START_DELAY_SECONDS);
    b.logIntervalSeconds = u32(BLOCK_LOG_INTERVAL_SECONDS);
    b.tempHigh = static_cast<int16_t>(u16(BLOCK_TEMP_HIGH));
    b.tempLow = static_cast<int16_t>(u16(BLOCK_TEMP_LOW));
    b.humHigh = u16(BLOCK_HUM_HIGH);
    b.humLow = u16(BLOCK_HUM_LOW);
    b.ch3High = u32(BLOCK_CH3_HIGH);
    b.ch3Low = u32(BLOCK_CH3_LOW);
    b.deviceName = text(BLOCK_DEVICE_NAME);
    b.deviceId = text(BLOCK_DEVICE_ID);
    b.website = text(BLOCK_WEBSITE);
    b.userInfo = text(BLOCK_USER_INFO);
    b.trademark = text(BLOCK_TRADEMARK);
    b.alertLedInterval = u16(BLOCK_ALERT_LED_INTERVAL);
    b.recordLedInterval = u16(BLOCK_RECORD_LED_INTERVAL);
    b.pdfPassword = text(BLOCK_PDF_PASSWORD);
    b.powerSave = u32(BLOCK_POWER_SAVE);
    return b;
}

uint16_t DeviceParameterBlock::FirmwareVersion() const {
    return static_cast<uint16_t>(fwVersionHigh << 8 | fwVersionLow);
}

int DeviceParameterBlock::TimeZoneMinutes() const { return 60 * tzHours + tzMinutes; }
