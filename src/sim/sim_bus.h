#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid_access.h"
#include "sim/sim_logger.h"

// A USB bus with simulated loggers on it, seen through the HID access
// interface: loggers are plugged and unplugged, opened through handles,
// written to and read from, with answers delivered after the logger's delay.
//
// All of it is guarded by one mutex, so tests may change a logger's faults
// while the reader thread talks to it.
class SimBus : public HidAccess {
public:
    using Clock = std::chrono::steady_clock;

    SimBus();
    ~SimBus() override;

    // Attaches a logger and returns its id. Its path is "/dev/hidraw-sim<id>"
    // unless one is given; paths sort in plugging order up to ten loggers.
    int Plug(SimLogger logger = SimLogger(), std::string path = "");
    void Unplug(int id);
    void Replug(int id);
    bool Present(int id);

    // Runs `change` on the logger under the bus's lock (faults, identity).
    void Modify(int id, const std::function<void(SimLogger&)>& change);
    std::vector<Report> Received(int id);
    std::optional<std::vector<uint8_t>> Record(int id, uint8_t code);
    std::vector<uint8_t> Block(int id);
    std::vector<uint8_t> Image(int id);
    // Number of reads posted on the logger since it was plugged.
    int PostedReads(int id);
    // Delivers an input report the logger was not asked for.
    void InjectReport(int id, const Report& report);
    std::string Path(int id);

    // HidAccess
    std::vector<std::string> EnumerateLoggers() override;
    HidHandle OpenForReading(const std::string& path) override;
    HidHandle OpenForWriting(const std::string& path) override;
    WriteResult WriteReport(HidHandle handle, const uint8_t* report) override;
    int WriteReportNoWait(HidHandle handle, const uint8_t* report) override;
    void PostRead(HidHandle handle) override;
    ReadOutcome WaitRead(HidHandle handle, uint8_t* into, uint32_t& count) override;
    bool DeviceStillPresent(const std::string& path) override;
    void Close(HidHandle handle) override;
    void InterruptReads() override;

private:
    struct Pending {
        Clock::time_point due;
        Report report;
    };
    struct Slot {
        SimLogger logger;
        std::string path;
        bool present = true;
        unsigned generation = 0;  // advanced by every unplug; older handles are dead
        std::deque<Pending> inbox;
        int postedReads = 0;
        std::optional<Clock::time_point> backAt;  // restarting: present again from then on
    };
    struct OpenHandle {
        int slot;
        unsigned generation;
        bool forReading;
    };

    HidHandle Open(const std::string& path, bool forReading);
    Slot* Alive(HidHandle handle, bool forReading);  // under mutex_
    void Deliver(Slot& slot, const Report& answer); // under mutex_
    WriteResult Write(HidHandle handle, const uint8_t* report, bool withFaults);
    void UnplugLocked(Slot& slot);
    void ComeBackLocked();  // restarted loggers whose time has come are present again

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Slot>> slots_;
    std::map<HidHandle, OpenHandle> handles_;
    HidHandle nextHandle_ = 1;
    unsigned interrupts_ = 0;
    const Clock::time_point epoch_;
};
