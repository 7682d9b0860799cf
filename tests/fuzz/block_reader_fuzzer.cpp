// Any bytes a device may send as its parameter block: every field is read
// without leaving the buffer, every text stays within its field, and records
// applied to a block of any length stay within it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "params/device_parameter_block.h"
#include "params/parameter_records.h"
#include "platform/ansi_code_page.h"

namespace {

constexpr CodePage CODE_PAGES[] = {936, 950, 932, 949, 874, 1250, 1251, 1252, 1255, 1258};

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckText(const std::string& bytes, BlockField field) {
    Require(bytes.size() <= field.width);
    Require(DecodeBlockText(bytes, field).size() <= field.width);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> input(data, size);
    if (size > 0) SetAnsiCodePage(CODE_PAGES[data[0] % std::size(CODE_PAGES)]);

    const DeviceParameterBlock block = DeviceParameterBlock::FromBytes(input);
    CheckText(block.deviceName, BLOCK_DEVICE_NAME);
    CheckText(block.deviceId, BLOCK_DEVICE_ID);
    CheckText(block.website, BLOCK_WEBSITE);
    CheckText(block.userInfo, BLOCK_USER_INFO);
    CheckText(block.trademark, BLOCK_TRADEMARK);
    CheckText(block.pdfPassword, BLOCK_PDF_PASSWORD);

    // The input once more as a record (code, payload) kept in a copy of itself.
    if (size > 0) {
        ParameterRecord record{data[0], std::vector<uint8_t>(data + 1, data + size)};
        std::vector<uint8_t> copy(data, data + size);
        ApplyRecordToBlock(record, copy);
    }
    return 0;
}
