// What the alarm and lock check boxes enable, and the date format that
// follows the report language on older loggers.
#include <initializer_list>

#include "app/control_ids.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"
#include "hid/link_state.h"
#include "loop/loop_state.h"

namespace {

// The alert limits and the unit lists that go with them.
constexpr int ALERT_GROUP[] = {IDC_TEMP_HIGH, IDC_TEMP_LOW, IDC_HUM_HIGH, IDC_HUM_LOW,
                               IDC_CH3_HIGH,  IDC_CH3_LOW,  IDC_TEMP_UNIT, IDC_CH3_UNIT};

// Everything the lock freezes besides the alert group.
constexpr int LOCKED_BY_SETTINGS[] = {
    IDC_TIME_ZONE,   IDC_DATE_FORMAT, IDC_START_DELAY,  IDC_LOG_INTERVAL,    IDC_TEMP_UNIT,
    IDC_CH3_UNIT,    IDC_REPORT_LANGUAGE, IDC_POWER_SAVE, IDC_TRADEMARK,     IDC_DEVICE_NAME,
    IDC_USER_INFO,   IDC_WEBSITE,     IDC_DEVICE_ID,    IDC_TIMED_START,     IDC_START_TIME,
    IDC_ENABLE_ALARM, IDC_PDF_PASSWORD, IDC_RECORD_LED_DUTY, IDC_ALARM_LED_DUTY, IDC_EXPORT_CSV};

// Firmware before this version word ties the date format to the language.
constexpr uint16_t FW_INDEPENDENT_DATE_FORMAT = 0x2000;

}  // namespace

void CUSBDlg::ApplyAlarmEnabling() {
    if (g_deviceCount.load(std::memory_order_acquire) == 0) return;
    const bool enabled = m_form.GetCheck(IDC_ENABLE_ALARM) == 1 && m_form.GetCheck(IDC_LOCK_SETTINGS) == 0;
    for (int id : ALERT_GROUP) m_form.EnableWindow(id, enabled);
    for (int id : {IDC_TEMP_HIGH, IDC_TEMP_LOW, IDC_HUM_HIGH, IDC_HUM_LOW, IDC_CH3_HIGH, IDC_CH3_LOW}) {
        InvalidateControl(id);
    }
    g_pendingEvents |= EVT_LOG_INTERVAL;
}

void CUSBDlg::ApplyLockSettings() {
    const bool open = m_form.GetCheck(IDC_LOCK_SETTINGS) == 0;
    for (int id : LOCKED_BY_SETTINGS) m_form.EnableWindow(id, open);
    const bool alarm = m_form.GetCheck(IDC_ENABLE_ALARM) == 1;
    for (int id : ALERT_GROUP) m_form.EnableWindow(id, alarm && open);
}

void CUSBDlg::FollowReportLanguage() {
    if (g_fwVersion >= FW_INDEPENDENT_DATE_FORMAT) return;
    m_form.SetCurSel(IDC_DATE_FORMAT, m_form.GetCurSel(IDC_REPORT_LANGUAGE) != 0 ? 2 : 0);
    InvalidateControl(IDC_DATE_FORMAT);
}
