#pragma once

#include <cstdint>
#include <vector>

/// One cell of a row as far as texts running on into the following cells are concerned, in the
/// x coordinates of the drawing (screen or page).
struct OverflowCell {
    int Left = 0;        ///< left edge of the cell
    int Right = 0;       ///< right edge of the cell (exclusive)
    int TextRight = 0;   ///< where the cell's text ends when drawn unclipped
    bool Free = true;    ///< nothing of its own is drawn in it: no text, no glyph
    bool RunsOn = false; ///< its text may run on to the right (left-aligned plain text)
};

/// The right edge up to which the text of cell `col` is drawn: the cell's own right edge, or, for a
/// text that runs on and is wider than its cell, the right edge of the last of the directly
/// following free cells that the text reaches into.
int OverflowRight(const std::vector<OverflowCell>& row, int32_t col);

/// The cell whose text shows in cell `col`: `col` itself when it is not free; for a free cell the
/// nearest shown cell to its left that is not free, when that cell's text reaches into `col` by
/// `OverflowRight`; −1 when no text shows in it.
int32_t OverflowSource(const std::vector<OverflowCell>& row, int32_t col);
