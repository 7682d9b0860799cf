#include "params/block_bytes.h"

uint32_t ReadBlockNumber(std::span<const uint8_t> block, BlockField field) {
    uint32_t value = 0;
    for (unsigned i = 0; i < field.width && i < 4; ++i) {
        size_t at = size_t{field.offset} + i;
        if (at < block.size()) value |= uint32_t{block[at]} << (8 * i);
    }
    return value;
}

void WriteBlockNumber(std::span<uint8_t> block, BlockField field, uint32_t value) {
    for (unsigned i = 0; i < field.width && i < 4; ++i) {
        size_t at = size_t{field.offset} + i;
        if (at < block.size()) block[at] = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::string ReadBlockText(std::span<const uint8_t> block, BlockField field) {
    std::string text;
    for (size_t at = field.offset; at < size_t{field.offset} + field.width && at < block.size(); ++at) {
        if (block[at] == 0) break;
        text += static_cast<char>(block[at]);
    }
    return text;
}
