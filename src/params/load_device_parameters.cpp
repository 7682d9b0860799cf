// Loading a logger's parameter block into the form.
#include <algorithm>
#include <span>

#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/pending_events.h"
#include "app/usb_dlg.h"
#include "hid/link_state.h"
#include "loop/loop_state.h"
#include "params/block_bytes.h"
#include "params/device_parameter_block.h"
#include "params/device_values.h"
#include "params/pdf_password.h"
#include "params/third_channel.h"
#include "params/version_rules.h"
#include "platform/ansi_code_page.h"
#include "platform/format_text.h"

namespace {

struct Ch3Texts {
    uint8_t type;
    const char16_t* unitLabel;
    const char16_t* lowLabel;
    const char16_t* highLabel;
};

// The illuminance labels begin with a zero-width space, unlike the dialog
// template's own.
constexpr Ch3Texts CH3_TEXTS[] = {
    {CH3_ILLUMINANCE, u"Illuminance Unit:", u"\u200BLow Illumination Alert:",
     u"\u200BHigh Illumination Alert:"},
    {CH3_NOISE, u"Noise Unit:", u"Low Noise Alert:", u"High Noise Alert:"},
    {CH3_WIND_SPEED, u"Wind Speed Unit:", u"Low Wind Speed Alert:", u"High Wind Speed Alert:"},
};

constexpr double CUBIC_METRES_PER_CUBIC_FOOT = 0.3048 * 0.3048 * 0.3048;

// A text field as the form shows it: decoded from the ANSI code page up to
// its NUL, at most `maxChars` characters.
std::u16string LoadedText(const std::string& bytes, size_t maxChars) {
    std::u16string text = MultiByteToWide(bytes);
    if (text.size() > maxChars) text.resize(maxChars);
    return text;
}

// Edits of the identity texts hold one character less than their field.
std::u16string LoadedText(const std::string& bytes, BlockField field) {
    return LoadedText(bytes, field.width - 1u);
}

// The whole field is judged, also bytes after a NUL: a password that is not
// plainly letters and digits is not shown at all.
std::u16string LoadedPdfPassword(std::span<const uint8_t> block) {
    const BlockField field = BLOCK_PDF_PASSWORD;
    for (size_t i = 0; i < field.width; ++i) {
        const size_t at = size_t{field.offset} + i;
        const uint8_t byte = at < block.size() ? block[at] : 0;
        if (byte != 0 && !IsPdfPasswordByte(byte)) return u"";
    }
    return LoadedText(ReadBlockText(block, field), field.width);
}

std::u16string OneDecimal(double value) { return FormatText(u"%1.1f", {value}); }

}  // namespace

bool CUSBDlg::LoadDeviceParameters(bool loadAll) {
    const DeviceParameterBlock block = DeviceParameterBlock::FromBytes(g_deviceInfo);

    g_capacityPoints = block.capacityPoints;
    g_tempRangeMin = block.tempRangeMin;
    g_tempRangeMax = block.tempRangeMax;
    g_ch3RangeMax = block.ch3RangeMax;
    g_deviceVariant = block.deviceVariant;
    g_deviceType = block.deviceType;
    g_ch3Type = block.ch3Type;
    g_ductArea = block.ductArea;

    if (block.ch3Type != g_shownCh3Type) {
        g_shownCh3Type = block.ch3Type;
        ShowCh3Type(block.ch3Type);
    }
    if (m_form.GetCheck(IDC_LOCK_SETTINGS) == 0) g_pendingEvents |= EVT_ENABLE_ALARM;

    if (!CheckToolVersion(block.minToolVersion)) return false;

    m_form.SetWindowText(IDC_FW_VERSION, FirmwareVersionText(g_fwVersion));
    InvalidateControl(IDC_FW_VERSION);

    if (!loadAll) {
        // A locked form takes only the logger's identity.
        m_form.SetWindowText(IDC_DEVICE_ID, LoadedText(block.deviceId, BLOCK_DEVICE_ID));
        InvalidateControl(IDC_DEVICE_ID);
        g_pendingEvents |= EVT_ENABLE_ALARM;
        return true;
    }

    for (int id : {IDC_TIME_ZONE, IDC_DATE_FORMAT, IDC_TIMED_START}) m_form.EnableWindow(id, true);
    m_form.SetCheck(IDC_EXPORT_CSV, 0);

    if (block.KeepForm()) {
        // The logger carries no settings: the form keeps what it holds.
        if (block.TempUnitSelectable()) {
            m_form.EnableWindow(IDC_TEMP_UNIT, true);
        } else {
            m_form.SetCurSel(IDC_TEMP_UNIT, 0);
            m_form.EnableWindow(IDC_TEMP_UNIT, false);
        }
        for (int id : {IDC_TEMP_HIGH, IDC_TEMP_LOW, IDC_HUM_HIGH, IDC_HUM_LOW, IDC_CH3_HIGH, IDC_CH3_LOW}) {
            m_form.EnableWindow(id, true);
        }
        return true;
    }

    LoadSettings(block);
    return true;
}

// Rebuilt only when the type changes, so a second logger of the same type
// keeps the list and takes only its selection. A type outside the table
// keeps the texts it finds.
void CUSBDlg::ShowCh3Type(uint8_t ch3Type) {
    const Ch3TypeInfo* info = FindCh3Type(ch3Type);
    const auto texts = std::find_if(std::begin(CH3_TEXTS), std::end(CH3_TEXTS),
                                    [&](const Ch3Texts& t) { return t.type == ch3Type; });
    if (info != nullptr && texts != std::end(CH3_TEXTS)) {
        m_form.SetWindowText(IDC_CH3_UNIT_LABEL, texts->unitLabel);
        m_form.ResetContent(IDC_CH3_UNIT);
        for (const Ch3UnitEntry& entry : info->units) m_form.AddString(IDC_CH3_UNIT, std::u16string(entry.name));
        m_form.SetWindowText(IDC_CH3_LOW_UNIT, std::u16string(info->units[0].name));
        m_form.SetWindowText(IDC_CH3_HIGH_UNIT, std::u16string(info->units[0].name));
        m_form.SetWindowText(IDC_CH3_LOW_LABEL, texts->lowLabel);
        m_form.SetWindowText(IDC_CH3_HIGH_LABEL, texts->highLabel);
        for (int id : {IDC_CH3_UNIT_LABEL, IDC_CH3_LOW_LABEL, IDC_CH3_HIGH_LABEL}) InvalidateControl(id);
    }
    m_form.SetCurSel(IDC_CH3_UNIT, 0);
    for (int id : {IDC_CH3_UNIT, IDC_CH3_LOW_UNIT, IDC_CH3_HIGH_UNIT}) InvalidateControl(id);
}

void CUSBDlg::LoadSettings(const DeviceParameterBlock& block) {
    SelectTimeZone(static_cast<int16_t>(block.TimeZoneMinutes()));
    m_form.SetCurSel(IDC_REPORT_LANGUAGE, block.LanguageChinese() ? 1 : 0);
    // Item 1 (month first) is never what a logger's bits say.
    m_form.SetCurSel(IDC_DATE_FORMAT, block.DateFormatBits() != 0 && block.LanguageChinese() ? 2 : 0);

    if (block.TempUnitSelectable()) {
        m_form.SetCurSel(IDC_TEMP_UNIT, block.Fahrenheit() ? 1 : 0);
        m_form.EnableWindow(IDC_TEMP_UNIT, true);
    } else {
        m_form.SetCurSel(IDC_TEMP_UNIT, 0);
        m_form.EnableWindow(IDC_TEMP_UNIT, false);
    }
    // An index beyond the type's list selects nothing.
    m_form.SetCurSel(IDC_CH3_UNIT, static_cast<int>(block.Ch3UnitIndex()));
    m_form.EnableWindow(IDC_CH3_UNIT, true);

    m_form.SetWindowText(IDC_START_DELAY, FormatText(u"%d", {block.startDelaySeconds / 60}));
    // Reported as a change, so the maximum recording time follows.
    m_form.SetWindowText(IDC_LOG_INTERVAL, FormatText(u"%d", {block.logIntervalSeconds}));
    m_form.SetWindowText(IDC_ALARM_LED_DUTY, FormatText(u"%d", {block.alertLedInterval}));
    m_form.SetWindowText(IDC_RECORD_LED_DUTY, FormatText(u"%d", {block.recordLedInterval}));

    // The temperature edits are written by the unit view, in the unit shown.
    g_tempHighC = block.tempHigh / 10.0;
    g_tempLowC = block.tempLow / 10.0;
    g_tempHighF = g_tempHighC * 1.8 + 32;
    g_tempLowF = g_tempLowC * 1.8 + 32;
    g_pendingEvents |= EVT_TEMP_UNIT;

    g_humHigh = block.humHigh / 10.0;
    m_form.SetWindowText(IDC_HUM_HIGH, OneDecimal(g_humHigh));
    m_form.EnableWindow(IDC_HUM_HIGH, true);
    g_humLow = block.humLow / 10.0;
    m_form.SetWindowText(IDC_HUM_LOW, OneDecimal(g_humLow));
    m_form.EnableWindow(IDC_HUM_LOW, true);

    LoadCh3Alerts(block);

    m_form.SetWindowText(IDC_DEVICE_NAME, LoadedText(block.deviceName, BLOCK_DEVICE_NAME));
    m_form.SetWindowText(IDC_DEVICE_ID, LoadedText(block.deviceId, BLOCK_DEVICE_ID));
    InvalidateControl(IDC_DEVICE_ID);
    m_form.SetWindowText(IDC_WEBSITE, LoadedText(block.website, BLOCK_WEBSITE));
    m_form.SetWindowText(IDC_USER_INFO, LoadedText(block.userInfo, BLOCK_USER_INFO));
    m_form.SetWindowText(IDC_TRADEMARK, LoadedText(block.trademark, BLOCK_TRADEMARK));
    m_form.SetWindowText(IDC_PDF_PASSWORD, LoadedPdfPassword(g_deviceInfo));

    m_form.SetCheck(IDC_POWER_SAVE, block.PowerSaveOn() ? 1 : 0);
    m_form.EnableWindow(IDC_POWER_SAVE, true);
    m_form.SetCheck(IDC_EXPORT_CSV, block.ExportCsv() ? 1 : 0);
    m_form.EnableWindow(IDC_EXPORT_CSV, true);
    m_form.SetCheck(IDC_ENABLE_ALARM, block.AlarmEnabled() ? 1 : 0);
    m_form.EnableWindow(IDC_ENABLE_ALARM, true);
}

// The limits are kept in the base unit; the edits show them in the unit the
// logger has selected. Wind loggers with an air-flow unit store a flow, which
// is kept as the speed through the duct.
void CUSBDlg::LoadCh3Alerts(const DeviceParameterBlock& block) {
    const std::optional<Ch3Unit> unit = Ch3UnitAt(block.ch3Type, block.Ch3UnitIndex());
    std::optional<double> shownHigh;
    std::optional<double> shownLow;
    if (block.ch3Type == CH3_WIND_SPEED) {
        g_ch3High = block.ch3High / 1000.0;
        g_ch3Low = block.ch3Low / 1000.0;
        if (unit && IsAirFlow(*unit)) {
            const double divisor = *unit == Ch3Unit::Cfm ? CUBIC_METRES_PER_CUBIC_FOOT : 1.0;
            shownHigh = g_ch3High / divisor;
            shownLow = g_ch3Low / divisor;
            // A duct of no area turns no flow into a speed.
            g_ch3High = FlowToSpeed(g_ch3High, g_ductArea).value_or(0);
            g_ch3Low = FlowToSpeed(g_ch3Low, g_ductArea).value_or(0);
        } else if (unit) {
            shownHigh = BaseToShown(*unit, g_ch3High, g_ductArea);
            shownLow = BaseToShown(*unit, g_ch3Low, g_ductArea);
        }
    } else {
        g_ch3High = block.ch3High / 10.0;
        g_ch3Low = block.ch3Low / 10.0;
        if (FindCh3Type(block.ch3Type) != nullptr) {
            // Only foot-candles differ from the base unit; the noise units
            // and an index beyond the list show it unchanged.
            const Ch3Unit shown = unit.value_or(Ch3Unit::Lux);
            shownHigh = BaseToShown(shown, g_ch3High, g_ductArea);
            shownLow = BaseToShown(shown, g_ch3Low, g_ductArea);
        }
    }
    if (shownHigh) m_form.SetWindowText(IDC_CH3_HIGH, OneDecimal(*shownHigh));
    if (shownLow) m_form.SetWindowText(IDC_CH3_LOW, OneDecimal(*shownLow));
    m_form.EnableWindow(IDC_CH3_HIGH, true);
    m_form.EnableWindow(IDC_CH3_LOW, true);
    g_pendingEvents |= EVT_CH3_UNIT;
}
