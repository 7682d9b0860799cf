// The work of the form events. Until units and derived displays are built,
// these events are taken and change nothing.
#include "app/usb_dlg.h"

void CUSBDlg::UpdateMaxRecordingTime() {}
void CUSBDlg::RereadTempLow() {}
void CUSBDlg::RereadTempHigh() {}
void CUSBDlg::ShowCh3Unit() {}
void CUSBDlg::ApplyTimeZone() {}
