#pragma once

#include <array>
#include <cstdint>

// The form's values as the last validation took them, ready to be encoded
// as parameter records. Texts are ANSI-code-page bytes, NUL-padded; one that
// fills its field has no NUL. A list without a selection stores 0xFF.
// Dialog thread only.
struct PendingConfiguration {
    uint16_t recordLedInterval = 0;  // seconds
    uint16_t alertLedInterval = 0;   // seconds
    int8_t tzHours = 0;              // both with the offset's sign
    int8_t tzMinutes = 0;
    uint8_t dateFormat = 0;
    int32_t startDelayMinutes = 0;
    int32_t logIntervalSeconds = 0;
    uint8_t tempUnit = 0;
    uint8_t ch3Unit = 0;
    uint8_t language = 0;
    uint8_t enableAlarm = 0;  // 0 or 1
    uint8_t exportCsv = 0;    // 0 or 1
    std::array<uint8_t, 20> trademark{};
    std::array<uint8_t, 20> deviceName{};
    std::array<uint8_t, 100> userInfo{};
    std::array<uint8_t, 50> website{};
    std::array<uint8_t, 20> deviceId{};
    std::array<uint8_t, 8> pdfPassword{};
};

extern PendingConfiguration g_pendingConfig;
