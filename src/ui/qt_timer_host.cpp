#include "ui/qt_timer_host.h"

void QtTimerHost::SetTimer(int id, unsigned periodMs) {
    std::unique_ptr<QTimer>& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
            if (handler_) handler_(id);
        });
    }
    timer->start(static_cast<int>(periodMs));
}

void QtTimerHost::KillTimer(int id) {
    if (auto it = timers_.find(id); it != timers_.end()) it->second->stop();
}

void QtTimerHost::KillAll() {
    for (auto& [id, timer] : timers_) timer->stop();
}
