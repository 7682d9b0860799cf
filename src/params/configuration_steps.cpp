// Loading, validating and encoding the configuration. Until the parameter
// block is understood field by field, a logger's block loads without changing
// the form, every form passes, and a configuration is just its end record.
#include "app/usb_dlg.h"
#include "hid/hid_protocol.h"
#include "hid/record_queue.h"

bool CUSBDlg::LoadDeviceParameters(bool /*loadAll*/) { return true; }

bool CUSBDlg::ValidateForm() { return true; }

bool CUSBDlg::BuildConfiguration() {
    ClearRecordQueue();
    AppendRecord(PARAM_END, nullptr, 0);
    g_configPending = true;
    return true;
}
