#pragma once

#include <cstddef>
#include <cstdint>

// The container form of a firmware image. The content is enciphered and opaque
// to the tool, except a few plain header fields, which it reads to decide
// whether the image fits a logger and is newer than its firmware. The whole
// image, header included, is sent and covered by the checksum.
constexpr uint32_t IMAGE_SIZE = 0xE400;

// The image's file name, NUL-terminated, at offset 0; never examined.
constexpr size_t IMAGE_NAME_WIDTH = 19;
// Must equal the logger's deviceVariant.
constexpr size_t IMAGE_VARIANT_OFFSET = 0x104;
// Must equal the logger's deviceType.
constexpr size_t IMAGE_TYPE_OFFSET = 0x105;
// The firmware version word the image brings, little-endian.
constexpr size_t IMAGE_VERSION_OFFSET = 0x108;

// Image bytes carried by one image block.
constexpr uint32_t FW_BLOCK_SIZE = 56;

// The version word in an image of at least IMAGE_VERSION_OFFSET + 2 bytes.
inline uint16_t ImageVersion(const uint8_t* image) {
    return static_cast<uint16_t>(image[IMAGE_VERSION_OFFSET + 1] * 256 + image[IMAGE_VERSION_OFFSET]);
}

// The sum, modulo 2^32, of `size` bytes read as consecutive little-endian
// 32-bit words from 0 (`size` a multiple of 4): what the logger must confirm
// when the image is closed.
uint32_t ImageChecksum(const uint8_t* image, uint32_t size);
