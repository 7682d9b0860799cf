// The tool's HID link through hidapi against a logger that is a real USB
// device: the kernel's usbhid and hidraw serve it, and the gadget side answers
// with the simulated logger's device model (e2e_gadget_logger). Runs only in
// the virtual machine that run_vm_test.sh boots; E2E_UDC_FILE names the
// gadget's UDC file and E2E_UDC the controller it binds to.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/control_ids.h"
#include "hid/hidapi_access.h"
#include "hid/link_state.h"
#include "support/dialog_rig.h"

namespace {

// Bounds far above what the emulated machine needs, which is seconds.
constexpr std::chrono::seconds LIMIT{30};
constexpr std::chrono::seconds UPGRADE_LIMIT{240};

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Plugs the gadget into its controller, or unplugs it. False when the
// gadget's UDC file refused.
bool Plug(bool in) {
    std::ofstream udc(Env("E2E_UDC_FILE"));
    udc << (in ? Env("E2E_UDC") : "") << '\n';
    udc.flush();
    return static_cast<bool>(udc);
}

// Waits for the form to show a loaded logger.
bool ShowsLogger(DialogRig& dialog) {
    return dialog.TickUntil([&] { return dialog.Button() == u"Configure"; }, LIMIT);
}

// hidapi finds the logger by vendor, product and the release number the USB
// device descriptor carries, and the same node opens twice, once per thread.
TEST(HidLinkE2E, EnumeratesTheLoggerAndOpensItTwice) {
    HidapiAccess access;
    const std::vector<std::string> paths = access.EnumerateLoggers();
    ASSERT_EQ(paths.size(), 1u);
    const HidHandle reading = access.OpenForReading(paths[0]);
    const HidHandle writing = access.OpenForWriting(paths[0]);
    EXPECT_NE(reading, INVALID_HID_HANDLE);
    EXPECT_NE(writing, INVALID_HID_HANDLE);
    EXPECT_NE(reading, writing);
    EXPECT_TRUE(access.DeviceStillPresent(paths[0]));
    access.Close(reading);
    access.Close(writing);
}

// Loading, unplugging and plugging, a whole firmware upgrade with the
// logger's restart, and a configuration that the logger keeps: each read
// back by plugging the logger in again.
TEST(HidLinkE2E, LoadUnplugPlugUpgradeAndConfigure) {
    HidapiAccess access;
    DialogRig dialog(access);
    dialog.Tick();  // the first tick
    ASSERT_TRUE(dialog.AwaitLinkEvent(LINK_OPENED));
    ASSERT_TRUE(ShowsLogger(dialog));
    EXPECT_EQ(dialog.Text(IDC_FW_VERSION), u"FW Version:V5.010");

    ASSERT_TRUE(Plug(false));
    ASSERT_TRUE(dialog.AwaitLinkEvent(LINK_LOST));
    ASSERT_TRUE(dialog.TickUntil([&] { return dialog.Button() == u"Input Device"; }, LIMIT));
    ASSERT_TRUE(Plug(true));
    ASSERT_TRUE(dialog.AwaitLinkEvent(LINK_OPENED));
    ASSERT_TRUE(ShowsLogger(dialog));

    // An outdated logger: the configuration starts with the upgrade, the
    // logger restarts (leaves the bus and comes back) and is configured.
    dialog.Click(IDC_CONFIGURE);
    dialog.Tick();
    ASSERT_TRUE(dialog.TickUntil([&] { return dialog.Button() == u"配置中..."; }, UPGRADE_LIMIT));
    EXPECT_TRUE(dialog.messages.Texts().empty());
    EXPECT_EQ(g_upgradeState.load(), UPGRADE_IDLE);

    ASSERT_TRUE(Plug(false));
    ASSERT_TRUE(dialog.TickUntil([&] { return dialog.Button() == u"Input Device"; }, LIMIT));
    ASSERT_TRUE(Plug(true));
    ASSERT_TRUE(ShowsLogger(dialog));
    EXPECT_EQ(dialog.Text(IDC_FW_VERSION), u"FW Version:V5.016");

    // Now current: a configuration alone, read back after plugging again.
    dialog.Type(IDC_LOG_INTERVAL, u"37");
    dialog.Click(IDC_CONFIGURE);
    dialog.Tick();
    ASSERT_EQ(dialog.Button(), u"配置中...");
    ASSERT_TRUE(Plug(false));
    ASSERT_TRUE(dialog.TickUntil([&] { return dialog.Button() == u"Input Device"; }, LIMIT));
    ASSERT_TRUE(Plug(true));
    ASSERT_TRUE(ShowsLogger(dialog));
    EXPECT_EQ(dialog.Text(IDC_LOG_INTERVAL), u"37");
    EXPECT_TRUE(dialog.messages.Texts().empty());
}

}  // namespace
