#include "hid/record_queue.h"

#include <cstring>

std::array<uint8_t, CMD_QUEUE_SIZE> g_cmdQueue{};
uint16_t g_cmdQueueLength = 0;
bool g_configPending = false;

bool AppendRecord(uint8_t code, const uint8_t* payload, uint8_t length) {
    const uint16_t size = static_cast<uint16_t>(length + RECORD_OVERHEAD);
    if (length > RECORD_MAX_PAYLOAD || g_cmdQueueLength + size > CMD_QUEUE_SIZE) return false;
    if (length > 0 && payload == nullptr) return false;
    uint8_t* entry = g_cmdQueue.data() + g_cmdQueueLength;
    entry[0] = static_cast<uint8_t>(size & 0xFF);
    entry[1] = static_cast<uint8_t>(size >> 8);
    entry[2] = code;
    entry[3] = 0;
    entry[4] = 0;
    if (length > 0) std::memcpy(entry + RECORD_OVERHEAD, payload, length);
    g_cmdQueueLength = static_cast<uint16_t>(g_cmdQueueLength + size);
    return true;
}

void ClearRecordQueue() {
    g_cmdQueueLength = 0;
    g_configPending = false;
}

bool NextQueuedRecord(uint16_t& position, QueuedRecord& record) {
    if (position + RECORD_OVERHEAD > g_cmdQueueLength) return false;
    const uint8_t* entry = g_cmdQueue.data() + position;
    const int size = entry[0] | (entry[1] << 8);
    record.code = entry[2];
    record.payloadLength = size - RECORD_OVERHEAD;
    record.payload = entry + RECORD_OVERHEAD;
    // A corrupt entry (negative length) still advances by the overhead, so a
    // walk over the queue always ends.
    const int advance = record.payloadLength < 0 ? RECORD_OVERHEAD : size;
    if (position + advance > g_cmdQueueLength) return false;
    position = static_cast<uint16_t>(position + advance);
    return true;
}
