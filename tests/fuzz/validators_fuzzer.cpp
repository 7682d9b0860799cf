// Any text typed into a field: each validator returns one of its codes, and
// a number it accepts lies within the caller's bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "form/field_validators.h"
#include "platform/message_box.h"

namespace {

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

class DiscardedMessages : public MessageBoxHost {
public:
    void Show(std::u16string_view text) override { Require(!text.empty()); }
};

template <typename T>
T Take(const uint8_t*& data, size_t& size) {
    T value{};
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DiscardedMessages messages;
    SetMessageBoxHost(&messages);

    const uint8_t mode = Take<uint8_t>(data, size);
    const std::u16string_view name = u"Field";
    const FieldName fieldName = (mode & 0x80) != 0 ? FieldName(name) : std::nullopt;

    switch (mode % 3) {
        case 0: {
            const int32_t a = Take<int32_t>(data, size);
            const int32_t b = Take<int32_t>(data, size);
            std::u16string text(size / 2, u'\0');
            std::memcpy(text.data(), data, text.size() * 2);
            int32_t value = 0;
            const ValidationResult result = ValidateInteger(text, value, a, b, fieldName);
            Require(result <= VALID_BAD_CHAR);
            if (result == VALID_OK) Require(a <= value && value <= b);
            break;
        }
        case 1: {
            const double a = Take<double>(data, size);
            const double b = Take<double>(data, size);
            std::u16string text(size / 2, u'\0');
            std::memcpy(text.data(), data, text.size() * 2);
            double value = 0;
            const ValidationResult result = ValidateDecimal(text, value, a, b, fieldName);
            Require(result <= VALID_BAD_FORMAT);
            if (result == VALID_OK) Require(a <= value && value <= b);
            break;
        }
        default: {
            const uint8_t maxLength = Take<uint8_t>(data, size);
            std::string bytes(reinterpret_cast<const char*>(data), size);
            const TextResult result =
                ValidateText(bytes, maxLength, (mode & 0x10) != 0, (mode & 0x20) != 0, fieldName);
            Require(result <= TEXT_BAD_CHAR);
            break;
        }
    }
    return 0;
}
