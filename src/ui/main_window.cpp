#include "ui/main_window.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QThread>

#include "app/control_ids.h"
#include "ui/about_dialog.h"
#include "ui/app_icon.h"
#include "ui/dialog_units.h"

MainWindow::MainWindow(Form& form, const QString& caption, int widthDu, int heightDu)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      form_(form) {
    setWindowTitle(caption);
    setWindowIcon(AppIcon());
    setFont(MainDialogFont());
    const DialogBaseUnits units = BaseUnitsOf(font());
    setFixedSize(DialogToPixels({0, 0, widthDu, heightDu}, units).size());

    controls_.reserve(form_.Count());
    for (size_t i = 0; i < form_.Count(); ++i) {
        const Control control = form_.At(i);
        BoundControl bound = BindControl(control, i, this, *this);
        bound.widget->setGeometry(DialogToPixels(control.rect, units));
        ApplyControl(bound, control, false);
        controls_.push_back(bound);
    }
    // The first control in tab order lies on top, as in a dialog template.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) it->widget->raise();

    // No system menu of our own to add to here: the About box has a shortcut
    // and the window's context menu.
    auto* about = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), this);
    connect(about, &QShortcut::activated, this, [this] { OnSysCommand(IDM_ABOUTBOX); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    form_.SetObserver(this);
}

MainWindow::~MainWindow() { form_.SetObserver(nullptr); }

QWidget* MainWindow::ControlWidget(int id) const {
    const size_t index = form_.IndexOf(id);
    return index < controls_.size() ? controls_[index].widget : nullptr;
}

void MainWindow::OnSysCommand(unsigned commandId) {
    if ((commandId & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.exec();
    }
}

bool MainWindow::OnGuiThread() const { return QThread::currentThread() == thread(); }

template <class Work>
void MainWindow::OnGui(Work work) {
    if (OnGuiThread()) {
        work();
    } else {
        // The reader thread changes the main button during an upgrade; the
        // widget follows on the GUI thread, reading the form as it is then.
        QMetaObject::invokeMethod(this, work, Qt::QueuedConnection);
    }
}

void MainWindow::ControlChanged(size_t index) {
    OnGui([this, index] { Apply(index); });
}
void MainWindow::FocusChanged(size_t index) {
    OnGui([this, index] { Focus(index); });
}
void MainWindow::Invalidated(size_t index) {
    OnGui([this, index] { Repaint(index); });
}

void MainWindow::Apply(size_t index) { ApplyControl(controls_[index], form_.At(index), typing_ == index); }

void MainWindow::Focus(size_t index) { controls_[index].widget->setFocus(Qt::OtherFocusReason); }

void MainWindow::Repaint(size_t index) {
    QWidget* widget = controls_[index].widget;
    update(widget->geometry());
    widget->update();
}

void MainWindow::Typed(size_t index, const QString& text) {
    typing_ = index;
    form_.UserTypes(form_.At(index).id, text.toStdU16String());
    typing_ = SIZE_MAX;
}

void MainWindow::Picked(size_t index, int item) { form_.UserPicks(form_.At(index).id, item); }

void MainWindow::Clicked(size_t index) { form_.UserClicks(form_.At(index).id); }

void MainWindow::paintEvent(QPaintEvent*) {
    // One colour over the whole client area, at any size.
    QPainter painter(this);
    painter.fillRect(rect(), DIALOG_BACKGROUND);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter presses the push button that has the focus and otherwise ends
    // the dialog, as Escape does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* about = menu.addAction(QString::fromUtf16(IDS_ABOUTBOX_TEXT));
    if (menu.exec(event->globalPos()) == about) OnSysCommand(IDM_ABOUTBOX);
}
