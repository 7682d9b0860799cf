// The real window on an X server, with a simulated logger loaded: a
// screenshot taken from the server shows the form-model table's layout, the
// blue background, transparent labels and red-on-white edits.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <set>

#include <cstdlib>

#include "app/control_ids.h"
#include "app/form_table.h"
#include "sim/sim_bus.h"
#include "ui/dialog_units.h"
#include "ui/main_window.h"
#include "ui/qt_front_end.h"

namespace {

struct Pixels {
    int white = 0, red = 0, background = 0, all = 0;
};

Pixels Count(const QImage& shot, const QRect& area) {
    Pixels p;
    const QRect inside = area.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            ++p.all;
            if (c.red() >= 250 && c.green() >= 250 && c.blue() >= 250) ++p.white;
            if (c.red() >= 200 && c.green() <= 90 && c.blue() <= 90) ++p.red;
            if (c == DIALOG_BACKGROUND) ++p.background;
        }
    }
    return p;
}

// The window's pixels as the X server holds them, saved at `path`.
QImage Screenshot(WId window, const QString& path) {
    QProcess::execute(QStringLiteral("import"), {"-window", QString::number(window), path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

TEST(Window, AScreenshotShowsTheLayoutTheBackgroundAndTheEditColours) {
    char folder[] = "/tmp/window-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_RUNTIME_DIR", folder, 1);  // the tool's named mutex, apart from any real one

    SimBus bus;
    const QString path = QStringLiteral(SCREENSHOT_PATH);
    QImage shot;
    QSize windowSize;
    DialogBaseUnits units;
    bool loaded = false;
    std::set<int> enabledNow;  // as the window shows them once the logger is loaded
    char name[] = "datalogger-config-demo";
    char* argv[] = {name, nullptr};
    int argc = 1;
    RunConfigurationTool(argc, argv, bus, [&](MainWindow& window) {
        bus.Plug();
        auto* poll = new QTimer(&window);
        auto* clock = new QElapsedTimer;
        clock->start();
        QObject::connect(poll, &QTimer::timeout, &window, [&, poll, clock] {
            auto* button = qobject_cast<QPushButton*>(window.ControlWidget(IDC_CONFIGURE));
            loaded = button->text() == QStringLiteral("Configure");
            if (!loaded && clock->elapsed() < 15000) return;
            poll->stop();
            delete clock;
            units = BaseUnitsOf(window.font());
            for (const Control& c : MainDialogTemplate()) {
                if (c.id != 0 && window.ControlWidget(c.id)->isEnabled()) enabledNow.insert(c.id);
            }
            windowSize = window.size();
            // The server may not have the last paint yet: look again until
            // the background shows, a bounded number of times.
            for (int attempt = 0; attempt < 50; ++attempt) {
                window.repaint();
                QApplication::processEvents();
                shot = Screenshot(window.winId(), path);
                if (!shot.isNull() && shot.pixelColor(2, 2) == DIALOG_BACKGROUND) break;
                QTest::qWait(100);
            }
            // Escape ends the dialog, and with it the program.
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        poll->start(50);
    });
    std::system((std::string("rm -rf ") + folder).c_str());

    ASSERT_TRUE(loaded);
    ASSERT_FALSE(shot.isNull());
    std::printf("screenshot: %s\n", SCREENSHOT_PATH);
    EXPECT_EQ(shot.size(), windowSize);
    EXPECT_EQ(windowSize, DialogToPixels({0, 0, DIALOG_WIDTH, DIALOG_HEIGHT}, units).size());

    for (const Control& c : MainDialogTemplate()) {
        if (!c.shown) continue;
        const QRect area = DialogToPixels(c.rect, units);
        const Pixels p = Count(shot, area);
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << c.rect.x << "," << c.rect.y);
        const bool edit = c.kind == ControlKind::Edit || c.kind == ControlKind::EditCentred;
        if (edit && enabledNow.count(c.id)) {
            // White behind the text; the logger's values in red.
            EXPECT_GT(p.white, p.all / 2);
            if (c.id == IDC_START_DELAY || c.id == IDC_LOG_INTERVAL || c.id == IDC_RECORD_LED_DUTY) {
                EXPECT_GT(p.red, 0);
            }
        } else if (c.kind == ControlKind::Label || edit) {
            // Labels and disabled edits are transparent over the blue.
            EXPECT_EQ(p.white, 0);
            EXPECT_GT(p.background, p.all / 2);
        }
    }
}

}  // namespace
