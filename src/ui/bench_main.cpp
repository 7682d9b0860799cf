// The demo tool as the resource benchmark starts it: the same window over a
// simulated logger, plugged from the start, that tells the benchmark on its
// standard output when the window is first painted and when the logger's
// parameters are on the form. The benchmark ends the process itself; the tool
// a user starts has no such outputs.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#include "app/control_ids.h"
#include "sim/sim_bus.h"
#include "ui/main_window.h"
#include "ui/qt_front_end.h"

namespace {
long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

void Mark(const char* what) {
    std::printf("%s %lld\n", what, MonotonicNs());
    std::fflush(stdout);
}

// Sees the main window's first paint event. Its children are painted and the
// frame is flushed in the same pass of the event loop, so the mark is set at
// the next pass, when the whole window has been drawn.
class FirstPaintWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && dynamic_cast<MainWindow*>(watched) != nullptr) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, [] { Mark("first-paint-ns"); });
        }
        return false;
    }
};

// Installed as the application object is made, before any window exists.
void WatchFirstPaint() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new FirstPaintWatch(application));
}
Q_COREAPP_STARTUP_FUNCTION(WatchFirstPaint)

// The button offers "Configure" once the logger's parameters are loaded.
void MarkWhenLoaded(MainWindow& window) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [poll, &window] {
        if (!window.ControlWidget(IDC_CONFIGURE)->isEnabled()) return;
        poll->stop();
        Mark("logger-loaded-ns");
    });
    poll->start(10);
}
}  // namespace

int main(int argc, char** argv) {
    SimBus bus;
    bus.Plug();
    return RunConfigurationTool(argc, argv, bus, MarkWhenLoaded);
}
