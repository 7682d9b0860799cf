#pragma once

#include <cstdint>
#include <string>

// This tool's own version, 0xMMmm: the "V4.12" of the window title. Loggers
// name the lowest tool version they accept in the same form.
constexpr uint16_t TOOL_VERSION = 0x0412;

// "FW Version:V5.016" for the word 0x5016: the top four bits, then the low
// twelve.
std::u16string FirmwareVersionText(uint16_t fwVersion);

// Whether this tool may load a block demanding `minToolVersion`; 0x0000 and
// 0xFFFF demand nothing.
bool ToolVersionAccepted(uint16_t minToolVersion);

// The refusal shown for a block demanding a newer tool.
std::u16string ToolTooOldMessage(uint16_t minToolVersion);

// The rule as the load applies it: shows ToolTooOldMessage and returns false
// when the block demands a newer tool, else returns true.
bool CheckToolVersion(uint16_t minToolVersion);
