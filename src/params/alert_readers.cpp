// Reading an alert limit from its edit: in the unit the form shows, within
// the logger's range, kept in the base unit.
#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/usb_dlg.h"
#include "params/alert_conversions.h"
#include "params/device_values.h"
#include "params/third_channel.h"

namespace {
// The bound the air-flow units are entered within, whatever the duct.
constexpr double AIR_FLOW_MAX = 999900.0;
}  // namespace

bool CUSBDlg::ReadTempLowAlert(FieldName name) {
    return ReadTempAlert(IDC_TEMP_LOW, g_tempLowC, g_tempLowF, name);
}

bool CUSBDlg::ReadTempHighAlert(FieldName name) {
    return ReadTempAlert(IDC_TEMP_HIGH, g_tempHighC, g_tempHighF, name);
}

// Both members of the pair change only when the edit holds a valid value.
bool CUSBDlg::ReadTempAlert(int controlId, double& celsius, double& fahrenheit, FieldName name) {
    const double minC = g_tempRangeMin / 10.0;
    const double maxC = g_tempRangeMax / 10.0;
    double value = 0;
    if (m_form.GetCurSel(IDC_TEMP_UNIT) == 0) {
        if (ReadDecimalField(controlId, value, name, minC, maxC) != VALID_OK) return false;
        celsius = value;
        fahrenheit = value * 1.8 + 32;
        return true;
    }
    if (ReadDecimalField(controlId, value, name, minC * 1.8 + 32, maxC * 1.8 + 32) != VALID_OK) return false;
    fahrenheit = value;
    celsius = CelsiusFromFahrenheitEntry(value);
    return true;
}

// The limit is read in the selected unit against the logger's maximum in
// that unit. An air-flow entry is kept as the flow (cubic metres per
// minute), which the records carry.
bool CUSBDlg::ReadCh3Alert(bool low, FieldName name) {
    const int controlId = low ? IDC_CH3_LOW : IDC_CH3_HIGH;
    double& stored = low ? g_ch3Low : g_ch3High;
    const int index = m_form.GetCurSel(IDC_CH3_UNIT);
    std::optional<Ch3Unit> selected;
    if (index >= 0) selected = Ch3UnitAt(g_ch3Type, static_cast<unsigned>(index));
    double value = 0;

    switch (g_ch3Type) {
        case CH3_ILLUMINANCE: {
            // Anything but lux, no selection included, is read as foot-candles.
            const Ch3Unit unit = selected.value_or(Ch3Unit::Fc) == Ch3Unit::Lux ? Ch3Unit::Lux : Ch3Unit::Fc;
            const double max = BaseToShown(unit, g_ch3RangeMax / 10.0, g_ductArea);
            if (ReadDecimalField(controlId, value, name, 0.0, max) != VALID_OK) return false;
            stored = EnteredToStored(unit, value);
            return true;
        }
        case CH3_NOISE:
            if (ReadDecimalField(controlId, value, name, 0.0, g_ch3RangeMax / 10.0) != VALID_OK) return false;
            stored = value;
            return true;
        case CH3_WIND_SPEED: {
            const double maxSpeed = g_ch3RangeMax / 1000.0;
            double max = maxSpeed;
            if (selected) max = IsAirFlow(*selected) ? AIR_FLOW_MAX : BaseToShown(*selected, maxSpeed, g_ductArea);
            if (ReadDecimalField(controlId, value, name, 0.0, max) != VALID_OK) return false;
            // A selection beyond the list has no unit to keep the value in.
            if (selected) stored = EnteredToStored(*selected, value);
            return true;
        }
        default:
            // A type without a unit list has no limit to read.
            return true;
    }
}
