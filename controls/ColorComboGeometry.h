#pragma once

#include <QRect>

/// Where one entry of the colour combo is drawn inside its item rectangle.
struct ColorEntryGeometry {
    /// The swatch with its one-pixel black frame.
    QRect Frame;
    /// The swatch's colour, one pixel inside the frame.
    QRect Swatch;
    /// Where the name goes (single line, vertically centred); empty when no name is drawn.
    QRect Text;
};

/// The geometry of an entry in `item`: the frame from 2 pixels inside the item's left, top and
/// bottom edges, 24 pixels wide with the name, else up to 2 pixels before the right edge; the
/// name from 28 pixels in to the right edge.
ColorEntryGeometry ColorEntryLayout(const QRect& item, bool drawName);

/// The height of a list entry for a font of `fontPixelHeight` pixels: 12/10 of it rounded, at
/// least 10.
int ColorItemHeight(int fontPixelHeight);
