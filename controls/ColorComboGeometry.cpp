#include "ColorComboGeometry.h"

#include <algorithm>

namespace {

// The edges as the drawing model counts them: right and bottom just outside the rectangle.
QRect fromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

} // namespace

ColorEntryGeometry ColorEntryLayout(const QRect& item, bool drawName) {
    const int left = item.x();
    const int top = item.y();
    const int right = item.x() + item.width();
    const int bottom = item.y() + item.height();
    ColorEntryGeometry g;
    g.Frame = fromEdges(left + 2, top + 2, drawName ? left + 24 : right - 2, bottom - 2);
    g.Swatch = fromEdges(left + 3, top + 3, (drawName ? left + 24 : right - 2) - 1, bottom - 3);
    if (drawName)
        g.Text = fromEdges(left + 28, top, right, bottom);
    return g;
}

int ColorItemHeight(int fontPixelHeight) {
    // Rounded to the nearest pixel, halves away from zero.
    const int scaled = (fontPixelHeight * 12 + (fontPixelHeight >= 0 ? 5 : -5)) / 10;
    return std::max(scaled, 10);
}
