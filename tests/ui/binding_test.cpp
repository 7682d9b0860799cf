#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "app/control_ids.h"
#include "app/form_table.h"
#include "ui/main_window.h"
#include "qt_wait.h"

namespace {

struct Received {
    int id;
    Notification what;
    bool operator==(const Received&) const = default;
};

// The window over a bare form whose notifications are recorded.
class Binding : public ::testing::Test {
protected:
    Binding() : window(form, QString::fromUtf16(DIALOG_CAPTION), DIALOG_WIDTH, DIALOG_HEIGHT) {
        form.SetNotificationSink([this](int id, Notification what) {
            std::lock_guard lock(mutex);
            received.push_back({id, what});
        });
        window.show();
        window.activateWindow();
        ProcessEventsUntil([&] { return window.isActiveWindow(); }, 5000);
    }
    std::vector<Received> Taken() {
        std::lock_guard lock(mutex);
        return std::exchange(received, {});
    }
    template <class W>
    W* Widget(int id) {
        return qobject_cast<W*>(window.ControlWidget(id));
    }

    Form form{MainDialogTemplate()};
    std::mutex mutex;
    std::vector<Received> received;
    MainWindow window;
};

TEST_F(Binding, TheTemplateIsShownAsTheTableSays) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Datalogger  Configuration Tool V4.12"));
    EXPECT_FALSE(Widget<QPushButton>(IDC_CONFIGURE)->isEnabled());
    EXPECT_EQ(Widget<QPushButton>(IDC_CONFIGURE)->text(), QStringLiteral("Plug Device"));
    for (int hidden : {IDC_POWER_SAVE, IDC_TIMED_START, IDC_START_TIME, IDC_VDD_BAT}) {
        EXPECT_FALSE(window.ControlWidget(hidden)->isVisible()) << hidden;
    }
    EXPECT_FALSE(Widget<QLineEdit>(IDC_DEVICE_ID)->isEnabled());
    EXPECT_EQ(Widget<QComboBox>(IDC_TIME_ZONE)->count(), 49);
    // Controls never overlap their neighbours' places: each sits at its rect.
    EXPECT_LT(window.ControlWidget(IDC_TIME_ZONE)->geometry().right(),
              window.ControlWidget(IDC_DATE_FORMAT)->geometry().left());
}

TEST_F(Binding, ATypedTextReachesTheFormAndItsHandlerOnce) {
    QLineEdit* edit = Widget<QLineEdit>(IDC_LOG_INTERVAL);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_EQ(Taken(), (std::vector<Received>{{IDC_LOG_INTERVAL, Notification::EnChange}}));
    EXPECT_EQ(form.GetWindowText(IDC_LOG_INTERVAL), u"7");
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
}

TEST_F(Binding, AProgramsChangeReachesTheWidgetWithoutAUserNotification) {
    // An edit notifies its own change once, as on Windows; the widget adds
    // nothing.
    form.SetWindowText(IDC_DEVICE_NAME, u"Cold Room 3");
    EXPECT_EQ(Widget<QLineEdit>(IDC_DEVICE_NAME)->text(), QStringLiteral("Cold Room 3"));
    EXPECT_EQ(Taken(), (std::vector<Received>{{IDC_DEVICE_NAME, Notification::EnChange}}));

    form.SetCurSel(IDC_TIME_ZONE, 24);
    form.SetCheck(IDC_ENABLE_ALARM, 1);
    form.EnableWindow(IDC_CONFIGURE, true);
    form.SetWindowText(IDC_CONFIGURE, u"Configure");
    EXPECT_EQ(Widget<QComboBox>(IDC_TIME_ZONE)->currentText(), QStringLiteral("UTC+00:00"));
    EXPECT_TRUE(Widget<QCheckBox>(IDC_ENABLE_ALARM)->isChecked());
    EXPECT_TRUE(Widget<QPushButton>(IDC_CONFIGURE)->isEnabled());
    EXPECT_EQ(Widget<QPushButton>(IDC_CONFIGURE)->text(), QStringLiteral("Configure"));
    EXPECT_TRUE(Taken().empty());
}

TEST_F(Binding, PicksAndClicksOfAPersonAreNotified) {
    QComboBox* unit = Widget<QComboBox>(IDC_TEMP_UNIT);
    form.SetCurSel(IDC_TEMP_UNIT, 0);
    unit->setFocus();
    QTest::keyClick(unit, Qt::Key_Down);
    EXPECT_EQ(form.GetCurSel(IDC_TEMP_UNIT), 1);
    // Clicking the words "Lock Settings" ticks the box below them.
    QWidget* box = Widget<QCheckBox>(IDC_LOCK_SETTINGS);
    const QPoint words = box->geometry().center() + QPoint(box->width() / 4, 0);
    ASSERT_EQ(window.childAt(words), box);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->mapFrom(&window, words));
    EXPECT_EQ(form.GetCheck(IDC_LOCK_SETTINGS), 1);
    form.EnableWindow(IDC_CONFIGURE, true);
    QTest::mouseClick(Widget<QPushButton>(IDC_CONFIGURE), Qt::LeftButton);
    EXPECT_EQ(Taken(), (std::vector<Received>{{IDC_TEMP_UNIT, Notification::CbnSelchange},
                                              {IDC_LOCK_SETTINGS, Notification::BnClicked},
                                              {IDC_CONFIGURE, Notification::BnClicked}}));
}

TEST_F(Binding, FocusAndCaretMovesOfTheFormAreApplied) {
    form.SetWindowText(IDC_WEBSITE, u"www.example.com");
    form.SetFocus(IDC_WEBSITE);
    form.SetSel(IDC_WEBSITE, 4, 4);
    QLineEdit* edit = Widget<QLineEdit>(IDC_WEBSITE);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_EQ(edit->cursorPosition(), 4);
    form.SetFocus(IDC_TEMP_LOW);
    EXPECT_EQ(QApplication::focusWidget(), window.ControlWidget(IDC_TEMP_LOW));
}

TEST_F(Binding, ChangesFromAnotherThreadArriveOnTheGuiThread) {
    std::thread reader([&] {
        form.SetWindowText(IDC_CONFIGURE, u"50%");
        form.InvalidateControl(IDC_CONFIGURE);
    });
    reader.join();
    EXPECT_TRUE(ProcessEventsUntil([&] { return Widget<QPushButton>(IDC_CONFIGURE)->text() == "50%"; }));
}

}  // namespace
