#include <gtest/gtest.h>

#include <thread>

#include "hid/command_exchange.h"
#include "support/link_rig.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t END_RECORD = 0xFF;

// Counts every link event the reader raises, taking each as the loop would.
std::vector<int32_t> TakeEventsFor(std::chrono::milliseconds span) {
    std::vector<int32_t> events;
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        if (WaitForLinkChange([] { return g_linkEvent.load() != LINK_NONE; }, 10ms)) {
            events.push_back(g_linkEvent.load());
            SetLinkEvent(LINK_NONE);
        }
    }
    return events;
}

TEST(ReaderThread, PlugAndUnplugRaiseOneEventEach) {
    LinkRig rig;
    const int id = rig.bus.Plug();
    rig.reader.Start();
    ASSERT_TRUE(WaitForLinkChange([] { return g_linkEvent.load() == LINK_OPENED; }, 5s));
    EXPECT_EQ(g_deviceCount.load(), 1);
    EXPECT_EQ(g_devicePath, rig.bus.Path(id));
    // Nothing is read until the loop has taken the opening.
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(rig.bus.PostedReads(id), 0);
    SetLinkEvent(LINK_NONE);
    ASSERT_TRUE(WaitForLinkChange([] { return g_replyState.load() == REPLY_ARMED; }, 5s));
    EXPECT_GE(rig.bus.PostedReads(id), 1);

    rig.bus.Unplug(id);
    EXPECT_EQ(TakeEventsFor(500ms), std::vector<int32_t>{LINK_LOST});
    EXPECT_FALSE(DeviceOpen());
    EXPECT_EQ(g_hRead.load(), INVALID_HID_HANDLE);
    EXPECT_TRUE(g_devicePath.empty());

    rig.bus.Replug(id);
    EXPECT_EQ(TakeEventsFor(500ms), std::vector<int32_t>{LINK_OPENED});
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(ReaderThread, IdleLossIsNoticedWithinAboutASecond) {
    LinkRig rig;
    const int id = rig.Connect();
    ASSERT_TRUE(rig.connected);
    ASSERT_TRUE(WaitForLinkChange([] { return g_replyState.load() == REPLY_ARMED; }, 5s));
    // Gone and back before the reader looks: the old handles are dead, so the
    // device is lost and opened afresh rather than read through a dead handle.
    rig.bus.Unplug(id);
    rig.bus.Replug(id);
    EXPECT_EQ(TakeEventsFor(1500ms), (std::vector<int32_t>{LINK_LOST, LINK_OPENED}));
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
}

TEST(ReaderThread, ALoggerThatCannotBeOpenedIsRetriedSilently) {
    LinkRig rig;
    SimLogger held;
    held.faults.openable = false;
    const int id = rig.bus.Plug(held);
    rig.reader.Start();
    EXPECT_TRUE(TakeEventsFor(300ms).empty());
    EXPECT_EQ(g_deviceCount.load(), 1);  // counted, though not opened
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.openable = true; });
    EXPECT_TRUE(rig.TakeLinkEvent(LINK_OPENED));
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(ReaderThread, OnlyTheExactReleaseIsCounted) {
    LinkRig rig;
    SimLogger newer;
    newer.releaseNumber = 0x0401;
    rig.bus.Plug(newer);
    rig.reader.Start();
    EXPECT_TRUE(TakeEventsFor(300ms).empty());
    EXPECT_EQ(g_deviceCount.load(), 0);
}

TEST(ReaderThread, TwoLoggersAreCountedAndTheFirstIsUsed) {
    LinkRig rig;
    const int first = rig.bus.Plug();
    const int second = rig.bus.Plug();
    rig.reader.Start();
    ASSERT_TRUE(rig.TakeLinkEvent(LINK_OPENED));
    EXPECT_EQ(g_deviceCount.load(), 2);
    EXPECT_EQ(g_devicePaths[0], rig.bus.Path(first));
    EXPECT_EQ(g_devicePaths[1], rig.bus.Path(second));
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(rig.bus.Received(first).size(), 1u);
    EXPECT_TRUE(rig.bus.Received(second).empty());
}

TEST(ReaderThread, IllegalFramesAreDroppedWithTheirMessage) {
    for (uint8_t pl : {0, 5, 65, 255}) {
        SCOPED_TRACE(int(pl));
        LinkRig rig;
        const int id = rig.Connect();
        ASSERT_TRUE(rig.connected);
        Report illegal = MakeReport(REPLY_STATUS, {7});
        illegal[2] = pl;
        rig.bus.InjectReport(id, illegal);
        // The sender receives the logger's real answer, never the bad frame.
        ASSERT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
        EXPECT_EQ(g_inReport[2], 7);
        EXPECT_EQ(g_inReport[6], 0);
        EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"HID接收到非法帧!"});
    }
}

TEST(ReaderThread, AFailedReadWaitIsReportedAndReadingGoesOn) {
    LinkRig rig;
    SimLogger logger;
    logger.faults.failedReadWaits = 1;
    rig.Connect(logger);
    ASSERT_TRUE(rig.connected);
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"HID接收错误!"});
}

TEST(ReaderThread, LossIsNoticedEvenWithAnUnconsumedReply) {
    LinkRig rig;
    const int id = rig.Connect();
    ASSERT_TRUE(rig.connected);
    rig.bus.InjectReport(id, MakeReport(REPLY_STATUS, {0}));
    ASSERT_TRUE(WaitForLinkChange([] { return g_replyState.load() >= 0; }, 5s));
    rig.bus.Unplug(id);
    EXPECT_TRUE(rig.TakeLinkEvent(LINK_LOST, 5s));
}

}  // namespace

namespace {

// Boxes can be shown on one thread only (as with Qt): a box raised elsewhere
// waits until that thread shows and closes it.
class OneThreadBoxes : public MessageBoxHost {
public:
    OneThreadBoxes() : owner_(std::this_thread::get_id()) { SetMessageBoxHost(this); }
    ~OneThreadBoxes() override { SetMessageBoxHost(nullptr); }

    void Show(std::u16string_view text) override {
        std::unique_lock lock(mutex_);
        if (std::this_thread::get_id() == owner_) {
            shown_.emplace_back(text);
            return;
        }
        waiting_.emplace_back(text);
        closed_.wait(lock, [&] { return waiting_.empty(); });
    }
    void ServicePending() override {
        if (std::this_thread::get_id() != owner_) return;
        std::lock_guard lock(mutex_);
        for (auto& text : waiting_) shown_.push_back(text);
        waiting_.clear();
        closed_.notify_all();
    }
    std::vector<std::u16string> Shown() {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable closed_;
    std::vector<std::u16string> waiting_, shown_;
};

TEST(ReaderThread, ABoxFromTheReaderIsShownWhileTheDialogThreadWaits) {
    LinkRig rig;
    const int id = rig.Connect();
    ASSERT_TRUE(rig.connected);
    OneThreadBoxes boxes;  // this thread plays the dialog's
    Report illegal = MakeReport(REPLY_STATUS, {7});
    illegal[2] = 65;
    rig.bus.InjectReport(id, illegal);
    // The reader holds in its box until this thread, waiting in the
    // exchange, shows it; then the answer comes through.
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(boxes.Shown(), std::vector<std::u16string>{u"HID接收到非法帧!"});
}

}  // namespace
