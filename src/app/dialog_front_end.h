#pragma once

#include "platform/timer_host.h"

class CUSBDlg;

// What the application object needs of a windowing front end: the dialog's
// timer, and a modal run of the dialog, which is the program's only loop.
class DialogFrontEnd {
public:
    virtual ~DialogFrontEnd() = default;
    virtual TimerHost& Timer() = 0;
    // Shows the dialog's form, runs its OnInitDialog and returns when the
    // dialog has closed.
    virtual void DoModal(CUSBDlg& dlg) = 0;
};
