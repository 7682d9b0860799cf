#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "chaos/chaos_episode.h"
#include "platform/ansi_code_page.h"

namespace {

// The seed of every run; a failing episode is named by its own seed, which
// reproduces it alone.
constexpr uint32_t CHAOS_SEED = 20260911;

// Episodes without the faults that wait out a time-out: a few tens of
// milliseconds each. Split in parts that the test runner can run side by side.
constexpr int FAST_PARTS = 4;
constexpr int FAST_EPISODES_PER_PART = 300;
// Episodes that may also go silent, stall or send illegal frames: up to a
// few seconds each.
constexpr int SLOW_EPISODES = 40;

void RunEpisodes(uint32_t stream, int count, bool slow) {
    std::seed_seq seq{CHAOS_SEED, stream};
    std::mt19937 seeds(seq);
    std::cout << "chaos seed " << CHAOS_SEED << ", stream " << stream << ", " << count << " episodes\n";
    SetAnsiCodePage(1252);
    int configured = 0;
    int lateRequests = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t seed = seeds();
        const EpisodeOutcome outcome = RunEpisode(seed, slow);
        configured += outcome.configured;
        lateRequests += outcome.lateRequests;
        for (const std::string& fault : outcome.faults) {
            ADD_FAILURE() << "episode " << i << " (seed " << seed << (slow ? ", slow" : "") << "): " << fault;
        }
    }
    SetAnsiCodePage(CP_ACP);
    std::cout << configured << " configurations completed and checked; " << lateRequests
              << " configure requests met the logger's loss\n";
}

class FastChaos : public testing::TestWithParam<int> {};

TEST_P(FastChaos, EveryEpisodeEndsInAStateOfTheTool) { RunEpisodes(GetParam(), FAST_EPISODES_PER_PART, false); }

INSTANTIATE_TEST_SUITE_P(Parts, FastChaos, testing::Range(0, FAST_PARTS));

TEST(SlowChaos, EveryEpisodeEndsInAStateOfTheToolAfterTimeOuts) { RunEpisodes(FAST_PARTS, SLOW_EPISODES, true); }

// Runs one episode alone, by its seed: CHAOS_EPISODE=<seed> [CHAOS_SLOW=1].
TEST(Chaos, OneEpisodeBySeed) {
    const char* seed = std::getenv("CHAOS_EPISODE");
    if (!seed) GTEST_SKIP() << "CHAOS_EPISODE not set";
    SetAnsiCodePage(1252);
    const EpisodeOutcome outcome = RunEpisode(static_cast<uint32_t>(std::stoul(seed)), std::getenv("CHAOS_SLOW"));
    SetAnsiCodePage(CP_ACP);
    for (const std::string& fault : outcome.faults) ADD_FAILURE() << fault;
}

}  // namespace
