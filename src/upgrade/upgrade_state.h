#pragma once

#include <atomic>
#include <cstdint>

struct StoredImage;

// The image being sent and how far it has gone. Written by the dialog's
// thread when an upgrade is armed, started or interrupted, and by the reader
// thread, which drives the transfer and ends it on a refusal, a wrong sum or
// the last report.
extern std::atomic<const StoredImage*> g_image;
// Bytes to send: IMAGE_SIZE while an upgrade is armed or running, else 0 (and
// 0 also means that nothing more is to be sent).
extern std::atomic<uint32_t> g_imageSize;
// Bytes sent so far: the offset of the next block.
extern std::atomic<uint32_t> g_imageSent;
// The sum the logger must confirm when the image is closed.
extern std::atomic<uint32_t> g_imageChecksum;

// No image armed. Call with no reader running.
void ResetUpgradeState();
