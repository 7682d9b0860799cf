#include "hid/link_state.h"

#include "hid/record_queue.h"

std::array<std::string, MAX_DEVICES> g_devicePaths;
std::atomic<uint8_t> g_deviceCount{0};
std::string g_devicePath;

std::atomic<HidHandle> g_hRead{INVALID_HID_HANDLE};
std::atomic<HidHandle> g_hWrite{INVALID_HID_HANDLE};

std::array<uint8_t, REPORT_SIZE> g_outReport{};
std::array<uint8_t, REPORT_SIZE> g_inReport{};
std::atomic<int32_t> g_replyState{REPLY_NONE};
std::atomic<int32_t> g_linkEvent{LINK_NONE};
std::atomic<uint8_t> g_upgradeState{UPGRADE_IDLE};

std::array<uint8_t, PARAMETER_BUFFER_SIZE> g_deviceInfo{};

namespace link_detail {
std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
}
std::condition_variable& Changed() {
    static std::condition_variable changed;
    return changed;
}
}  // namespace link_detail

void NotifyLinkChange() {
    // Taking the mutex orders this wake-up after any waiter's test of its
    // condition, so a change made just before it cannot be missed.
    { std::lock_guard lock(link_detail::Mutex()); }
    link_detail::Changed().notify_all();
}

void SetReplyState(int32_t value) {
    g_replyState.store(value, std::memory_order_release);
    NotifyLinkChange();
}

void SetLinkEvent(int32_t value) {
    g_linkEvent.store(value, std::memory_order_release);
    NotifyLinkChange();
}

void ResetLinkState() {
    for (std::string& path : g_devicePaths) path.clear();
    g_deviceCount = 0;
    g_devicePath.clear();
    g_hRead = INVALID_HID_HANDLE;
    g_hWrite = INVALID_HID_HANDLE;
    g_outReport.fill(0);
    g_inReport.fill(0);
    g_replyState = REPLY_NONE;
    g_linkEvent = LINK_NONE;
    g_upgradeState = UPGRADE_IDLE;
    g_deviceInfo.fill(0);
    ClearRecordQueue();
}
