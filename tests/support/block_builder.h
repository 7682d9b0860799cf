#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "app/usb_dlg.h"
#include "app/pending_events.h"
#include "hid/link_state.h"
#include "loop/loop_state.h"
#include "params/block_bytes.h"
#include "sim/sim_logger.h"

// A parameter block to plug or load: the simulated logger's default block
// with some fields changed.
class BlockBuilder {
public:
    BlockBuilder() : bytes_(SimLogger::DefaultBlock()) {}

    BlockBuilder& Number(BlockField field, int64_t value) {
        WriteBlockNumber(bytes_, field, static_cast<uint32_t>(value));
        return *this;
    }
    // The bytes as they stand, NUL-padded; a text as wide as the field has no NUL.
    BlockBuilder& Text(BlockField field, std::string_view bytes) {
        std::fill_n(bytes_.begin() + field.offset, field.width, 0);
        std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), field.width), bytes_.begin() + field.offset);
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Hands `block` to the dialog as the timer loop does after reading it, and
// loads it; the pending events it raised are left in g_pendingEvents.
inline bool LoadBlock(CUSBDlg& dlg, const std::vector<uint8_t>& block, bool loadAll = true) {
    g_deviceInfo.fill(0);
    std::copy_n(block.begin(), std::min(block.size(), g_deviceInfo.size()), g_deviceInfo.begin());
    g_fwVersionHi = g_deviceInfo[BLOCK_FW_VERSION_HIGH.offset];
    g_fwVersion = static_cast<uint16_t>(g_fwVersionHi * 256 + g_deviceInfo[BLOCK_FW_VERSION_LOW.offset]);
    g_deviceType = g_deviceInfo[BLOCK_DEVICE_TYPE.offset];
    g_pendingEvents = 0;
    return dlg.LoadDeviceParameters(loadAll);
}
