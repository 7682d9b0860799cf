#pragma once

#include <QFont>
#include <QRect>

#include "platform/form.h"

// Dialog units as Windows computes them from a dialog's font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.
struct DialogBaseUnits {
    int cx = 8;
    int cy = 16;
};

// The main dialog's font, in the place of "宋体" 12 pt (16 pixels at 96 dots
// per inch).
QFont MainDialogFont();
// The About box's font, in the place of "MS Shell Dlg" 9 pt.
QFont AboutBoxFont();

DialogBaseUnits BaseUnitsOf(const QFont& font);
QRect DialogToPixels(const DialogRect& rect, DialogBaseUnits units);
