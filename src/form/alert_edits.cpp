// The four alert-limit edits keep at most one character after the decimal
// point; the two temperature edits also ask for a re-read of their limit.
#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"

bool CUSBDlg::TrimAlertDecimals(int controlId) {
    std::u16string text = m_form.GetWindowText(controlId);
    enum { BeforePoint, AfterPoint, AfterDecimal } state = BeforePoint;
    size_t cut = text.size();
    for (size_t i = 0; i < text.size() && cut == text.size(); ++i) {
        if (text[i] == u'.') {
            if (state == BeforePoint) state = AfterPoint;
            else cut = i;
        } else if (state == AfterPoint) {
            state = AfterDecimal;
        } else if (state == AfterDecimal) {
            cut = i;
        }
    }
    if (cut == text.size()) return true;
    text.resize(cut);
    m_form.SetWindowText(controlId, text);  // raises EN_CHANGE again, at once
    FocusFieldEnd(controlId);
    return false;
}

void CUSBDlg::OnEnChangeTempLow() {
    if (TrimAlertDecimals(IDC_TEMP_LOW) && !g_suppressTempLowChange) {
        g_pendingEvents |= EVT_TEMP_LOW;
    } else {
        g_suppressTempLowChange = false;
    }
}

void CUSBDlg::OnEnChangeTempHigh() {
    if (TrimAlertDecimals(IDC_TEMP_HIGH) && !g_suppressTempHighChange) {
        g_pendingEvents |= EVT_TEMP_HIGH;
    } else {
        g_suppressTempHighChange = false;
    }
}

void CUSBDlg::OnEnChangeHumLow() { TrimAlertDecimals(IDC_HUM_LOW); }
void CUSBDlg::OnEnChangeHumHigh() { TrimAlertDecimals(IDC_HUM_HIGH); }
