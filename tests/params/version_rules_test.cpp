#include <gtest/gtest.h>

#include "params/version_rules.h"
#include "support/recorded_messages.h"

namespace {

struct ToolVersionCase {
    uint16_t minToolVersion;
    const char16_t* refusal;  // nullptr: the block loads
};

TEST(ToolVersionRule, RefusesOnlyBlocksDemandingANewerTool) {
    const ToolVersionCase cases[] = {
        {0x0412, nullptr},
        {0x0411, nullptr},
        {0x0000, nullptr},
        {0xFFFF, nullptr},
        {0x0413,
         u"The version of this configuration tool is too low！\r\n"
         u"Please use configuration tool V4.13 or a higher version."},
        {0x0500,
         u"The version of this configuration tool is too low！\r\n"
         u"Please use configuration tool V5.00 or a higher version."},
        {0xFFFE,
         u"The version of this configuration tool is too low！\r\n"
         u"Please use configuration tool VFF.FE or a higher version."},
    };
    for (const ToolVersionCase& c : cases) {
        RecordedMessages messages;
        SCOPED_TRACE(c.minToolVersion);
        EXPECT_EQ(CheckToolVersion(c.minToolVersion), c.refusal == nullptr);
        if (c.refusal == nullptr) {
            EXPECT_TRUE(messages.Texts().empty());
        } else {
            EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{c.refusal});
        }
    }
}

TEST(FirmwareVersionText, TopFourBitsThenLowTwelve) {
    EXPECT_EQ(FirmwareVersionText(0x5016), u"FW Version:V5.016");
    EXPECT_EQ(FirmwareVersionText(0x0000), u"FW Version:V0.000");
    EXPECT_EQ(FirmwareVersionText(0x1ABC), u"FW Version:V1.ABC");
    EXPECT_EQ(FirmwareVersionText(0xFFFF), u"FW Version:VF.FFF");
}

}  // namespace
