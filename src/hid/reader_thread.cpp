#include "hid/reader_thread.h"

#include <algorithm>

#include "hid/link_state.h"
#include "hid/upgrade_branch.h"
#include "platform/message_box.h"

namespace {

using namespace std::chrono_literals;

constexpr auto SEARCH_PERIOD = 50ms;
// While a reply waits for its consumer the reader posts no read and so cannot
// see the device go; it looks by path this often instead.
constexpr auto HOLDING_PRESENCE_PERIOD = std::chrono::milliseconds(READ_WAIT_MS);

bool Sending() { return g_upgradeState.load(std::memory_order_acquire) == UPGRADE_SENDING; }

}  // namespace

void ReaderThread::Start() {
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
}

void ReaderThread::Stop() {
    if (!thread_.joinable()) return;
    stop_ = true;
    NotifyLinkChange();
    Hid().InterruptReads();
    thread_.join();
}

void ReaderThread::Run() {
    while (!stop_) {
        // The control loop has not yet taken the last opening or loss.
        if (g_linkEvent.load(std::memory_order_acquire) != LINK_NONE) {
            WaitForLinkChange(
                [this] { return stop_ || g_linkEvent.load(std::memory_order_acquire) == LINK_NONE; },
                1s);
            continue;
        }
        if (g_hRead.load(std::memory_order_acquire) == INVALID_HID_HANDLE) {
            OpenDevice();
            continue;
        }
        // A reply waits for its consumer: no new read until it is released.
        if (g_replyState.load(std::memory_order_acquire) >= 0) {
            const bool released = WaitForLinkChange(
                [this] { return stop_ || g_replyState.load(std::memory_order_acquire) < 0; },
                HOLDING_PRESENCE_PERIOD);
            if (!released && !Hid().DeviceStillPresent(g_devicePath)) CloseDevice();
            continue;
        }
        ReceiveReport();
    }
}

void ReaderThread::ReceiveReport() {
    const HidHandle read = g_hRead.load(std::memory_order_acquire);
    // Post before publishing REPLY_ARMED: a sender that sees it may write, and
    // its answer must find the read waiting.
    Hid().PostRead(read);
    SetReplyState(REPLY_ARMED);

    if (advanceUpgrade_) {
        advanceUpgrade_ = false;
        if (upgrade_) upgrade_->SendUpgradeStep(false);
    }

    uint32_t count = 0;
    const ReadOutcome outcome = Hid().WaitRead(read, g_inReport.data(), count);
    if (stop_) return;
    switch (outcome) {
    case ReadOutcome::Completed:
        if (count != REPORT_SIZE) {
            CheckPresence();
            return;
        }
        if (!IsLegalPL(g_inReport[REPORT_PL])) {
            AfxMessageBox(u"HID接收到非法帧!");
            return;  // still REPLY_ARMED: the next pass posts a new read
        }
        SetReplyState(g_inReport[REPORT_PL] - PL_MIN);
        if (Sending()) {
            // During an upgrade the reader consumes the answers itself.
            SetReplyState(REPLY_NONE);
            if (upgrade_) advanceUpgrade_ = upgrade_->JudgeUpgradeReply();
        }
        return;
    case ReadOutcome::TimedOut:
        CheckPresence();
        return;
    case ReadOutcome::WaitFailed:
        AfxMessageBox(u"HID接收错误!");
        return;
    }
}

void ReaderThread::CheckPresence() {
    if (Hid().DeviceStillPresent(g_devicePath)) {
        if (Sending() && upgrade_) upgrade_->SendUpgradeStep(true);
        return;
    }
    CloseDevice();
}

void ReaderThread::CloseDevice() {
    Hid().Close(g_hRead.exchange(INVALID_HID_HANDLE, std::memory_order_acq_rel));
    Hid().Close(g_hWrite.exchange(INVALID_HID_HANDLE, std::memory_order_acq_rel));
    g_devicePath.clear();
    SetLinkEvent(LINK_LOST);
}

void ReaderThread::OpenDevice() {
    if (WaitForLinkChange([this] { return stop_.load(); }, SEARCH_PERIOD)) return;

    const std::vector<std::string> paths = Hid().EnumerateLoggers();
    for (std::string& path : g_devicePaths) path.clear();
    const size_t count = std::min(paths.size(), g_devicePaths.size());
    std::copy_n(paths.begin(), count, g_devicePaths.begin());
    g_deviceCount.store(static_cast<uint8_t>(count), std::memory_order_release);
    if (count == 0) return;

    g_devicePath = g_devicePaths[0];
    const HidHandle read = Hid().OpenForReading(g_devicePath);
    const HidHandle write = Hid().OpenForWriting(g_devicePath);
    if (read != INVALID_HID_HANDLE && write != INVALID_HID_HANDLE) {
        g_hRead.store(read, std::memory_order_release);
        g_hWrite.store(write, std::memory_order_release);
        g_replyState.store(REPLY_NONE, std::memory_order_release);
        SetLinkEvent(LINK_OPENED);
        return;
    }
    // Held by another program, or not yet accessible: try again next round,
    // without a message.
    if (read != INVALID_HID_HANDLE) Hid().Close(read);
    if (write != INVALID_HID_HANDLE) Hid().Close(write);
}
