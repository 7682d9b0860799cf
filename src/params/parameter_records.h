#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "params/block_layout.h"
#include "params/parameter_codes.h"

// One setting as the logger receives it: a code and its fixed-length payload.
struct ParameterRecord {
    uint8_t code = 0;
    std::vector<uint8_t> payload;

    bool operator==(const ParameterRecord&) const = default;
};

// What a payload holds.
enum class PayloadKind : uint8_t {
    Clock,         // year - 2000, month, day, hour, minute, second, then 0x55 0xAA
    Number,        // a little-endian integer; selections and switches are one byte
    Text,          // ANSI-code-page bytes, NUL-padded to the length
    TimeZone,      // int8 hours, int8 minutes, both with the offset's sign
    Reserved,      // zeros, always
    PowerSaveOff,  // POWER_SAVE_OFF, always
    ToolVersion,   // TOOL_VERSION, always
    ToolStamp,     // TOOL_VERSION's low byte + 1, its high byte, any byte, sum of the three
    End,           // no payload: closes the configuration
};

struct ParameterRecordType {
    uint8_t code;
    std::string_view name;
    uint8_t payloadLength;
    PayloadKind kind;
    // The block field that reads the setting back: the payload lands there
    // byte for byte (none for records that describe nothing in the block).
    std::optional<BlockField> blockField;
    // Or the bits of settingsWord that keep the payload byte (a selection's
    // index, or a switch): 0 for none. The date format's two bits are read
    // together with SET_LANGUAGE_CHINESE when the form is loaded.
    uint32_t settingsBits;
};

// Every record code the tool sends, in code order.
std::span<const ParameterRecordType> ParameterRecordTypes();

// nullptr for a code outside the table.
const ParameterRecordType* FindParameterRecordType(uint8_t code);

// The encoders below build the payload from the table's length for `code`.

// Number records: `value`'s lowest bytes, little-endian (a negative value in
// two's complement). Callers pass validated values that fit.
ParameterRecord EncodeNumberRecord(uint8_t code, int64_t value);

// Text records: `bytes` (ANSI code page) NUL-padded to the length; bytes
// beyond it are not sent.
ParameterRecord EncodeTextRecord(uint8_t code, std::string_view bytes);

// PARAM_CLOCK from year - 2000, month, day, hour, minute, second.
ParameterRecord EncodeClockRecord(const std::array<uint8_t, 6>& clock);

// PARAM_TIME_ZONE for an offset from UTC in minutes (UTC-03:30 is -210).
ParameterRecord EncodeTimeZoneRecord(int offsetMinutes);

// PARAM_TOOL_STAMP with `anyByte` as its free byte.
ParameterRecord EncodeToolStampRecord(uint8_t anyByte = 0);

// Records whose payload never changes: the reserved ones, PARAM_POWER_SAVE,
// PARAM_TOOL_VERSION and PARAM_END.
ParameterRecord EncodeFixedRecord(uint8_t code);

// Keeps `record` in `block` as the logger does, through the table's
// read-back column; bytes outside `block` are left alone. False when the
// record has nothing to read it back from.
bool ApplyRecordToBlock(const ParameterRecord& record, std::span<uint8_t> block);
