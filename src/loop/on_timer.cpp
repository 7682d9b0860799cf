// The timer tick: the one place where the dialog's thread meets the device.
#include "app/control_ids.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"
#include "hid/command_exchange.h"
#include "hid/link_state.h"
#include "hid/record_queue.h"
#include "loop/loop_state.h"
#include "params/block_layout.h"
#include "platform/message_box.h"
#include "upgrade/upgrade_state.h"

namespace {
bool Upgrading() { return g_upgradeState.load(std::memory_order_acquire) == UPGRADE_SENDING; }
}  // namespace

void CUSBDlg::OnTimer(int /*timerId*/) {
    // Stopped for the whole tick, so ticks never overlap, whatever waits or
    // message boxes happen inside.
    m_timer.KillTimer(TIMER_ID);
    unsigned period = TICK_NORMAL_MS;

    if (!g_firstTickDone) {
        g_firstTickDone = true;
        ResetDeviceDisplay();
        m_form.SetDateTimeFormat(IDC_START_TIME, u"dd/MM/yyyy HH:mm ");
    } else if (Upgrading() && DeviceOpen()) {
        // The reader thread alone talks to the device while an image is sent.
        period = TICK_UPGRADE_MS;
    } else {
        if (Upgrading()) {
            g_imageSize = 0;
            g_imageSent = 0;
            g_upgradeState.store(UPGRADE_IDLE, std::memory_order_release);
            AfxMessageBox(u"Upgrade interrupted. Please ensure the device is properly connected!");
        }
        if (g_deviceCount.load(std::memory_order_acquire) != 0 ||
            g_linkEvent.load(std::memory_order_acquire) != LINK_NONE) {
            const int32_t link = g_linkEvent.load(std::memory_order_acquire);
            if (link == LINK_OPENED) {
                ConnectDevice();
            } else if (link == LINK_LOST) {
                SetLinkEvent(LINK_NONE);
                ResetDeviceDisplay();
            }
        }
        ProcessPendingEvents();
        if (g_configPending && g_deviceCount.load(std::memory_order_acquire) != 0) SendConfiguration();
    }

    m_timer.SetTimer(TIMER_ID, period);
    RefreshClock();
}

// A device has just been opened. Any refusal leaves it open but unused, with
// the button at "Input Device", until it is unplugged and found again.
void CUSBDlg::ConnectDevice() {
    SetLinkEvent(LINK_NONE);  // the reader may read again
    const bool loadAll = m_form.GetCheck(IDC_LOCK_SETTINGS) == 0;
    if (!ReadParameterBlock()) return;

    g_fwVersionHi = g_deviceInfo[BLOCK_FW_VERSION_HIGH.offset];
    g_fwVersion = static_cast<uint16_t>(g_deviceInfo[BLOCK_FW_VERSION_HIGH.offset] * 256 +
                                        g_deviceInfo[BLOCK_FW_VERSION_LOW.offset]);
    if (g_fwVersion >= FW_VERSION_LIMIT) return;
    g_deviceType = g_deviceInfo[BLOCK_DEVICE_TYPE.offset];
    if (g_deviceType != DEVICE_TYPE_LOGGER) return;
    if (!LoadDeviceParameters(loadAll)) return;

    if (g_upgradeState.load(std::memory_order_acquire) == UPGRADE_RESTARTING) {
        // Back after an upgrade: the configuration goes out in this tick.
        g_pendingEvents |= EVT_CONFIGURE;
        g_upgradeState.store(UPGRADE_IDLE, std::memory_order_release);
        return;
    }
    SetButton(u"Configure", true);
    if (m_form.GetCheck(IDC_AUTO_SETUP) == 1) g_pendingEvents |= EVT_CONFIGURE;
}

void CUSBDlg::ResetDeviceDisplay() {
    if (g_configPending) {
        AfxMessageBox(u"Configuration interrupted. Please ensure the device is properly connected!");
    }
    ClearRecordQueue();
    m_form.SetWindowText(IDC_VDD_BAT, u"");
    InvalidateControl(IDC_VDD_BAT);
    m_form.SetWindowText(IDC_FW_VERSION, u"FW Version:");
    InvalidateControl(IDC_FW_VERSION);
    m_form.SetWindowText(IDC_MAX_REC_TIME, u"Maximum Recording Time:");
    InvalidateControl(IDC_MAX_REC_TIME);
    // An upgrade in progress keeps its text on the button.
    if (g_upgradeState.load(std::memory_order_acquire) == UPGRADE_IDLE) SetButton(u"Input Device", false);
}

void CUSBDlg::SetButton(const char16_t* text, bool enabled) {
    m_form.EnableWindow(IDC_CONFIGURE, enabled);
    m_form.SetWindowText(IDC_CONFIGURE, text);
    InvalidateControl(IDC_CONFIGURE);
}
