#pragma once

#include <array>
#include <cstdint>

#include "upgrade/image_format.h"

// One of the firmware images the tool carries, held whole as constant data.
struct StoredImage {
    std::array<uint8_t, IMAGE_SIZE> bytes;

    uint8_t ImageVariant() const { return bytes[IMAGE_VARIANT_OFFSET]; }
    uint8_t ImageType() const { return bytes[IMAGE_TYPE_OFFSET]; }
    uint16_t ImageVersionWord() const { return ImageVersion(bytes.data()); }

    // Arms this image for sending (g_image, g_imageSize) when it brings a
    // newer version than the logger's g_fwVersion; otherwise disarms any.
    // True when armed.
    bool SelectFirmwareImage() const;
};

// One image for each third-channel type; generated at build time
// (res/firmware_image_generator.cpp), laid out in this order.
extern const StoredImage g_noiseImage;
extern const StoredImage g_windImage;
extern const StoredImage g_illuminanceImage;
