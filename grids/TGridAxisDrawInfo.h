#pragma once

#include <cstdint>
#include <span>

/// The layout of one axis of a grid (columns across, or rows down) for one client size.
/// Recomputed from the grid's state whenever it is needed; never stored.
struct TGridAxisDrawInfo {
    int32_t EffectiveLineWidth = 0;
    int32_t FixedBoundary = 0;
    int32_t GridBoundary = 0;
    int32_t GridExtent = 0;
    int32_t LastFullVisibleCell = 0;
    int32_t FullVisBoundary = 0;
    int32_t FixedCellCount = 0;
    int32_t FirstGridCell = 0;
    int32_t GridCellCount = 0;
    /// Individual sizes (empty when every cell takes the default); may be shorter than the count.
    std::span<const int32_t> Sizes;
    int32_t DefaultExtent = 0;

    /// The size of cell `i`: its individual size where one is stored, else the default.
    int32_t Extent(int32_t i) const {
        if (i >= 0 && i < GridCellCount && size_t(i) < Sizes.size())
            return Sizes[size_t(i)];
        return DefaultExtent;
    }
};

/// The pair of axis layouts of a grid.
struct TGridDrawInfo {
    TGridAxisDrawInfo Horz;
    TGridAxisDrawInfo Vert;
};

namespace gridaxis {

/// Fills the boundaries of `axis` from its counts, sizes and line width for a client extent.
void Calc(TGridAxisDrawInfo& axis, int32_t gridExtent);
/// The cell at pixel `n`, or -1 where there is none.
int32_t CellAt(const TGridAxisDrawInfo& axis, int32_t n);
/// The pixel start of cell `cell`; 0 when the cell is not on screen.
int32_t LinePos(const TGridAxisDrawInfo& axis, int32_t cell);
/// The pixel span [start, end) of cells `first` ... `last`, clipped to what is on screen; false when
/// nothing of it is shown.
bool Span(const TGridAxisDrawInfo& axis, int32_t first, int32_t last, bool includeLine, int32_t& start,
          int32_t& end);
/// The smallest first scrolling cell that still shows cell `start` wholly.
int32_t MaxTopLeft(const TGridAxisDrawInfo& axis, int32_t start);
/// Pixels between the starts of cells `from` and `to` (cells and lines in between); the count stops
/// as soon as it passes `limit`, so a far jump costs no more than a screenful.
int64_t Distance(const TGridAxisDrawInfo& axis, int32_t from, int32_t to, int64_t limit = INT64_MAX);

} // namespace gridaxis
