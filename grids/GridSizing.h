#pragma once

#include "grids/TGridAxisDrawInfo.h"

#include <cstdint>

/// Where a press would start sizing a column or row: the line of which cell, at which pixel
/// position, and how far the pointer is from that line.
struct TGridSizingHit {
    int32_t Index = -1;
    int32_t Pos = 0;
    int32_t Ofs = 0;
};

namespace gridaxis {

/// Half-width of the grab zone before a line: lines thinner than 7 pixels get a zone of 7 pixels
/// centred on them.
int32_t SizingBack(const TGridAxisDrawInfo& axis);
/// Width of the grab zone around a line (at least 7 pixels).
int32_t SizingRange(const TGridAxisDrawInfo& axis);
/// The line a press at pixel `p` would size on this axis, walking the scrolling cells; the last
/// matching line wins, so a hidden cell right after a visible one takes over its line. Returns
/// false when `p` lies on no line.
bool SizingAt(const TGridAxisDrawInfo& axis, int32_t p, TGridSizingHit& hit);
/// The pixel start of the scrolling cell `cell` (fixed boundary plus the cells and lines from the
/// first scrolling cell shown up to it).
int32_t SizingCellStart(const TGridAxisDrawInfo& axis, int32_t cell);

} // namespace gridaxis
