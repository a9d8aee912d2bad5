#pragma once

#include "grids/PackedRow.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// For loops that read cells of many stored rows one row after the other. Called before row r is
// read, these start loading what the rows ahead will read, one level deeper for each row closer to
// r, so that by the time a row is read its cells are in the cache. The rows of a large grid lie all
// over the heap, and waiting for each level of each row in turn took most of a sort's time.

namespace rowprefetch {
/// Rows between two depths.
constexpr size_t Step = 4;
constexpr int Depths = PackedRow::PrefetchDepths;
} // namespace rowprefetch

/// Prefetches the text of column `col` of the rows ahead of r (null rows are skipped).
inline void PrefetchRowsAhead(const std::vector<const PackedRow*>& rows, size_t r, int32_t col) {
    using namespace rowprefetch;
    for (int d = 0; d < Depths; ++d) {
        const size_t ahead = r + size_t(Depths - d) * Step;
        if (ahead < rows.size() && rows[ahead])
            rows[ahead]->prefetch(col, d);
    }
}

/// Prefetches the texts of the columns in `cols` (bit c: column c) of the rows ahead of r.
inline void PrefetchRowsAhead(const std::vector<const PackedRow*>& rows, size_t r, uint64_t cols) {
    using namespace rowprefetch;
    if (cols == 0)
        return;
    const int first = std::countr_zero(cols);
    for (int d = 0; d < Depths; ++d) {
        const size_t ahead = r + size_t(Depths - d) * Step;
        if (ahead >= rows.size() || !rows[ahead])
            continue;
        // The block's start is shared by the columns; the texts are not.
        if (d == 0) {
            rows[ahead]->prefetch(first, d);
            continue;
        }
        for (uint64_t left = cols; left != 0; left &= left - 1)
            rows[ahead]->prefetch(std::countr_zero(left), d);
    }
}
