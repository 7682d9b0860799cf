// How long the logger can record at the interval typed: its capacity in
// readings times the interval.
#include "app/control_ids.h"
#include "app/usb_dlg.h"
#include "params/device_values.h"
#include "platform/format_text.h"

namespace {
constexpr uint64_t SECONDS_PER_DAY = 86400;
// The display follows intervals up to this many seconds; longer ones are
// checked only when the configuration is written.
constexpr int32_t DISPLAY_INTERVAL_MAX = 1440;
}  // namespace

void CUSBDlg::UpdateMaxRecordingTime() {
    int32_t interval = 0;
    if (ReadIntegerField(IDC_LOG_INTERVAL, interval, 0, DISPLAY_INTERVAL_MAX) != VALID_OK) return;
    // A 24-bit capacity times 1440 needs 35 bits.
    const uint64_t total = static_cast<uint64_t>(g_capacityPoints) * static_cast<uint64_t>(interval);
    const std::u16string text =
        total <= SECONDS_PER_DAY
            ? FormatText(u"Maximum Recording Time:%0.1fHours/%dpoints", {total / 3600.0, g_capacityPoints})
            : FormatText(u"Maximum Recording Time:%0.1fDays/%dpoints", {total / 86400.0, g_capacityPoints});
    m_form.SetWindowText(IDC_MAX_REC_TIME, text);
    InvalidateControl(IDC_MAX_REC_TIME);
}
