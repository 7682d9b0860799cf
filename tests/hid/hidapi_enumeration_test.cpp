#include <gtest/gtest.h>
#include <hidapi/hidapi.h>

#include "hid/hidapi_access.h"

namespace {

// hidapi lists one entry per HID usage, so one logger can appear twice.
TEST(HidapiEnumeration, ListBecomesOnePathPerMatchingLogger) {
    char a[] = "/dev/hidraw5", b[] = "/dev/hidraw1", c[] = "/dev/hidraw3";
    hid_device_info third{};
    third.path = c;
    third.vendor_id = DEVICE_VID;
    third.product_id = DEVICE_PID;
    third.release_number = 0x0401;  // another release of the same product
    hid_device_info second = third;
    second.path = a;
    second.release_number = DEVICE_VERSION;
    second.next = &third;
    hid_device_info first = second;
    first.next = &second;  // the same interface again, for its second usage
    hid_device_info head = second;
    head.path = b;
    head.next = &first;

    const std::vector<HidDeviceInfo> infos = DeviceInfosFromHidapi(&head);
    ASSERT_EQ(infos.size(), 4u);
    EXPECT_EQ(infos[3].releaseNumber, 0x0401);
    EXPECT_EQ(SelectLoggerPaths(infos), (std::vector<std::string>{"/dev/hidraw1", "/dev/hidraw5"}));
    EXPECT_TRUE(DeviceInfosFromHidapi(nullptr).empty());
}

// With no logger on this machine the real realisation finds nothing and
// every operation on an unknown handle fails cleanly.
TEST(HidapiEnumeration, UnknownHandlesFailCleanly) {
    HidapiAccess access;
    const uint8_t report[REPORT_SIZE] = {0x01};
    EXPECT_EQ(access.WriteReport(12345, report).outcome, WriteOutcome::FailedAtOnce);
    EXPECT_EQ(access.WriteReportNoWait(12345, report), -1);
    uint8_t into[REPORT_SIZE];
    uint32_t count = 99;
    EXPECT_EQ(access.WaitRead(12345, into, count), ReadOutcome::Completed);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(access.DeviceStillPresent("/dev/no-such-hidraw"));
    EXPECT_EQ(access.OpenForReading("/dev/no-such-hidraw"), INVALID_HID_HANDLE);
    access.Close(12345);
}

}  // namespace
