#pragma once

#include <functional>

#include "app/dialog_front_end.h"
#include "platform/hid_access.h"
#include "ui/qt_message_box_host.h"
#include "ui/qt_timer_host.h"

class MainWindow;

// The Qt front end of the application object: the dialog's window run with
// QDialog::exec, its QTimer, and the message boxes.
class QtFrontEnd : public DialogFrontEnd {
public:
    explicit QtFrontEnd(QtMessageBoxHost& boxes) : boxes_(boxes) {}

    TimerHost& Timer() override { return timer_; }
    void DoModal(CUSBDlg& dlg) override;

    // Called from the window's event loop once it runs, with the window.
    std::function<void(MainWindow&)> onOpened;

private:
    QtTimerHost timer_;
    QtMessageBoxHost& boxes_;
};

// The program: a QApplication, the message boxes and the application object
// over `access`. `onOpened` runs once the main window's loop runs.
int RunConfigurationTool(int argc, char** argv, HidAccess& access,
                         std::function<void(MainWindow&)> onOpened = {});
