#include <gtest/gtest.h>

#include <cstring>

#include "upgrade/stored_image.h"

namespace {

TEST(StoredImages, CarryTheHeaderTheToolReadsAndDifferentContent) {
    const StoredImage* images[] = {&g_noiseImage, &g_windImage, &g_illuminanceImage};
    for (const StoredImage* image : images) {
        EXPECT_EQ(image->bytes.size(), 0xE400u);
        EXPECT_EQ(image->ImageVariant(), 7);
        EXPECT_EQ(image->ImageType(), 0x92);
        EXPECT_EQ(image->bytes[0x108], 0x16);
        EXPECT_EQ(image->bytes[0x109], 0x50);
        EXPECT_EQ(image->ImageVersionWord(), 0x5016);
        // The file name ends within its 19 bytes.
        EXPECT_NE(std::memchr(image->bytes.data(), 0, 19), nullptr);
    }
    EXPECT_NE(g_noiseImage.bytes, g_windImage.bytes);
    EXPECT_NE(g_windImage.bytes, g_illuminanceImage.bytes);
    EXPECT_NE(g_noiseImage.bytes, g_illuminanceImage.bytes);
}

TEST(StoredImages, ChecksumAddsLittleEndianWordsModulo2To32) {
    struct Case {
        std::vector<uint8_t> bytes;
        uint32_t sum;
    };
    const Case cases[] = {
        {{}, 0},
        {{0x01, 0x02, 0x03, 0x04}, 0x04030201},
        {{0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}, 0x80000001},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}, 1},  // wraps
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ImageChecksum(c.bytes.data(), static_cast<uint32_t>(c.bytes.size())), c.sum);
    }
}

}  // namespace
