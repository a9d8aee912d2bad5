#pragma once

#include "sortgrid/SortGridTypes.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <vector>

/// Side of the check box glyph in pixels.
inline constexpr int kCheckBoxSide = 10;
/// Width and height of the combobox and ellipsis button bitmaps.
inline constexpr int kCellButtonSize = 16;
/// Rows a cell's drop-down shows at most before it scrolls.
inline constexpr int kDropDownRows = 10;
/// Pixels the pointer must move away from the press point before selected rows are dragged.
inline constexpr int kDragThreshold = 10;

/// Where a check box glyph goes in a cell: `dest` on the grid, `source` the part of the 10 × 10
/// bitmap copied. The glyph is 10 pixels wide (the cell width less 1 in a cell of 10 pixels or
/// less), centred across the cell and at half the row height less 5 from the cell top.
struct TCellGlyphPlace {
    QRect dest;
    QRect source;
};

/// The check box glyph of a cell `cell` (grid coordinates) in a row `rowHeight` high.
TCellGlyphPlace CheckBoxPlace(const QRect& cell, int rowHeight);

/// The combobox or ellipsis button of a cell: the right 16 pixels of the cell (all of a narrower
/// cell) over its full height; the source is the bitmap's left part of the same width, 16 high. The
/// same rectangle is where a click presses the ellipsis button.
TCellGlyphPlace CellButtonPlace(const QRect& cell);

/// True when a click at `p` presses the ellipsis button of `cell`: within the 16 pixels at its
/// right edge.
bool HitsCellButton(const QRect& cell, const QPoint& p);

/// The offset of a text of `text` size from the top-left of a cell of `cell` size: 2 from the left,
/// 2 from the right or centred across; 2 from the top, 3 from the bottom or centred down (halves
/// rounded toward zero, so a text larger than its cell starts above or left of it).
QPoint CellTextOffset(TAlignment horz, TVertAlignment vert, const QSize& cell, const QSize& text);

/// The bevel lines of a cell: with vertical lines a dark line down the right edge and a light one
/// down the left edge, with horizontal lines a dark one along the bottom and a light one along the
/// top; `shadow` gets the dark lines, `highlight` the light ones, in that drawing order.
void CellBevelLines(const QRect& cell, bool vertLines, bool horzLines, std::vector<QLine>& shadow,
                    std::vector<QLine>& highlight);

/// Where a cell's drop-down list opens, relative to the grid's window: 2 pixels right of and 1 below
/// the cell's top-left (`cellInWindow`). Its width is `width`, or the cell width + 1 when 0; its
/// height is `height`, or when 0 as many rows as there are items (at most 10, then it scrolls) of
/// `itemHeight` plus 5.
QRect DropDownRect(const QRect& cellInWindow, int width, int height, int itemCount, int itemHeight);

/// True when the pointer has moved far enough from `start` to drag: more than 10 pixels in either
/// direction.
bool PastDragThreshold(const QPoint& start, const QPoint& now);
