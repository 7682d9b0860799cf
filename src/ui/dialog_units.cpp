#include "ui/dialog_units.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// MulDiv: a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c) { return static_cast<int>((static_cast<long long>(a) * b * 2 + c) / (2 * c)); }

QFont FontOf(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

QFont MainDialogFont() {
    // Like 宋体, the monospaced CJK faces give Latin letters half the width of
    // a Chinese character, so the template's texts fit their rectangles.
    return FontOf({"SimSun", "NSimSun", "Noto Sans Mono CJK SC", "WenQuanYi Zen Hei Mono",
                   "Noto Sans CJK SC", "Droid Sans Fallback"},
                  16);
}

QFont AboutBoxFont() {
    return FontOf({"Noto Sans CJK SC", "WenQuanYi Zen Hei", "DejaVu Sans", "Droid Sans Fallback"}, 12);
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect DialogToPixels(const DialogRect& rect, DialogBaseUnits units) {
    const int left = MulDiv(rect.x, units.cx, 4);
    const int top = MulDiv(rect.y, units.cy, 8);
    const int right = MulDiv(rect.x + rect.width, units.cx, 4);
    const int bottom = MulDiv(rect.y + rect.height, units.cy, 8);
    return QRect(left, top, right - left, bottom - top);
}
