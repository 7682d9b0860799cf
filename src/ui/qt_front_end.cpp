#include "ui/qt_front_end.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include "app/form_table.h"
#include "app/usb_app.h"
#include "app/usb_dlg.h"
#include "ui/main_window.h"

void QtFrontEnd::DoModal(CUSBDlg& dlg) {
    MainWindow window(dlg.form(), QString::fromUtf16(DIALOG_CAPTION), DIALOG_WIDTH, DIALOG_HEIGHT);
    timer_.SetHandler([&dlg](int id) { dlg.OnTimer(id); });
    dlg.OnInitDialog();
    if (onOpened) QTimer::singleShot(0, &window, [this, &window] { onOpened(window); });
    window.exec();
    timer_.KillAll();
    timer_.SetHandler(nullptr);
    // The reader thread is stopped with the dialog; a box it raised now
    // would wait for a window loop that has ended.
    boxes_.StopShowingOthers();
}

int RunConfigurationTool(int argc, char** argv, HidAccess& access, std::function<void(MainWindow&)> onOpened) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QtMessageBoxHost boxes;
    SetHidAccess(&access);
    QtFrontEnd frontEnd(boxes);
    frontEnd.onOpened = std::move(onOpened);
    theApp.InitInstance(frontEnd);
    SetHidAccess(nullptr);
    return 0;
}
