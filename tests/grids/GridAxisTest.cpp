#include "grids/TGridAxisDrawInfo.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// One axis with its own size list: cells of `def` pixels unless `sizes` says otherwise.
struct Axis {
    std::vector<int32_t> sizes;
    TGridAxisDrawInfo a;

    Axis(int32_t count, int32_t fixed, int32_t first, int32_t extent, int32_t line = 1, int32_t def = 64,
         std::vector<int32_t> s = {})
        : sizes(std::move(s)) {
        a.EffectiveLineWidth = line;
        a.FixedCellCount = fixed;
        a.FirstGridCell = first;
        a.GridCellCount = count;
        a.Sizes = sizes;
        a.DefaultExtent = def;
        gridaxis::Calc(a, extent);
    }
    // A copy reads its own size list.
    Axis(const Axis& o) : sizes(o.sizes), a(o.a) { a.Sizes = sizes; }
    Axis& operator=(const Axis&) = delete;
};

} // namespace

TEST(GridAxis, CalcFindsTheBoundariesAndTheLastWhollyVisibleCell) {
    struct Row {
        const char* what;
        Axis axis;
        int32_t fixedBoundary, gridBoundary, lastFull, fullVisBoundary;
    };
    const std::vector<Row> rows = {
        {"cut off by the client edge", Axis(5, 1, 1, 320), 65, 320, 3, 260},
        {"a trailing line just outside still counts", Axis(5, 1, 1, 259), 65, 259, 3, 260},
        {"everything fits", Axis(3, 1, 1, 100, 1, 20), 21, 63, 2, 63},
        {"scrolled: counting starts at the first cell shown", Axis(6, 1, 3, 200), 65, 200, 4, 195},
        {"a hidden cell (size -1) takes no room", Axis(5, 1, 1, 320, 1, 64, {64, 64, -1, 64, 64}), 65, 260, 4,
         260},
        {"without lines", Axis(5, 2, 2, 200, 0, 50), 100, 200, 3, 200},
        {"no fixed cells", Axis(4, 0, 0, 130), 0, 130, 1, 130},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.axis.a.FixedBoundary, r.fixedBoundary);
        EXPECT_EQ(r.axis.a.GridBoundary, r.gridBoundary);
        EXPECT_EQ(r.axis.a.LastFullVisibleCell, r.lastFull);
        EXPECT_EQ(r.axis.a.FullVisBoundary, r.fullVisBoundary);
    }
}

TEST(GridAxis, CellAtHitsFixedAndScrolledCellsButNeverHiddenOnesOrEmptySpace) {
    const Axis scrolled(5, 1, 2, 320); // fixed cell 0 at 0 … 64, then cells 2, 3, 4
    const Axis hidden(5, 1, 1, 320, 1, 64, {64, 64, -1, 64, 64});
    struct Row {
        const Axis& axis;
        int32_t n, cell;
    };
    const std::vector<Row> rows = {
        {scrolled, -1, -1}, {scrolled, 0, 0},   {scrolled, 64, 0},   {scrolled, 65, 2}, {scrolled, 129, 2},
        {scrolled, 130, 3}, {scrolled, 259, 4}, {scrolled, 260, -1}, {hidden, 129, 1},  {hidden, 130, 3},
    };
    for (const Row& r : rows)
        EXPECT_EQ(gridaxis::CellAt(r.axis.a, r.n), r.cell) << "at " << r.n;
}

TEST(GridAxis, LinePosIsZeroForCellsThatAreNotOnScreen) {
    const Axis scrolled(12, 1, 2, 320);
    struct Row {
        int32_t cell, pos;
    };
    for (const Row& r : std::vector<Row>{{0, 0}, {1, 0}, {2, 65}, {3, 130}, {5, 260}, {6, 0}})
        EXPECT_EQ(gridaxis::LinePos(scrolled.a, r.cell), r.pos) << "cell " << r.cell;
}

TEST(GridAxis, SpanClipsToWhatIsShownAndMayAddTheTrailingLine) {
    const Axis a(5, 1, 1, 320);        // cells 1 … 3 wholly visible, cell 4 cut off
    const Axis scrolled(6, 1, 3, 320); // cells 1 and 2 scrolled off
    struct Row {
        const char* what;
        const Axis& axis;
        int32_t first, last;
        bool line;
        bool shown;
        int32_t start, end;
    };
    const std::vector<Row> rows = {
        {"one cell", a, 1, 1, false, true, 65, 129},
        {"one cell with its line", a, 1, 1, true, true, 65, 130},
        {"into the cut-off cell, clipped to the client", a, 2, 4, false, true, 130, 320},
        {"a fixed cell", a, 0, 0, false, true, 0, 64},
        {"wholly scrolled off", scrolled, 1, 2, false, false, 0, 0},
        {"partly scrolled off starts at the first cell shown", scrolled, 2, 3, false, true, 65, 129},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        int32_t start = 0, end = 0;
        ASSERT_EQ(gridaxis::Span(r.axis.a, r.first, r.last, r.line, start, end), r.shown);
        if (r.shown) {
            EXPECT_EQ(start, r.start);
            EXPECT_EQ(end, r.end);
        }
    }
}

TEST(GridAxis, MaxTopLeftIsTheSmallestFirstCellThatStillShowsTheTarget) {
    struct Row {
        const char* what;
        Axis axis;
        int32_t start, result;
    };
    const std::vector<Row> rows = {
        {"three cells fit after the fixed one", Axis(5, 1, 1, 320), 4, 2},
        {"a target in the first screenful", Axis(5, 1, 1, 320), 2, 1},
        {"hidden cells cost nothing", Axis(6, 1, 1, 320, 1, 64, {64, 64, -1, 64, -1, 64}), 5, 1},
        {"a hidden target steps back to a visible cell", Axis(5, 1, 1, 50, 1, 64, {64, 64, 64, 64, -1}), 4,
         3},
        {"a target among the fixed cells stays", Axis(5, 2, 2, 320), 1, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(gridaxis::MaxTopLeft(r.axis.a, r.start), r.result);
    }
}

TEST(GridAxis, DistanceAddsCellsAndLinesAndStopsOncePastTheLimit) {
    const Axis a(1000, 1, 1, 320);
    EXPECT_EQ(gridaxis::Distance(a.a, 1, 3), 130);
    EXPECT_EQ(gridaxis::Distance(a.a, 3, 1), 130);
    EXPECT_EQ(gridaxis::Distance(a.a, 2, 2), 0);
    EXPECT_EQ(gridaxis::Distance(a.a, 1, 999, 100), 130) << "a far jump costs no more than the limit";
}
