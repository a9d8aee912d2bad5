#include "controls/ButtonLayout.h"

namespace {

// Sizes along (first) and across (second) the layout axis.
struct Axis {
    bool horizontal;
    int along(QSize s) const { return horizontal ? s.width() : s.height(); }
    int across(QSize s) const { return horizontal ? s.height() : s.width(); }
    QPoint point(int alongPos, int acrossPos) const {
        return horizontal ? QPoint(alongPos, acrossPos) : QPoint(acrossPos, alongPos);
    }
};

} // namespace

TButtonPlacement CalcButtonLayout(const QRect& content, QSize glyph, QSize caption, TButtonLayout layout,
                                  int margin, int spacing) {
    const Axis axis{layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight};
    const QSize c = content.size();
    const int cAlong = axis.along(c);
    const int gAlong = axis.along(glyph);
    const int xAlong = axis.along(caption);
    const int glyphAcross = (axis.across(c) - axis.across(glyph) + 1) / 2;
    const int textAcross = (axis.across(c) - axis.across(caption) + 1) / 2;

    if (caption.width() == 0 || glyph.width() == 0)
        spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = (cAlong - gAlong - xAlong) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (cAlong - gAlong - spacing - xAlong + 1) / 2;
    } else if (spacing == -1) {
        spacing = (cAlong - margin - gAlong - xAlong) / 2;
    }

    // Glyph and caption measured from the layout's own side.
    int glyphAlong = margin;
    int textAlong = margin + gAlong + spacing;
    if (layout == TButtonLayout::blGlyphRight || layout == TButtonLayout::blGlyphBottom) {
        glyphAlong = cAlong - margin - gAlong;
        textAlong = glyphAlong - spacing - xAlong;
    }
    const QPoint origin = content.topLeft();
    return {origin + axis.point(glyphAlong, glyphAcross),
            QRect(origin + axis.point(textAlong, textAcross), caption)};
}

TButtonFaceRects CalcButtonFace(const QRect& client, bool pressed, bool focused) {
    QRect r = client;
    if (focused)
        r.adjust(1, 1, -1, -1);
    // Pressed: one pixel of shadow outline; raised: two of edge and one of face outline.
    const int border = pressed ? 1 : 3;
    r.adjust(border, border, -border, -border);
    if (focused)
        r = client.adjusted(1, 1, -1, -1);
    if (pressed)
        r.translate(1, 1);
    return {r, client.adjusted(4, 4, -4, -4)};
}
