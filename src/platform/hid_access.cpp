#include "platform/hid_access.h"

#include <algorithm>
#include <atomic>
#include <cassert>

std::vector<std::string> SelectLoggerPaths(const std::vector<HidDeviceInfo>& devices) {
    std::vector<std::string> paths;
    for (const HidDeviceInfo& d : devices) {
        if (d.vendorId == DEVICE_VID && d.productId == DEVICE_PID &&
            d.releaseNumber == DEVICE_VERSION && !d.path.empty()) {
            paths.push_back(d.path);
        }
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    if (paths.size() > static_cast<size_t>(MAX_DEVICES)) paths.resize(MAX_DEVICES);
    return paths;
}

namespace {
std::atomic<HidAccess*> g_hidAccess{nullptr};
}

void SetHidAccess(HidAccess* access) { g_hidAccess.store(access, std::memory_order_release); }

HidAccess& Hid() {
    HidAccess* access = g_hidAccess.load(std::memory_order_acquire);
    assert(access != nullptr && "SetHidAccess must run before the link is used");
    return *access;
}
