#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "hid/hid_protocol.h"
#include "platform/message_box.h"

// State shared by the reader thread and the dialog's thread. Every variable
// that both threads touch is atomic (acquire/release); the buffers are handed
// over by those atomics: g_inReport belongs to the reader while g_replyState is
// negative and to the consumer otherwise, g_outReport to the one sender the
// control loop allows at a time.

// Matching paths of the last enumeration. Written by the reader only while no
// device is open; read by others only after they saw LINK_OPENED.
extern std::array<std::string, MAX_DEVICES> g_devicePaths;
extern std::atomic<uint8_t> g_deviceCount;
// Path of the device in use; empty after a loss. The reader's own.
extern std::string g_devicePath;

extern std::atomic<HidHandle> g_hRead;
// Valid while a device is open: the test for an open device everywhere.
extern std::atomic<HidHandle> g_hWrite;

extern std::array<uint8_t, REPORT_SIZE> g_outReport;
extern std::array<uint8_t, REPORT_SIZE> g_inReport;
extern std::atomic<int32_t> g_replyState;
extern std::atomic<int32_t> g_linkEvent;
extern std::atomic<uint8_t> g_upgradeState;

// The parameter block as received, from offset 0.
extern std::array<uint8_t, PARAMETER_BUFFER_SIZE> g_deviceInfo;

// Puts every variable above, and the record queue, back to the state the
// program starts in (no device, nothing pending). Call with no reader running.
void ResetLinkState();

inline bool DeviceOpen() { return g_hWrite.load(std::memory_order_acquire) != INVALID_HID_HANDLE; }

// Wakes every thread waiting in WaitForLinkChange. Called after each change of
// g_replyState, g_linkEvent or the handles, so that waits need not poll.
void NotifyLinkChange();

// Waits until `ready()` holds or `timeout` has passed; true when it holds.
// A change that is not notified is still seen within `recheck`, and message
// boxes raised on other threads are shown meanwhile (no deadlock while the
// dialog's thread waits on a reader that waits on a box).
template <class Ready>
bool WaitForLinkChange(Ready ready, std::chrono::steady_clock::duration timeout,
                       std::chrono::milliseconds recheck = std::chrono::milliseconds(20));

// Sets g_replyState and wakes the other side.
void SetReplyState(int32_t value);
// The consumer is done with g_inReport: the reader may post its next read.
// Does nothing unless a reply is held: a negative value belongs to the reader.
inline void ReleaseReply() {
    if (g_replyState.load(std::memory_order_acquire) >= 0) SetReplyState(REPLY_NONE);
}
void SetLinkEvent(int32_t value);

namespace link_detail {
std::mutex& Mutex();
std::condition_variable& Changed();
}  // namespace link_detail

template <class Ready>
bool WaitForLinkChange(Ready ready, std::chrono::steady_clock::duration timeout,
                       std::chrono::milliseconds recheck) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::unique_lock lock(link_detail::Mutex());
    while (!ready()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) return false;
        const auto until = std::min<std::chrono::steady_clock::time_point>(deadline, now + recheck);
        link_detail::Changed().wait_until(lock, until);
        lock.unlock();
        ServicePendingMessageBoxes();
        lock.lock();
    }
    return true;
}
