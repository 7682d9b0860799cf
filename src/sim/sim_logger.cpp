#include "sim/sim_logger.h"

#include <algorithm>
#include <cstring>

#include "hid/hid_protocol.h"
#include "params/block_bytes.h"
#include "params/parameter_records.h"
#include "upgrade/image_format.h"

bool TakeFault(int& counter) {
    if (counter < 0) return true;
    if (counter == 0) return false;
    --counter;
    return true;
}

Report MakeReport(uint8_t code, const std::vector<uint8_t>& payload, uint32_t offset) {
    Report report{};
    const size_t length = std::min(payload.size(), MAX_CHUNK);
    report[0] = REPORT_ID;
    report[REPORT_CODE] = code;
    report[REPORT_PL] = static_cast<uint8_t>(PL_MIN + length);
    report[REPORT_OFFSET] = static_cast<uint8_t>(offset);
    report[REPORT_OFFSET + 1] = static_cast<uint8_t>(offset >> 8);
    report[REPORT_OFFSET + 2] = static_cast<uint8_t>(offset >> 16);
    std::copy_n(payload.begin(), length, report.begin() + REPORT_PAYLOAD);
    return report;
}

SimLogger::SimLogger(std::vector<uint8_t> block) : block_(std::move(block)) {}

std::vector<uint8_t> SimLogger::DefaultBlock() {
    std::vector<uint8_t> block(PARAMETER_BLOCK_SIZE);
    // Bytes nobody reads carry a pattern, so that a misplaced read shows.
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
    const auto number = [&](BlockField field, int64_t value) {
        WriteBlockNumber(block, field, static_cast<uint32_t>(value));
    };
    const auto text = [&](BlockField field, std::string_view value) {
        std::fill_n(block.begin() + field.offset, field.width, 0);
        std::copy_n(value.begin(), std::min<size_t>(value.size(), field.width), block.begin() + field.offset);
    };
    number(BLOCK_MIN_TOOL_VERSION, 0x0412);
    number(BLOCK_CAPACITY_POINTS, 32000);
    number(BLOCK_TEMP_RANGE_MIN, -400);  // -40.0 °C
    number(BLOCK_TEMP_RANGE_MAX, 850);   // 85.0 °C
    number(BLOCK_CH3_RANGE_MAX, 2000000);  // 200000.0 lux
    number(BLOCK_FW_VERSION_HIGH, 0x50);   // firmware 0x5016
    number(BLOCK_FW_VERSION_LOW, 0x16);
    number(BLOCK_DEVICE_VARIANT, 7);
    number(BLOCK_DEVICE_TYPE, DEVICE_TYPE_LOGGER);
    number(BLOCK_TZ_HOURS, 8);
    number(BLOCK_TZ_MINUTES, 0);
    number(BLOCK_CH3_TYPE, 0);  // illuminance
    number(BLOCK_SETTINGS_WORD, SET_TEMP_UNIT_SELECTABLE | SET_EXPORT_CSV);
    number(BLOCK_STATE_WORD, 0);
    number(BLOCK_DUCT_AREA, 0);
    number(BLOCK_START_DELAY_SECONDS, 1800);
    number(BLOCK_LOG_INTERVAL_SECONDS, 60);
    number(BLOCK_TEMP_HIGH, 80);
    number(BLOCK_TEMP_LOW, 20);
    number(BLOCK_HUM_HIGH, 800);
    number(BLOCK_HUM_LOW, 200);
    number(BLOCK_CH3_HIGH, 100);
    number(BLOCK_CH3_LOW, 10);
    text(BLOCK_DEVICE_NAME, "Cold Room 3");
    text(BLOCK_DEVICE_ID, "SIM-0001");
    text(BLOCK_WEBSITE, "www.example.com");
    text(BLOCK_USER_INFO, "Simulated logger");
    text(BLOCK_TRADEMARK, "Datalogger");
    number(BLOCK_ALERT_LED_INTERVAL, 10);
    number(BLOCK_RECORD_LED_INTERVAL, 10);
    text(BLOCK_PDF_PASSWORD, "");
    number(BLOCK_POWER_SAVE, POWER_SAVE_OFF);
    return block;
}

SimLogger::Reaction SimLogger::Receive(const Report& report) {
    received_.push_back(report);
    Reaction reaction;
    if (faults.goAwayAtReport > 0 && received_.size() == static_cast<size_t>(faults.goAwayAtReport)) {
        reaction.goAway = true;
        return reaction;
    }

    const uint8_t code = report[REPORT_CODE];
    const uint8_t pl = report[REPORT_PL];
    const uint32_t offset = report[REPORT_OFFSET] | (report[REPORT_OFFSET + 1] << 8) |
                            (report[REPORT_OFFSET + 2] << 16);
    if (code == CMD_FIRMWARE_CLOSE) {
        Restart();
        reaction.restart = true;
        return reaction;
    }
    if (IsClosingCode(code)) return reaction;
    if (received_.size() >= static_cast<size_t>(faults.silentFromReport) &&
        TakeFault(faults.silentAnswers)) {
        return reaction;
    }

    Report answer;
    if (TakeFault(faults.statusAnswers)) {
        answer = MakeReport(REPLY_STATUS, {faults.statusCode});
    } else if (code == CMD_READ_PARAMETERS) {
        answer = BlockAnswer(offset);
    } else if (code == CMD_FIRMWARE) {
        answer = ImageAnswer(report, offset);
    } else {
        if (IsLegalPL(pl)) StoreRecordChunk(code, offset, report.data() + REPORT_PAYLOAD, pl - PL_MIN);
        answer = MakeReport(REPLY_STATUS, {code == PARAM_END ? faults.endStatus : uint8_t{0}});
    }
    if (TakeFault(faults.illegalFrames)) answer[REPORT_PL] = faults.illegalPL;
    reaction.answer = answer;
    return reaction;
}

Report SimLogger::BlockAnswer(uint32_t offset) {
    if (TakeFault(faults.emptyBlockAnswers) || offset >= block_.size()) {
        return MakeReport(CMD_READ_PARAMETERS, {}, offset);
    }
    const size_t length = std::min<size_t>({faults.readChunk, MAX_CHUNK, block_.size() - offset});
    return MakeReport(CMD_READ_PARAMETERS,
                      std::vector<uint8_t>(block_.begin() + offset, block_.begin() + offset + length),
                      offset);
}

void SimLogger::StoreRecordChunk(uint8_t code, uint32_t offset, const uint8_t* bytes, size_t length) {
    std::vector<uint8_t>& record = records_[code];
    if (offset == 0) record.clear();  // a new record of this code begins
    if (record.size() < offset + length) record.resize(offset + length);
    if (length > 0) std::memcpy(record.data() + offset, bytes, length);
    // A record whose last chunk has arrived changes the block, as the
    // logger keeps it; a second read of the block shows it.
    const ParameterRecordType* type = FindParameterRecordType(code);
    if (type && type->payloadLength > 0 && offset + length == type->payloadLength &&
        record.size() == type->payloadLength) {
        ApplyRecordToBlock(ParameterRecord{code, record}, block_);
    }
}

// Image blocks are kept at their offsets; the close (no payload) is answered
// with the sum of what arrived, as the tool computes it.
Report SimLogger::ImageAnswer(const Report& report, uint32_t offset) {
    if (imageReports_++ == faults.refuseImageReport) return MakeReport(REPLY_STATUS, {faults.statusCode});
    const uint8_t pl = report[REPORT_PL];
    if (!IsLegalPL(pl)) return MakeReport(CMD_FIRMWARE);
    const size_t length = pl - PL_MIN;
    if (length > 0) {
        if (image_.size() < offset + length) image_.resize(offset + length);
        std::memcpy(image_.data() + offset, report.data() + REPORT_PAYLOAD, length);
        imageConfirmed_ = false;
        return MakeReport(CMD_FIRMWARE, {}, offset);
    }
    std::vector<uint8_t> words = image_;
    words.resize((words.size() + 3) / 4 * 4);
    const uint32_t sum = ImageChecksum(words.data(), static_cast<uint32_t>(words.size())) +
                         (faults.wrongImageSum ? 1 : 0);
    imageConfirmed_ = !faults.wrongImageSum;
    return MakeReport(CMD_FIRMWARE,
                      {static_cast<uint8_t>(sum), static_cast<uint8_t>(sum >> 8),
                       static_cast<uint8_t>(sum >> 16), static_cast<uint8_t>(sum >> 24)},
                      offset);
}

// A confirmed image replaces the firmware: the logger comes back with the
// image's version. Otherwise it comes back as it was.
void SimLogger::Restart() {
    if (imageConfirmed_ && image_.size() >= IMAGE_VERSION_OFFSET + 2) {
        const uint16_t version = ImageVersion(image_.data());
        WriteBlockNumber(block_, BLOCK_FW_VERSION_HIGH, version >> 8);
        WriteBlockNumber(block_, BLOCK_FW_VERSION_LOW, version & 0xFF);
    }
    imageConfirmed_ = false;
    imageReports_ = 0;
}

std::optional<std::vector<uint8_t>> SimLogger::Record(uint8_t code) const {
    auto it = records_.find(code);
    if (it == records_.end()) return std::nullopt;
    return it->second;
}
