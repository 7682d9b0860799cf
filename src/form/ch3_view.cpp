// The third channel's limits shown in the unit selected. The limits are kept
// in the channel's base unit; only the view changes.
#include "app/control_ids.h"
#include "app/form_values.h"
#include "app/usb_dlg.h"
#include "params/device_values.h"
#include "params/third_channel.h"
#include "platform/format_text.h"

namespace {

struct UnitView {
    Ch3Unit unit;
    const char16_t* text;  // the wind list reads "knot", the label "knots"
};

constexpr UnitView WIND_VIEWS[] = {
    {Ch3Unit::MetresPerSecond, u"m/s"}, {Ch3Unit::KmPerHour, u"km/h"}, {Ch3Unit::FeetPerMinute, u"ft/min"},
    {Ch3Unit::Knot, u"knots"},          {Ch3Unit::Mph, u"MPH"},        {Ch3Unit::Cmm, u"CMM"},
    {Ch3Unit::Cfm, u"CFM"},
};

}  // namespace

void CUSBDlg::ShowCh3Unit() {
    const int index = m_form.GetCurSel(IDC_CH3_UNIT);
    std::optional<UnitView> view;
    bool writeValues = true;
    switch (g_ch3Type) {
    case CH3_ILLUMINANCE:
        view = index == 0 ? UnitView{Ch3Unit::Lux, u"Lux"} : UnitView{Ch3Unit::Fc, u"Fc"};
        break;
    case CH3_WIND_SPEED:
        if (index >= 0 && index < static_cast<int>(std::size(WIND_VIEWS))) view = WIND_VIEWS[index];
        break;
    case CH3_NOISE:
        // Both noise units show the same decibels.
        view = index == 0 ? UnitView{Ch3Unit::DbA, u"dB(A)"} : UnitView{Ch3Unit::DbC, u"dB(C)"};
        writeValues = false;
        break;
    default:
        break;
    }
    if (view) {
        if (writeValues) {
            m_form.SetWindowText(IDC_CH3_HIGH,
                                 FormatText(u"%1.1f", {BaseToShown(view->unit, g_ch3High, g_ductArea)}));
            InvalidateControl(IDC_CH3_HIGH);
            m_form.SetWindowText(IDC_CH3_LOW,
                                 FormatText(u"%1.1f", {BaseToShown(view->unit, g_ch3Low, g_ductArea)}));
            InvalidateControl(IDC_CH3_LOW);
        }
        m_form.SetWindowText(IDC_CH3_LOW_UNIT, view->text);
        m_form.SetWindowText(IDC_CH3_HIGH_UNIT, view->text);
    }
    InvalidateControl(IDC_CH3_LOW_UNIT);
    InvalidateControl(IDC_CH3_HIGH_UNIT);
}
