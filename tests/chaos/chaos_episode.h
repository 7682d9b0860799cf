#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// One randomized episode on a fresh headless rig: loggers plugged, read,
// edited, configured or upgraded, with faults switched on at random points
// and loggers pulled at random moments, then everything unplugged.
//
// `slow` also allows the faults that cost real time (silence, stalled
// writes, illegal frames): each of them waits out one of the tool's fixed
// time-outs.
struct EpisodeOutcome {
    std::vector<std::string> faults;  // what went wrong, with the phase
    bool configured = false;          // a configuration completed without a message
    int lateRequests = 0;             // a configure request met the logger's loss in one tick
};

EpisodeOutcome RunEpisode(uint32_t seed, bool slow);
