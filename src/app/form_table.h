#pragma once

#include <string>
#include <vector>

#include "platform/form.h"

// The main dialog's template: caption, size in dialog units, and its 72
// controls in tab order with their template texts, rects, start states and
// list items. A Form built from it is the dialog before initialisation.
extern const char16_t DIALOG_CAPTION[];
constexpr int DIALOG_WIDTH = 506;
constexpr int DIALOG_HEIGHT = 199;

std::vector<Control> MainDialogTemplate();

// The 49 items of the time-zone list: item i stands for 720 - 30 * i minutes.
std::vector<std::u16string> TimeZoneItems();
