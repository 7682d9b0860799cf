#include "sim/sim_logger.h"

#include <algorithm>
#include <cstring>

#include "hid/hid_protocol.h"

namespace {
constexpr uint8_t END_RECORD = 0xFF;
}

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
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
    block[0] = 0x12;  // lowest tool version accepted: 4.12
    block[1] = 0x04;
    block[16] = 0x50;  // firmware version 0x5016
    block[20] = 0x16;
    block[21] = 0x07;  // model identity
    block[22] = 0x92;
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
    if (IsClosingCode(code)) return reaction;
    if (TakeFault(faults.silentAnswers)) return reaction;

    Report answer;
    if (TakeFault(faults.statusAnswers)) {
        answer = MakeReport(REPLY_STATUS, {faults.statusCode});
    } else if (code == CMD_READ_PARAMETERS) {
        answer = BlockAnswer(offset);
    } else if (code == CMD_FIRMWARE) {
        answer = MakeReport(CMD_FIRMWARE);
    } else {
        if (IsLegalPL(pl)) StoreRecordChunk(code, offset, report.data() + REPORT_PAYLOAD, pl - PL_MIN);
        answer = MakeReport(REPLY_STATUS, {code == END_RECORD ? faults.endStatus : uint8_t{0}});
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
}

std::optional<std::vector<uint8_t>> SimLogger::Record(uint8_t code) const {
    auto it = records_.find(code);
    if (it == records_.end()) return std::nullopt;
    return it->second;
}
