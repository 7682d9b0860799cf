#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/hid_access.h"

struct hid_device_info;

// The HID access of a real logger, over hidapi's hidraw backend.
//
// The same path is opened twice, one hid_device for reads and one for writes,
// because hidapi is not safe on one handle used by two threads. A handle is
// released only when no write through it is in progress, so a close by the
// reader cannot pull the device from under a writer.
class HidapiAccess : public HidAccess {
public:
    HidapiAccess();
    ~HidapiAccess() override;

    std::vector<std::string> EnumerateLoggers() override;
    HidHandle OpenForReading(const std::string& path) override;
    HidHandle OpenForWriting(const std::string& path) override;
    WriteResult WriteReport(HidHandle handle, const uint8_t* report) override;
    int WriteReportNoWait(HidHandle handle, const uint8_t* report) override;
    void PostRead(HidHandle handle) override;
    ReadOutcome WaitRead(HidHandle handle, uint8_t* into, uint32_t& count) override;
    bool DeviceStillPresent(const std::string& path) override;
    void Close(HidHandle handle) override;

private:
    struct Device;
    HidHandle Open(const std::string& path);
    std::shared_ptr<Device> Find(HidHandle handle);

    std::mutex mutex_;
    std::map<HidHandle, std::shared_ptr<Device>> open_;
    HidHandle nextHandle_ = 1;
};

// hidapi's enumeration list as plain records, in list order.
std::vector<HidDeviceInfo> DeviceInfosFromHidapi(const hid_device_info* first);
