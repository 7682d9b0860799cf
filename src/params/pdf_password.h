#pragma once

#include <cstdint>

// The PDF report's password takes ASCII letters and digits only; a byte of
// any other character, non-ASCII ones included, never qualifies.
constexpr bool IsPdfPasswordByte(uint8_t byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}
