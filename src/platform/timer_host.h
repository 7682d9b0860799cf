#pragma once

// The dialog's timer: SetTimer arms timer `id` to fire once per `periodMs`
// until KillTimer. The window realises it with a QTimer; tests drive it by
// hand, one tick at a time.
class TimerHost {
public:
    virtual ~TimerHost() = default;
    virtual void SetTimer(int id, unsigned periodMs) = 0;
    virtual void KillTimer(int id) = 0;
};
