#include <gtest/gtest.h>

#include "platform/hid_access.h"

namespace {

HidDeviceInfo Logger(std::string path, uint16_t release = DEVICE_VERSION) {
    return {std::move(path), DEVICE_VID, DEVICE_PID, release};
}

TEST(SelectLoggerPaths, KeepsOnlyExactIdentity) {
    std::vector<HidDeviceInfo> devices = {
        Logger("/dev/hidraw3"),
        Logger("/dev/hidraw1", 0x0401),                     // newer release: not ours
        {"/dev/hidraw2", DEVICE_VID, 0x0004, DEVICE_VERSION},  // other product
        {"/dev/hidraw4", 0x2018, DEVICE_PID, DEVICE_VERSION},  // other vendor
        Logger(""),                                         // no path
    };
    EXPECT_EQ(SelectLoggerPaths(devices), std::vector<std::string>{"/dev/hidraw3"});
}

TEST(SelectLoggerPaths, OnePathPerDeviceInStableOrder) {
    // hidapi lists a device once per usage, in whatever order udev gives.
    std::vector<HidDeviceInfo> devices = {Logger("/dev/hidraw7"), Logger("/dev/hidraw2"),
                                          Logger("/dev/hidraw7"), Logger("/dev/hidraw2")};
    std::vector<std::string> expected = {"/dev/hidraw2", "/dev/hidraw7"};
    EXPECT_EQ(SelectLoggerPaths(devices), expected);
    std::reverse(devices.begin(), devices.end());
    EXPECT_EQ(SelectLoggerPaths(devices), expected);
}

TEST(SelectLoggerPaths, KeepsAtMostTheTableSize) {
    std::vector<HidDeviceInfo> devices;
    for (int i = 0; i < 40; ++i) devices.push_back(Logger("/dev/hidraw" + std::to_string(100 + i)));
    auto paths = SelectLoggerPaths(devices);
    ASSERT_EQ(paths.size(), static_cast<size_t>(MAX_DEVICES));
    EXPECT_EQ(paths.front(), "/dev/hidraw100");
    EXPECT_EQ(paths.back(), "/dev/hidraw126");
}

TEST(SelectLoggerPaths, NoneIsEmpty) { EXPECT_TRUE(SelectLoggerPaths({}).empty()); }

}  // namespace
