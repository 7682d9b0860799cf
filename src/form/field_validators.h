#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The three checks every typed number or text passes before the tool uses it.
// With a field name a failure is shown in a message box that starts with the
// name (and the call returns once the box is closed); without one the check
// is silent. Texts end at their first NUL, as the edit controls hand them
// over.

enum ValidationResult : unsigned {
    VALID_OK = 0,
    VALID_OUT_OF_RANGE = 1,  // outside the bounds, or more digits than are read
    VALID_EMPTY = 2,         // no digit at all, and nothing else
    VALID_BAD_CHAR = 3,      // a character not allowed at its place
    VALID_BAD_FORMAT = 4,    // a second decimal point
};

enum TextResult : unsigned {
    TEXT_OK = 0,
    TEXT_EMPTY = 1,
    TEXT_TOO_LONG = 2,  // more bytes than the limit
    TEXT_BAD_CHAR = 3,  // a byte outside TEXT_ALLOWED_BYTES
};

// Digits ValidateInteger reads; one more is out of range whatever its value.
constexpr int INTEGER_MAX_DIGITS = 19;

// Digits ValidateDecimal reads before the point; those after it are not limited.
constexpr int DECIMAL_MAX_INT_DIGITS = 10;

// The bytes a checked text may hold: tab, line feed, carriage return, printable
// ASCII, and 0xA1, 0xA8, 0xAE, 0xB0, 0xBA. Every other byte, among them those
// of a Chinese character, is refused.
constexpr std::array<bool, 256> TEXT_ALLOWED_BYTES = [] {
    std::array<bool, 256> allowed{};
    for (int b = 0x20; b <= 0x7E; ++b) allowed[b] = true;
    for (int b : {0x09, 0x0A, 0x0D, 0xA1, 0xA8, 0xAE, 0xB0, 0xBA}) allowed[b] = true;
    return allowed;
}();

using FieldName = std::optional<std::u16string_view>;

// A signed decimal integer: leading blanks, one sign, ASCII digits, nothing
// after them. `value` is set only on VALID_OK.
ValidationResult ValidateInteger(std::u16string_view text, int32_t& value, int32_t min, int32_t max,
                                 FieldName name = std::nullopt);

// A signed decimal number with at most one point and no exponent. `value` is
// set only on VALID_OK.
ValidationResult ValidateDecimal(std::u16string_view text, double& value, double min, double max,
                                 FieldName name = std::nullopt);

// A text in its ANSI-code-page bytes: at most `maxLength` bytes and, with
// `checkChars`, only TEXT_ALLOWED_BYTES.
TextResult ValidateText(std::string_view bytes, uint8_t maxLength, bool checkChars, bool allowEmpty,
                        FieldName name = std::nullopt);
