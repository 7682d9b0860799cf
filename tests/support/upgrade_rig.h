#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/form_values.h"
#include "params/device_values.h"
#include "params/block_bytes.h"
#include "params/block_layout.h"
#include "support/dialog_rig.h"
#include "upgrade/upgrade_state.h"

// A logger of the family the stored images serve, as its block describes it.
inline SimLogger LoggerWith(uint16_t version, uint8_t ch3Type, uint8_t variant = 7) {
    std::vector<uint8_t> block = SimLogger::DefaultBlock();
    WriteBlockNumber(block, BLOCK_FW_VERSION_HIGH, version >> 8);
    WriteBlockNumber(block, BLOCK_FW_VERSION_LOW, version & 0xFF);
    WriteBlockNumber(block, BLOCK_CH3_TYPE, ch3Type);
    WriteBlockNumber(block, BLOCK_DEVICE_VARIANT, variant);
    return SimLogger(block);
}

// Plugs `logger` and loads it. Loading keeps the logger's variant and
// third-channel type; they are taken from its block here as well, so that the
// upgrade is tested whatever else loading does with the block.
inline int PlugForUpgrade(DialogRig& rig, SimLogger logger) {
    const std::vector<uint8_t> block = logger.Block();
    const int id = rig.PlugAndLoad(std::move(logger));
    g_deviceVariant = block[BLOCK_DEVICE_VARIANT.offset];
    g_ch3Type = block[BLOCK_CH3_TYPE.offset];
    return id;
}

// The reports of the upgrade among those a logger received: image blocks,
// the image close and the restart.
inline std::vector<Report> UpgradeReports(const std::vector<Report>& received) {
    std::vector<Report> reports;
    for (const Report& r : received) {
        if (r[REPORT_CODE] == CMD_FIRMWARE || r[REPORT_CODE] == CMD_FIRMWARE_CLOSE) reports.push_back(r);
    }
    return reports;
}

inline uint32_t OffsetOf(const Report& r) {
    return r[REPORT_OFFSET] | r[REPORT_OFFSET + 1] << 8 | r[REPORT_OFFSET + 2] << 16;
}

// Watches the main button from any thread: each new text with the image
// bytes sent when it appeared, and the texts it was repainted with.
class ButtonWatch : public FormObserver {
public:
    explicit ButtonWatch(Form& form) : form_(form), index_(form.IndexOf(IDC_CONFIGURE)) {
        form_.SetObserver(this);
    }
    ~ButtonWatch() override { form_.SetObserver(nullptr); }

    void ControlChanged(size_t index) override {
        if (index != index_) return;
        std::u16string text = form_.At(index).text;
        std::lock_guard lock(mutex_);
        if (texts_.empty() || texts_.back().first != text) texts_.emplace_back(text, g_imageSent.load());
    }
    void FocusChanged(size_t) override {}
    void Invalidated(size_t index) override {
        if (index != index_) return;
        std::u16string text = form_.At(index).text;
        std::lock_guard lock(mutex_);
        repainted_.push_back(std::move(text));
    }

    std::vector<std::pair<std::u16string, uint32_t>> Texts() {
        std::lock_guard lock(mutex_);
        return texts_;
    }
    std::vector<std::u16string> Repainted() {
        std::lock_guard lock(mutex_);
        return repainted_;
    }

private:
    Form& form_;
    const size_t index_;
    std::mutex mutex_;
    std::vector<std::pair<std::u16string, uint32_t>> texts_;
    std::vector<std::u16string> repainted_;
};
