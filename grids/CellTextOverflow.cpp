#include "grids/CellTextOverflow.h"

#include <cstddef>

int OverflowRight(const std::vector<OverflowCell>& row, int32_t col) {
    const OverflowCell& own = row[size_t(col)];
    int right = own.Right;
    if (own.Free || !own.RunsOn)
        return right;
    for (size_t next = size_t(col) + 1; next < row.size(); ++next) {
        const OverflowCell& c = row[next];
        // A hidden column (no width) is passed over; it neither stops the text nor takes any of it.
        if (c.Right <= c.Left)
            continue;
        if (!c.Free || own.TextRight <= c.Left)
            break;
        right = c.Right;
    }
    return right;
}

int32_t OverflowSource(const std::vector<OverflowCell>& row, int32_t col) {
    if (!row[size_t(col)].Free)
        return col;
    for (int32_t s = col - 1; s >= 0; --s) {
        if (row[size_t(s)].Free || row[size_t(s)].Right <= row[size_t(s)].Left)
            continue;
        return OverflowRight(row, s) >= row[size_t(col)].Right ? s : -1;
    }
    return -1;
}
