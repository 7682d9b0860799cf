#pragma once

#include <QDialog>

#include <vector>

#include "platform/form.h"
#include "ui/control_binding.h"

// The main dialog's window: renders the Form control by control through the
// binding, feeds a person's actions into it, follows the program's changes
// (from any thread: changes made elsewhere are carried to the GUI thread),
// paints the background and offers the About box.
class MainWindow : public QDialog, public FormObserver, private UserActions {
public:
    MainWindow(Form& form, const QString& caption, int widthDu, int heightDu);
    ~MainWindow() override;

    QWidget* ControlWidget(int id) const;

    // A system command: IDM_ABOUTBOX, whatever its low four bits, opens the
    // About box; every other command has no default processing here.
    void OnSysCommand(unsigned commandId);

    // FormObserver
    void ControlChanged(size_t index) override;
    void FocusChanged(size_t index) override;
    void Invalidated(size_t index) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // UserActions
    void Typed(size_t index, const QString& text) override;
    void Picked(size_t index, int item) override;
    void Clicked(size_t index) override;

    void Apply(size_t index);
    void Focus(size_t index);
    void Repaint(size_t index);
    bool OnGuiThread() const;
    template <class Work>
    void OnGui(Work work);

    Form& form_;
    std::vector<BoundControl> controls_;
    size_t typing_ = SIZE_MAX;  // the edit whose typing is being passed on
};

// The dialog's uniform background colour.
inline const QColor DIALOG_BACKGROUND(114, 152, 210);
