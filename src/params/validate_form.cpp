// Validating the whole form before a configuration is written: every field
// in a fixed order, stopping at the first one in error.
#include <algorithm>

#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/usb_dlg.h"
#include "params/device_values.h"
#include "params/pdf_password.h"
#include "params/pending_configuration.h"
#include "params/third_channel.h"
#include "platform/ansi_code_page.h"
#include "platform/format_text.h"
#include "platform/message_box.h"

namespace {

constexpr size_t PDF_PASSWORD_MAX_CHARS = 8;

struct Ch3Messages {
    const char16_t* lowName;
    const char16_t* highName;
    const char16_t* order;
};

// By third-channel type.
constexpr Ch3Messages CH3_MESSAGES[] = {
    {u"Low Illumination Alert Parameter Configuration Error!",
     u"High Illumination Alert Parameter Configuration Error!",
     u"High Illumination Alert Value Must Be Greater Than Low Illumination Alert Value"},
    {u"Low Noise Alert Parameter Configuration Error!", u"High Noise Alert Parameter Configuration Error!",
     u"High Noise Alert Value Must Be Greater Than Low Noise Alert Value"},
    {u"Low Wind speed Alert Parameter Configuration Error!",
     u"High Wind Speed Alert Parameter Configuration Error!",
     u"High Wind Speed Alert Value Must Be Greater Than Low Wind Speed Alert Value"},
};

uint8_t Selection(const Form& form, int id) { return static_cast<uint8_t>(form.GetCurSel(id)); }
uint8_t Ticked(const Form& form, int id) { return form.GetCheck(id) == 1 ? 1 : 0; }

// "UTC-03:30": the sign at index 3, the hours at 4 and 5, the minutes from 7.
bool ParseTimeZone(const std::u16string& text, int8_t& hours, int8_t& minutes) {
    constexpr std::u16string_view NAME = u"Invalid Time Zone Parameter Error";
    const std::u16string_view view = text;
    int32_t h = 0;
    int32_t m = 0;
    if (ValidateInteger(view.substr(std::min<size_t>(4, view.size()), 2), h, 0, 12, NAME) != VALID_OK) {
        return false;
    }
    if (ValidateInteger(view.substr(std::min<size_t>(7, view.size())), m, 0, 59, NAME) != VALID_OK) return false;
    int offset = 60 * h + m;
    if (view.size() > 3 && view[3] == u'-') offset = -offset;
    hours = static_cast<int8_t>(offset / 60);  // both parts carry the offset's sign
    minutes = static_cast<int8_t>(offset % 60);
    return true;
}

}  // namespace

bool CUSBDlg::ValidateForm() {
    PendingConfiguration& pending = g_pendingConfig;
    int32_t number = 0;

    if (ReadIntegerField(IDC_RECORD_LED_DUTY, number, 0, 60,
                         u"Invalid Recording LED Blinking Interval Parameter Error") != VALID_OK) {
        return false;
    }
    pending.recordLedInterval = static_cast<uint16_t>(number);
    if (ReadIntegerField(IDC_ALARM_LED_DUTY, number, 0, 60, u"Invalid Alert LED Blinking Interval Parameter Error") !=
        VALID_OK) {
        return false;
    }
    pending.alertLedInterval = static_cast<uint16_t>(number);

    if (!ParseTimeZone(m_form.GetLBText(IDC_TIME_ZONE, m_form.GetCurSel(IDC_TIME_ZONE)), pending.tzHours,
                       pending.tzMinutes)) {
        return false;
    }
    pending.dateFormat = Selection(m_form, IDC_DATE_FORMAT);

    if (ReadIntegerField(IDC_START_DELAY, number, 0, 1440, u"Startup Delay Parameter Configuration Error") !=
        VALID_OK) {
        return false;
    }
    pending.startDelayMinutes = number;
    if (ReadIntegerField(IDC_LOG_INTERVAL, number, 1, 86400, u"Recording Interval Parameter Configuration Error ") !=
        VALID_OK) {
        return false;
    }
    pending.logIntervalSeconds = number;
    pending.tempUnit = Selection(m_form, IDC_TEMP_UNIT);

    // A disabled alert edit is neither read nor compared; the next pair
    // compares with the value already held.
    if (m_form.IsWindowEnabled(IDC_TEMP_LOW) &&
        !ReadTempLowAlert(u"Low Temperature Alert Parameter Configuration Error")) {
        return false;
    }
    if (m_form.IsWindowEnabled(IDC_TEMP_HIGH)) {
        if (!ReadTempHighAlert(u"High Temperature Alert Parameter Configuration Error")) return false;
        if (g_tempLowC >= g_tempHighC) {
            AfxMessageBox(u"High-Temperature Alert Value Must Be Greater Than Low-Temperature Alert Value");
            m_form.SetFocus(IDC_TEMP_LOW);
            return false;
        }
    }

    if (m_form.IsWindowEnabled(IDC_HUM_LOW) &&
        ReadDecimalField(IDC_HUM_LOW, g_humLow, u"Low Humidity Alert Parameter Configuration Error!", 0.0, 100.0) !=
            VALID_OK) {
        return false;
    }
    if (m_form.IsWindowEnabled(IDC_HUM_HIGH)) {
        if (ReadDecimalField(IDC_HUM_HIGH, g_humHigh, u"High Humidity Alert Parameter Configuration Error!", 0.0,
                             100.0) != VALID_OK) {
            return false;
        }
        if (g_humLow >= g_humHigh) {
            AfxMessageBox(u"High-Humidity Alert Value Must Be Greater Than Low-Humidity Alert Value");
            m_form.SetFocus(IDC_HUM_LOW);
            return false;
        }
    }
    pending.ch3Unit = Selection(m_form, IDC_CH3_UNIT);

    if (FindCh3Type(g_ch3Type) != nullptr) {
        const Ch3Messages& messages = CH3_MESSAGES[g_ch3Type];
        if (m_form.IsWindowEnabled(IDC_CH3_LOW) && !ReadCh3Alert(true, messages.lowName)) return false;
        if (m_form.IsWindowEnabled(IDC_CH3_HIGH)) {
            if (!ReadCh3Alert(false, messages.highName)) return false;
            if (g_ch3Low >= g_ch3High) {
                AfxMessageBox(messages.order);
                m_form.SetFocus(IDC_CH3_LOW);
                return false;
            }
        }
    }

    pending.language = Selection(m_form, IDC_REPORT_LANGUAGE);
    pending.enableAlarm = Ticked(m_form, IDC_ENABLE_ALARM);
    pending.exportCsv = Ticked(m_form, IDC_EXPORT_CSV);

    return ValidateTextField(IDC_TRADEMARK, pending.trademark, false, false,
                             u"Trademark Parameter Configuration Error!") &&
           ValidateTextField(IDC_DEVICE_NAME, pending.deviceName, false, false, u"Device Name Error!") &&
           ValidateTextField(IDC_USER_INFO, pending.userInfo, false, true, u"User Information Error!") &&
           ValidateTextField(IDC_WEBSITE, pending.website, true, true, u"Website Error!") &&
           ValidateTextField(IDC_DEVICE_ID, pending.deviceId, true, false, u"Device ID Error!") &&
           ValidatePdfPassword();
}

// The text in the ANSI code page, at most the field's width in bytes (a text
// of exactly that width fills the field without a NUL). A character the
// code page cannot hold would reach the logger as '?': it is refused like
// any other character the field does not take. A failed field is left empty.
bool CUSBDlg::ValidateTextField(int controlId, std::span<uint8_t> field, bool checkChars, bool allowEmpty,
                                std::u16string_view name) {
    const std::u16string text = m_form.GetWindowText(controlId);
    std::string bytes = WideToMultiByte(text);
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    TextResult result = ValidateText(bytes, static_cast<uint8_t>(field.size()), checkChars, allowEmpty, name);
    if (result == TEXT_OK && MultiByteToWide(bytes) != text.substr(0, text.find(u'\0'))) {
        AfxMessageBox(FormatText(u"%s: 存在非法字符!", {name}));
        result = TEXT_BAD_CHAR;
    }
    std::fill(field.begin(), field.end(), 0);
    if (result != TEXT_OK) {
        if (controlId == IDC_DEVICE_ID) m_form.SetWindowText(controlId, u"");
        FocusFieldEnd(controlId);
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), field.begin());
    return true;
}

// Letters and digits only, at most eight; the first eight bytes are judged
// before the length, so a long text with a bad character after the eighth
// gets the length message.
bool CUSBDlg::ValidatePdfPassword() {
    std::array<uint8_t, 8>& field = g_pendingConfig.pdfPassword;
    field.fill(0);
    const std::u16string text = m_form.GetWindowText(IDC_PDF_PASSWORD);
    const std::string bytes = WideToMultiByte(text);
    std::copy_n(bytes.begin(), std::min(bytes.size(), field.size()), field.begin());

    if (std::any_of(field.begin(), field.end(), [](uint8_t b) { return b != 0 && !IsPdfPasswordByte(b); })) {
        field.fill(0);
        m_form.SetWindowText(IDC_PDF_PASSWORD, u"");
        FocusFieldEnd(IDC_PDF_PASSWORD);
        AfxMessageBox(u"PDF Password must only contain digits and English letters.");
        return false;
    }
    if (text.size() > PDF_PASSWORD_MAX_CHARS) {
        AfxMessageBox(u"The PDF password must be no more than 8 characters long");
        return false;
    }
    return true;
}
