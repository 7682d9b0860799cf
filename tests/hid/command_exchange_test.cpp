#include <gtest/gtest.h>

#include <numeric>
#include <thread>

#include "hid/command_exchange.h"
#include "support/link_rig.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t END_RECORD = 0xFF;
constexpr uint8_t USER_INFO_RECORD = 25;

std::vector<uint8_t> Counting(size_t length) {
    std::vector<uint8_t> bytes(length);
    std::iota(bytes.begin(), bytes.end(), 1);
    return bytes;
}

uint32_t OffsetOf(const Report& r) { return r[3] | (r[4] << 8) | (r[5] << 16); }

class CommandExchange : public ::testing::Test {
protected:
    void SetUp() override {
        id = rig.Connect();
        ASSERT_TRUE(rig.connected);
    }
    LinkRig rig;
    int id = 0;
};

TEST_F(CommandExchange, EndRecordIsOneReportWithEmptyPayload) {
    ASSERT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_GE(g_replyState.load(), 0);  // the answer waits for its reader
    EXPECT_EQ(g_inReport[1], REPLY_STATUS);
    ReleaseReply();

    Report expected{};
    expected[0] = 0x01;
    expected[1] = 0xFF;
    expected[2] = 0x06;
    EXPECT_EQ(rig.bus.Received(id), std::vector<Report>{expected});
}

struct CutCase {
    size_t total;
    std::vector<std::pair<int, uint32_t>> reports;  // PL, offset
};

TEST_F(CommandExchange, LongCommandsAreCutIntoAnsweredReports) {
    const std::vector<CutCase> cases = {
        {0, {{6, 0}}},
        {57, {{63, 0}}},
        {58, {{64, 0}}},
        {59, {{64, 0}, {7, 58}}},
        {100, {{64, 0}, {48, 58}}},
        {250, {{64, 0}, {64, 58}, {64, 116}, {64, 174}, {24, 232}}},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE("payload of " + std::to_string(c.total));
        const size_t before = rig.bus.Received(id).size();
        const std::vector<uint8_t> payload = Counting(c.total);
        int reports = 0;
        EXPECT_EQ(SendChunked(USER_INFO_RECORD, payload.data(), static_cast<uint32_t>(c.total),
                              [&](int result) {
                                  ++reports;
                                  // Each report has its own answer before the next goes.
                                  EXPECT_EQ(rig.bus.Received(id).size(), before + reports);
                                  return result == SEND_OK;
                              }),
                  SEND_OK);
        const std::vector<Report> received = rig.bus.Received(id);
        ASSERT_EQ(received.size() - before, c.reports.size());
        for (size_t i = 0; i < c.reports.size(); ++i) {
            const Report& r = received[before + i];
            EXPECT_EQ(r[2], c.reports[i].first);
            EXPECT_EQ(OffsetOf(r), c.reports[i].second);
            // Payload bytes in place, zeros after them.
            const size_t length = r[2] - 6;
            EXPECT_TRUE(std::equal(r.begin() + 6, r.begin() + 6 + length,
                                   payload.begin() + c.reports[i].second));
            EXPECT_TRUE(std::all_of(r.begin() + 6 + length, r.end(), [](uint8_t b) { return b == 0; }));
        }
        EXPECT_EQ(rig.bus.Record(id, USER_INFO_RECORD).value_or(std::vector<uint8_t>{}), payload);
    }
}

TEST_F(CommandExchange, ClosingCodesAwaitNoAnswer) {
    for (uint8_t code : {CMD_CONFIG_CLOSE, CMD_FIRMWARE_CLOSE}) {
        EXPECT_EQ(SendReport(code, 6, 0, nullptr), SEND_OK);
        EXPECT_EQ(rig.bus.Received(id).back()[1], code);
    }
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST_F(CommandExchange, WriteOutcomesGiveTheirResults) {
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.stalledWrites = 2; });
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);  // written again until it completes
    EXPECT_EQ(rig.bus.Received(id).size(), 1u);

    rig.bus.Modify(id, [](SimLogger& l) { l.faults.shortWrites = 1; });
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_SHORT_WRITE);

    EXPECT_TRUE(rig.messages.Texts().empty());
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.failedWriteWaits = 1; });
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_WAIT_FAILED);
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"HID发送未知错误!"});
}

TEST_F(CommandExchange, NoAnswerWithinTheTimeLimit) {
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.silentAnswers = 1; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_NO_REPLY);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 3000ms);
    // The link carries on with the next command.
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
}

TEST_F(CommandExchange, DeviceLostDuringTheExchange) {
    // Gone as the report arrives: the reader notices, the sender gives up.
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.goAwayAtReport = 1; });
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_NO_DEVICE);
    EXPECT_TRUE(rig.TakeLinkEvent(LINK_LOST));
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_NO_DEVICE);
    EXPECT_EQ(SendReport(CMD_CONFIG_CLOSE, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(SendReport(CMD_FIRMWARE_CLOSE, 6, 0, nullptr), SEND_OK);
    EXPECT_TRUE(rig.messages.Texts().empty());
}

TEST_F(CommandExchange, DeviceLostWhileAwaitingTheAnswer) {
    rig.bus.Modify(id, [](SimLogger& l) { l.faults.silentAnswers = -1; });
    std::thread unplug([&] {
        std::this_thread::sleep_for(100ms);
        rig.bus.Unplug(id);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_NO_DEVICE);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3000ms);  // not the answer time-out
    unplug.join();
}

TEST_F(CommandExchange, StrayReplyIsDiscardedNotTakenForTheAnswer) {
    rig.bus.InjectReport(id, MakeReport(0x42, {0xEE}));
    ASSERT_TRUE(WaitForLinkChange([] { return g_replyState.load() >= 0; }, 5s));
    ASSERT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(g_inReport[1], REPLY_STATUS);
    EXPECT_EQ(g_inReport[6], 0);
}

TEST_F(CommandExchange, StatusAnswerIsHandedToTheCaller) {
    rig.bus.Modify(id, [](SimLogger& l) {
        l.faults.statusAnswers = 1;
        l.faults.statusCode = 4;
    });
    ASSERT_EQ(SendReport(9, 8, 0, reinterpret_cast<const uint8_t*>("\x2C\x01")), SEND_OK);
    EXPECT_EQ(g_inReport[1], REPLY_STATUS);
    EXPECT_EQ(g_inReport[6], 4);
}

TEST_F(CommandExchange, IllegalPLIsReportedAndNoPayloadCopied) {
    const std::vector<uint8_t> payload = Counting(64);
    EXPECT_EQ(SendReport(25, 65, 0, payload.data()), SEND_OK);
    EXPECT_EQ(rig.messages.Texts(), std::vector<std::u16string>{u"HID命令非法:PL错误!"});
    const Report sent = rig.bus.Received(id).back();
    EXPECT_EQ(sent[2], 65);
    EXPECT_TRUE(std::all_of(sent.begin() + 6, sent.end(), [](uint8_t b) { return b == 0; }));
}

TEST(CommandExchangeWithoutDevice, OnlyClosingCodesSucceed) {
    LinkRig rig;  // nothing plugged, reader not started
    EXPECT_EQ(SendReport(CMD_CONFIG_CLOSE, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(SendReport(CMD_FIRMWARE_CLOSE, 6, 0, nullptr), SEND_OK);
    EXPECT_EQ(SendReport(END_RECORD, 6, 0, nullptr), SEND_NO_DEVICE);
    EXPECT_EQ(SendReport(CMD_READ_PARAMETERS, 6, 0, nullptr), SEND_NO_DEVICE);
    EXPECT_FALSE(ReadParameterBlock());
}

}  // namespace

namespace {

// The logger keeps every record it receives; a second read of its block
// shows what was written, also for records cut into several reports.
TEST(SimulatedLogger, RecordsLandInItsBlock) {
    LinkRig rig;
    const int id = rig.Connect();
    ASSERT_TRUE(rig.connected);
    const auto send = [&](uint8_t code, const std::vector<uint8_t>& payload) {
        return SendChunked(code, payload.data(), static_cast<uint32_t>(payload.size()),
                           [](int result) { return result == SEND_OK; });
    };
    std::vector<uint8_t> userInfo(100, 0);
    const std::string text = "A user information text that is longer than one report can carry, 70+";
    std::copy(text.begin(), text.end(), userInfo.begin());
    ASSERT_EQ(send(25, userInfo), SEND_OK);                 // user information, two reports
    ASSERT_EQ(send(8, {0x2C, 0x01, 0x00, 0x00}), SEND_OK);  // logging interval 300 s
    ASSERT_EQ(send(67, {0xFD, 0xE2}), SEND_OK);             // UTC-03:30

    ASSERT_TRUE(ReadParameterBlock());
    const std::vector<uint8_t> block(g_deviceInfo.begin(), g_deviceInfo.begin() + PARAMETER_BLOCK_SIZE);
    EXPECT_EQ(block, rig.bus.Block(id));
    EXPECT_EQ(std::string(block.begin() + 198, block.begin() + 198 + text.size()), text);
    EXPECT_EQ(block[62], 0x2C);
    EXPECT_EQ(block[63], 0x01);
    EXPECT_EQ(block[23], 0xFD);
    EXPECT_EQ(block[24], 0xE2);
}

}  // namespace
