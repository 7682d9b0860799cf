#include <gtest/gtest.h>

#include "support/recorded_messages.h"

TEST(MessageBox, GoesToTheInstalledHostWithItsExactText) {
    RecordedMessages messages;
    EXPECT_EQ(AfxMessageBox(u"The version of this configuration tool is too low！\r\nV4.13"), IDOK);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], u"The version of this configuration tool is too low！\r\nV4.13");
}

TEST(MessageBox, Utf8OfChineseAndSurrogates) {
    EXPECT_EQ(ToUtf8(u"HID接收错误!"), "HID接收错误!");
    EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
