#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "hid/command_exchange.h"
#include "support/link_rig.h"
#include "qt_wait.h"
#include "ui/qt_message_box_host.h"

namespace {

constexpr uint8_t END_RECORD = 0xFF;

// Closes every message box the GUI thread shows, remembering caption and text.
class BoxCloser {
public:
    BoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.push_back(box->windowTitle() + "|" + box->text());
                box->accept();
            }
        });
        timer_.start(10);
    }
    QStringList seen;

private:
    QTimer timer_;
};

TEST(QtMessageBoxes, AReaderBoxIsShownWhileTheDialogThreadWaitsInAnExchange) {
    LinkRig rig;
    const int id = rig.Connect();
    ASSERT_TRUE(rig.connected);
    QtMessageBoxHost host;  // in the place of the rig's recorded boxes
    BoxCloser closer;
    Report illegal = MakeReport(REPLY_STATUS, {7});
    illegal[2] = 65;
    rig.bus.InjectReport(id, illegal);
    // This thread is the GUI thread and the dialog's: the reader's box is
    // shown by its wait, then the answer comes through.
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(closer.seen, QStringList{QtMessageBoxHost::Caption() + "|" + QStringLiteral("HID接收到非法帧!")});
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST(QtMessageBoxes, AnotherThreadsBoxIsShownByTheEventLoopAndHoldsItsThread) {
    QtMessageBoxHost host;
    BoxCloser closer;
    std::atomic<bool> returned{false};
    std::thread other([&] {
        AfxMessageBox(u"first line\r\nsecond line");
        returned = true;
    });
    EXPECT_TRUE(ProcessEventsUntil([&] { return returned.load(); }));
    other.join();
    EXPECT_EQ(closer.seen, QStringList{QtMessageBoxHost::Caption() + "|first line\nsecond line"});
    EXPECT_EQ(QtMessageBoxHost::Caption(), QStringLiteral("test_ui"));
}

TEST(QtMessageBoxes, AfterTheDialogHasClosedOtherThreadsGoOnAtOnce) {
    QtMessageBoxHost host;
    host.StopShowingOthers();
    std::thread other([] { AfxMessageBox(u"never shown"); });
    other.join();  // would hang if it waited for the GUI thread
}

}  // namespace
