#include "form/field_validators.h"

#include "platform/format_text.h"
#include "platform/message_box.h"

namespace {

// Digits after a decimal point stop counting once the divisor reaches this:
// they can no longer change the value, and a longer run would overflow the
// divisor and the fraction to infinity, making a plain number NaN.
constexpr double MAX_DECIMAL_DIVISOR = 1e300;

template <typename Text>
Text UpToNul(Text text) {
    return text.substr(0, text.find(typename Text::value_type{0}));
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Skips the leading blanks (spaces only) and one sign; true for a minus.
bool SkipBlanksAndSign(std::u16string_view text, size_t& i) {
    while (i < text.size() && text[i] == u' ') ++i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) return text[i++] == u'-';
    return false;
}

// Formats only when there is a box to show; bounds that the message does not
// name are ignored.
void Show(const FieldName& name, std::u16string_view format, FormatArg min = 0, FormatArg max = 0) {
    if (name) AfxMessageBox(FormatText(format, {*name, min, max}));
}

void ReportNumberProblem(ValidationResult result, const FieldName& name) {
    switch (result) {
        case VALID_EMPTY: Show(name, u"%s: 内容为空"); break;
        case VALID_BAD_CHAR: Show(name, u"%s: 存在非法字符!"); break;
        case VALID_BAD_FORMAT: Show(name, u"%s: 数值格式错误!"); break;
        case VALID_OK:
        case VALID_OUT_OF_RANGE: break;
    }
}

ValidationResult ScanInteger(std::u16string_view text, int32_t& value, int32_t min, int32_t max) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    uint64_t magnitude = 0;  // 19 digits fit
    int digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (digits == INTEGER_MAX_DIGITS) return VALID_OUT_OF_RANGE;
        magnitude = magnitude * 10 + (text[i] - u'0');
        ++digits;
    }
    if (i < text.size()) return VALID_BAD_CHAR;
    if (digits == 0) return VALID_EMPTY;
    // Beyond 2^31 no 32-bit bound can hold it.
    if (magnitude > uint64_t{1} << 31) return VALID_OUT_OF_RANGE;
    const int64_t number = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (number < min || number > max) return VALID_OUT_OF_RANGE;
    value = static_cast<int32_t>(number);
    return VALID_OK;
}

ValidationResult ScanDecimal(std::u16string_view text, double& value, double min, double max) {
    size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    int64_t integerPart = 0;
    int integerDigits = 0;
    double fraction = 0;
    double divisor = 1;
    bool afterPoint = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsDigit(c)) {
            anyDigit = true;
            if (!afterPoint) {
                if (integerDigits == DECIMAL_MAX_INT_DIGITS) return VALID_OUT_OF_RANGE;
                integerPart = integerPart * 10 + (c - u'0');
                ++integerDigits;
            } else if (divisor < MAX_DECIMAL_DIVISOR) {
                fraction = fraction * 10 + (c - u'0');
                divisor *= 10;
            }
        } else if (c == u'.') {
            if (afterPoint) return VALID_BAD_FORMAT;
            afterPoint = true;
        } else {
            return VALID_BAD_CHAR;
        }
    }
    if (!anyDigit) return VALID_EMPTY;
    double number = fraction / divisor + static_cast<double>(integerPart);
    if (negative) number = -number;
    if (!(min <= number && number <= max)) return VALID_OUT_OF_RANGE;
    value = number;
    return VALID_OK;
}

}  // namespace

ValidationResult ValidateInteger(std::u16string_view text, int32_t& value, int32_t min, int32_t max,
                                 FieldName name) {
    const ValidationResult result = ScanInteger(UpToNul(text), value, min, max);
    if (result == VALID_OUT_OF_RANGE) Show(name, u"%s: 数值必须在%d至%d之内!", min, max);
    ReportNumberProblem(result, name);
    return result;
}

ValidationResult ValidateDecimal(std::u16string_view text, double& value, double min, double max,
                                 FieldName name) {
    const ValidationResult result = ScanDecimal(UpToNul(text), value, min, max);
    if (result == VALID_OUT_OF_RANGE) Show(name, u"%s: 数值必须在%0.1f至%0.1f之内!", min, max);
    ReportNumberProblem(result, name);
    return result;
}

TextResult ValidateText(std::string_view bytes, uint8_t maxLength, bool checkChars, bool allowEmpty,
                        FieldName name) {
    bytes = UpToNul(bytes);
    TextResult result = TEXT_OK;
    if (bytes.empty()) {
        result = allowEmpty ? TEXT_OK : TEXT_EMPTY;
    } else {
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i >= maxLength) {
                result = TEXT_TOO_LONG;
                break;
            }
            if (checkChars && !TEXT_ALLOWED_BYTES[static_cast<unsigned char>(bytes[i])]) {
                result = TEXT_BAD_CHAR;
                break;
            }
        }
    }
    switch (result) {
        case TEXT_EMPTY: Show(name, u"%s: 不能为空!"); break;
        case TEXT_TOO_LONG: Show(name, u"%s: 字符串太长!"); break;
        case TEXT_BAD_CHAR: Show(name, u"%s: 存在非法字符!"); break;
        case TEXT_OK: break;
    }
    return result;
}
