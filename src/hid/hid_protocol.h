#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/hid_access.h"

// Layout of the 64-byte reports in both directions:
//   0 report id, 1 code, 2 PL (6 + payload bytes), 3..5 offset (24 bit, low
//   byte first), 6.. payload (at most MAX_CHUNK bytes), then zeros.
constexpr uint8_t REPORT_ID = 0x01;
constexpr size_t REPORT_CODE = 1;
constexpr size_t REPORT_PL = 2;
constexpr size_t REPORT_OFFSET = 3;
constexpr size_t REPORT_PAYLOAD = 6;
constexpr uint8_t PL_MIN = 6;
constexpr uint8_t PL_MAX = 64;
constexpr size_t MAX_CHUNK = 58;

// Codes the link itself knows; configuration records bring their own.
constexpr uint8_t CMD_READ_PARAMETERS = 0x91;
constexpr uint8_t CMD_FIRMWARE = 0x93;
constexpr uint8_t CMD_FIRMWARE_CLOSE = 0x7F;
constexpr uint8_t CMD_CONFIG_CLOSE = 0x94;
constexpr uint8_t REPLY_STATUS = 0x90;
// The last record of every configuration; its answer's payload byte 0 is 1
// when the logger could not conclude the configuration.
constexpr uint8_t PARAM_END = 0xFF;

// The two commands the logger does not answer.
constexpr bool IsClosingCode(uint8_t code) {
    return code == CMD_CONFIG_CLOSE || code == CMD_FIRMWARE_CLOSE;
}

constexpr bool IsLegalPL(int pl) { return pl >= PL_MIN && pl <= PL_MAX; }

// The parameter block is asked for until this many bytes have arrived; one
// reply may carry MAX_CHUNK more, so the buffer holds the sum less one.
constexpr size_t PARAMETER_BLOCK_SIZE = 516;
constexpr size_t PARAMETER_BUFFER_SIZE = PARAMETER_BLOCK_SIZE - 1 + MAX_CHUNK;  // 573

// Results of SendReport.
constexpr int SEND_OK = 0;
constexpr int SEND_NO_DEVICE = 1;
constexpr int SEND_NO_REPLY = 2;
constexpr int SEND_SHORT_WRITE = 3;
constexpr int SEND_WAIT_FAILED = -1;

// The answer is awaited for this many 1 ms polls.
constexpr int REPLY_POLLS = 3000;

// g_replyState: negative values belong to the reader, 0 and above (the
// payload length of a reply waiting in g_inReport) to the consumer.
constexpr int32_t REPLY_ARMED = -2;
constexpr int32_t REPLY_NONE = -1;

// g_linkEvent
constexpr int32_t LINK_NONE = 0;
constexpr int32_t LINK_OPENED = 1;
constexpr int32_t LINK_LOST = 2;

// g_upgradeState
constexpr uint8_t UPGRADE_IDLE = 0;
constexpr uint8_t UPGRADE_SENDING = 2;
constexpr uint8_t UPGRADE_RESTARTING = 47;
