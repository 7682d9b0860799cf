#include <gtest/gtest.h>

#include "platform/format_text.h"

namespace {

TEST(FormatText, FillsConversionsInOrder) {
    struct Case {
        std::u16string got;
        std::u16string expected;
    };
    const Case cases[] = {
        {FormatText(u"%s: 数值必须在%d至%d之内!", {u"Logging interval", -5, 60}),
         u"Logging interval: 数值必须在-5至60之内!"},
        {FormatText(u"%s: 数值必须在%0.1f至%0.1f之内!", {u"Low alert", -40.0, 185.0}),
         u"Low alert: 数值必须在-40.0至185.0之内!"},
        {FormatText(u"%1.1f|%0.1f", {0.05, -0.04}), u"0.1|-0.0"},
        {FormatText(u"V%X.%03X", {0x5, 0x16}), u"V5.016"},
        {FormatText(u"V%X.%02X", {0xFF, 0xFE}), u"VFF.FE"},
        {FormatText(u"100%% %d", {7}), u"100% 7"},
        {FormatText(u"%s and %d", {u"only"}), u"only and "},
        {FormatText(u"%d", {4294967295u}), u"4294967295"},
        {FormatText(u"trailing %", {1}), u"trailing "},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

}  // namespace
