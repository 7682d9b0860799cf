#include "hid/hidapi_access.h"

#include <hidapi/hidapi.h>
#include <sys/stat.h>

#include <atomic>

struct HidapiAccess::Device {
    hid_device* device = nullptr;
    std::string path;
    // Set when a read or write reported the device gone; such a handle stays
    // dead even if a device shows up again at the same path.
    std::atomic<bool> failed{false};
    ~Device() {
        if (device) hid_close(device);
    }
};

std::vector<HidDeviceInfo> DeviceInfosFromHidapi(const hid_device_info* first) {
    std::vector<HidDeviceInfo> devices;
    for (const hid_device_info* d = first; d != nullptr; d = d->next) {
        devices.push_back({d->path ? d->path : "", d->vendor_id, d->product_id, d->release_number});
    }
    return devices;
}

HidapiAccess::HidapiAccess() { hid_init(); }

HidapiAccess::~HidapiAccess() {
    {
        std::lock_guard lock(mutex_);
        open_.clear();
    }
    hid_exit();
}

std::vector<std::string> HidapiAccess::EnumerateLoggers() {
    hid_device_info* list = hid_enumerate(DEVICE_VID, DEVICE_PID);
    std::vector<std::string> paths = SelectLoggerPaths(DeviceInfosFromHidapi(list));
    hid_free_enumeration(list);
    return paths;
}

HidHandle HidapiAccess::Open(const std::string& path) {
    hid_device* device = hid_open_path(path.c_str());
    if (!device) return INVALID_HID_HANDLE;
    auto entry = std::make_shared<Device>();
    entry->device = device;
    entry->path = path;
    std::lock_guard lock(mutex_);
    const HidHandle handle = nextHandle_++;
    open_.emplace(handle, std::move(entry));
    return handle;
}

HidHandle HidapiAccess::OpenForReading(const std::string& path) { return Open(path); }
HidHandle HidapiAccess::OpenForWriting(const std::string& path) { return Open(path); }

std::shared_ptr<HidapiAccess::Device> HidapiAccess::Find(HidHandle handle) {
    std::lock_guard lock(mutex_);
    auto it = open_.find(handle);
    return it == open_.end() ? nullptr : it->second;
}

WriteResult HidapiAccess::WriteReport(HidHandle handle, const uint8_t* report) {
    // On hidraw the write blocks until the kernel has completed or failed it,
    // so the 500 ms completion wait is met by the write itself.
    std::shared_ptr<Device> device = Find(handle);
    if (!device) return {WriteOutcome::FailedAtOnce, false, 0};
    const int written = hid_write(device->device, report, REPORT_SIZE);
    if (written < 0) {
        device->failed = true;
        return {WriteOutcome::FailedAtOnce, false, 0};
    }
    return {WriteOutcome::Completed, true, static_cast<uint32_t>(written)};
}

int HidapiAccess::WriteReportNoWait(HidHandle handle, const uint8_t* report) {
    const WriteResult result = WriteReport(handle, report);
    return result.outcome == WriteOutcome::Completed ? 0 : -1;
}

void HidapiAccess::PostRead(HidHandle) {
    // hidraw queues every input report from the moment the node is opened,
    // so a read is always waiting in effect.
}

ReadOutcome HidapiAccess::WaitRead(HidHandle handle, uint8_t* into, uint32_t& count) {
    count = 0;
    std::shared_ptr<Device> device = Find(handle);
    if (!device) return ReadOutcome::Completed;  // no bytes: the caller checks presence
    const int read = hid_read_timeout(device->device, into, REPORT_SIZE, READ_WAIT_MS);
    if (read == 0) return ReadOutcome::TimedOut;
    if (read < 0) {
        // The device has gone (or its node failed): a read that completed
        // with no bytes, which sends the reader to its presence check.
        device->failed = true;
        return ReadOutcome::Completed;
    }
    count = static_cast<uint32_t>(read);
    return ReadOutcome::Completed;
}

bool HidapiAccess::DeviceStillPresent(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        for (const auto& [handle, device] : open_) {
            if (device->path == path && device->failed) return false;
        }
    }
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

void HidapiAccess::Close(HidHandle handle) {
    std::shared_ptr<Device> device;
    {
        std::lock_guard lock(mutex_);
        auto it = open_.find(handle);
        if (it == open_.end()) return;
        device = std::move(it->second);
        open_.erase(it);
    }
    // hid_close runs when the last user (a write in progress) lets go.
}
