// The clock of the selected time zone: shown in the form and written to the
// logger. The computer's local time is moved by the difference between the
// selected zone and the computer's standard offset.
#include <cstdio>

#include "app/control_ids.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"
#include "form/clock_record.h"
#include "platform/format_text.h"
#include "platform/local_time.h"

namespace {
constexpr char16_t TIME_ZONE_FIELD[] = u"Invalid time zone parameter";
}

// The selected item reads "UTC+hh:mm": sign at index 3, hours at 4 and 5,
// minutes from 7.
void CUSBDlg::ParseTimeZoneItem() {
    const std::u16string item = m_form.GetLBText(IDC_TIME_ZONE, m_form.GetCurSel(IDC_TIME_ZONE));
    const std::u16string hoursText = item.size() > 4 ? item.substr(4, 2) : std::u16string();
    const std::u16string minutesText = item.size() > 7 ? item.substr(7) : std::u16string();
    int32_t hours = 0;
    int32_t minutes = 0;
    const bool hoursValid = ValidateInteger(hoursText, hours, 0, 12, TIME_ZONE_FIELD) == VALID_OK;
    const bool minutesValid = ValidateInteger(minutesText, minutes, 0, 59, TIME_ZONE_FIELD) == VALID_OK;
    if (!hoursValid || !minutesValid) return;
    g_zoneMinutes = 60 * hours + minutes;
    if (item[3] == u'-') g_zoneMinutes = -g_zoneMinutes;
}

void CUSBDlg::RefreshClock() {
    LocalClock& clock = CurrentLocalClock();
    g_pcZoneMinutes = -clock.StandardBias();
    ParseTimeZoneItem();
    const int32_t delta = g_zoneMinutes - g_pcZoneMinutes;
    const LocalTime now = clock.GetLocalTime();
    g_clock = ShiftClock(now.year, now.month, now.day, now.hour, now.minute, now.second, delta);

    const int32_t format = m_form.GetCurSel(IDC_DATE_FORMAT);
    if (g_clock.year == g_shownDate.year && g_clock.month == g_shownDate.month &&
        g_clock.day == g_shownDate.day && format == g_shownDateFormat) {
        if (g_clock.second != g_shownSecond) {
            m_form.SetWindowText(IDC_TIME_TEXT, FormatText(u"%02d:%02d:%02d", {g_clock.hour, g_clock.minute,
                                                                               g_clock.second}));
            InvalidateControl(IDC_TIME_TEXT);
            g_shownSecond = g_clock.second;
        }
        return;
    }
    // A new date or format: the date label is written by the next tick's
    // event processing.
    g_shownDate = {g_clock.year, g_clock.month, g_clock.day};
    g_shownDateFormat = format;
    g_pendingEvents |= EVT_DATE_FORMAT;
}

void CUSBDlg::ApplyDateFormat() {
    const int year = 2000 + g_clock.year;
    switch (m_form.GetCurSel(IDC_DATE_FORMAT)) {
    case 0:
        m_form.SetWindowText(IDC_DATE_TEXT, FormatText(u"%02d/%02d/%04d", {g_clock.day, g_clock.month, year}));
        break;
    case 1:
        m_form.SetWindowText(IDC_DATE_TEXT, FormatText(u"%02d/%02d/%04d", {g_clock.month, g_clock.day, year}));
        break;
    case 2:
        m_form.SetWindowText(IDC_DATE_TEXT, FormatText(u"%04d/%02d/%02d", {year, g_clock.month, g_clock.day}));
        break;
    default:
        break;
    }
    InvalidateControl(IDC_DATE_TEXT);
}
