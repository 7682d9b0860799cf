#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/pending_events.h"
#include "upgrade/stored_image.h"
#include "params/third_channel.h"
#include "support/configuration_codes.h"
#include "support/upgrade_rig.h"

namespace {

constexpr size_t BLOCK_READS = 9;   // the parameter block in chunks of 58
constexpr size_t IMAGE_BLOCKS = 1043;
const std::u16string RESTARTING_TEXT = u"正在更新固件";

// What the logger received of the upgrade: every block in order with the
// image's bytes, the close at the image's size, then the restart.
void ExpectWholeImage(const std::vector<Report>& reports, const StoredImage& image) {
    ASSERT_EQ(reports.size(), IMAGE_BLOCKS + 2);
    for (size_t i = 0; i < IMAGE_BLOCKS; ++i) {
        SCOPED_TRACE(i);
        const Report& r = reports[i];
        const uint32_t length = i + 1 < IMAGE_BLOCKS ? 56 : 16;
        EXPECT_EQ(r[0], REPORT_ID);
        EXPECT_EQ(r[REPORT_CODE], CMD_FIRMWARE);
        EXPECT_EQ(r[REPORT_PL], 6 + length);
        EXPECT_EQ(OffsetOf(r), i * 56);
        EXPECT_TRUE(std::equal(r.begin() + 6, r.begin() + 6 + length, image.bytes.begin() + i * 56));
        EXPECT_TRUE(std::all_of(r.begin() + 6 + length, r.end(), [](uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(OffsetOf(reports[IMAGE_BLOCKS - 1]), 58352u);
    Report close{0x01, 0x93, 0x06, 0x00, 0xE4, 0x00};
    EXPECT_EQ(reports[IMAGE_BLOCKS], close);
    Report restart{0x01, 0x7F, 0x06, 0x00, 0x00, 0x00};
    EXPECT_EQ(reports[IMAGE_BLOCKS + 1], restart);
}

// The progress on the button: 01 first, after the eleventh block, then each
// percent up to 99, never 00 or 100, and the restart text last.
void ExpectProgress(const std::vector<std::pair<std::u16string, uint32_t>>& texts) {
    std::vector<std::u16string> progress;
    for (const auto& [text, sent] : texts) {
        if (text.starts_with(u"升级中")) progress.push_back(text);
    }
    std::vector<std::u16string> expected;
    for (int percent = 1; percent <= 99; ++percent) {
        const char16_t digits[] = {char16_t(u'0' + percent / 10), char16_t(u'0' + percent % 10), 0};
        expected.push_back(u"升级中(" + std::u16string(digits) + u"%)");
    }
    EXPECT_EQ(progress, expected);
    const auto first = std::find_if(texts.begin(), texts.end(),
                                    [](const auto& t) { return t.first == u"升级中(01%)"; });
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(first->second, 616u);
    const auto restarting = std::find_if(texts.begin(), texts.end(),
                                         [](const auto& t) { return t.first == RESTARTING_TEXT; });
    ASSERT_NE(restarting, texts.end());
    EXPECT_EQ((restarting - 1)->first, u"升级中(99%)");
}

TEST(WholeUpgrade, ImageBlocksCloseRestartAndTheConfigurationWhenTheLoggerIsBack) {
    DialogRig rig;
    ButtonWatch watch(rig.form());
    const int id = PlugForUpgrade(rig, LoggerWith(0x5010, 1));
    ASSERT_EQ(rig.Button(), u"Configure");

    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"配置中..."; }));

    const std::vector<Report> received = rig.bus.Received(id);
    ExpectWholeImage(UpgradeReports(received), g_noiseImage);
    std::vector<uint8_t> afterRestart;
    for (size_t i = BLOCK_READS + IMAGE_BLOCKS + 2; i < received.size(); ++i) {
        afterRestart.push_back(received[i][REPORT_CODE]);
    }
    // The block read again, then the whole configuration of a noise logger.
    std::vector<uint8_t> expected(BLOCK_READS, CMD_READ_PARAMETERS);
    const std::vector<uint8_t> configuration = FullConfigurationReports(CH3_NOISE);
    expected.insert(expected.end(), configuration.begin(), configuration.end());
    EXPECT_EQ(afterRestart, expected);

    // The logger installed the image and came back with its version.
    EXPECT_EQ(rig.bus.Image(id), std::vector<uint8_t>(g_noiseImage.bytes.begin(), g_noiseImage.bytes.end()));
    EXPECT_EQ(rig.bus.Block(id)[BLOCK_FW_VERSION_HIGH.offset], 0x50);
    EXPECT_EQ(rig.bus.Block(id)[BLOCK_FW_VERSION_LOW.offset], 0x16);

    ExpectProgress(watch.Texts());
    const std::vector<std::u16string> repainted = watch.Repainted();
    EXPECT_NE(std::find(repainted.begin(), repainted.end(), RESTARTING_TEXT), repainted.end());
    EXPECT_TRUE(rig.messages.Texts().empty());
    EXPECT_EQ(g_upgradeState.load(), UPGRADE_IDLE);
    EXPECT_EQ(g_image.load(), nullptr);
    EXPECT_EQ(g_imageSize.load(), 0u);
}

// A logger that drops an image block gets the same block again after the
// reader's read time-out, and then the rest in order: no block skipped, none
// sent twice once it answers.
TEST(WholeUpgrade, ASilentLoggerGetsTheSameBlockAgainUntilItAnswers) {
    DialogRig rig;
    const int id = PlugForUpgrade(rig, LoggerWith(0x5010, 2));
    rig.bus.Modify(id, [](SimLogger& l) {
        l.faults.silentFromReport = BLOCK_READS + 5;
        l.faults.silentAnswers = 1;
    });
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"配置中..."; }, std::chrono::seconds(20)));

    std::vector<Report> reports = UpgradeReports(rig.bus.Received(id));
    ASSERT_GT(reports.size(), 5u);
    EXPECT_EQ(reports[4], reports[5]);
    reports.erase(reports.begin() + 5);
    ExpectWholeImage(reports, g_windImage);
    EXPECT_TRUE(rig.messages.Texts().empty());
}

struct EndingCase {
    const char* what;
    std::function<void(SimFaults&)> fault;
    std::u16string message;
    size_t upgradeReports;  // what the logger received of the upgrade
    std::u16string button;  // after the ending
    bool unplugged;         // the fault took the logger away
};

// Each way an upgrade can end early: one message, the idle state, nothing
// more sent, and the button as it was left; unplugging and plugging the
// logger in again brings the form back.
TEST(WholeUpgrade, RefusalWrongSumAndUnpluggingEndTheUpgrade) {
    const std::u16string INTERRUPTED = u"Upgrade interrupted. Please ensure the device is properly connected!";
    const std::vector<EndingCase> cases = {
        {"refused at the first block", [](SimFaults& f) { f.refuseImageReport = 0; }, u"升级操作被拒绝!", 1,
         u"Configure", false},
        {"refused at the 21st block", [](SimFaults& f) { f.refuseImageReport = 20; }, u"升级操作被拒绝!", 21,
         u"升级中(01%)", false},
        {"wrong sum", [](SimFaults& f) { f.wrongImageSum = true; }, u"升级失败:固件校验错误!",
         IMAGE_BLOCKS + 1, u"升级中(99%)", false},
        {"unplugged at the first block", [](SimFaults& f) { f.goAwayAtReport = BLOCK_READS + 1; }, INTERRUPTED,
         1, u"Input Device", true},
        {"unplugged at block 500", [](SimFaults& f) { f.goAwayAtReport = BLOCK_READS + 500; }, INTERRUPTED, 500,
         u"Input Device", true},
        {"unplugged at the image close", [](SimFaults& f) { f.goAwayAtReport = BLOCK_READS + IMAGE_BLOCKS + 1; },
         INTERRUPTED, IMAGE_BLOCKS + 1, u"Input Device", true},
    };
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        const int id = PlugForUpgrade(rig, LoggerWith(0x5010, 0));
        rig.bus.Modify(id, [&](SimLogger& l) { c.fault(l.faults); });
        rig.Click(IDC_CONFIGURE);
        rig.Tick();
        ASSERT_TRUE(rig.TickUntil([&] {
            return !rig.messages.Texts().empty() && g_upgradeState.load() == UPGRADE_IDLE &&
                   rig.Button() == c.button;
        }));
        for (int i = 0; i < 5; ++i) rig.Tick();

        EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{c.message});
        EXPECT_EQ(UpgradeReports(rig.bus.Received(id)).size(), c.upgradeReports);
        EXPECT_EQ(g_imageSize.load(), 0u);
        EXPECT_EQ(g_imageSent.load(), 0u);
        EXPECT_EQ(rig.Button(), c.button);
        EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
        rig.Click(IDC_CONFIGURE);  // disabled: raises nothing
        EXPECT_EQ(g_pendingEvents, 0u);

        if (!c.unplugged) {
            rig.bus.Unplug(id);
            ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Input Device"; }));
        }
        rig.bus.Replug(id);
        ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Configure"; }));
        EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
        EXPECT_EQ(rig.messages.Texts().size(), 1u);
    }
}

}  // namespace
