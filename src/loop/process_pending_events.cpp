#include "app/control_ids.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"
#include "hid/link_state.h"
#include "platform/message_box.h"

namespace {

struct EventStep {
    uint32_t bit;
    void (CUSBDlg::*work)();
};

// The fixed order in which raised events are taken; starting a
// configuration comes last, after every change of the form.
constexpr EventStep EVENT_ORDER[] = {
    {EVT_TIME_ZONE, &CUSBDlg::ApplyTimeZone},
    {EVT_DATE_FORMAT, &CUSBDlg::ApplyDateFormat},
    {EVT_LOG_INTERVAL, &CUSBDlg::UpdateMaxRecordingTime},
    {EVT_TEMP_LOW, &CUSBDlg::RereadTempLow},
    {EVT_TEMP_HIGH, &CUSBDlg::RereadTempHigh},
    {EVT_TEMP_UNIT, &CUSBDlg::ShowTempUnit},
    {EVT_CH3_UNIT, &CUSBDlg::ShowCh3Unit},
    {EVT_REPORT_LANGUAGE, &CUSBDlg::FollowReportLanguage},
    {EVT_ENABLE_ALARM, &CUSBDlg::ApplyAlarmEnabling},
    {EVT_LOCK_SETTINGS, &CUSBDlg::ApplyLockSettings},
    {EVT_CONFIGURE, nullptr},
};

}  // namespace

void CUSBDlg::ProcessPendingEvents() {
    if (g_pendingEvents == 0) return;
    for (const EventStep& step : EVENT_ORDER) {
        if ((g_pendingEvents & step.bit) == 0) continue;
        g_pendingEvents &= ~step.bit;
        if (step.work) (this->*step.work)();
        else RunConfigureStep();
    }
}

void CUSBDlg::RunConfigureStep() {
    // A request while an upgrade sends or the logger restarts is dropped.
    if (g_upgradeState.load(std::memory_order_acquire) != UPGRADE_IDLE) return;

    if (CheckFirmwareUpgrade()) {
        if (g_deviceCount.load(std::memory_order_acquire) > 1) {
            AfxMessageBox(u"升级失败,请确保只有一个设备插入USB!");
            return;
        }
        m_form.EnableWindow(IDC_CONFIGURE, false);
        StartUpgrade();
        return;
    }
    if (ValidateForm()) {
        BuildConfiguration();
        SetButton(u"配置中...", false);
    } else {
        SetButton(u"写入配置(HID)", true);
    }
}
