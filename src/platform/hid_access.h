#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Identity of the logger on the USB bus.
constexpr uint16_t DEVICE_VID = 0x2017;
constexpr uint16_t DEVICE_PID = 0x0003;
constexpr uint16_t DEVICE_VERSION = 0x0400;

// At most this many matching paths are kept by one enumeration.
constexpr int MAX_DEVICES = 27;

// Every report, input and output, is this long, report id included.
constexpr size_t REPORT_SIZE = 64;

// An open device handle. Handles are never reused within a run, so a handle
// that was closed stays invalid even after the same device comes back.
using HidHandle = std::int64_t;
constexpr HidHandle INVALID_HID_HANDLE = -1;

// What a write of one report led to.
enum class WriteOutcome {
    FailedAtOnce,   // the write was refused before it could be pending
    Completed,      // it completed within 500 ms; see countFetched and count
    NotCompleted,   // it did not complete within 500 ms
    WaitFailed,     // the wait for the completion ended otherwise
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::FailedAtOnce;
    bool countFetched = false;  // only for Completed: the byte count could be fetched
    uint32_t count = 0;         // only for Completed with countFetched
};

// What the wait for a posted read led to.
enum class ReadOutcome {
    Completed,  // a read completed; its byte count may be short (0 when the device went away)
    TimedOut,   // nothing within 1000 ms
    WaitFailed, // the wait ended otherwise
};

constexpr int READ_WAIT_MS = 1000;
constexpr int WRITE_WAIT_MS = 500;

// One HID interface as an enumeration reports it.
struct HidDeviceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
};

// The paths of the matching loggers among `devices`: vendor id, product id and
// release number all equal to the logger's, each path once, sorted so that the
// order is stable from one enumeration to the next, at most MAX_DEVICES.
std::vector<std::string> SelectLoggerPaths(const std::vector<HidDeviceInfo>& devices);

// The device operations the link needs, and nothing else. One realisation
// talks to real hardware through hidapi, another to simulated loggers.
//
// Threads: enumeration, opening, reads, the presence test and closing run on
// the reader thread; writes run on whichever thread sends. A handle may be
// closed while another thread is about to write through it: the write must
// then fail at once, never touch a freed device.
class HidAccess {
public:
    virtual ~HidAccess() = default;

    // Paths of all present matching devices (SelectLoggerPaths). Never fails.
    virtual std::vector<std::string> EnumerateLoggers() = 0;

    // INVALID_HID_HANDLE when the device cannot be opened.
    virtual HidHandle OpenForReading(const std::string& path) = 0;
    virtual HidHandle OpenForWriting(const std::string& path) = 0;

    // Writes one REPORT_SIZE report and waits up to WRITE_WAIT_MS for it.
    virtual WriteResult WriteReport(HidHandle handle, const uint8_t* report) = 0;

    // Hands one report to the device without waiting: 0, or -1 on an
    // immediate failure.
    virtual int WriteReportNoWait(HidHandle handle, const uint8_t* report) = 0;

    // Makes sure the next input report will be caught. Reports that arrive
    // between two reads must not be lost.
    virtual void PostRead(HidHandle handle) = 0;

    // Waits up to READ_WAIT_MS for one input report and copies it, whole, to
    // `into` (REPORT_SIZE bytes). A time-out delivers nothing.
    virtual ReadOutcome WaitRead(HidHandle handle, uint8_t* into, uint32_t& count) = 0;

    // True while the device at `path` is attached and its handles are alive.
    virtual bool DeviceStillPresent(const std::string& path) = 0;

    virtual void Close(HidHandle handle) = 0;

    // Ends any WaitRead in progress early (as a time-out). Used only to stop
    // the reader thread promptly at exit; a realisation that cannot do this
    // lets the wait run out.
    virtual void InterruptReads() {}
};

// The realisation in use. Set once before the reader thread starts.
void SetHidAccess(HidAccess* access);
HidAccess& Hid();
