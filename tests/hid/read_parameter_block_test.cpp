#include <gtest/gtest.h>

#include "hid/command_exchange.h"
#include "support/link_rig.h"

namespace {

std::vector<uint32_t> RequestedOffsets(const std::vector<Report>& received) {
    std::vector<uint32_t> offsets;
    for (const Report& r : received) {
        EXPECT_EQ(r[1], CMD_READ_PARAMETERS);
        EXPECT_EQ(r[2], 6);
        offsets.push_back(r[3] | (r[4] << 8) | (r[5] << 16));
    }
    return offsets;
}

std::vector<uint8_t> Pattern(size_t length) {
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return bytes;
}

struct ChunkCase {
    size_t blockSize;
    uint8_t chunk;
    size_t expectedReceived;
    size_t expectedRequests;
};

TEST(ReadParameterBlock, ChunksOfTheLoggersChoosing) {
    const std::vector<ChunkCase> cases = {
        {600, 58, 522, 9},  // stops once 516 bytes have arrived
        {516, 58, 516, 9},
        {516, 20, 516, 26},
        {300, 58, 300, 7},  // a short block ends with an empty chunk
    };
    for (const ChunkCase& c : cases) {
        SCOPED_TRACE("block " + std::to_string(c.blockSize) + ", chunk " + std::to_string(c.chunk));
        LinkRig rig;
        SimLogger logger(Pattern(c.blockSize));
        logger.faults.readChunk = c.chunk;
        const int id = rig.Connect(logger);
        ASSERT_TRUE(rig.connected);

        ASSERT_TRUE(ReadParameterBlock());
        const std::vector<uint32_t> offsets = RequestedOffsets(rig.bus.Received(id));
        ASSERT_EQ(offsets.size(), c.expectedRequests);
        for (size_t i = 0; i + 1 < offsets.size(); ++i) {
            EXPECT_EQ(offsets[i + 1] - offsets[i], std::min<size_t>(c.chunk, c.blockSize - offsets[i]));
        }
        const std::vector<uint8_t> block = Pattern(c.blockSize);
        EXPECT_TRUE(std::equal(block.begin(), block.begin() + c.expectedReceived, g_deviceInfo.begin()));
        EXPECT_LT(g_replyState.load(), 0);  // every answer was released
    }
}

TEST(ReadParameterBlock, EmptyFirstAnswerIsACompleteBlock) {
    LinkRig rig;
    SimLogger logger;
    logger.faults.emptyBlockAnswers = 1;
    const int id = rig.Connect(logger);
    ASSERT_TRUE(rig.connected);
    EXPECT_TRUE(ReadParameterBlock());
    EXPECT_EQ(rig.bus.Received(id).size(), 1u);
    EXPECT_TRUE(std::all_of(g_deviceInfo.begin(), g_deviceInfo.end(), [](uint8_t b) { return b == 0; }));
}

TEST(ReadParameterBlock, StatusAnswersAreAskedAgainUpToTen) {
    for (int statusAnswers : {10, 11}) {
        SCOPED_TRACE(statusAnswers);
        LinkRig rig;
        SimLogger logger;
        logger.faults.statusAnswers = statusAnswers;
        const int id = rig.Connect(logger);
        ASSERT_TRUE(rig.connected);
        const bool read = ReadParameterBlock();
        const std::vector<uint32_t> offsets = RequestedOffsets(rig.bus.Received(id));
        if (statusAnswers == 10) {
            EXPECT_TRUE(read);
            EXPECT_EQ(offsets.size(), 10u + 9u);
        } else {
            EXPECT_FALSE(read);
            EXPECT_EQ(offsets, std::vector<uint32_t>(11, 0));  // always the same offset
        }
    }
}

TEST(ReadParameterBlock, DeviceLostPartWay) {
    LinkRig rig;
    SimLogger logger;
    logger.faults.goAwayAtReport = 4;
    rig.Connect(logger);
    ASSERT_TRUE(rig.connected);
    EXPECT_FALSE(ReadParameterBlock());
    EXPECT_TRUE(rig.TakeLinkEvent(LINK_LOST));
    EXPECT_TRUE(rig.messages.Texts().empty());
}

}  // namespace
