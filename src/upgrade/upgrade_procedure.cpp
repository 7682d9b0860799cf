// Firmware upgrade: the decision, the start on the dialog's thread, and each
// following report, which the reader thread writes as soon as the logger has
// answered the one before.
#include <algorithm>

#include "app/control_ids.h"
#include "app/form_values.h"
#include "params/device_values.h"
#include "app/usb_dlg.h"
#include "hid/command_exchange.h"
#include "hid/link_state.h"
#include "loop/loop_state.h"
#include "params/third_channel.h"
#include "platform/format_text.h"
#include "platform/message_box.h"
#include "upgrade/stored_image.h"
#include "upgrade/upgrade_state.h"

namespace {

// Only this firmware family is served by the stored images.
constexpr uint8_t UPGRADABLE_VERSION_HIGH = 0x50;

const StoredImage* ImageForType(uint8_t ch3Type) {
    switch (ch3Type) {
    case CH3_ILLUMINANCE: return &g_illuminanceImage;
    case CH3_NOISE: return &g_noiseImage;
    case CH3_WIND_SPEED: return &g_windImage;
    default: return nullptr;
    }
}

// Percent of the image sent, as the button shows it: 0 to 99, never 100.
uint32_t Progress(uint32_t sent, uint32_t size) { return sent * 99 / size; }

int WriteUpgradeReport(const uint8_t* report) {
    return Hid().WriteReportNoWait(g_hWrite.load(std::memory_order_acquire), report) == 0 ? 0 : -1;
}

}  // namespace

bool CUSBDlg::CheckFirmwareUpgrade() {
    g_imageSent = 0;
    g_imageChecksum = 0;
    g_imageSize = 0;
    g_image = nullptr;
    if (g_fwVersionHi != UPGRADABLE_VERSION_HIGH) return false;
    const StoredImage* image = ImageForType(g_ch3Type);
    if (!image || !image->SelectFirmwareImage()) return false;
    if (image->ImageVariant() != g_deviceVariant || image->ImageType() != g_deviceType) {
        g_image = nullptr;
        g_imageSize = 0;
        // The caller writes the configuration instead.
        AfxMessageBox(u"固件PID/VID不匹配!");
        return false;
    }
    return true;
}

void CUSBDlg::StartUpgrade() {
    g_imageChecksum = ImageChecksum(g_image.load()->bytes.data(), g_imageSize);
    // The first block is built before the reader can see UPGRADE_SENDING:
    // from then on g_outReport is the reader's, so it is written from a copy.
    BuildUpgradeReport();
    const std::array<uint8_t, REPORT_SIZE> first = g_outReport;
    // The reader tells an upgrade answer from a sender's by g_upgradeState
    // after it has handed the report over. Until it has posted its next read,
    // the answer just consumed here (the parameter block's last chunk) may
    // still be in its hands, and would be judged as a refusal of the image.
    // A logger that has gone shows as an interrupted upgrade in the next tick.
    AwaitReaderArmed();
    g_upgradeState.store(UPGRADE_SENDING, std::memory_order_release);
    WriteUpgradeReport(first.data());
}

int CUSBDlg::SendUpgradeStep(bool resend) {
    if (!resend && !BuildUpgradeReport()) return 0;
    return WriteUpgradeReport(g_outReport.data());
}

// Puts the next upgrade report in g_outReport; false when nothing is to be
// sent. After the last block comes the image close, and once its sum has been
// accepted the restart; any other report in g_outReport goes again unchanged.
bool CUSBDlg::BuildUpgradeReport() {
    const uint32_t size = g_imageSize.load();
    if (size == 0) return false;
    const uint32_t sent = g_imageSent.load();
    if (sent < size) {
        const uint32_t length = std::min(size - sent, FW_BLOCK_SIZE);
        BuildOutReport(CMD_FIRMWARE, static_cast<uint8_t>(PL_MIN + length), sent,
                       g_image.load()->bytes.data() + sent);
        g_imageSent = sent + length;
        const uint32_t after = Progress(sent + length, size);
        if (after != Progress(sent, size)) {
            m_form.SetWindowText(IDC_CONFIGURE, FormatText(u"升级中(%02d%%)", {after}));
        }
        return true;
    }
    if (g_outReport[REPORT_CODE] != CMD_FIRMWARE) return true;
    const uint8_t pl = g_outReport[REPORT_PL];
    if (pl > PL_MIN) {
        // The last block was answered: close the image at its size.
        BuildOutReport(CMD_FIRMWARE, PL_MIN, sent, nullptr);
    } else if (pl == PL_MIN) {
        // The close was answered with the right sum: the logger restarts
        // into the new firmware and the upgrade is over.
        BuildOutReport(CMD_FIRMWARE_CLOSE, PL_MIN, 0, nullptr);
        g_image = nullptr;
        g_imageSize = 0;
        g_imageSent = 0;
        g_imageChecksum = 0;
        g_upgradeState.store(UPGRADE_RESTARTING, std::memory_order_release);
        m_form.SetWindowText(IDC_CONFIGURE, u"正在更新固件");
        InvalidateControl(IDC_CONFIGURE);
    }
    return true;
}
