#pragma once

#include <array>
#include <cstdint>

// The configuration is assembled here before anything is sent. The queue
// belongs to the dialog's thread.
//
// Each entry: recorded size (2 bytes, low first; payload length + 5), code,
// two reserved zero bytes, then the payload.
constexpr uint16_t CMD_QUEUE_SIZE = 2048;
constexpr uint8_t RECORD_MAX_PAYLOAD = 250;
constexpr uint16_t RECORD_OVERHEAD = 5;

extern std::array<uint8_t, CMD_QUEUE_SIZE> g_cmdQueue;
extern uint16_t g_cmdQueueLength;  // bytes in use; 0 when empty
extern bool g_configPending;       // a complete configuration waits to be sent

// Appends one record. Refuses (false, queue unchanged) a payload longer than
// RECORD_MAX_PAYLOAD or a record that would not fit in the store.
bool AppendRecord(uint8_t code, const uint8_t* payload, uint8_t length);

void ClearRecordQueue();

// One entry as read back from the store.
struct QueuedRecord {
    uint8_t code = 0;
    int payloadLength = 0;  // recorded size less the overhead; negative for a corrupt entry
    const uint8_t* payload = nullptr;
};

// Reads the entry at `position` and advances `position` past it. False at the
// end of the queue, or when the entry's recorded size would run past it.
bool NextQueuedRecord(uint16_t& position, QueuedRecord& record);
