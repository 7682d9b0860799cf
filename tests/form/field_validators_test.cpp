#include <gtest/gtest.h>

#include <string>

#include "form/field_validators.h"
#include "support/recorded_messages.h"

namespace {

struct IntegerCase {
    std::u16string text;
    int32_t min, max;
    ValidationResult result;
    int32_t value;  // only for VALID_OK
};

TEST(ValidateInteger, Cases) {
    const IntegerCase cases[] = {
        {u"  42", 0, 100, VALID_OK, 42},
        {u"+7", 0, 100, VALID_OK, 7},
        {u"-0", 0, 100, VALID_OK, 0},
        {u"007", 0, 100, VALID_OK, 7},
        {u"-15", -20, 0, VALID_OK, -15},
        {u"60", 0, 60, VALID_OK, 60},
        {u"0", 0, 60, VALID_OK, 0},
        {u"61", 0, 60, VALID_OUT_OF_RANGE, 0},
        {u"-1", 0, 60, VALID_OUT_OF_RANGE, 0},
        {u"42 ", 0, 100, VALID_BAD_CHAR, 0},
        {u"4 2", 0, 100, VALID_BAD_CHAR, 0},
        {u"--5", -10, 10, VALID_BAD_CHAR, 0},
        {u"+-5", -10, 10, VALID_BAD_CHAR, 0},
        {u"1.0", 0, 10, VALID_BAD_CHAR, 0},
        {u"\t5", 0, 10, VALID_BAD_CHAR, 0},   // only spaces are skipped
        {u"x", 0, 10, VALID_BAD_CHAR, 0},
        {u"１２", 0, 100, VALID_BAD_CHAR, 0},  // full-width digits are not digits
        {u"", 0, 10, VALID_EMPTY, 0},
        {u"   ", 0, 10, VALID_EMPTY, 0},
        {u"-", 0, 10, VALID_EMPTY, 0},
        {u"+", 0, 10, VALID_EMPTY, 0},
        {u"0000000000000000001", 0, 10, VALID_OK, 1},               // 19 digits
        {u"00000000000000000001", 0, 10, VALID_OUT_OF_RANGE, 0},    // 20 digits
        {u"00000000000000000001x", 0, 10, VALID_OUT_OF_RANGE, 0},   // stops at the 20th
        {u"4294967297", 0, 60, VALID_OUT_OF_RANGE, 0},              // 2^32 + 1 is not 1
        {u"9999999999999999999", INT32_MIN, INT32_MAX, VALID_OUT_OF_RANGE, 0},
        {u"2147483647", INT32_MIN, INT32_MAX, VALID_OK, INT32_MAX},
        {u"2147483648", INT32_MIN, INT32_MAX, VALID_OUT_OF_RANGE, 0},
        {u"-2147483648", INT32_MIN, INT32_MAX, VALID_OK, INT32_MIN},
        {u"-2147483649", INT32_MIN, INT32_MAX, VALID_OUT_OF_RANGE, 0},
        {std::u16string(u"12\0x", 4), 0, 100, VALID_OK, 12},  // the text ends at its NUL
        {std::u16string(5000, u'9'), INT32_MIN, INT32_MAX, VALID_OUT_OF_RANGE, 0},
        {std::u16string(5000, u'-'), INT32_MIN, INT32_MAX, VALID_BAD_CHAR, 0},
    };
    for (const IntegerCase& c : cases) {
        int32_t value = 0;
        EXPECT_EQ(ValidateInteger(c.text, value, c.min, c.max), c.result) << c.text.size();
        if (c.result == VALID_OK) {
            EXPECT_EQ(value, c.value);
        }
    }
}

struct DecimalCase {
    std::u16string text;
    double min, max;
    ValidationResult result;
    double value;  // only for VALID_OK
};

TEST(ValidateDecimal, Cases) {
    const DecimalCase cases[] = {
        {u"2.0", 0, 10, VALID_OK, 2.0},
        {u"2.", 0, 10, VALID_OK, 2.0},
        {u".5", 0, 10, VALID_OK, 0.5},
        {u"-.5", -1, 10, VALID_OK, -0.5},
        {u" -3.25", -10, 10, VALID_OK, -3.25},
        {u"+12.3", 0, 100, VALID_OK, 12.3},
        {u"-40", -40.0, 85.0, VALID_OK, -40.0},
        {u"9999999999.5", 0, 1e11, VALID_OK, 9999999999.5},  // 10 integer digits
        {u".", 0, 10, VALID_EMPTY, 0},
        {u"-", 0, 10, VALID_EMPTY, 0},
        {u"", 0, 10, VALID_EMPTY, 0},
        {u"  ", 0, 10, VALID_EMPTY, 0},
        {u"1.2.3", 0, 10, VALID_BAD_FORMAT, 0},
        {u"1..2", 0, 10, VALID_BAD_FORMAT, 0},
        {u"1,5", 0, 10, VALID_BAD_CHAR, 0},
        {u"1e3", 0, 1e6, VALID_BAD_CHAR, 0},
        {u"1.5 ", 0, 10, VALID_BAD_CHAR, 0},
        {u"--1", -10, 10, VALID_BAD_CHAR, 0},
        {u"1a.2.3", 0, 10, VALID_BAD_CHAR, 0},   // the first problem wins
        {u"1.2.a", 0, 10, VALID_BAD_FORMAT, 0},
        {u"１", 0, 10, VALID_BAD_CHAR, 0},
        {u"12345678901", -1e12, 1e12, VALID_OUT_OF_RANGE, 0},
        {u"-50", -40.0, 85.0, VALID_OUT_OF_RANGE, 0},
        {u"-5", 0.0, 100.0, VALID_OUT_OF_RANGE, 0},
        {u"85.01", -40.0, 85.0, VALID_OUT_OF_RANGE, 0},
        {std::u16string(u"3.5\0.x", 6), 0, 10, VALID_OK, 3.5},
        // Digits after the point are not limited; thousands of them still make a
        // number, not the NaN of an overflowed fraction over an overflowed divisor.
        {u"0." + std::u16string(5000, u'9'), 0, 10, VALID_OK, 1.0},
    };
    for (const DecimalCase& c : cases) {
        double value = 0;
        EXPECT_EQ(ValidateDecimal(c.text, value, c.min, c.max), c.result) << c.text.size();
        if (c.result == VALID_OK) {
            EXPECT_DOUBLE_EQ(value, c.value);
        }
    }
}

struct TextCase {
    std::string bytes;
    uint8_t maxLength;
    bool checkChars, allowEmpty;
    TextResult result;
};

TEST(ValidateText, Cases) {
    const TextCase cases[] = {
        {std::string(20, 'a'), 20, true, false, TEXT_OK},
        {std::string(21, 'a'), 20, true, false, TEXT_TOO_LONG},
        {"", 20, true, true, TEXT_OK},
        {"", 20, true, false, TEXT_EMPTY},
        {std::string("\0abc", 4), 20, true, false, TEXT_EMPTY},
        {"a\tb\r\nc ~!", 20, true, false, TEXT_OK},
        {"\xD6\xD0", 20, true, false, TEXT_BAD_CHAR},  // 中 in CP936
        {"\xD6\xD0", 20, false, false, TEXT_OK},
        {"\xD6\xD0\xD6", 2, false, false, TEXT_TOO_LONG},
        {"ab\xD6" + std::string(30, 'a'), 20, true, false, TEXT_BAD_CHAR},  // first problem wins
        {std::string(20, 'a') + "\xD6", 20, true, false, TEXT_TOO_LONG},
        {"x", 0, false, false, TEXT_TOO_LONG},
        {std::string(100000, 'a'), 255, true, false, TEXT_TOO_LONG},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(ValidateText(c.bytes, c.maxLength, c.checkChars, c.allowEmpty), c.result)
            << c.bytes.size();
    }
}

TEST(ValidateText, AllowedBytes) {
    for (int b : {0x09, 0x0A, 0x0D, 0x20, 0x41, 0x7E, 0xA1, 0xA8, 0xAE, 0xB0, 0xBA}) {
        EXPECT_EQ(ValidateText(std::string(1, char(b)), 20, true, false), TEXT_OK) << b;
    }
    for (int b : {0x01, 0x08, 0x0B, 0x0C, 0x1F, 0x7F, 0x80, 0xA0, 0xA2, 0xAF, 0xB1, 0xB9, 0xBB, 0xFF}) {
        EXPECT_EQ(ValidateText(std::string(1, char(b)), 20, true, false), TEXT_BAD_CHAR) << b;
    }
}

struct MessageCase {
    const char* what;
    unsigned (*run)();
    unsigned result;
    const char16_t* message;
};

int32_t g_int;
double g_real;

TEST(Validators, MessagesBeginWithTheFieldName) {
    const MessageCase cases[] = {
        {"integer range", [] { return unsigned(ValidateInteger(u"61", g_int, 0, 60, u"Logging interval")); },
         VALID_OUT_OF_RANGE, u"Logging interval: 数值必须在0至60之内!"},
        {"negative bounds", [] { return unsigned(ValidateInteger(u"0", g_int, -10, -6, u"Zone")); },
         VALID_OUT_OF_RANGE, u"Zone: 数值必须在-10至-6之内!"},
        {"decimal range",
         [] { return unsigned(ValidateDecimal(u"-50", g_real, -40.0, 185.0, u"Temperature")); },
         VALID_OUT_OF_RANGE, u"Temperature: 数值必须在-40.0至185.0之内!"},
        {"decimal bounds rounded",
         [] { return unsigned(ValidateDecimal(u"100.1", g_real, 0.05, 99.96, u"Humidity")); },
         VALID_OUT_OF_RANGE, u"Humidity: 数值必须在0.1至100.0之内!"},
        {"integer empty", [] { return unsigned(ValidateInteger(u" ", g_int, 0, 1, u"N")); }, VALID_EMPTY,
         u"N: 内容为空"},
        {"decimal empty", [] { return unsigned(ValidateDecimal(u".", g_real, 0, 1, u"N")); }, VALID_EMPTY,
         u"N: 内容为空"},
        {"integer bad char", [] { return unsigned(ValidateInteger(u"1x", g_int, 0, 1, u"N")); },
         VALID_BAD_CHAR, u"N: 存在非法字符!"},
        {"decimal bad char", [] { return unsigned(ValidateDecimal(u"1,0", g_real, 0, 1, u"N")); },
         VALID_BAD_CHAR, u"N: 存在非法字符!"},
        {"decimal format", [] { return unsigned(ValidateDecimal(u"1.2.3", g_real, 0, 9, u"N")); },
         VALID_BAD_FORMAT, u"N: 数值格式错误!"},
        {"text empty", [] { return unsigned(ValidateText("", 20, true, false, u"Device name ")); },
         TEXT_EMPTY, u"Device name : 不能为空!"},
        {"text long", [] { return unsigned(ValidateText("123456789", 8, true, false, u"PDF password")); },
         TEXT_TOO_LONG, u"PDF password: 字符串太长!"},
        {"text char", [] { return unsigned(ValidateText("\xD6\xD0", 20, true, false, u"Trademark")); },
         TEXT_BAD_CHAR, u"Trademark: 存在非法字符!"},
        {"name with a percent sign", [] { return unsigned(ValidateInteger(u"", g_int, 0, 1, u"100%s")); },
         VALID_EMPTY, u"100%s: 内容为空"},
    };
    for (const MessageCase& c : cases) {
        RecordedMessages messages;
        EXPECT_EQ(c.run(), c.result) << c.what;
        EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{c.message}) << c.what;
    }
}

TEST(Validators, SilentWithoutANameOrOnSuccess) {
    RecordedMessages messages;
    EXPECT_EQ(ValidateInteger(u"x", g_int, 0, 1), VALID_BAD_CHAR);
    EXPECT_EQ(ValidateDecimal(u"", g_real, 0, 1), VALID_EMPTY);
    EXPECT_EQ(ValidateText("", 1, true, false), TEXT_EMPTY);
    EXPECT_EQ(ValidateInteger(u"1", g_int, 0, 1, u"N"), VALID_OK);
    EXPECT_EQ(ValidateDecimal(u"1", g_real, 0, 1, u"N"), VALID_OK);
    EXPECT_EQ(ValidateText("a", 1, true, false, u"N"), TEXT_OK);
    EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
