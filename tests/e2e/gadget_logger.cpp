// The logger's side of the virtual USB bus: every output report the host
// sends arrives whole on the HID gadget's node and goes to the simulated
// logger's device model; its answer goes back as an input report. A restart
// is a real unplug and plug: the gadget is unbound from its controller and,
// after the logger's restart delay, bound again.
//
// Usage: e2e_gadget_logger <hidg node> <gadget UDC file> <controller name>
// The logger starts with firmware 0x5010 and a noise channel, so that the
// tool upgrades it on the first configuration.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "params/block_bytes.h"
#include "params/block_layout.h"
#include "sim/sim_logger.h"

namespace {

bool WriteUdc(const std::string& udcFile, const std::string& controller) {
    std::ofstream udc(udcFile);
    udc << controller << '\n';
    udc.flush();
    return static_cast<bool>(udc);
}

SimLogger OutdatedNoiseLogger() {
    std::vector<uint8_t> block = SimLogger::DefaultBlock();
    WriteBlockNumber(block, BLOCK_FW_VERSION_HIGH, 0x50);
    WriteBlockNumber(block, BLOCK_FW_VERSION_LOW, 0x10);
    WriteBlockNumber(block, BLOCK_CH3_TYPE, 1);
    WriteBlockNumber(block, BLOCK_DEVICE_VARIANT, 7);
    return SimLogger(block);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <hidg node> <UDC file> <controller>\n", argv[0]);
        return 2;
    }
    const std::string node = argv[1], udcFile = argv[2], controller = argv[3];
    const int fd = open(node.c_str(), O_RDWR);
    if (fd < 0) {
        std::fprintf(stderr, "gadget logger: cannot open %s: %s\n", node.c_str(), std::strerror(errno));
        return 1;
    }
    SimLogger logger = OutdatedNoiseLogger();
    Report report{};
    for (;;) {
        const ssize_t got = read(fd, report.data(), report.size());
        if (got < 0) {
            // While the gadget is unbound the node refuses; wait for the plug.
            if (errno == EINTR || errno == ESHUTDOWN || errno == EAGAIN) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            std::fprintf(stderr, "gadget logger: read: %s\n", std::strerror(errno));
            return 1;
        }
        if (static_cast<size_t>(got) != report.size()) {
            std::fprintf(stderr, "gadget logger: a report of %zd bytes\n", got);
            continue;
        }
        const SimLogger::Reaction reaction = logger.Receive(report);
        if (reaction.answer && write(fd, reaction.answer->data(), reaction.answer->size()) < 0) {
            std::fprintf(stderr, "gadget logger: write: %s\n", std::strerror(errno));
        }
        if (reaction.restart || reaction.goAway) {
            WriteUdc(udcFile, "");
            if (reaction.goAway) continue;  // stays away until plugged by hand
            std::this_thread::sleep_for(logger.restartDelay);
            if (!WriteUdc(udcFile, controller)) std::fprintf(stderr, "gadget logger: plug failed\n");
        }
    }
}
