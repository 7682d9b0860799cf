#pragma once

#include <chrono>

#include "hid/link_state.h"
#include "hid/reader_thread.h"
#include "sim/sim_bus.h"
#include "support/recorded_messages.h"

// The link from the start state: a simulated bus as the HID access, recorded
// message boxes, and the reader thread. Stands in for the control loop where a
// test needs it: it takes link events as the timer loop would.
class LinkRig {
public:
    LinkRig() {
        ResetLinkState();
        SetHidAccess(&bus);
    }
    ~LinkRig() {
        reader.Stop();
        SetHidAccess(nullptr);
    }

    // Waits for the reader to raise `event`, then takes it (LINK_NONE) as the
    // control loop does. False when it did not come within `timeout`.
    bool TakeLinkEvent(int32_t event, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        if (!WaitForLinkChange([&] { return g_linkEvent.load() == event; }, timeout)) return false;
        SetLinkEvent(LINK_NONE);
        return true;
    }

    // Plugs a logger, starts the reader and takes the opening.
    int Connect(SimLogger logger = SimLogger()) {
        const int id = bus.Plug(std::move(logger));
        reader.Start();
        connected = TakeLinkEvent(LINK_OPENED);
        return id;
    }

    SimBus bus;
    RecordedMessages messages;
    ReaderThread reader;
    bool connected = false;
};
