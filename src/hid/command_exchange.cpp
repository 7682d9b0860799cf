#include "hid/command_exchange.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "hid/link_state.h"
#include "platform/message_box.h"

namespace {

using namespace std::chrono_literals;

// A reply nobody took is never taken for the next command's answer.
void DiscardUnconsumedReply() { ReleaseReply(); }

}  // namespace

void BuildOutReport(uint8_t code, uint8_t pl, uint32_t offset, const uint8_t* payload) {
    g_outReport.fill(0);
    g_outReport[0] = REPORT_ID;
    g_outReport[REPORT_CODE] = code;
    g_outReport[REPORT_PL] = pl;
    g_outReport[REPORT_OFFSET] = static_cast<uint8_t>(offset);
    g_outReport[REPORT_OFFSET + 1] = static_cast<uint8_t>(offset >> 8);
    g_outReport[REPORT_OFFSET + 2] = static_cast<uint8_t>(offset >> 16);
    if (!IsLegalPL(pl)) {
        AfxMessageBox(u"HID命令非法:PL错误!");
        return;
    }
    if (pl > PL_MIN && payload != nullptr) {
        std::memcpy(g_outReport.data() + REPORT_PAYLOAD, payload, pl - PL_MIN);
    }
}

bool AwaitReaderArmed() {
    for (;;) {
        if (!DeviceOpen()) return false;
        const int32_t state = g_replyState.load(std::memory_order_acquire);
        if (state == REPLY_ARMED) return true;
        if (state >= 0) ReleaseReply();
        WaitForLinkChange(
            [] {
                return !DeviceOpen() || g_replyState.load(std::memory_order_acquire) != REPLY_NONE;
            },
            1ms);
    }
}

namespace {

enum class WriteStep { Written, DeviceGone, WaitFailed, ShortWrite };

// Writes g_outReport once the reader is armed; a write that fails or does not
// complete in time is written again for as long as the device stays open.
WriteStep WriteOutReport() {
    for (;;) {
        if (!AwaitReaderArmed()) return WriteStep::DeviceGone;
        const WriteResult result =
            Hid().WriteReport(g_hWrite.load(std::memory_order_acquire), g_outReport.data());
        switch (result.outcome) {
        case WriteOutcome::FailedAtOnce:
            if (!DeviceOpen()) return WriteStep::DeviceGone;
            // A device that refuses writes while the reader still holds it
            // open would otherwise be written to in a tight loop.
            std::this_thread::sleep_for(1ms);
            continue;
        case WriteOutcome::NotCompleted:
            if (!DeviceOpen()) return WriteStep::DeviceGone;
            continue;
        case WriteOutcome::WaitFailed:
            AfxMessageBox(u"HID发送未知错误!");
            return WriteStep::WaitFailed;
        case WriteOutcome::Completed:
            if (!result.countFetched) return WriteStep::DeviceGone;
            if (result.count != REPORT_SIZE) return WriteStep::ShortWrite;
            return WriteStep::Written;
        }
    }
}

enum class Answer { Arrived, DeviceGone, None };

// The answer time-out: REPLY_POLLS polls of 1 ms, waited for as one span.
Answer AwaitAnswer() {
    const bool arrived = WaitForLinkChange(
        [] { return !DeviceOpen() || g_replyState.load(std::memory_order_acquire) >= 0; },
        std::chrono::milliseconds(REPLY_POLLS));
    if (!DeviceOpen()) return Answer::DeviceGone;
    return arrived ? Answer::Arrived : Answer::None;
}

}  // namespace

int SendReport(uint8_t code, uint8_t pl, uint32_t offset, const uint8_t* payload) {
    const int noDevice = IsClosingCode(code) ? SEND_OK : SEND_NO_DEVICE;
    if (!DeviceOpen()) return noDevice;
    DiscardUnconsumedReply();
    BuildOutReport(code, pl, offset, payload);

    switch (WriteOutReport()) {
    case WriteStep::DeviceGone: return noDevice;
    case WriteStep::WaitFailed: return SEND_WAIT_FAILED;
    case WriteStep::ShortWrite: return SEND_SHORT_WRITE;
    case WriteStep::Written: break;
    }

    if (IsClosingCode(code)) {
        // Nothing comes back; give the device its one poll's pause.
        std::this_thread::sleep_for(1ms);
        return SEND_OK;
    }
    switch (AwaitAnswer()) {
    case Answer::Arrived: return SEND_OK;
    case Answer::DeviceGone: return noDevice;
    case Answer::None: return SEND_NO_REPLY;
    }
    return SEND_NO_REPLY;
}

int SendChunked(uint8_t code, const uint8_t* payload, uint32_t total,
                const std::function<bool(int result)>& check) {
    uint32_t sent = 0;
    int result = SEND_OK;
    do {
        const uint32_t chunk = std::min<uint32_t>(total - sent, MAX_CHUNK);
        result = SendReport(code, static_cast<uint8_t>(chunk + PL_MIN), sent,
                            chunk > 0 ? payload + sent : nullptr);
        if (!check(result)) return result;
        ReleaseReply();
        sent += chunk;
    } while (sent < total);
    return result;
}

bool ReadParameterBlock() {
    size_t received = 0;
    int wrongReplies = 0;
    while (DeviceOpen()) {
        DiscardUnconsumedReply();
        BuildOutReport(CMD_READ_PARAMETERS, PL_MIN, static_cast<uint32_t>(received), nullptr);
        if (WriteOutReport() != WriteStep::Written) return false;
        if (AwaitAnswer() != Answer::Arrived) return false;

        if (g_inReport[REPORT_CODE] == CMD_READ_PARAMETERS) {
            // The reader hands over only legal frames, so this is 0 to 58.
            const size_t length = std::min<size_t>(g_inReport[REPORT_PL] - PL_MIN, MAX_CHUNK);
            std::memcpy(g_deviceInfo.data() + received, g_inReport.data() + REPORT_PAYLOAD, length);
            received += length;
            ReleaseReply();
            if (length == 0) return true;
        } else if (++wrongReplies > 10) {
            return false;
        }
        if (received >= PARAMETER_BLOCK_SIZE) return true;
    }
    return false;
}
