#pragma once

#include <string>
#include <string_view>

// The computer's ANSI code page: the byte encoding of every text that the
// logger stores. Windows derives it from the system locale; here it follows the
// locale of the character type (LC_ALL, LC_CTYPE, LANG) in the same way, so a
// logger configured on a Chinese Windows computer reads the same on a Chinese
// Linux desktop.
using CodePage = unsigned;

// Stands for "the ANSI code page in use" wherever a code page is taken.
constexpr CodePage CP_ACP = 0;

// The code page Windows uses for a locale named like "zh_CN.UTF-8" or
// "sr_RS@latin"; 1252 for anything it does not single out ("C", "en_US", "").
CodePage CodePageForLocale(std::string_view localeName);

// The ANSI code page in use: the one set by SetAnsiCodePage, else the one of
// the environment's locale (read once).
CodePage GetACP();

// Fixes the ANSI code page (tests, or a user's explicit choice); CP_ACP goes
// back to the locale's.
void SetAnsiCodePage(CodePage codePage);

// True when this system can convert `codePage` in both directions.
bool CodePageAvailable(CodePage codePage);

// Bytes in `codePage` to UTF-16. A byte sequence that the code page does not
// define becomes one '?' per byte, so a damaged text still shows, never
// aborts the load.
std::u16string MultiByteToWide(std::string_view bytes, CodePage codePage = CP_ACP);

// UTF-16 to bytes in `codePage`. A character the code page cannot hold becomes
// '?', one per UTF-16 unit, as WideCharToMultiByte makes it.
std::string WideToMultiByte(std::u16string_view text, CodePage codePage = CP_ACP);
