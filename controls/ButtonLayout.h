#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Where a button's glyph sits relative to its caption.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

/// The places of a button's glyph and caption inside its content rectangle.
struct TButtonPlacement {
    /// Top-left corner of the glyph image.
    QPoint GlyphPos;
    /// The caption's rectangle, exactly as large as the measured caption.
    QRect TextBounds;
};

/// Places a glyph of size `glyph` and a caption of size `caption` (either may be empty) inside
/// `content`. Across the layout axis both are centred; along it the glyph sits `margin` pixels from
/// the layout's side and the caption `spacing` pixels beyond it. A margin of -1 centres glyph and
/// caption together, a spacing of -1 centres the caption in the space the glyph leaves, both -1
/// spread the free space evenly. Spacing counts as 0 when the glyph or the caption has no width.
TButtonPlacement CalcButtonLayout(const QRect& content, QSize glyph, QSize caption, TButtonLayout layout,
                                  int margin, int spacing);

/// The rectangles of a button face, from its client rectangle and state.
struct TButtonFaceRects {
    /// Where glyph and caption are laid out (already moved by one pixel when pressed).
    QRect Content;
    /// The dotted focus rectangle.
    QRect FocusRect;
};

/// The face rectangles of a button of client rectangle `client`: a focused button loses a pixel to
/// its frame, a pressed one a pixel to its shadow outline, a raised one two pixels of edge and one of
/// face; a focused button lays out on the client rectangle less one pixel whatever its state.
TButtonFaceRects CalcButtonFace(const QRect& client, bool pressed, bool focused);
