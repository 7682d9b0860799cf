#include "app/usb_dlg.h"
#include "hid/command_exchange.h"
#include "hid/link_state.h"
#include "hid/record_queue.h"
#include "platform/message_box.h"

namespace {
bool IsCommandError(uint8_t status) { return status >= 2 && status <= 5; }
}

// Sends the queued configuration record by record, each report answered
// before the next goes, and ends with the closing command. The first failure
// ends the sending; the queue is empty afterwards in every case.
void CUSBDlg::SendConfiguration() {
    AppendRecord(CMD_CONFIG_CLOSE, nullptr, 0);

    uint16_t position = 0;
    QueuedRecord record;
    bool done = false;
    while (!done && NextQueuedRecord(position, record)) {
        if (record.payloadLength < 0) {
            // A corrupt entry: nothing after it can be trusted.
            AfxMessageBox(u"HID命令格式错误!");
            break;
        }
        SendChunked(record.code, record.payload, static_cast<uint32_t>(record.payloadLength),
                    [&](int result) {
                        if (result != SEND_OK) {
                            AfxMessageBox(u"配置失败(命令发送失败)!");
                            done = true;
                        } else if (IsClosingCode(record.code)) {
                            // Nothing was answered; the configuration is complete.
                            done = true;
                        } else if (g_inReport[REPORT_CODE] == REPLY_STATUS &&
                                   IsCommandError(g_inReport[REPORT_PAYLOAD])) {
                            AfxMessageBox(u"命令错误!");
                            done = true;
                        } else if (record.code == PARAM_END && g_inReport[REPORT_PAYLOAD] == 1) {
                            // The closing command is still sent.
                            AfxMessageBox(u"配置失败(结束命令失败)!");
                        }
                        return !done;
                    });
    }
    ReleaseReply();
    ClearRecordQueue();
}
