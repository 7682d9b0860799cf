#pragma once

#include <cstdint>
#include <functional>

// Fills g_outReport with one report: report id, `code`, `pl`, the low 24 bits
// of `offset`, `pl` - 6 payload bytes, zeros after. A `pl` outside 6 to 64 is
// shown as "HID命令非法:PL错误!" and carries no payload.
void BuildOutReport(uint8_t code, uint8_t pl, uint32_t offset, const uint8_t* payload);

// Waits until the reader has a read posted (REPLY_ARMED), discarding any reply
// that nobody consumed. No time limit while the device stays open; false
// when it is gone.
bool AwaitReaderArmed();

// Builds one output report in g_outReport, writes it once the reader has a
// read posted, and waits for the answer. Returns SEND_OK (the answer lies in
// g_inReport; the caller reads it, then calls ReleaseReply), SEND_NO_DEVICE,
// SEND_NO_REPLY, SEND_SHORT_WRITE or SEND_WAIT_FAILED. The two closing codes
// await no answer and always come back SEND_OK.
int SendReport(uint8_t code, uint8_t pl, uint32_t offset, const uint8_t* payload);

// Sends a command of `total` payload bytes as reports of at most MAX_CHUNK
// payload bytes each, every one waiting for its own answer. After each report,
// `check(result)` looks at the outcome (and at g_inReport when it is SEND_OK)
// and says whether to go on; the reply is released after a true answer.
// Returns the last result of SendReport.
int SendChunked(uint8_t code, const uint8_t* payload, uint32_t total,
                const std::function<bool(int result)>& check);

// Reads the logger's parameter block into g_deviceInfo, in chunks whose size
// the logger chooses, until PARAMETER_BLOCK_SIZE bytes or an empty chunk have
// arrived. False when the device went away, stopped answering, or answered
// with another code more than ten times.
bool ReadParameterBlock();
