// Validation of a field of the dialog: on failure the caret goes to the end
// of the field and the field gets the focus, with or without a message.
#include "app/usb_dlg.h"

namespace {
constexpr int CARET_AT_END = 0xFFFF;  // clamped to the end of the text
}

void CUSBDlg::FocusFieldEnd(int controlId) {
    m_form.SetSel(controlId, CARET_AT_END, CARET_AT_END);
    m_form.SetFocus(controlId);
}

ValidationResult CUSBDlg::ReadIntegerField(int controlId, int32_t& value, int32_t min, int32_t max,
                                           FieldName name) {
    const ValidationResult result = ValidateInteger(m_form.GetWindowText(controlId), value, min, max, name);
    if (result != VALID_OK) FocusFieldEnd(controlId);
    return result;
}

ValidationResult CUSBDlg::ReadDecimalField(int controlId, double& value, FieldName name, double min,
                                           double max) {
    const ValidationResult result = ValidateDecimal(m_form.GetWindowText(controlId), value, min, max, name);
    if (result != VALID_OK) FocusFieldEnd(controlId);
    return result;
}
