#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "params/block_layout.h"

// Access to the block's raw bytes by field. A block may have arrived short:
// bytes beyond its end read as 0 and are never written.

// Little-endian unsigned value of `field` (width 1 to 4).
uint32_t ReadBlockNumber(std::span<const uint8_t> block, BlockField field);

// Stores `value` little-endian in `field` (width 1 to 4).
void WriteBlockNumber(std::span<uint8_t> block, BlockField field, uint32_t value);

// The text of `field`: its bytes up to the first NUL or the end of the field,
// whichever comes first (a full field has no NUL).
std::string ReadBlockText(std::span<const uint8_t> block, BlockField field);
