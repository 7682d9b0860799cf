#pragma once

#include <atomic>
#include <cstdint>

// The image being sent. Shared with the reader thread, which ends an upgrade
// the logger refuses.
extern std::atomic<uint32_t> g_imageSize;
extern std::atomic<uint32_t> g_imageSent;
