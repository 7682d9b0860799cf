// Firmware upgrade. Until the stored images are built in, no logger is due
// for one.
#include "app/usb_dlg.h"
#include "upgrade/upgrade_state.h"

std::atomic<uint32_t> g_imageSize{0};
std::atomic<uint32_t> g_imageSent{0};

bool CUSBDlg::CheckFirmwareUpgrade() { return false; }

void CUSBDlg::StartUpgrade() {}
