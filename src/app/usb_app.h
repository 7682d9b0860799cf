#pragma once

#include "platform/named_mutex.h"

class DialogFrontEnd;

// The application object: the start-up checks and the modal main dialog.
class CUSBApp {
public:
    // Refuses to run beside another configuration tool or the calibration
    // tool (with a message), otherwise runs the main dialog on `frontEnd`
    // until it closes. Always false: the process then ends.
    bool InitInstance(DialogFrontEnd& frontEnd);

    NamedMutexHandle m_hConfigMutex = NO_NAMED_MUTEX;
    NamedMutexHandle m_hCalibMutex = NO_NAMED_MUTEX;
};

// Held from the start-up check until the main dialog closes.
constexpr char CONFIG_MUTEX_NAME[] = "_Configuration_";
// Held by a running calibration tool; only probed.
constexpr char CALIB_MUTEX_NAME[] = "_Calibrate_";

extern CUSBApp theApp;
