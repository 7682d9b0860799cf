#include "params/parameter_records.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "params/block_bytes.h"
#include "params/version_rules.h"

namespace {

constexpr std::optional<BlockField> NONE = std::nullopt;

#define RECORD(code, length, kind, field, bits) \
    ParameterRecordType { code, #code, length, PayloadKind::kind, field, bits }

constexpr std::array RECORD_TYPES = {
    RECORD(PARAM_CLOCK, 8, Clock, NONE, 0),
    RECORD(PARAM_START_DELAY, 4, Number, BLOCK_START_DELAY_SECONDS, 0),
    RECORD(PARAM_LOG_INTERVAL, 4, Number, BLOCK_LOG_INTERVAL_SECONDS, 0),
    RECORD(PARAM_TEMP_HIGH, 2, Number, BLOCK_TEMP_HIGH, 0),
    RECORD(PARAM_TEMP_LOW, 2, Number, BLOCK_TEMP_LOW, 0),
    RECORD(PARAM_REPORT_LANGUAGE, 1, Number, NONE, SET_LANGUAGE_CHINESE),
    RECORD(PARAM_TEMP_UNIT, 1, Number, NONE, SET_FAHRENHEIT),
    RECORD(PARAM_DEVICE_ID, 20, Text, BLOCK_DEVICE_ID, 0),
    RECORD(PARAM_DEVICE_NAME, 20, Text, BLOCK_DEVICE_NAME, 0),
    RECORD(PARAM_WEBSITE, 50, Text, BLOCK_WEBSITE, 0),
    RECORD(PARAM_USER_INFO, 100, Text, BLOCK_USER_INFO, 0),
    RECORD(PARAM_RESERVED_27, 1, Reserved, NONE, 0),
    RECORD(PARAM_TRADEMARK, 20, Text, BLOCK_TRADEMARK, 0),
    RECORD(PARAM_RESERVED_2F, 4, Reserved, NONE, 0),
    RECORD(PARAM_RESERVED_31, 4, Reserved, NONE, 0),
    RECORD(PARAM_HUM_HIGH, 2, Number, BLOCK_HUM_HIGH, 0),
    RECORD(PARAM_HUM_LOW, 2, Number, BLOCK_HUM_LOW, 0),
    RECORD(PARAM_RESERVED_37, 4, Reserved, NONE, 0),
    RECORD(PARAM_RESERVED_39, 4, Reserved, NONE, 0),
    RECORD(PARAM_ALERT_LED_INTERVAL, 2, Number, BLOCK_ALERT_LED_INTERVAL, 0),
    RECORD(PARAM_POWER_SAVE, 4, PowerSaveOff, BLOCK_POWER_SAVE, 0),
    RECORD(PARAM_RECORD_LED_INTERVAL, 2, Number, BLOCK_RECORD_LED_INTERVAL, 0),
    RECORD(PARAM_TIME_ZONE, 2, TimeZone, BLOCK_TIME_ZONE, 0),
    RECORD(PARAM_DATE_FORMAT, 1, Number, NONE, SET_DATE_FORMAT),
    RECORD(PARAM_TOOL_VERSION, 2, ToolVersion, NONE, 0),
    RECORD(PARAM_RESERVED_4A, 1, Reserved, NONE, 0),
    RECORD(PARAM_EXPORT_CSV, 1, Number, NONE, SET_EXPORT_CSV),
    RECORD(PARAM_ENABLE_ALARM, 1, Number, NONE, SET_ALARM_ENABLED),
    RECORD(PARAM_PDF_PASSWORD, 8, Text, BLOCK_PDF_PASSWORD, 0),
    RECORD(PARAM_CH3_UNIT, 1, Number, NONE, SET_CH3_UNIT),
    RECORD(PARAM_ILLUM_HIGH, 4, Number, BLOCK_CH3_HIGH, 0),
    RECORD(PARAM_ILLUM_LOW, 4, Number, BLOCK_CH3_LOW, 0),
    RECORD(PARAM_RESERVED_68, 4, Reserved, NONE, 0),
    RECORD(PARAM_RESERVED_69, 4, Reserved, NONE, 0),
    RECORD(PARAM_NOISE_HIGH, 4, Number, BLOCK_CH3_HIGH, 0),
    RECORD(PARAM_NOISE_LOW, 4, Number, BLOCK_CH3_LOW, 0),
    RECORD(PARAM_RESERVED_72, 4, Reserved, NONE, 0),
    RECORD(PARAM_RESERVED_73, 4, Reserved, NONE, 0),
    RECORD(PARAM_WIND_HIGH, 4, Number, BLOCK_CH3_HIGH, 0),
    RECORD(PARAM_WIND_LOW, 4, Number, BLOCK_CH3_LOW, 0),
    RECORD(PARAM_RESERVED_76, 4, Reserved, NONE, 0),
    RECORD(PARAM_RESERVED_77, 4, Reserved, NONE, 0),
    RECORD(PARAM_TOOL_STAMP, 4, ToolStamp, NONE, 0),
    RECORD(PARAM_END, 0, End, NONE, 0),
};

#undef RECORD

// A record's payload, as long as the table says, and its kind.
ParameterRecord Blank(uint8_t code, PayloadKind expected) {
    const ParameterRecordType* type = FindParameterRecordType(code);
    assert(type != nullptr && type->kind == expected && "encoder used for another kind of record");
    (void)expected;
    return ParameterRecord{code, std::vector<uint8_t>(type != nullptr ? type->payloadLength : 0)};
}

void PutLittleEndian(std::vector<uint8_t>& payload, uint64_t value) {
    for (uint8_t& byte : payload) {
        byte = static_cast<uint8_t>(value);
        value >>= 8;
    }
}

}  // namespace

std::span<const ParameterRecordType> ParameterRecordTypes() { return RECORD_TYPES; }

const ParameterRecordType* FindParameterRecordType(uint8_t code) {
    for (const ParameterRecordType& type : RECORD_TYPES) {
        if (type.code == code) return &type;
    }
    return nullptr;
}

ParameterRecord EncodeNumberRecord(uint8_t code, int64_t value) {
    ParameterRecord record = Blank(code, PayloadKind::Number);
    PutLittleEndian(record.payload, static_cast<uint64_t>(value));
    return record;
}

ParameterRecord EncodeTextRecord(uint8_t code, std::string_view bytes) {
    ParameterRecord record = Blank(code, PayloadKind::Text);
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.payload.size()), record.payload.begin());
    return record;
}

ParameterRecord EncodeClockRecord(const std::array<uint8_t, 6>& clock) {
    ParameterRecord record = Blank(PARAM_CLOCK, PayloadKind::Clock);
    std::copy(clock.begin(), clock.end(), record.payload.begin());
    record.payload[6] = 0x55;
    record.payload[7] = 0xAA;
    return record;
}

ParameterRecord EncodeTimeZoneRecord(int offsetMinutes) {
    ParameterRecord record = Blank(PARAM_TIME_ZONE, PayloadKind::TimeZone);
    // Division truncates toward zero, so both parts keep the offset's sign.
    record.payload[0] = static_cast<uint8_t>(static_cast<int8_t>(offsetMinutes / 60));
    record.payload[1] = static_cast<uint8_t>(static_cast<int8_t>(offsetMinutes % 60));
    return record;
}

ParameterRecord EncodeToolStampRecord(uint8_t anyByte) {
    ParameterRecord record = Blank(PARAM_TOOL_STAMP, PayloadKind::ToolStamp);
    record.payload[0] = static_cast<uint8_t>((TOOL_VERSION & 0xFF) + 1);
    record.payload[1] = static_cast<uint8_t>(TOOL_VERSION >> 8);
    record.payload[2] = anyByte;
    record.payload[3] = static_cast<uint8_t>(record.payload[0] + record.payload[1] + record.payload[2]);
    return record;
}

ParameterRecord EncodeFixedRecord(uint8_t code) {
    const ParameterRecordType* type = FindParameterRecordType(code);
    assert(type != nullptr && "no such record");
    ParameterRecord record{code, std::vector<uint8_t>(type != nullptr ? type->payloadLength : 0)};
    switch (type != nullptr ? type->kind : PayloadKind::End) {
        case PayloadKind::PowerSaveOff: PutLittleEndian(record.payload, POWER_SAVE_OFF); break;
        case PayloadKind::ToolVersion: PutLittleEndian(record.payload, TOOL_VERSION); break;
        case PayloadKind::Reserved:
        case PayloadKind::End: break;
        default: assert(false && "this record's payload is not fixed"); break;
    }
    return record;
}

bool ApplyRecordToBlock(const ParameterRecord& record, std::span<uint8_t> block) {
    const ParameterRecordType* type = FindParameterRecordType(record.code);
    if (type == nullptr) return false;
    if (type->blockField) {
        const BlockField field = *type->blockField;
        for (size_t i = 0; i < field.width && i < record.payload.size(); ++i) {
            size_t at = size_t{field.offset} + i;
            if (at < block.size()) block[at] = record.payload[i];
        }
        return true;
    }
    if (type->settingsBits != 0 && !record.payload.empty()) {
        const int shift = std::countr_zero(type->settingsBits);
        uint32_t word = ReadBlockNumber(block, BLOCK_SETTINGS_WORD) & ~type->settingsBits;
        word |= (uint32_t{record.payload[0]} << shift) & type->settingsBits;
        WriteBlockNumber(block, BLOCK_SETTINGS_WORD, word);
        return true;
    }
    return false;
}
