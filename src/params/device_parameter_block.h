#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "params/block_layout.h"

// The logger's description of itself and its current settings, as read from
// the bytes it sent (layout in block_layout.h). Texts stay bytes in the ANSI
// code page; DecodeBlockText turns them into UTF-16 for the form.
struct DeviceParameterBlock {
    uint16_t minToolVersion = 0;
    uint32_t capacityPoints = 0;
    int16_t tempRangeMin = 0;
    int16_t tempRangeMax = 0;
    uint32_t ch3RangeMax = 0;
    uint8_t fwVersionHigh = 0;
    uint8_t fwVersionLow = 0;
    uint8_t deviceVariant = 0;
    uint8_t deviceType = 0;
    int8_t tzHours = 0;
    int8_t tzMinutes = 0;
    uint8_t ch3Type = 0;
    uint32_t settingsWord = 0;
    uint32_t stateWord = 0;
    uint32_t ductArea = 0;
    uint32_t startDelaySeconds = 0;
    uint32_t logIntervalSeconds = 0;
    int16_t tempHigh = 0;
    int16_t tempLow = 0;
    uint16_t humHigh = 0;
    uint16_t humLow = 0;
    uint32_t ch3High = 0;
    uint32_t ch3Low = 0;
    std::string deviceName;
    std::string deviceId;
    std::string website;
    std::string userInfo;
    std::string trademark;
    uint16_t alertLedInterval = 0;
    uint16_t recordLedInterval = 0;
    std::string pdfPassword;
    uint32_t powerSave = 0;

    // Reads every field from `bytes`. A block that arrived short reads its
    // missing bytes as 0 (a text ends there), so whatever the device sent,
    // nothing outside `bytes` is read.
    static DeviceParameterBlock FromBytes(std::span<const uint8_t> bytes);

    // fwVersionHigh × 256 + fwVersionLow.
    uint16_t FirmwareVersion() const;

    // Time-zone offset in minutes; both bytes carry its sign.
    int TimeZoneMinutes() const;

    bool TempUnitSelectable() const { return (settingsWord & SET_TEMP_UNIT_SELECTABLE) != 0; }
    bool AlarmEnabled() const { return (settingsWord & SET_ALARM_ENABLED) != 0; }
    bool ExportCsv() const { return (settingsWord & SET_EXPORT_CSV) != 0; }
    bool Fahrenheit() const { return (settingsWord & SET_FAHRENHEIT) != 0; }
    unsigned Ch3UnitIndex() const { return (settingsWord & SET_CH3_UNIT) >> 8; }
    bool LanguageChinese() const { return (settingsWord & SET_LANGUAGE_CHINESE) != 0; }
    unsigned DateFormatBits() const { return (settingsWord & SET_DATE_FORMAT) >> 13; }
    bool KeepForm() const { return (stateWord & STATE_KEEP_FORM) != 0; }
    bool PowerSaveOn() const { return powerSave != POWER_SAVE_OFF; }
};

// A text field of the block in UTF-16 through the ANSI code page, never longer
// than the field is wide.
std::u16string DecodeBlockText(const std::string& bytes, BlockField field);
