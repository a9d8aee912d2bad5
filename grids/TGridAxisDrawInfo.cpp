#include "grids/TGridAxisDrawInfo.h"

#include <algorithm>

namespace gridaxis {

void Calc(TGridAxisDrawInfo& a, int32_t gridExtent) {
    a.FixedBoundary = 0;
    for (int32_t i = 0; i < a.FixedCellCount; ++i)
        a.FixedBoundary += a.Extent(i) + a.EffectiveLineWidth;
    a.GridExtent = gridExtent;
    a.GridBoundary = a.FixedBoundary;
    a.FullVisBoundary = a.FixedBoundary;
    a.LastFullVisibleCell = a.FirstGridCell;
    // 64-bit running sum: thousands of rows of large heights must not wrap.
    int64_t boundary = a.FixedBoundary;
    for (int32_t i = a.FirstGridCell; i < a.GridCellCount; ++i) {
        boundary += a.Extent(i) + a.EffectiveLineWidth;
        if (boundary > int64_t(a.GridExtent) + a.EffectiveLineWidth) {
            a.GridBoundary = a.GridExtent;
            return;
        }
        a.GridBoundary = int32_t(boundary);
        a.LastFullVisibleCell = i;
        a.FullVisBoundary = int32_t(boundary);
    }
}

int32_t CellAt(const TGridAxisDrawInfo& a, int32_t n) {
    if (n < 0)
        return -1;
    int32_t first = a.FirstGridCell;
    int32_t last = a.GridCellCount - 1;
    int64_t pos = a.FixedBoundary;
    if (n < a.FixedBoundary) {
        first = 0;
        last = a.FixedCellCount - 1;
        pos = 0;
    }
    for (int32_t i = first; i <= last; ++i) {
        pos += a.Extent(i) + a.EffectiveLineWidth;
        if (pos > n)
            return i;
        if (pos > a.GridExtent + int64_t(a.EffectiveLineWidth))
            break; // nothing further is on screen
    }
    return -1;
}

int32_t LinePos(const TGridAxisDrawInfo& a, int32_t cell) {
    int64_t result = 0;
    int32_t start = 0;
    if (cell >= a.FixedCellCount) {
        if (cell < a.FirstGridCell)
            return 0;
        result = a.FixedBoundary;
        start = a.FirstGridCell;
    }
    for (int32_t i = start; i < cell; ++i) {
        result += a.Extent(i) + a.EffectiveLineWidth;
        if (result > a.GridExtent)
            return 0;
    }
    return int32_t(result);
}

bool Span(const TGridAxisDrawInfo& a, int32_t first, int32_t last, bool includeLine, int32_t& start,
          int32_t& end) {
    if (first >= a.FixedCellCount && first < a.FirstGridCell) {
        if (last < a.FirstGridCell)
            return false;
        first = a.FirstGridCell;
    }
    if (last > a.LastFullVisibleCell) {
        last = a.LastFullVisibleCell;
        if (last < a.GridCellCount - 1)
            ++last;
        if (LinePos(a, last) == 0)
            --last;
    }
    start = LinePos(a, first);
    end = LinePos(a, last);
    if (end == 0)
        end = start + a.Extent(first);
    else
        end += a.Extent(last);
    if (end > a.GridExtent)
        end = a.GridExtent;
    if (includeLine)
        end += a.EffectiveLineWidth;
    return true;
}

int32_t MaxTopLeft(const TGridAxisDrawInfo& a, int32_t start) {
    int32_t result = start;
    int64_t budget = int64_t(a.GridExtent) + a.EffectiveLineWidth;
    for (int32_t i = start; i >= a.FixedCellCount; --i) {
        const int32_t ext = a.Extent(i);
        if (ext <= 0)
            continue;
        budget -= ext + a.EffectiveLineWidth;
        if (budget < a.FixedBoundary) {
            if (result == start && a.Extent(start) <= 0)
                result = i;
            break;
        }
        result = i;
    }
    return result;
}

int64_t Distance(const TGridAxisDrawInfo& a, int32_t from, int32_t to, int64_t limit) {
    int64_t d = 0;
    for (int32_t i = std::min(from, to); i < std::max(from, to) && d <= limit; ++i)
        d += a.Extent(i) + a.EffectiveLineWidth;
    return d;
}

} // namespace gridaxis
