#pragma once

#include "grids/TStringSparseList.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

/// For loops that read the cells of many stored rows one row after the other: called before row r
/// is read, it starts loading what the rows ahead will read, one level deeper for each row closer
/// to r, so that by the time a row is read its cells are in the cache. The rows of a large grid lie
/// all over the heap, and waiting for each level of each row in turn took most of a sort's time.
/// Reading the texts of columns [firstCol, endCol) is prefetched (null rows are skipped).
inline void PrefetchRowsAhead(const std::vector<const TStringSparseList*>& rows, size_t r, int32_t firstCol,
                              int32_t endCol) {
    constexpr size_t Step = 4;
    constexpr int Depths = TStringSparseList::PrefetchDepths;
    for (int d = 0; d < Depths; ++d) {
        const size_t ahead = r + size_t(Depths - d) * Step;
        if (ahead >= rows.size() || !rows[ahead])
            continue;
        // The levels above the entries are shared by the columns; the entries and texts are not.
        const int32_t last = d < Depths - 2 ? firstCol + 1 : endCol;
        for (int32_t c = firstCol; c < last; ++c)
            rows[ahead]->PrefetchText(c, d);
    }
}
