// A whole firmware upgrade against the simulated logger, from the tick that
// starts it to the restart report: 1043 image blocks and the image close,
// each answered before the next report goes, then the restart.
//   - at zero device latency: the tool's own share of an upgrade;
//   - with answers no sooner than the next 1 ms USB frame, as a ratio to the
//     frame-limited minimum of one frame for each of the 1044 answered reports.
#include <benchmark/benchmark.h>

#include <thread>

#include "support/dialog_rig.h"
#include "support/upgrade_rig.h"

namespace {

using namespace std::chrono_literals;

constexpr double ANSWERED_REPORTS = 1044;
constexpr auto USB_FRAME = 1ms;

// One upgrade of a freshly plugged logger; the time from the tick that
// starts it until the restart report is written. Zero when it failed.
std::chrono::duration<double> TimeOneUpgrade(bool frameTiming) {
    DialogRig rig;
    const int id = PlugForUpgrade(rig, LoggerWith(0x5010, 1));
    if (rig.Button() != u"Configure") return {};
    rig.bus.Modify(id, [&](SimLogger& l) { l.faults.usbFrameTiming = frameTiming; });
    rig.Click(IDC_CONFIGURE);

    const auto start = std::chrono::steady_clock::now();
    rig.Tick();
    const auto limit = start + 30s;
    while (g_upgradeState.load(std::memory_order_acquire) != UPGRADE_RESTARTING) {
        if (std::chrono::steady_clock::now() > limit || !rig.messages.Texts().empty()) return {};
        std::this_thread::sleep_for(20us);
    }
    return std::chrono::steady_clock::now() - start;
}

void BM_WholeUpgrade(benchmark::State& state) {
    const bool frameTiming = state.range(0) != 0;
    double ratioSum = 0;
    for (auto _ : state) {
        const std::chrono::duration<double> took = TimeOneUpgrade(frameTiming);
        if (took.count() == 0) {
            state.SkipWithError("upgrade failed");
            return;
        }
        state.SetIterationTime(took.count());
        ratioSum += took / (ANSWERED_REPORTS * USB_FRAME);
    }
    if (frameTiming) {
        state.counters["ratio_to_frame_minimum"] = ratioSum / static_cast<double>(state.iterations());
    }
}
BENCHMARK(BM_WholeUpgrade)->ArgName("frame_latency")->Arg(0)->Iterations(20)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeUpgrade)->ArgName("frame_latency")->Arg(1)->Iterations(5)->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
