#include <gtest/gtest.h>

#include <set>

#include "platform/ansi_code_page.h"

namespace {

struct LocaleCase {
    const char* locale;
    CodePage codePage;
};

TEST(AnsiCodePage, ChosenFromTheLocaleAsWindowsChoosesIt) {
    const LocaleCase cases[] = {
        {"zh_CN.UTF-8", 936},   {"zh_SG", 936},        {"zh", 936},         {"zh_TW.Big5", 950},
        {"zh_HK.UTF-8", 950},   {"zh_MO", 950},        {"ja_JP.eucJP", 932}, {"ko_KR.UTF-8", 949},
        {"ru_RU.UTF-8", 1251},  {"uk_UA", 1251},       {"be_BY", 1251},     {"bg_BG", 1251},
        {"sr_RS", 1251},        {"sr_RS@latin", 1250}, {"mk_MK", 1251},     {"cs_CZ", 1250},
        {"pl_PL.UTF-8", 1250},  {"hu_HU", 1250},       {"sk_SK", 1250},     {"sl_SI", 1250},
        {"hr_HR", 1250},        {"ro_RO", 1250},       {"sq_AL", 1250},     {"el_GR", 1253},
        {"tr_TR", 1254},        {"he_IL", 1255},       {"ar_EG", 1256},     {"lt_LT", 1257},
        {"lv_LV", 1257},        {"et_EE", 1257},       {"vi_VN", 1258},     {"th_TH.TIS-620", 874},
        {"en_US.UTF-8", 1252},  {"de_DE@euro", 1252},  {"C", 1252},         {"C.UTF-8", 1252},
        {"POSIX", 1252},        {"", 1252},            {"ZH_cn.utf8", 936}, {"rus", 1252},
    };
    for (const LocaleCase& c : cases) {
        EXPECT_EQ(CodePageForLocale(c.locale), c.codePage) << c.locale;
    }
}

TEST(AnsiCodePage, EveryCodePageALocaleCanPickConvertsOnThisSystem) {
    // glibc's converters come with libc6 itself; a missing one would turn every
    // device text into question marks.
    for (CodePage codePage : {874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u, 1254u,
                              1255u, 1256u, 1257u, 1258u}) {
        EXPECT_TRUE(CodePageAvailable(codePage)) << codePage;
    }
}

struct RoundTrip {
    CodePage codePage;
    std::u16string text;
    std::string bytes;
};

TEST(AnsiCodePage, ConvertsBothWays) {
    const RoundTrip cases[] = {
        {936, u"中文 Logger", "\xD6\xD0\xCE\xC4 Logger"},
        {950, u"中文", "\xA4\xA4\xA4\xE5"},
        {1252, u"Café ±5 °C", "Caf\xE9 \xB1" "5 \xB0" "C"},
        {1252, u"€", "\x80"},
        {1251, u"Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {1252, u"", ""},
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(WideToMultiByte(c.text, c.codePage), c.bytes) << c.codePage;
        EXPECT_EQ(MultiByteToWide(c.bytes, c.codePage), c.text) << c.codePage;
    }
}

TEST(AnsiCodePage, UnmappableCharactersBecomeQuestionMarks) {
    const RoundTrip cases[] = {
        {1252, u"a中b", "a?b"},
        {1251, u"é", "?"},
        {936, u"x\U0001F600y", "x??y"},                 // one per UTF-16 unit
        {1252, std::u16string{u'a', char16_t(0xD800), u'b'}, "a?b"},  // lone surrogate
        {1252, std::u16string{u'a', char16_t(0xDC00)}, "a?"},
        {1252, std::u16string{char16_t(0xD83D)}, "?"},  // cut-off pair at the end
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(WideToMultiByte(c.text, c.codePage), c.bytes) << c.codePage;
    }
}

TEST(AnsiCodePage, UndefinedBytesBecomeQuestionMarks) {
    const RoundTrip cases[] = {
        {936, u"a?b", "a\xFF" "b"},
        {936, u"中?", "\xD6\xD0\xD6"},  // lead byte cut off at the end
        {1252, u"?", "\x81"},
    };
    for (const RoundTrip& c : cases) {
        EXPECT_EQ(MultiByteToWide(c.bytes, c.codePage), c.text) << c.codePage;
    }
}

TEST(AnsiCodePage, ExplicitChoiceGovernsTheAnsiConversions) {
    SetAnsiCodePage(1251);
    EXPECT_EQ(GetACP(), 1251u);
    EXPECT_EQ(MultiByteToWide("\xCF"), u"П");
    SetAnsiCodePage(936);
    EXPECT_EQ(WideToMultiByte(u"中"), "\xD6\xD0");
    SetAnsiCodePage(CP_ACP);
}

TEST(AnsiCodePage, FollowsTheEnvironmentsLocaleWhenNotChosen) {
    // Each test runs in its own process, so the locale is read here first.
    ASSERT_EQ(setenv("LC_ALL", "", 1), 0);
    ASSERT_EQ(setenv("LC_CTYPE", "zh_TW.UTF-8", 1), 0);
    ASSERT_EQ(setenv("LANG", "ru_RU.UTF-8", 1), 0);
    EXPECT_EQ(GetACP(), 950u);
}

}  // namespace
