#include "InputGrid.h"

#include "core/Exception.h"

namespace {

const TGridOptions kLines = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

} // namespace

TEST_F(InputGridTest, RowSelectClickSelectsTheWholeRowAndFiresOneClick) {
    g.setOptions(kLines | goColSizing | goRowSelect);
    Press(g.Mid(3, 3));
    EXPECT_EQ(g.GridState(), gsSelecting);
    EXPECT_TRUE(g.TimerActive());
    Release(g.Mid(3, 3));
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 4, 3}));
    EXPECT_EQ(g.GridState(), gsNormal);
    EXPECT_FALSE(g.TimerActive());
    EXPECT_EQ(g.clicks, 1);
}

TEST_F(InputGridTest, DraggingSelectsARangeAndEventsFollowTheGridsHandling) {
    std::vector<TGridRect> seenAtDown;
    g.OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        seenAtDown.push_back(g.Selection());
    };
    Press(g.Mid(1, 1));
    MoveTo(g.Mid(3, 2));
    Release(g.Mid(3, 2));
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 3, 2}));
    ASSERT_EQ(seenAtDown.size(), 1u);
    EXPECT_EQ(seenAtDown[0], (TGridRect{1, 1, 1, 1})); // the grid had already moved
}

TEST_F(InputGridTest, HoldingThePointerBelowTheRowsScrollsOneRowPerTickUpToTheLast) {
    g.setRowCount(10);
    Press(g.Mid(1, 1));
    MoveTo(QPoint(100, 150)); // below the cells: no cell, so the move itself does nothing
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
    g.TimerTick();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 2}));
    for (int i = 0; i < 20; ++i)
        g.TimerTick();
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 9}));
    EXPECT_EQ(g.TopRow(), 7); // the last row is in view
    Release(QPoint(100, 150));
    EXPECT_FALSE(g.TimerActive());

    // The protocol configuration moves the selected row the same way, and back up above the cells.
    g.setOptions(kLines | goColSizing | goRowSelect);
    Press(g.Mid(2, 9));
    MoveTo(QPoint(100, 10));
    for (int i = 0; i < 3; ++i)
        g.TimerTick();
    EXPECT_EQ(Current(), (TGridCoord{1, 6}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 6, 4, 6}));
    Release(QPoint(100, 10));
}

TEST_F(InputGridTest, AutoScrollRunsOnItsOwnTimer) {
    g.setRowCount(10);
    Press(g.Mid(1, 1));
    MoveTo(QPoint(100, 150));
    // Waits only until the first 60 ms tick has arrived (the limit is generous for slow machines).
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.Selection().Bottom > 1; }, 10000));
    EXPECT_GT(g.Selection().Bottom, 1);
    Release(QPoint(100, 150));
}

TEST_F(InputGridTest, AFailingAutoScrollTickEndsTheSelection) {
    g.setRowCount(10);
    g.OnTopLeftChanged = [](QObject*) { throw Exception(QStringLiteral("kaputt")); };
    Press(g.Mid(1, 1));
    MoveTo(QPoint(100, 150));
    g.TimerTick(); // the anchor moves down to the last fully shown row; nothing scrolls yet
    g.TimerTick();
    ASSERT_EQ(g.TopRow(), 1);
    ASSERT_TRUE(g.TimerActive());
    EXPECT_THROW(g.TimerTick(), Exception);
    // No further tick can fail again while the error is on show.
    EXPECT_FALSE(g.TimerActive());
    EXPECT_EQ(g.GridState(), gsNormal);
    g.OnTopLeftChanged = nullptr;
    Release(QPoint(100, 150));
}

TEST_F(InputGridTest, DraggingHeaderLinesSizesColumnsAndRowsButNotToOnePixel) {
    g.setOptions(kLines | goRangeSelect | goColSizing | goRowSizing);
    // Column 1 spans 65 … 128; its line is at 129.
    MoveTo(QPoint(130, 10));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::SplitHCursor);
    Press(QPoint(130, 10));
    EXPECT_EQ(g.GridState(), gsColSizing);
    MoveTo(QPoint(171, 10));
    Release(QPoint(171, 10));
    EXPECT_EQ(g.ColWidths(1), 105); // 171 − 1 (grab offset) − 65
    EXPECT_EQ(g.GridState(), gsNormal);

    for (int x : {66, 65}) { // 1 pixel and 0 pixels: taken as a slip
        Press(QPoint(170, 10));
        MoveTo(QPoint(x, 10));
        Release(QPoint(x, 10));
        EXPECT_EQ(g.ColWidths(1), 105) << x;
    }

    // Row 1 spans 25 … 48; its line is at 49; rows are sized in the fixed column.
    MoveTo(QPoint(10, 49));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::SplitVCursor);
    Press(QPoint(10, 49));
    MoveTo(QPoint(10, 69));
    Release(QPoint(10, 69));
    EXPECT_EQ(g.RowHeights(1), 44);
    MoveTo(g.Mid(2, 2));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(InputGridTest, AHiddenColumnIsNeverOpenedByDragging) {
    g.setOptions(kLines | goColSizing);
    g.setColWidths(2, -1);
    // Column 2 shares column 1's line and takes the drag over; its width stays −1.
    Press(QPoint(129, 10));
    MoveTo(QPoint(200, 10));
    Release(QPoint(200, 10));
    EXPECT_EQ(g.ColWidths(2), -1);
    EXPECT_EQ(g.ColWidths(1), 64);
}

TEST_F(InputGridTest, CancelModeAbandonsASizing) {
    g.setOptions(kLines | goColSizing);
    Press(QPoint(129, 10));
    MoveTo(QPoint(200, 10));
    g.CancelMode();
    EXPECT_EQ(g.GridState(), gsNormal);
    Release(QPoint(200, 10));
    EXPECT_EQ(g.ColWidths(1), 64);
}

TEST_F(InputGridTest, PressOnAFixedCellDoesNothingWithoutTheMovingOptions) {
    g.setCells(1, 1, QStringLiteral("A"));
    g.MoveCurrent(2, 2, true, true);
    for (QPoint p : {g.Mid(0, 3), g.Mid(3, 0), g.Mid(0, 0)}) {
        Press(p);
        EXPECT_EQ(g.GridState(), gsNormal);
        EXPECT_FALSE(g.TimerActive());
        MoveTo(g.Mid(3, 3));
        Release(g.Mid(3, 3));
    }
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("A"));
}

TEST_F(InputGridTest, DraggingFixedCellsMovesColumnsAndRowsWithTheirCells) {
    g.setOptions(kLines | goRangeSelect | goColMoving | goRowMoving);
    g.setCells(1, 0, QStringLiteral("Who"));
    g.setCells(0, 1, QStringLiteral("1."));
    std::vector<std::pair<int32_t, int32_t>> colMoves, rowMoves;
    g.OnColumnMoved = [&](QObject*, int32_t f, int32_t t) { colMoves.emplace_back(f, t); };
    g.OnRowMoved = [&](QObject*, int32_t f, int32_t t) { rowMoves.emplace_back(f, t); };

    Press(g.Mid(1, 0));
    EXPECT_EQ(g.GridState(), gsColMoving);
    MoveTo(g.Mid(2, 2));
    MoveTo(g.Mid(3, 2));
    Release(g.Mid(3, 2));
    EXPECT_EQ(colMoves, (std::vector<std::pair<int32_t, int32_t>>{{1, 3}}));
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("Who"));

    Press(g.Mid(0, 1));
    EXPECT_EQ(g.GridState(), gsRowMoving);
    MoveTo(g.Mid(2, 3));
    Release(g.Mid(2, 3));
    EXPECT_EQ(rowMoves, (std::vector<std::pair<int32_t, int32_t>>{{1, 3}}));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("1."));
    EXPECT_FALSE(g.TimerActive());

    // Released where it started: nothing moves.
    Press(g.Mid(0, 2));
    Release(g.Mid(0, 2));
    EXPECT_EQ(rowMoves.size(), 1u);
}

TEST_F(InputGridTest, DraggingARowPastTheLastVisibleRowScrollsTheDropPosition) {
    g.setRowCount(10);
    g.setOptions(kLines | goRowMoving);
    g.setCells(0, 2, QStringLiteral("zwei"));
    Press(g.Mid(0, 2));
    MoveTo(g.Mid(2, 3));
    MoveTo(QPoint(10, 110)); // into the partly shown row below the last full one
    for (int i = 0; i < 10; ++i)
        g.TimerTick();
    EXPECT_EQ(g.TopRow(), 7);
    Release(QPoint(10, 110));
    EXPECT_EQ(g.Cells(0, 9), QStringLiteral("zwei"));
}
