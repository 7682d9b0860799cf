#include <gtest/gtest.h>

#include <numeric>

#include "hid/link_state.h"
#include "hid/record_queue.h"

namespace {

TEST(RecordQueue, EntriesComeBackInOrderWithTheirPayloads) {
    ResetLinkState();
    const uint8_t stamp[4] = {0x13, 0x04, 0x00, 0x17};
    ASSERT_TRUE(AppendRecord(0x83, stamp, 4));
    ASSERT_TRUE(AppendRecord(0xFF, nullptr, 0));
    EXPECT_EQ(g_cmdQueueLength, 4 + 5 + 0 + 5);

    uint16_t position = 0;
    QueuedRecord record;
    ASSERT_TRUE(NextQueuedRecord(position, record));
    EXPECT_EQ(record.code, 0x83);
    ASSERT_EQ(record.payloadLength, 4);
    EXPECT_TRUE(std::equal(stamp, stamp + 4, record.payload));
    ASSERT_TRUE(NextQueuedRecord(position, record));
    EXPECT_EQ(record.code, 0xFF);
    EXPECT_EQ(record.payloadLength, 0);
    EXPECT_FALSE(NextQueuedRecord(position, record));
}

TEST(RecordQueue, RefusesWhatWouldOverrunTheStore) {
    ResetLinkState();
    std::vector<uint8_t> payload(RECORD_MAX_PAYLOAD);
    std::iota(payload.begin(), payload.end(), 0);
    int appended = 0;
    while (AppendRecord(25, payload.data(), RECORD_MAX_PAYLOAD)) ++appended;
    EXPECT_EQ(appended, CMD_QUEUE_SIZE / (RECORD_MAX_PAYLOAD + RECORD_OVERHEAD));
    const uint16_t full = g_cmdQueueLength;
    EXPECT_FALSE(AppendRecord(25, payload.data(), RECORD_MAX_PAYLOAD));
    EXPECT_EQ(g_cmdQueueLength, full);

    ClearRecordQueue();
    EXPECT_FALSE(AppendRecord(25, payload.data(), 251));  // longer than an entry may be
    EXPECT_FALSE(AppendRecord(25, nullptr, 4));
    EXPECT_EQ(g_cmdQueueLength, 0);
}

TEST(RecordQueue, ACorruptEntryStillEndsTheWalk) {
    ResetLinkState();
    ASSERT_TRUE(AppendRecord(6, reinterpret_cast<const uint8_t*>("\1\2\3\4"), 4));
    g_cmdQueue[0] = 2;  // recorded size below the overhead
    g_cmdQueue[1] = 0;
    uint16_t position = 0;
    QueuedRecord record;
    int entries = 0;
    while (NextQueuedRecord(position, record)) {
        ++entries;
        EXPECT_LT(record.payloadLength, 0);
    }
    EXPECT_EQ(entries, 1);
}

}  // namespace
