#include "grids/GridSizing.h"

#include <algorithm>

namespace gridaxis {

int32_t SizingBack(const TGridAxisDrawInfo& axis) {
    return axis.EffectiveLineWidth < 7 ? (7 - axis.EffectiveLineWidth) / 2 : 0;
}

int32_t SizingRange(const TGridAxisDrawInfo& axis) {
    return std::max<int32_t>(axis.EffectiveLineWidth, 7);
}

bool SizingAt(const TGridAxisDrawInfo& axis, int32_t p, TGridSizingHit& hit) {
    const int64_t back = SizingBack(axis);
    const int64_t range = SizingRange(axis);
    bool found = false;
    int64_t line = axis.FixedBoundary;
    for (int32_t i = axis.FirstGridCell; i < axis.GridCellCount; ++i) {
        line += axis.Extent(i);
        if (line > axis.GridBoundary)
            break;
        if (line - back <= p && p <= line - back + range) {
            hit = {i, int32_t(line), int32_t(line - p)};
            found = true;
        }
        line += axis.EffectiveLineWidth;
    }
    // A last cell cut off by the client edge can be sized at the edge itself.
    if (axis.GridBoundary == axis.GridExtent && axis.GridExtent - back <= p && p <= axis.GridExtent &&
        axis.LastFullVisibleCell + 1 < axis.GridCellCount) {
        hit = {axis.LastFullVisibleCell + 1, axis.GridExtent, axis.GridExtent - p};
        found = true;
    }
    return found;
}

int32_t SizingCellStart(const TGridAxisDrawInfo& axis, int32_t cell) {
    int64_t start = axis.FixedBoundary;
    for (int32_t i = axis.FirstGridCell; i < cell && i < axis.GridCellCount; ++i)
        start += axis.Extent(i) + axis.EffectiveLineWidth;
    return int32_t(start);
}

} // namespace gridaxis
