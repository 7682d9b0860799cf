#include "app/usb_app.h"

#include "app/dialog_front_end.h"
#include "app/usb_dlg.h"
#include "platform/message_box.h"

CUSBApp theApp;

bool CUSBApp::InitInstance(DialogFrontEnd& frontEnd) {
    bool exists = false;
    m_hConfigMutex = CreateNamedMutex(CONFIG_MUTEX_NAME, exists);
    if (exists) {
        AfxMessageBox(u"The configuration tool is already running!Please do not run it again");
        return false;
    }
    m_hCalibMutex = CreateNamedMutex(CALIB_MUTEX_NAME, exists);
    if (exists) {
        AfxMessageBox(
            u"The calibration tool is already running!To run the configuration tool, close the calibration tool!");
        return false;
    }
    // Probed only: a calibration tool started later must find the name free.
    CloseNamedMutex(m_hCalibMutex);
    m_hCalibMutex = NO_NAMED_MUTEX;

    {
        CUSBDlg dlg(frontEnd.Timer());
        frontEnd.DoModal(dlg);
        CloseNamedMutex(m_hConfigMutex);
        m_hConfigMutex = NO_NAMED_MUTEX;
    }
    return false;
}
