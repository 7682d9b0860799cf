#include <gtest/gtest.h>

#include "app/pending_events.h"
#include "hid/record_queue.h"
#include "loop/loop_state.h"
#include "support/configuration_codes.h"
#include "support/dialog_rig.h"
#include "upgrade/upgrade_state.h"

namespace {

using Codes = std::vector<uint8_t>;
const Codes BLOCK_READ(9, CMD_READ_PARAMETERS);

Codes Concat(Codes a, const Codes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(TimerLoop, FirstTickShowsInputDeviceAndTalksToNoDevice) {
    DialogRig rig;
    const int id = rig.bus.Plug();
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_OPENED));
    rig.Tick();
    EXPECT_EQ(rig.Button(), u"Input Device");
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    EXPECT_GE(rig.form().InvalidationCount(IDC_CONFIGURE), 1);
    EXPECT_EQ(rig.form().Get(IDC_START_TIME).dateTimeFormat, u"dd/MM/yyyy HH:mm ");
    EXPECT_TRUE(rig.bus.Received(id).empty());
    EXPECT_TRUE(rig.timer.armed);
    EXPECT_EQ(rig.timer.period, 50u);

    rig.Tick();  // the opening is taken from the second tick on
    EXPECT_EQ(rig.Button(), u"Configure");
    EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);
    EXPECT_EQ(g_fwVersion, 0x5016);
    EXPECT_EQ(g_fwVersionHi, 0x50);
    EXPECT_EQ(g_deviceType, 0x92);
}

TEST(TimerLoop, ConfigureWritesTheQueueAndTheClosingCommand) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    ASSERT_EQ(rig.Button(), u"Configure");
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(rig.Button(), u"配置中...");
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    EXPECT_EQ(rig.ReceivedCodes(id), Concat(BLOCK_READ, FullConfigurationReports()));
    EXPECT_EQ(g_cmdQueueLength, 0);
    EXPECT_FALSE(g_configPending);
    EXPECT_TRUE(rig.messages.Texts().empty());

    // The button stays until the logger goes, then waits for the next one.
    rig.Tick();
    EXPECT_EQ(rig.Button(), u"配置中...");
    rig.bus.Unplug(id);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Input Device"; }));
    EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    rig.bus.Replug(id);
    ASSERT_TRUE(rig.TickUntil([&] { return rig.Button() == u"Configure"; }));
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(TimerLoop, AFailedValidationSendsNothingAndOffersTheButtonAgain) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    ASSERT_EQ(rig.Button(), u"Configure");
    rig.form().SetWindowText(IDC_TRADEMARK, u"");
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(rig.messages.Texts(),
              std::vector<std::u16string>{u"Trademark Parameter Configuration Error!: 不能为空!"});
    EXPECT_EQ(rig.Button(), u"写入配置(HID)");
    EXPECT_TRUE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
    EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);
    EXPECT_EQ(g_cmdQueueLength, 0);

    // Mended, the same button writes the configuration.
    rig.form().SetWindowText(IDC_TRADEMARK, u"Datalogger");
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(rig.Button(), u"配置中...");
    EXPECT_EQ(rig.ReceivedCodes(id), Concat(BLOCK_READ, FullConfigurationReports()));
    EXPECT_EQ(rig.messages.Texts().size(), 1u);
}

TEST(TimerLoop, AutomaticSetUpConfiguresInTheTickThatTakesTheLogger) {
    DialogRig rig;
    rig.Tick();
    rig.Click(IDC_AUTO_SETUP);
    const int id = rig.bus.Plug();
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_OPENED));
    rig.Tick();
    EXPECT_EQ(rig.ReceivedCodes(id), Concat(BLOCK_READ, FullConfigurationReports()));
    EXPECT_EQ(rig.Button(), u"配置中...");
}

TEST(TimerLoop, RefusedLoggersStayOpenButUnused) {
    struct Case {
        const char* what;
        std::vector<std::pair<size_t, uint8_t>> bytes;  // block offset, value
    };
    const Case cases[] = {
        {"version word 0x6000", {{16, 0x60}, {20, 0x00}}},
        {"version word 0xA016", {{16, 0xA0}}},
        {"device type 0x93", {{22, 0x93}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        std::vector<uint8_t> block = SimLogger::DefaultBlock();
        for (const auto& [offset, value] : c.bytes) block[offset] = value;
        const int id = rig.PlugAndLoad(SimLogger(block));
        for (int i = 0; i < 5; ++i) rig.Tick();
        rig.Click(IDC_CONFIGURE);  // disabled: nothing happens
        rig.Tick();
        EXPECT_EQ(rig.Button(), u"Input Device");
        EXPECT_FALSE(rig.form().IsWindowEnabled(IDC_CONFIGURE));
        EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);
        EXPECT_TRUE(rig.messages.Texts().empty());
        EXPECT_TRUE(DeviceOpen());
    }
}

struct FailureCase {
    const char* what;
    std::function<void(SimFaults&)> fault;
    std::u16string message;
    Codes sent;  // after the block reads
};

TEST(TimerLoop, SendFailuresShowTheirMessageOnceAndEmptyTheQueue) {
    const std::vector<FailureCase> cases = {
        {"no answer", [](SimFaults& f) { f.silentAnswers = 1; }, u"配置失败(命令发送失败)!", {PARAM_TOOL_VERSION}},
        {"command error", [](SimFaults& f) { f.statusAnswers = 1; f.statusCode = 3; }, u"命令错误!",
         {PARAM_TOOL_VERSION}},
        {"status 6 is no command error", [](SimFaults& f) { f.statusAnswers = 1; f.statusCode = 6; },
         u"", FullConfigurationReports()},
        {"end refused", [](SimFaults& f) { f.endStatus = 1; }, u"配置失败(结束命令失败)!",
         FullConfigurationReports()},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogRig rig;
        const int id = rig.PlugAndLoad();
        ASSERT_EQ(rig.Button(), u"Configure");
        rig.bus.Modify(id, [&](SimLogger& l) { c.fault(l.faults); });
        rig.Click(IDC_CONFIGURE);
        rig.Tick();
        if (c.message.empty()) {
            EXPECT_TRUE(rig.messages.Texts().empty());
        } else {
            EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{c.message});
        }
        EXPECT_EQ(rig.ReceivedCodes(id), Concat(BLOCK_READ, c.sent));
        EXPECT_EQ(g_cmdQueueLength, 0);
        EXPECT_FALSE(g_configPending);
        EXPECT_EQ(rig.Button(), u"配置中...");
        // The link is usable afterwards: nothing half-sent is left behind.
        EXPECT_LT(g_replyState.load(), 0);
    }
}

TEST(TimerLoop, LossWithAQueuedConfigurationInterruptsIt) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    ASSERT_EQ(rig.Button(), u"Configure");
    rig.bus.Unplug(id);
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_LOST));
    // A configuration queued in the tick that takes the loss is never sent.
    ASSERT_TRUE(AppendRecord(PARAM_END, nullptr, 0));
    g_configPending = true;
    rig.Tick();
    EXPECT_EQ(rig.messages.Texts(),
              std::vector<std::u16string>{
                  u"Configuration interrupted. Please ensure the device is properly connected!"});
    EXPECT_EQ(g_cmdQueueLength, 0);
    EXPECT_FALSE(g_configPending);
    EXPECT_EQ(rig.Button(), u"Input Device");
    EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);
}

TEST(TimerLoop, TwoLoggersConfigureTheFirst) {
    DialogRig rig;
    rig.Tick();
    const int first = rig.bus.Plug();
    const int second = rig.bus.Plug();
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_OPENED));
    rig.Tick();
    EXPECT_EQ(g_deviceCount.load(), 2);
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(rig.ReceivedCodes(first), Concat(BLOCK_READ, FullConfigurationReports()));
    EXPECT_TRUE(rig.bus.Received(second).empty());
}

TEST(TimerLoop, ConfigureIsDroppedWhileAnUpgradeIsUnderWay) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    g_upgradeState = UPGRADE_RESTARTING;
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(g_pendingEvents & EVT_CONFIGURE, 0u);
    EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);
    EXPECT_EQ(rig.Button(), u"Configure");
}

TEST(TimerLoop, WhileSendingAnImageOnlyTheReaderTalks) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    g_upgradeState = UPGRADE_SENDING;
    g_imageSize = 0xE400;
    g_pendingEvents = EVT_CONFIGURE;
    rig.Tick();
    EXPECT_EQ(rig.timer.period, 100u);
    EXPECT_EQ(g_pendingEvents, EVT_CONFIGURE);  // waits
    EXPECT_EQ(rig.ReceivedCodes(id), BLOCK_READ);

    // The logger goes away mid-image: one message, and the same tick takes the loss.
    rig.bus.Unplug(id);
    ASSERT_TRUE(rig.AwaitLinkEvent(LINK_LOST));
    g_pendingEvents = 0;
    rig.Tick();
    EXPECT_EQ(rig.messages.Texts(),
              std::vector<std::u16string>{
                  u"Upgrade interrupted. Please ensure the device is properly connected!"});
    EXPECT_EQ(g_upgradeState.load(), UPGRADE_IDLE);
    EXPECT_EQ(g_imageSize.load(), 0u);
    EXPECT_EQ(rig.Button(), u"Input Device");
    EXPECT_EQ(rig.timer.period, 50u);
}

// A message box inside a tick holds the tick; the timer stays stopped.
class TimerWatchingMessages : public MessageBoxHost {
public:
    explicit TimerWatchingMessages(ManualTimer& timer) : timer_(timer) { SetMessageBoxHost(this); }
    ~TimerWatchingMessages() override { SetMessageBoxHost(nullptr); }
    void Show(std::u16string_view) override { armedDuringBox = armedDuringBox || timer_.armed; ++shown; }
    bool armedDuringBox = false;
    int shown = 0;

private:
    ManualTimer& timer_;
};

TEST(TimerLoop, TicksNeverOverlapAMessageBox) {
    DialogRig rig;
    const int id = rig.PlugAndLoad();
    TimerWatchingMessages watch(rig.timer);
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.endStatus = 1; });
    rig.Click(IDC_CONFIGURE);
    rig.Tick();
    EXPECT_EQ(watch.shown, 1);
    EXPECT_FALSE(watch.armedDuringBox);
    EXPECT_TRUE(rig.timer.armed);
}

}  // namespace
