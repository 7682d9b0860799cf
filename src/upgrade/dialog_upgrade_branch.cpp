#include "upgrade/dialog_upgrade_branch.h"

#include "app/usb_dlg.h"
#include "hid/link_state.h"
#include "platform/message_box.h"
#include "upgrade/upgrade_state.h"

namespace {

uint32_t ReplySum() {
    return static_cast<uint32_t>(g_inReport[REPORT_PAYLOAD]) |
           static_cast<uint32_t>(g_inReport[REPORT_PAYLOAD + 1]) << 8 |
           static_cast<uint32_t>(g_inReport[REPORT_PAYLOAD + 2]) << 16 |
           static_cast<uint32_t>(g_inReport[REPORT_PAYLOAD + 3]) << 24;
}

// The logger will take no more of this image; the button keeps its last
// progress text until the logger is unplugged.
void EndUpgrade(std::u16string_view message) {
    g_imageSize = 0;
    g_imageSent = 0;
    g_upgradeState.store(UPGRADE_IDLE, std::memory_order_release);
    AfxMessageBox(message);
}

}  // namespace

void DialogUpgradeBranch::SendUpgradeStep(bool resend) { dialog_.SendUpgradeStep(resend); }

bool DialogUpgradeBranch::JudgeUpgradeReply() {
    if (g_outReport[REPORT_CODE] != CMD_FIRMWARE) return true;
    if (g_inReport[REPORT_CODE] != CMD_FIRMWARE) {
        EndUpgrade(u"升级操作被拒绝!");
        return false;
    }
    const bool closeAnswered = g_outReport[REPORT_PL] == PL_MIN;
    if (closeAnswered && ReplySum() != g_imageChecksum.load()) {
        // The restart is never sent: the logger keeps its old firmware.
        EndUpgrade(u"升级失败:固件校验错误!");
        return false;
    }
    return true;
}
