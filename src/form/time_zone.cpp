// The time-zone list: selecting the item of an offset.
#include <cstdlib>

#include "app/control_ids.h"
#include "app/usb_dlg.h"
#include "form/clock_record.h"
#include "platform/format_text.h"

namespace {

// "UTC+08:00" for 480, "UTC-00:30" for -30.
std::u16string TimeZoneText(int offset) {
    std::u16string text = FormatText(u"UTC+%02d:%02d", {std::abs(offset) / 60, std::abs(offset) % 60});
    if (offset < 0) text[3] = u'-';
    return text;
}

}  // namespace

// Offsets the list does not hold (not a multiple of 30 minutes, or beyond
// twelve hours) select "UTC+00:00", which it always holds. No notification
// follows, as for any selection the program makes.
void CUSBDlg::SelectTimeZone(int16_t offset) {
    int item = m_form.FindString(IDC_TIME_ZONE, -1, TimeZoneText(offset));
    if (item == CB_ERR) item = m_form.FindString(IDC_TIME_ZONE, -1, TimeZoneText(0));
    m_form.SetCurSel(IDC_TIME_ZONE, item);
}

// The user picked a zone: it stands, and the clock shown at the end of the
// same tick is already the new zone's.
void CUSBDlg::ApplyTimeZone() {
    ParseTimeZoneItem();
    SelectTimeZone(static_cast<int16_t>(g_zoneMinutes));
}
