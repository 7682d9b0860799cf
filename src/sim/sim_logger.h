#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/hid_access.h"

using Report = std::array<uint8_t, REPORT_SIZE>;

// Switches that make a simulated logger misbehave. Counters count down with
// each report they touch; -1 means "always".
struct SimFaults {
    std::chrono::microseconds answerDelay{0};  // added to every answer
    bool usbFrameTiming = false;  // an answer no sooner than the next 1 ms USB frame
    int silentAnswers = 0;        // commands that get no answer
    int silentFromReport = 0;     // silentAnswers start at this report (1-based); 0: at once
    int statusAnswers = 0;        // answers replaced by REPLY_STATUS carrying statusCode
    uint8_t statusCode = 2;
    int illegalFrames = 0;        // answers sent with PL illegalPL
    uint8_t illegalPL = 5;
    int goAwayAtReport = 0;       // unplugged when this report (1-based) arrives; 0: never
    bool openable = true;         // false: enumerated, but every open fails
    uint8_t endStatus = 0;        // payload byte 0 of the answer to the end record
    uint8_t readChunk = 58;       // payload bytes per parameter-block answer
    int emptyBlockAnswers = 0;    // parameter-block answers that carry nothing
    int stalledWrites = 0;        // writes that do not complete within 500 ms
    int shortWrites = 0;          // writes that complete with 63 bytes
    int failedWriteWaits = 0;     // writes whose wait ends otherwise
    int failedReadWaits = 0;      // read waits that end otherwise
    int refuseImageReport = -1;   // this image report (0-based) is answered with REPLY_STATUS
    bool wrongImageSum = false;   // the image close is answered with a sum one too high
};

// The device side of one logger: what it holds and how it answers each
// report. Pure logic; SimBus adds handles, timing and threads.
class SimLogger {
public:
    explicit SimLogger(std::vector<uint8_t> block = DefaultBlock());

    // The block of a current illuminance logger with plausible settings;
    // bytes the tool does not read hold their offset's low byte.
    static std::vector<uint8_t> DefaultBlock();

    uint16_t vendorId = DEVICE_VID;
    uint16_t productId = DEVICE_PID;
    uint16_t releaseNumber = DEVICE_VERSION;
    SimFaults faults;
    // How long the logger stays away when it restarts after a firmware close.
    std::chrono::milliseconds restartDelay{300};

    // What happens to one received report.
    struct Reaction {
        std::optional<Report> answer;
        bool goAway = false;
        bool restart = false;  // goes away and comes back after restartDelay
    };
    Reaction Receive(const Report& report);

    const std::vector<Report>& Received() const { return received_; }
    // The block as the logger holds it now: records it received are applied.
    const std::vector<uint8_t>& Block() const { return block_; }
    // Payload of the last record received with `code`, reassembled from its
    // reports by their offsets.
    std::optional<std::vector<uint8_t>> Record(uint8_t code) const;
    // The firmware image received, by its offsets; kept across a restart so
    // that what was installed can be looked at.
    const std::vector<uint8_t>& Image() const { return image_; }

private:
    Report BlockAnswer(uint32_t offset);
    Report ImageAnswer(const Report& report, uint32_t offset);
    void Restart();
    void StoreRecordChunk(uint8_t code, uint32_t offset, const uint8_t* bytes, size_t length);

    std::vector<uint8_t> block_;
    std::vector<Report> received_;
    std::map<uint8_t, std::vector<uint8_t>> records_;
    std::vector<uint8_t> image_;
    int imageReports_ = 0;
    bool imageConfirmed_ = false;  // closed, and its sum sent back
};

// Builds a report: report id, code, PL = 6 + payload, offset, payload.
Report MakeReport(uint8_t code, const std::vector<uint8_t>& payload = {}, uint32_t offset = 0);

// Counts down a fault counter: true when it applies to this report.
bool TakeFault(int& counter);
