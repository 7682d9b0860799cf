#pragma once

#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "platform/timer_host.h"

// The dialog's timers as QTimers of the GUI thread; each expiry calls the
// handler with the timer's id.
class QtTimerHost : public TimerHost {
public:
    using Handler = std::function<void(int id)>;

    void SetHandler(Handler handler) { handler_ = std::move(handler); }
    void SetTimer(int id, unsigned periodMs) override;
    void KillTimer(int id) override;
    void KillAll();

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
    Handler handler_;
};
