#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

// Runs the GUI thread's events until `done` holds; false after `limitMs`.
inline bool ProcessEventsUntil(const std::function<bool()>& done, int limitMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}
