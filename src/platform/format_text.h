#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One value for FormatText.
class FormatArg {
public:
    enum class Kind { Integer, Real, Text };

    template <std::integral T>
    FormatArg(T value) : kind_(Kind::Integer), integer_(static_cast<long long>(value)) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}
    FormatArg(std::u16string_view value) : kind_(Kind::Text), text_(value) {}
    FormatArg(const char16_t* value) : kind_(Kind::Text), text_(value) {}
    FormatArg(const std::u16string& value) : kind_(Kind::Text), text_(value) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    double real() const { return real_; }
    std::u16string_view text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    double real_ = 0;
    std::u16string_view text_;
};

// printf for the program's UTF-16 texts, so that every message keeps its
// format string whole, as the program shows it. Conversions: %s (a text),
// %d %i %u %x %X (integers), %f (reals), each with the usual flags, width and
// precision, and %%. Numbers are written as in the "C" locale whatever the
// user's locale is: a decimal point, never a comma. A conversion without a
// value is left out.
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args);
