#include "upgrade/upgrade_state.h"

std::atomic<const StoredImage*> g_image{nullptr};
std::atomic<uint32_t> g_imageSize{0};
std::atomic<uint32_t> g_imageSent{0};
std::atomic<uint32_t> g_imageChecksum{0};

void ResetUpgradeState() {
    g_image = nullptr;
    g_imageSize = 0;
    g_imageSent = 0;
    g_imageChecksum = 0;
}
