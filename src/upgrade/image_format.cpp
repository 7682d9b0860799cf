#include "upgrade/image_format.h"

uint32_t ImageChecksum(const uint8_t* image, uint32_t size) {
    uint32_t sum = 0;
    for (uint32_t i = 0; i + 4 <= size; i += 4) {
        sum += static_cast<uint32_t>(image[i]) | static_cast<uint32_t>(image[i + 1]) << 8 |
               static_cast<uint32_t>(image[i + 2]) << 16 | static_cast<uint32_t>(image[i + 3]) << 24;
    }
    return sum;
}
