#include "params/version_rules.h"

#include "platform/format_text.h"
#include "platform/message_box.h"

std::u16string FirmwareVersionText(uint16_t fwVersion) {
    return FormatText(u"FW Version:V%X.%03X", {fwVersion >> 12, fwVersion & 0xFFF});
}

bool ToolVersionAccepted(uint16_t minToolVersion) {
    return minToolVersion <= TOOL_VERSION || minToolVersion == 0x0000 || minToolVersion == 0xFFFF;
}

std::u16string ToolTooOldMessage(uint16_t minToolVersion) {
    return FormatText(
        u"The version of this configuration tool is too low！\r\n"
        u"Please use configuration tool V%X.%02X or a higher version.",
        {minToolVersion >> 8, minToolVersion & 0xFF});
}

bool CheckToolVersion(uint16_t minToolVersion) {
    if (ToolVersionAccepted(minToolVersion)) return true;
    AfxMessageBox(ToolTooOldMessage(minToolVersion));
    return false;
}
