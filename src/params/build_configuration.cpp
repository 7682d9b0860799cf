// Encoding the validated form as the parameter records of one configuration.
#include <array>
#include <string_view>

#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/usb_dlg.h"
#include "form/clock_record.h"
#include "hid/record_queue.h"
#include "loop/loop_state.h"
#include "params/alert_conversions.h"
#include "params/device_values.h"
#include "params/parameter_records.h"
#include "params/pending_configuration.h"
#include "params/third_channel.h"

namespace {

// Firmware from this high byte on takes only the tool's version.
constexpr uint8_t SHORT_FORM_FW_HIGH = 0x60;

void Append(const ParameterRecord& record) {
    AppendRecord(record.code, record.payload.data(), static_cast<uint8_t>(record.payload.size()));
}

void AppendNumber(uint8_t code, int64_t value) { Append(EncodeNumberRecord(code, value)); }

// A limit held as a double, in the record's tenths or thousandths.
void AppendScaled(uint8_t code, double value, double scale) { AppendNumber(code, RecordNumber(value * scale)); }

template <size_t N>
void AppendText(uint8_t code, const std::array<uint8_t, N>& field) {
    Append(EncodeTextRecord(code, std::string_view(reinterpret_cast<const char*>(field.data()), N)));
}

}  // namespace

bool CUSBDlg::BuildConfiguration() {
    if (g_cmdQueueLength != 0) return false;  // the last one is not sent yet
    g_cmdQueue.fill(0);
    ClearRecordQueue();
    const PendingConfiguration& pending = g_pendingConfig;

    Append(EncodeFixedRecord(PARAM_TOOL_VERSION));
    Append(EncodeFixedRecord(PARAM_RESERVED_27));
    if (g_fwVersionHi < SHORT_FORM_FW_HIGH) {
        Append(EncodeToolStampRecord());
        Append(EncodeFixedRecord(PARAM_RESERVED_4A));
        AppendNumber(PARAM_REPORT_LANGUAGE, pending.language);
        AppendNumber(PARAM_ENABLE_ALARM, pending.enableAlarm);
        AppendNumber(PARAM_EXPORT_CSV, pending.exportCsv);
        AppendNumber(PARAM_TEMP_UNIT, pending.tempUnit);
        AppendNumber(PARAM_CH3_UNIT, pending.ch3Unit);
        AppendNumber(PARAM_START_DELAY, int64_t{pending.startDelayMinutes} * 60);
        AppendNumber(PARAM_LOG_INTERVAL, pending.logIntervalSeconds);
        AppendScaled(PARAM_TEMP_HIGH, g_tempHighC, 10);
        AppendScaled(PARAM_TEMP_LOW, g_tempLowC, 10);
        Append(EncodeFixedRecord(PARAM_RESERVED_2F));
        Append(EncodeFixedRecord(PARAM_RESERVED_31));
        AppendScaled(PARAM_HUM_HIGH, g_humHigh, 10);
        AppendScaled(PARAM_HUM_LOW, g_humLow, 10);
        Append(EncodeFixedRecord(PARAM_RESERVED_37));
        Append(EncodeFixedRecord(PARAM_RESERVED_39));
        AppendCh3Alerts();
        Append(EncodeTimeZoneRecord(60 * pending.tzHours + pending.tzMinutes));
        AppendNumber(PARAM_DATE_FORMAT, pending.dateFormat);
        Append(EncodeFixedRecord(PARAM_POWER_SAVE));  // always off, whatever the box shows
        AppendNumber(PARAM_ALERT_LED_INTERVAL, pending.alertLedInterval);
        AppendNumber(PARAM_RECORD_LED_INTERVAL, pending.recordLedInterval);
        AppendText(PARAM_TRADEMARK, pending.trademark);
        AppendText(PARAM_DEVICE_NAME, pending.deviceName);
        AppendText(PARAM_WEBSITE, pending.website);
        AppendText(PARAM_USER_INFO, pending.userInfo);
        AppendText(PARAM_DEVICE_ID, pending.deviceId);
        AppendText(PARAM_PDF_PASSWORD, pending.pdfPassword);
        RefreshClock();  // the clock goes out as late as it can
        Append(EncodeClockRecord({g_clock.year, g_clock.month, g_clock.day, g_clock.hour, g_clock.minute,
                                  g_clock.second}));
    }
    Append(EncodeFixedRecord(PARAM_END));
    g_configPending = true;
    return true;
}

// The low limit goes before the high one. A type without record codes gets
// no third-channel records at all: any code would name another channel.
void CUSBDlg::AppendCh3Alerts() {
    const Ch3TypeInfo* info = FindCh3Type(g_ch3Type);
    if (info == nullptr) return;
    double low = g_ch3Low;
    double high = g_ch3High;
    const std::optional<Ch3Unit> unit = Ch3UnitAt(g_ch3Type, g_pendingConfig.ch3Unit);
    if (unit && IsAirFlow(*unit)) {
        // A disabled edit was not read, so its limit still holds the speed
        // it was loaded as; the records carry the flow through the duct.
        if (!m_form.IsWindowEnabled(IDC_CH3_LOW)) low = BaseToShown(Ch3Unit::Cmm, low, g_ductArea);
        if (!m_form.IsWindowEnabled(IDC_CH3_HIGH)) high = BaseToShown(Ch3Unit::Cmm, high, g_ductArea);
    }
    AppendScaled(info->lowCode, low, info->rawPerBase);
    AppendScaled(info->highCode, high, info->rawPerBase);
    Append(EncodeFixedRecord(info->reservedCodes[0]));
    Append(EncodeFixedRecord(info->reservedCodes[1]));
}
