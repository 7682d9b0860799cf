// Choosing a stored image needs the version of the logger read last, which
// the control loop keeps; hence this part lives with the dialog.
#include "upgrade/stored_image.h"

#include "loop/loop_state.h"
#include "upgrade/upgrade_state.h"

bool StoredImage::SelectFirmwareImage() const {
    if (g_fwVersion < ImageVersionWord()) {
        g_image = this;
        g_imageSize = IMAGE_SIZE;
        return true;
    }
    g_image = nullptr;
    g_imageSize = 0;
    return false;
}
