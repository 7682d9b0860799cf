#include "sim/sim_bus.h"

#include <algorithm>
#include <cstring>

namespace {
using namespace std::chrono_literals;
constexpr auto USB_FRAME = 1ms;
}  // namespace

SimBus::SimBus() : epoch_(Clock::now()) {}
SimBus::~SimBus() = default;

int SimBus::Plug(SimLogger logger, std::string path) {
    std::lock_guard lock(mutex_);
    const int id = static_cast<int>(slots_.size());
    auto slot = std::make_unique<Slot>();
    slot->logger = std::move(logger);
    slot->path = path.empty() ? "/dev/hidraw-sim" + std::to_string(id) : std::move(path);
    slots_.push_back(std::move(slot));
    return id;
}

void SimBus::UnplugLocked(Slot& slot) {
    slot.present = false;
    slot.backAt.reset();
    ++slot.generation;
    slot.inbox.clear();
    changed_.notify_all();
}

void SimBus::Unplug(int id) {
    std::lock_guard lock(mutex_);
    UnplugLocked(*slots_.at(id));
}

void SimBus::Replug(int id) {
    std::lock_guard lock(mutex_);
    slots_.at(id)->present = true;
    slots_.at(id)->backAt.reset();
}

bool SimBus::Present(int id) {
    std::lock_guard lock(mutex_);
    ComeBackLocked();
    return slots_.at(id)->present;
}

void SimBus::ComeBackLocked() {
    const auto now = Clock::now();
    for (const auto& slot : slots_) {
        if (slot->backAt && *slot->backAt <= now) {
            slot->present = true;
            slot->backAt.reset();
        }
    }
}

void SimBus::Modify(int id, const std::function<void(SimLogger&)>& change) {
    std::lock_guard lock(mutex_);
    change(slots_.at(id)->logger);
}

std::vector<Report> SimBus::Received(int id) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->logger.Received();
}

std::optional<std::vector<uint8_t>> SimBus::Record(int id, uint8_t code) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->logger.Record(code);
}

std::vector<uint8_t> SimBus::Block(int id) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->logger.Block();
}

std::vector<uint8_t> SimBus::Image(int id) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->logger.Image();
}

int SimBus::PostedReads(int id) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->postedReads;
}

std::string SimBus::Path(int id) {
    std::lock_guard lock(mutex_);
    return slots_.at(id)->path;
}

void SimBus::InjectReport(int id, const Report& report) {
    std::lock_guard lock(mutex_);
    Slot& slot = *slots_.at(id);
    if (slot.present) Deliver(slot, report);
}

std::vector<std::string> SimBus::EnumerateLoggers() {
    std::lock_guard lock(mutex_);
    ComeBackLocked();
    std::vector<HidDeviceInfo> devices;
    for (const auto& slot : slots_) {
        if (!slot->present) continue;
        const SimLogger& l = slot->logger;
        devices.push_back({slot->path, l.vendorId, l.productId, l.releaseNumber});
    }
    return SelectLoggerPaths(devices);
}

HidHandle SimBus::Open(const std::string& path, bool forReading) {
    std::lock_guard lock(mutex_);
    ComeBackLocked();
    for (size_t i = 0; i < slots_.size(); ++i) {
        Slot& slot = *slots_[i];
        if (slot.path != path || !slot.present) continue;
        if (!slot.logger.faults.openable) return INVALID_HID_HANDLE;
        // Like a hidraw node, a new reader sees only what arrives after it opened.
        if (forReading) slot.inbox.clear();
        const HidHandle handle = nextHandle_++;
        handles_[handle] = {static_cast<int>(i), slot.generation, forReading};
        return handle;
    }
    return INVALID_HID_HANDLE;
}

HidHandle SimBus::OpenForReading(const std::string& path) { return Open(path, true); }
HidHandle SimBus::OpenForWriting(const std::string& path) { return Open(path, false); }

SimBus::Slot* SimBus::Alive(HidHandle handle, bool forReading) {
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.forReading != forReading) return nullptr;
    Slot& slot = *slots_[it->second.slot];
    if (!slot.present || slot.generation != it->second.generation) return nullptr;
    return &slot;
}

void SimBus::Deliver(Slot& slot, const Report& answer) {
    Clock::time_point due = Clock::now() + slot.logger.faults.answerDelay;
    if (slot.logger.faults.usbFrameTiming) {
        // The answer travels in the next interrupt-IN frame at the earliest.
        const auto frames = (due - epoch_) / USB_FRAME + 1;
        due = epoch_ + frames * USB_FRAME;
    }
    // Answers leave the device in order.
    if (!slot.inbox.empty()) due = std::max(due, slot.inbox.back().due);
    slot.inbox.push_back({due, answer});
    changed_.notify_all();
}

WriteResult SimBus::Write(HidHandle handle, const uint8_t* report, bool withFaults) {
    std::lock_guard lock(mutex_);
    Slot* slot = Alive(handle, false);
    if (!slot) return {WriteOutcome::FailedAtOnce, false, 0};
    SimFaults& faults = slot->logger.faults;
    if (withFaults) {
        if (TakeFault(faults.stalledWrites)) return {WriteOutcome::NotCompleted, false, 0};
        if (TakeFault(faults.failedWriteWaits)) return {WriteOutcome::WaitFailed, false, 0};
        if (TakeFault(faults.shortWrites)) return {WriteOutcome::Completed, true, REPORT_SIZE - 1};
    }
    Report received;
    std::memcpy(received.data(), report, REPORT_SIZE);
    SimLogger::Reaction reaction = slot->logger.Receive(received);
    if (reaction.goAway) {
        UnplugLocked(*slot);
    } else if (reaction.restart) {
        UnplugLocked(*slot);
        slot->backAt = Clock::now() + slot->logger.restartDelay;
    } else if (reaction.answer) {
        Deliver(*slot, *reaction.answer);
    }
    return {WriteOutcome::Completed, true, REPORT_SIZE};
}

WriteResult SimBus::WriteReport(HidHandle handle, const uint8_t* report) {
    return Write(handle, report, true);
}

int SimBus::WriteReportNoWait(HidHandle handle, const uint8_t* report) {
    return Write(handle, report, false).outcome == WriteOutcome::Completed ? 0 : -1;
}

void SimBus::PostRead(HidHandle handle) {
    std::lock_guard lock(mutex_);
    if (Slot* slot = Alive(handle, true)) ++slot->postedReads;
}

ReadOutcome SimBus::WaitRead(HidHandle handle, uint8_t* into, uint32_t& count) {
    count = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(READ_WAIT_MS);
    std::unique_lock lock(mutex_);
    const unsigned interrupts = interrupts_;
    for (;;) {
        Slot* slot = Alive(handle, true);
        if (!slot) return ReadOutcome::Completed;  // gone: a read with no bytes
        if (interrupts_ != interrupts) return ReadOutcome::TimedOut;
        if (TakeFault(slot->logger.faults.failedReadWaits)) return ReadOutcome::WaitFailed;
        const auto now = Clock::now();
        if (!slot->inbox.empty() && slot->inbox.front().due <= now) {
            std::memcpy(into, slot->inbox.front().report.data(), REPORT_SIZE);
            slot->inbox.pop_front();
            count = REPORT_SIZE;
            return ReadOutcome::Completed;
        }
        if (now >= deadline) return ReadOutcome::TimedOut;
        auto until = deadline;
        if (!slot->inbox.empty()) until = std::min(until, slot->inbox.front().due);
        changed_.wait_until(lock, until);
    }
}

bool SimBus::DeviceStillPresent(const std::string& path) {
    std::lock_guard lock(mutex_);
    ComeBackLocked();
    for (const auto& [handle, open] : handles_) {
        const Slot& slot = *slots_[open.slot];
        // A handle from before an unplug is dead even though the path is back.
        if (slot.path == path && slot.generation != open.generation) return false;
    }
    return std::any_of(slots_.begin(), slots_.end(),
                       [&](const auto& slot) { return slot->path == path && slot->present; });
}

void SimBus::Close(HidHandle handle) {
    std::lock_guard lock(mutex_);
    handles_.erase(handle);
    changed_.notify_all();
}

void SimBus::InterruptReads() {
    std::lock_guard lock(mutex_);
    ++interrupts_;
    changed_.notify_all();
}
