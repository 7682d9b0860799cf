#include <gtest/gtest.h>

#include "loop/loop_state.h"
#include "upgrade/stored_image.h"
#include "support/upgrade_rig.h"

namespace {

const std::u16string MISMATCH = u"固件PID/VID不匹配!";

struct DecisionCase {
    const char* what;
    uint16_t version;
    uint8_t ch3Type;
    uint8_t variant;
    uint8_t deviceType;
    const StoredImage* image;  // the one armed, or none
    bool mismatch;
};

TEST(UpgradeDecision, VersionFamilyTypeAndIdentityDecide) {
    const DecisionCase cases[] = {
        {"noise logger, older firmware", 0x5010, 1, 7, 0x92, &g_noiseImage, false},
        {"wind logger", 0x5010, 2, 7, 0x92, &g_windImage, false},
        {"illuminance logger", 0x5000, 0, 7, 0x92, &g_illuminanceImage, false},
        {"one below the images' version", 0x5015, 1, 7, 0x92, &g_noiseImage, false},
        {"the images' version", 0x5016, 1, 7, 0x92, nullptr, false},
        {"newer in the family", 0x50FF, 1, 7, 0x92, nullptr, false},
        {"older family", 0x4FFF, 1, 7, 0x92, nullptr, false},
        {"next family", 0x5100, 1, 7, 0x92, nullptr, false},
        {"current family", 0x6000, 1, 7, 0x92, nullptr, false},
        {"unknown third channel", 0x5010, 3, 7, 0x92, nullptr, false},
        {"another variant", 0x5010, 1, 8, 0x92, nullptr, true},
        {"another device type", 0x5010, 1, 7, 0x93, nullptr, true},
    };
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        g_fwVersion = c.version;
        g_fwVersionHi = static_cast<uint8_t>(c.version >> 8);
        g_ch3Type = c.ch3Type;
        g_deviceVariant = c.variant;
        g_deviceType = c.deviceType;
        // Left over from an earlier upgrade: never carried into this one.
        g_imageSent = 560;
        g_imageChecksum = 1234;

        EXPECT_EQ(rig.dlg->CheckFirmwareUpgrade(), c.image != nullptr);
        EXPECT_EQ(g_image.load(), c.image);
        EXPECT_EQ(g_imageSize.load(), c.image ? 0xE400u : 0u);
        EXPECT_EQ(g_imageSent.load(), 0u);
        EXPECT_EQ(g_imageChecksum.load(), 0u);
        EXPECT_EQ(rig.messages.Texts(), c.mismatch ? std::vector{MISMATCH} : std::vector<std::u16string>{});
    }
}

struct ConfigureCase {
    const char* what;
    SimLogger logger;
    std::vector<std::u16string> messages;
};

// Whenever no upgrade is due, or the image does not fit, pressing the button
// writes the configuration.
TEST(UpgradeDecision, WithoutAnUpgradeTheConfigurationIsWritten) {
    const std::vector<ConfigureCase> cases = {
        {"current firmware", LoggerWith(0x5016, 1), {}},
        {"unknown third channel", LoggerWith(0x5010, 3), {}},
        {"another variant", LoggerWith(0x5010, 1, 8), {MISMATCH}},
    };
    for (const ConfigureCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        const int id = PlugForUpgrade(rig, c.logger);
        ASSERT_EQ(rig.Button(), u"Configure");
        rig.Click(IDC_CONFIGURE);
        rig.Tick();
        EXPECT_EQ(rig.messages.Texts(), c.messages);
        const std::vector<uint8_t> codes = rig.ReceivedCodes(id);
        ASSERT_GE(codes.size(), 2u);
        EXPECT_EQ(std::vector<uint8_t>(codes.end() - 2, codes.end()),
                  (std::vector<uint8_t>{PARAM_END, CMD_CONFIG_CLOSE}));
        EXPECT_TRUE(UpgradeReports(rig.bus.Received(id)).empty());
        EXPECT_EQ(rig.Button(), u"配置中...");
        EXPECT_EQ(g_upgradeState.load(), UPGRADE_IDLE);
    }
}

TEST(UpgradeDecision, AnUpgradeDueWithTwoLoggersDoesNothingButSaySo) {
    DialogRig rig;
    rig.Tick();
    const int first = rig.bus.Plug(LoggerWith(0x5010, 1));
    const int second = rig.bus.Plug(LoggerWith(0x5010, 1));
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_OPENED));
    rig.Tick();
    g_deviceVariant = 7;
    g_ch3Type = 1;
    ASSERT_EQ(rig.Button(), u"Configure");
    const size_t read = rig.bus.Received(first).size();

    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"升级失败,请确保只有一个设备插入USB!"});
    EXPECT_EQ(rig.bus.Received(first).size(), read);
    EXPECT_TRUE(rig.bus.Received(second).empty());
    EXPECT_EQ(g_upgradeState.load(), UPGRADE_IDLE);
    EXPECT_EQ(rig.Button(), u"Configure");
    EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
}

}  // namespace
