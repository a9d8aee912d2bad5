#include "grids/GridKeyMove.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

const TGridOptions kCells = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
const TGridOptions kRows = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect;

// The layout of a grid of 64 × 24 pixel cells with one fixed column and row and 1-pixel lines on a
// 320 × 120 client: columns and rows 1 … 3 after the fixed ones are wholly visible.
TGridDrawInfo Layout(int32_t cols, int32_t rows, TGridCoord topLeft) {
    TGridDrawInfo info;
    const auto axis = [](TGridAxisDrawInfo& a, int32_t count, int32_t first, int32_t size, int32_t extent) {
        a.EffectiveLineWidth = 1;
        a.FixedCellCount = 1;
        a.FirstGridCell = first;
        a.GridCellCount = count;
        a.DefaultExtent = size;
        gridaxis::Calc(a, extent);
    };
    axis(info.Horz, cols, topLeft.X, 64, 320);
    axis(info.Vert, rows, topLeft.Y, 24, 120);
    return info;
}

} // namespace

TEST(GridKeyMove, KeysGiveTheNewCurrentCellAndTopLeftClampedToTheGrid) {
    struct Row {
        const char* what;
        int key;
        Qt::KeyboardModifiers mods;
        TGridOptions options;
        int32_t cols, rows;
        TGridCoord current, topLeft;
        TGridCoord newCurrent, newTopLeft;
        bool moveAnchor;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const std::vector<Row> rows = {
        {"Right", Qt::Key_Right, none, kCells, 5, 5, {1, 1}, {1, 1}, {2, 1}, {1, 1}, true},
        {"Left stops at the fixed column",
         Qt::Key_Left,
         none,
         kCells,
         5,
         5,
         {1, 1},
         {1, 1},
         {1, 1},
         {1, 1},
         true},
        {"Up stops at the fixed row", Qt::Key_Up, none, kCells, 5, 5, {2, 1}, {1, 1}, {2, 1}, {1, 1}, true},
        {"End", Qt::Key_End, none, kCells, 5, 5, {2, 3}, {1, 1}, {4, 3}, {1, 1}, true},
        {"Home", Qt::Key_Home, none, kCells, 5, 5, {3, 3}, {1, 1}, {1, 3}, {1, 1}, true},
        {"Ctrl+End leaves the scrolling to showing the cell",
         Qt::Key_End,
         ctrl,
         kCells,
         5,
         5,
         {1, 1},
         {1, 1},
         {4, 4},
         {1, 1},
         true},
        {"Ctrl+Home", Qt::Key_Home, ctrl, kCells, 5, 5, {3, 3}, {2, 2}, {1, 1}, {2, 2}, true},
        {"Page Down moves cell and window by the visible rows less one",
         Qt::Key_PageDown,
         none,
         kCells,
         5,
         20,
         {1, 1},
         {1, 1},
         {1, 3},
         {1, 3},
         true},
        {"Page Up stops at the top",
         Qt::Key_PageUp,
         none,
         kCells,
         5,
         20,
         {1, 2},
         {1, 1},
         {1, 1},
         {1, 1},
         true},
        {"Ctrl+Page Down goes to the last wholly visible row",
         Qt::Key_PageDown,
         ctrl,
         kCells,
         5,
         20,
         {1, 1},
         {1, 4},
         {1, 6},
         {1, 4},
         true},
        {"Ctrl+Page Up goes to the top row",
         Qt::Key_PageUp,
         ctrl,
         kCells,
         5,
         20,
         {1, 6},
         {1, 4},
         {1, 4},
         {1, 4},
         true},
        {"Ctrl+Down scrolls, the cell stays",
         Qt::Key_Down,
         ctrl,
         kCells,
         5,
         20,
         {1, 1},
         {1, 1},
         {1, 1},
         {1, 2},
         true},
        {"Ctrl+Down stops at the last useful top row",
         Qt::Key_Down,
         ctrl,
         kCells,
         5,
         5,
         {1, 1},
         {1, 2},
         {1, 1},
         {1, 2},
         true},
        {"Ctrl+Right pages cell and window sideways",
         Qt::Key_Right,
         ctrl,
         kCells,
         9,
         5,
         {1, 1},
         {1, 1},
         {3, 1},
         {3, 1},
         true},
        {"Ctrl+Right clamps the window",
         Qt::Key_Right,
         ctrl,
         kCells,
         5,
         5,
         {1, 1},
         {1, 1},
         {3, 1},
         {2, 1},
         true},
        {"Shift+Down extends the selection",
         Qt::Key_Down,
         shift,
         kCells,
         5,
         5,
         {1, 1},
         {1, 1},
         {1, 2},
         {1, 1},
         false},
        {"Tab on the last cell wraps to the first",
         Qt::Key_Tab,
         none,
         kCells | goTabs,
         5,
         5,
         {4, 4},
         {2, 2},
         {1, 1},
         {2, 2},
         true},
        {"Tab at a row end goes to the next row",
         Qt::Key_Tab,
         none,
         kCells | goTabs,
         5,
         5,
         {4, 1},
         {1, 1},
         {1, 2},
         {1, 1},
         true},
        {"Shift+Tab on the first cell wraps to the last and does not extend",
         Qt::Key_Tab,
         shift,
         kCells | goTabs,
         5,
         5,
         {1, 1},
         {1, 1},
         {4, 4},
         {1, 1},
         true},
        {"Alt+Tab moves nothing",
         Qt::Key_Tab,
         Qt::AltModifier,
         kCells | goTabs,
         5,
         5,
         {2, 2},
         {1, 1},
         {2, 2},
         {1, 1},
         true},
        {"row select: Right scrolls, the cell stays",
         Qt::Key_Right,
         none,
         kRows,
         8,
         5,
         {1, 2},
         {1, 1},
         {1, 2},
         {2, 1},
         true},
        {"row select: Right stops at the last useful left column",
         Qt::Key_Right,
         none,
         kRows,
         8,
         5,
         {1, 2},
         {5, 1},
         {1, 2},
         {5, 1},
         true},
        {"row select: no page jumps sideways",
         Qt::Key_Right,
         ctrl,
         kRows,
         8,
         5,
         {1, 2},
         {2, 1},
         {1, 2},
         {2, 1},
         true},
        {"row select: End goes to the last row",
         Qt::Key_End,
         none,
         kRows,
         8,
         10,
         {1, 2},
         {1, 1},
         {1, 9},
         {1, 1},
         true},
        {"row select: Home goes to the first row",
         Qt::Key_Home,
         none,
         kRows,
         8,
         10,
         {1, 7},
         {1, 5},
         {1, 1},
         {1, 5},
         true},
        {"a key that moves nothing", Qt::Key_A, none, kCells, 5, 5, {2, 3}, {1, 2}, {2, 3}, {1, 2}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const TGridKeyMove m =
            gridkeys::Move(r.key, r.mods, r.options, r.current, Layout(r.cols, r.rows, r.topLeft));
        EXPECT_EQ(m.Current, r.newCurrent) << m.Current.X << "," << m.Current.Y;
        EXPECT_EQ(m.TopLeft, r.newTopLeft) << m.TopLeft.X << "," << m.TopLeft.Y;
        EXPECT_EQ(m.MoveAnchor, r.moveAnchor);
        EXPECT_FALSE(m.EditorMode);
    }
}

TEST(GridKeyMove, F2AsksForTheEditorAndMovesNothing) {
    const TGridKeyMove m =
        gridkeys::Move(Qt::Key_F2, Qt::NoModifier, kCells | goEditing, {2, 2}, Layout(5, 5, {1, 1}));
    EXPECT_TRUE(m.EditorMode);
    EXPECT_EQ(m.Current, (TGridCoord{2, 2}));
    EXPECT_EQ(m.TopLeft, (TGridCoord{1, 1}));
}

TEST(GridKeyMove, PagingAtTheEndOfTheLargestGridDoesNotWrap) {
    const int32_t many = std::numeric_limits<int32_t>::max();
    TGridKeyMove m =
        gridkeys::Move(Qt::Key_End, Qt::ControlModifier, kCells, {1, 1}, Layout(5, many, {1, 1}));
    EXPECT_EQ(m.Current, (TGridCoord{4, many - 1}));
    m = gridkeys::Move(Qt::Key_PageDown, Qt::NoModifier, kCells, {1, many - 1},
                       Layout(5, many, {1, many - 3}));
    EXPECT_EQ(m.Current.Y, many - 1);
    EXPECT_EQ(m.TopLeft.Y, many - 3);
}
