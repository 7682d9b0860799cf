// What the tool's share of an exchange with the logger costs, against the
// simulated logger:
//   - one command and its answer at zero device latency (the tool's own
//     overhead: report building, the hand-over with the reader thread);
//   - a series of 40 exchanges when answers come no sooner than the next 1 ms
//     USB frame, as a ratio to the frame-limited minimum of 40 ms;
//   - the CPU the process burns over two idle seconds with a logger attached.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <thread>

#include "hid/command_exchange.h"
#include "hid/link_state.h"
#include "hid/reader_thread.h"
#include "sim/sim_bus.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t END_RECORD = 0xFF;

SimBus* g_bus = nullptr;
int g_logger = 0;

void SetFrameTiming(bool on) {
    g_bus->Modify(g_logger, [on](SimLogger& l) { l.faults.usbFrameTiming = on; });
}

bool Exchange() {
    if (SendReport(END_RECORD, 6, 0, nullptr) != SEND_OK) return false;
    ReleaseReply();
    return true;
}

void BM_CommandExchange(benchmark::State& state) {
    SetFrameTiming(false);
    for (auto _ : state) {
        if (!Exchange()) state.SkipWithError("exchange failed");
    }
}
BENCHMARK(BM_CommandExchange)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_SeriesAtFrameLatency(benchmark::State& state) {
    constexpr int REPORTS = 40;
    SetFrameTiming(true);
    double ratioSum = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < REPORTS; ++i) {
            if (!Exchange()) state.SkipWithError("exchange failed");
        }
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        ratioSum += took.count() / REPORTS;  // one frame (1 ms) per exchange at best
    }
    state.counters["ratio_to_frame_minimum"] = ratioSum / static_cast<double>(state.iterations());
    SetFrameTiming(false);
}
BENCHMARK(BM_SeriesAtFrameLatency)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(25);

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_IdleWithLoggerAttached(benchmark::State& state) {
    for (auto _ : state) {
        const double before = CpuSeconds();
        std::this_thread::sleep_for(2s);
        state.counters["cpu_percent_of_one_core"] = (CpuSeconds() - before) / 2.0 * 100.0;
    }
}
BENCHMARK(BM_IdleWithLoggerAttached)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    SimBus bus;
    g_bus = &bus;
    SetHidAccess(&bus);
    ResetLinkState();
    g_logger = bus.Plug();
    ReaderThread reader;
    reader.Start();
    if (!WaitForLinkChange([] { return g_linkEvent.load() == LINK_OPENED; }, 5s)) return 1;
    SetLinkEvent(LINK_NONE);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reader.Stop();
    SetHidAccess(nullptr);
    return 0;
}
