#include "app/usb_dlg.h"

#include "app/control_ids.h"
#include "app/form_table.h"
#include "app/form_values.h"
#include "app/pending_events.h"
#include "form/clock_record.h"
#include "hid/link_state.h"
#include "hid/record_queue.h"
#include "loop/loop_state.h"
#include "params/device_values.h"
#include "params/pending_configuration.h"
#include "upgrade/upgrade_state.h"

uint32_t g_pendingEvents = 0;
double g_tempLowC = 2.0;
double g_tempHighC = 8.0;
double g_tempLowF = 35.6;
double g_tempHighF = 46.4;
double g_humLow = 0;
double g_humHigh = 0;
double g_ch3Low = 0;
double g_ch3High = 0;
bool g_suppressTempLowChange = false;
bool g_suppressTempHighChange = false;

namespace {

struct MessageMapEntry {
    Notification what;
    int id;
    void (CUSBDlg::*handler)();
};

const MessageMapEntry MESSAGE_MAP[] = {
    {Notification::BnClicked, IDC_CONFIGURE, &CUSBDlg::OnBnClickedConfigure},
    {Notification::CbnSelchange, IDC_TIME_ZONE, &CUSBDlg::OnCbnSelchangeTimeZone},
    {Notification::CbnSelchange, IDC_DATE_FORMAT, &CUSBDlg::OnCbnSelchangeDateFormat},
    {Notification::CbnSelchange, IDC_TEMP_UNIT, &CUSBDlg::OnCbnSelchangeTempUnit},
    {Notification::CbnSelchange, IDC_CH3_UNIT, &CUSBDlg::OnCbnSelchangeCh3Unit},
    {Notification::CbnSelchange, IDC_REPORT_LANGUAGE, &CUSBDlg::OnCbnSelchangeReportLanguage},
    {Notification::EnChange, IDC_LOG_INTERVAL, &CUSBDlg::OnEnChangeLogInterval},
    {Notification::BnClicked, IDC_LOCK_SETTINGS, &CUSBDlg::OnBnClickedLockSettings},
    {Notification::EnChange, IDC_TEMP_LOW, &CUSBDlg::OnEnChangeTempLow},
    {Notification::EnChange, IDC_TEMP_HIGH, &CUSBDlg::OnEnChangeTempHigh},
    {Notification::EnChange, IDC_HUM_LOW, &CUSBDlg::OnEnChangeHumLow},
    {Notification::EnChange, IDC_HUM_HIGH, &CUSBDlg::OnEnChangeHumHigh},
    {Notification::BnClicked, IDC_TIMED_START, &CUSBDlg::OnBnClickedTimedStart},
    {Notification::BnClicked, IDC_ENABLE_ALARM, &CUSBDlg::OnBnClickedEnableAlarm},
};

}  // namespace

CUSBDlg::CUSBDlg(TimerHost& timer) : m_form(MainDialogTemplate()), m_timer(timer), m_reader(&m_upgradeBranch) {
    m_form.SetNotificationSink([this](int id, Notification what) { OnNotify(id, what); });
}

CUSBDlg::~CUSBDlg() {
    m_timer.KillTimer(TIMER_ID);
    m_form.SetNotificationSink(nullptr);
    m_reader.Stop();
}

void CUSBDlg::OnNotify(int id, Notification what) {
    for (const MessageMapEntry& entry : MESSAGE_MAP) {
        if (entry.id == id && entry.what == what) {
            (this->*entry.handler)();
            return;
        }
    }
}

void CUSBDlg::InvalidateControl(int id) { m_form.InvalidateControl(id); }

bool CUSBDlg::OnInitDialog() {
    // The HID link starts from nothing: no device, no reply, no event, and
    // the reader looking for a logger.
    ResetLinkState();
    ResetLoopState();
    ResetUpgradeState();
    m_reader.Start();

    m_form.SetCurSel(IDC_TIME_ZONE, 8);
    m_form.SetCurSel(IDC_DATE_FORMAT, 0);
    m_form.SetCurSel(IDC_TEMP_UNIT, 0);
    m_form.SetCurSel(IDC_REPORT_LANGUAGE, 0);
    m_form.SetCurSel(IDC_CH3_UNIT, 0);

    m_form.SetCheck(IDC_POWER_SAVE, 0);
    m_form.EnableWindow(IDC_START_TIME, false);
    m_form.SetCheck(IDC_TIMED_START, 0);
    m_form.EnableWindow(IDC_TIMED_START, false);
    m_form.SetCheck(IDC_LOCK_SETTINGS, 0);
    m_form.SetCheck(IDC_AUTO_SETUP, 0);
    m_form.SetCheck(IDC_ENABLE_ALARM, 0);
    m_form.SetCheck(IDC_EXPORT_CSV, 1);

    m_form.SetWindowText(IDC_START_DELAY, u"30");
    m_form.SetWindowText(IDC_LOG_INTERVAL, u"1");
    m_form.SetWindowText(IDC_TEMP_LOW, u"2.0");
    m_form.SetWindowText(IDC_TEMP_HIGH, u"8.0");
    g_tempLowC = 2.0;
    g_tempLowF = 35.6;
    g_tempHighC = 8.0;
    g_tempHighF = 46.4;
    g_suppressTempLowChange = false;
    g_suppressTempHighChange = false;
    g_humLow = g_humHigh = 0;
    g_ch3Low = g_ch3High = 0;
    ResetDeviceValues();
    g_pendingConfig = PendingConfiguration{};
    m_form.SetWindowText(IDC_HUM_LOW, u"20.0");
    m_form.SetWindowText(IDC_HUM_HIGH, u"80.0");
    m_form.SetWindowText(IDC_CH3_LOW, u"1.0");
    m_form.SetWindowText(IDC_CH3_HIGH, u"10.0");
    for (int id : {IDC_TRADEMARK, IDC_DEVICE_NAME, IDC_USER_INFO, IDC_WEBSITE, IDC_DEVICE_ID,
                   IDC_PDF_PASSWORD}) {
        m_form.SetWindowText(id, u"");
    }
    m_form.SetWindowText(IDC_RECORD_LED_DUTY, u"0");
    m_form.SetWindowText(IDC_ALARM_LED_DUTY, u"0");

    // The texts above raised change notifications; the first tick starts
    // with none pending.
    ClearRecordQueue();
    ResetClock();
    g_pendingEvents = 0;
    g_upgradeState.store(UPGRADE_IDLE, std::memory_order_release);

    m_timer.SetTimer(TIMER_ID, TICK_NORMAL_MS);
    return true;
}

void CUSBDlg::OnBnClickedConfigure() { g_pendingEvents |= EVT_CONFIGURE; }
void CUSBDlg::OnCbnSelchangeTimeZone() { g_pendingEvents |= EVT_TIME_ZONE; }
void CUSBDlg::OnCbnSelchangeDateFormat() { g_pendingEvents |= EVT_DATE_FORMAT; }
void CUSBDlg::OnCbnSelchangeTempUnit() { g_pendingEvents |= EVT_TEMP_UNIT; }
void CUSBDlg::OnCbnSelchangeCh3Unit() { g_pendingEvents |= EVT_CH3_UNIT; }
void CUSBDlg::OnCbnSelchangeReportLanguage() { g_pendingEvents |= EVT_REPORT_LANGUAGE; }
void CUSBDlg::OnBnClickedLockSettings() { g_pendingEvents |= EVT_LOCK_SETTINGS; }
void CUSBDlg::OnBnClickedEnableAlarm() { g_pendingEvents |= EVT_ENABLE_ALARM; }

void CUSBDlg::OnEnChangeLogInterval() {
    // The maximum recording time needs the capacity of a logger.
    if (g_deviceCount.load(std::memory_order_acquire) != 0) g_pendingEvents |= EVT_LOG_INTERVAL;
}

void CUSBDlg::OnBnClickedTimedStart() {
    m_form.EnableWindow(IDC_START_TIME, m_form.GetCheck(IDC_TIMED_START) == 1);
}
