#include "platform/local_time.h"

#include <atomic>
#include <ctime>

namespace {

class SystemLocalClock : public LocalClock {
public:
    LocalTime GetLocalTime() override {
        const std::time_t now = std::time(nullptr);
        std::tm parts{};
        localtime_r(&now, &parts);
        return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                parts.tm_hour,        parts.tm_min,     parts.tm_sec};
    }
    int32_t StandardBias() override {
        // `timezone` is the standard offset in seconds west of UTC, whatever
        // daylight saving is in force.
        tzset();
        return static_cast<int32_t>(timezone / 60);
    }
};

SystemLocalClock g_systemClock;
std::atomic<LocalClock*> g_localClock{nullptr};

}  // namespace

void SetLocalClock(LocalClock* clock) { g_localClock.store(clock, std::memory_order_release); }

LocalClock& CurrentLocalClock() {
    LocalClock* clock = g_localClock.load(std::memory_order_acquire);
    return clock ? *clock : g_systemClock;
}
