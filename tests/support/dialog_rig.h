#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/control_ids.h"
#include "app/usb_dlg.h"
#include "hid/link_state.h"
#include "platform/local_time.h"
#include "platform/timer_host.h"
#include "sim/sim_bus.h"
#include "support/recorded_messages.h"

// The dialog's timer, driven by hand: a test runs one tick at a time.
class ManualTimer : public TimerHost {
public:
    void SetTimer(int, unsigned periodMs) override {
        armed = true;
        period = periodMs;
    }
    void KillTimer(int) override { armed = false; }
    std::atomic<bool> armed{false};
    std::atomic<unsigned> period{0};
};

// A computer clock set by the test: a local time and a standard offset.
class FakeLocalClock : public LocalClock {
public:
    LocalTime GetLocalTime() override { return now; }
    int32_t StandardBias() override { return bias; }
    LocalTime now{2025, 3, 7, 10, 20, 30};
    int32_t bias = -480;  // UTC+08:00
};

// The headless rig: the dialog with its form, a hand-driven timer, recorded
// message boxes and a simulated bus. The dialog is initialised as the program
// starts it; the reader thread runs for real.
class DialogRig {
public:
    DialogRig() : DialogRig(bus) {}
    // The same dialog over another HID access (hidapi's, on a real bus); the
    // simulated bus then stays empty.
    explicit DialogRig(HidAccess& access) {
        SetHidAccess(&access);
        SetLocalClock(&clock);
        dlg = std::make_unique<CUSBDlg>(timer);
        dlg->OnInitDialog();
    }
    ~DialogRig() {
        dlg.reset();  // stops the reader before the bus goes
        SetHidAccess(nullptr);
        SetLocalClock(nullptr);
    }

    Form& form() { return dlg->form(); }
    std::u16string Text(int id) { return form().GetWindowText(id); }
    std::u16string Button() { return Text(IDC_CONFIGURE); }

    // One timer tick, as the platform delivers it: only while armed.
    void Tick() {
        if (timer.armed) dlg->OnTimer(TIMER_ID);
    }

    // Ticks, with a pause between ticks as the timer's period gives the
    // reader time, until `done` holds. False after `limit` of trying.
    bool TickUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    // Waits, without ticking, until the reader has raised `event`.
    bool AwaitLinkEvent(int32_t event) {
        return WaitForLinkChange([&] { return g_linkEvent.load() == event; }, std::chrono::seconds(10));
    }

    // Plugs a logger and ticks until the form shows it (or it was refused
    // and the link is quiet again).
    int PlugAndLoad(SimLogger logger = SimLogger()) {
        Tick();  // the first tick
        const int id = bus.Plug(std::move(logger));
        if (AwaitLinkEvent(LINK_OPENED)) Tick();
        return id;
    }

    void Type(int id, std::u16string text) { form().UserTypes(id, std::move(text)); }
    void Pick(int id, int index) { form().UserPicks(id, index); }
    void Click(int id) { form().UserClicks(id); }

    // Codes of the reports the logger received, in order.
    std::vector<uint8_t> ReceivedCodes(int id) {
        std::vector<uint8_t> codes;
        for (const Report& r : bus.Received(id)) codes.push_back(r[1]);
        return codes;
    }

    SimBus bus;
    RecordedMessages messages;
    ManualTimer timer;
    FakeLocalClock clock;
    std::unique_ptr<CUSBDlg> dlg;
};
