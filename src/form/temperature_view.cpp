// Which unit the two temperature limits are shown in. Both units are held at
// all times, so switching computes nothing.
#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/usb_dlg.h"
#include "platform/format_text.h"

void CUSBDlg::ShowTempUnit() {
    // The writes below announce themselves as changes; they are not the user's.
    g_suppressTempLowChange = true;
    g_suppressTempHighChange = true;
    const bool celsius = m_form.GetCurSel(IDC_TEMP_UNIT) == 0;
    m_form.SetWindowText(IDC_TEMP_HIGH, FormatText(u"%1.1f", {celsius ? g_tempHighC : g_tempHighF}));
    m_form.SetWindowText(IDC_TEMP_LOW, FormatText(u"%1.1f", {celsius ? g_tempLowC : g_tempLowF}));
    const char16_t* unit = celsius ? u"℃" : u"℉";
    m_form.SetWindowText(IDC_TEMP_HIGH_UNIT, unit);
    m_form.SetWindowText(IDC_TEMP_LOW_UNIT, unit);
    for (int id : {IDC_TEMP_HIGH, IDC_TEMP_LOW, IDC_TEMP_HIGH_UNIT, IDC_TEMP_LOW_UNIT}) InvalidateControl(id);
}

// While the user types a limit it is re-read silently; a text that is not a
// valid limit leaves the stored pair as it was.
void CUSBDlg::RereadTempLow() { ReadTempLowAlert(); }
void CUSBDlg::RereadTempHigh() { ReadTempHighAlert(); }
