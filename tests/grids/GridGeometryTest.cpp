#include "GridProbe.h"

#include "ThrownMessage.h"
#include "core/EInvalidGridOperation.h"

#include <QRegion>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(GridGeometry, NewGridHasTheDocumentedDefaultsAndSize) {
    TMyDrawGrid g;
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.DefaultColWidth(), 64);
    EXPECT_EQ(g.DefaultRowHeight(), 24);
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.Options(), goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    EXPECT_EQ(g.ScrollBars(), ssBoth);
    EXPECT_EQ(g.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(g.FixedColor(), clBtnFace);
    EXPECT_TRUE(g.DefaultDrawing());
    EXPECT_EQ(g.size(), QSize(320, 120));
    EXPECT_EQ((TGridCoord{g.LeftCol(), g.TopRow()}), (TGridCoord{1, 1}));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));
    EXPECT_FALSE(g.NowUpdating());
}

TEST(GridGeometry, AxisInfoCountsATrailingLineJustOutsideAsFullyVisible) {
    GridProbe g(320, 120);
    TGridDrawInfo info = g.CalcDrawInfo();
    // Columns are 64 + 1 line: 65, 130, 195, 260 fit; column 4 would end at 325.
    EXPECT_EQ(info.Horz.EffectiveLineWidth, 1);
    EXPECT_EQ(info.Horz.FixedBoundary, 65);
    EXPECT_EQ(info.Horz.LastFullVisibleCell, 3);
    EXPECT_EQ(info.Horz.FullVisBoundary, 260);
    EXPECT_EQ(info.Horz.GridBoundary, 320);
    EXPECT_EQ(g.VisibleColCount(), 3);
    // Rows are 24 + 1: the fifth row ends at 125 = client height + line width, so it counts.
    g.resize(320, 124);
    info = g.CalcDrawInfo();
    EXPECT_EQ(info.Vert.LastFullVisibleCell, 4);
    EXPECT_EQ(info.Vert.GridBoundary, 125);
    g.resize(320, 123);
    EXPECT_EQ(g.CalcDrawInfo().Vert.LastFullVisibleCell, 3);

    // Without any line option an axis has no line width.
    g.setOptions(goHorzLine | goFixedHorzLine);
    info = g.CalcDrawInfo();
    EXPECT_EQ(info.Horz.EffectiveLineWidth, 0);
    EXPECT_EQ(info.Horz.FixedBoundary, 64);
    EXPECT_EQ(info.Vert.EffectiveLineWidth, 1);
}

TEST(GridGeometry, CountsBelowOneBecomeOneAndPullTheFixedCountsDown) {
    GridProbe g;
    g.setColCount(0);
    EXPECT_EQ(g.ColCount(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    g.setRowCount(-7);
    EXPECT_EQ(g.RowCount(), 1);
    EXPECT_EQ(g.FixedRows(), 0);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{0, 0}));
}

TEST(GridGeometry, FixedCountsOutsideTheirRangeFailAndChangeNothing) {
    GridProbe g;
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setFixedCols(5); }),
              "Fixed column count must be less than column count");
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setFixedCols(-1); }), "Grid index out of range");
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setFixedRows(5); }),
              "Fixed row count must be less than row count");
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setFixedRows(-1); }), "Grid index out of range");
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.FixedRows(), 1);

    g.setFixedCols(2);
    EXPECT_EQ(g.FixedCols(), 2);
    EXPECT_EQ((TGridCoord{g.LeftCol(), g.Col()}), (TGridCoord{2, 2}));
}

TEST(GridGeometry, SizesReadTheDefaultUntilSetAndRefuseIndexesOutsideTheCounts) {
    GridProbe g;
    EXPECT_EQ(g.ColWidths(3), 64);
    EXPECT_FALSE(g.HasColWidths());
    g.setColWidths(3, 345);
    EXPECT_TRUE(g.HasColWidths());
    EXPECT_EQ(g.ColWidths(3), 345);
    EXPECT_EQ(g.ColWidths(2), 64);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setColWidths(5, 10); }),
              "Grid index out of range");
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setRowHeights(-1, 10); }),
              "Grid index out of range");
    EXPECT_EQ(g.ColWidths(99), 64);

    // A new default discards every individual width.
    g.setDefaultColWidth(80);
    EXPECT_FALSE(g.HasColWidths());
    EXPECT_EQ(g.ColWidths(3), 80);
}

TEST(GridGeometry, CellRectAndBoxRectGivePixelsOrEmptyWhenOffScreen) {
    GridProbe g(320, 120);
    EXPECT_EQ(g.CellRect(0, 0), QRect(0, 0, 64, 24));
    EXPECT_EQ(g.CellRect(1, 1), QRect(65, 25, 64, 24));
    EXPECT_EQ(g.BoxRect(1, 1, 2, 2), QRect(65, 25, 129, 49));
    // The partly visible column 4 is clipped to the client width.
    EXPECT_EQ(g.CellRect(4, 1), QRect(260, 25, 60, 24));

    g.setRowCount(50);
    g.setTopRow(10);
    EXPECT_TRUE(g.CellRect(1, 5).isEmpty()); // scrolled off
    EXPECT_EQ(g.CellRect(1, 10), QRect(65, 25, 64, 24));
    EXPECT_EQ(g.CellRect(1, 0), QRect(65, 0, 64, 24)); // fixed rows stay
    EXPECT_TRUE(g.CellRect(1, 40).isEmpty());          // far below
    EXPECT_TRUE(g.BoxRect(2, 1, 1, 1).isEmpty());      // inverted
}

TEST(GridGeometry, MouseToCellFindsCellsAndLinesBelongToTheCellBefore) {
    GridProbe g(320, 120);
    int32_t c = 0, r = 0;
    g.MouseToCell(10, 10, c, r);
    EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{0, 0}));
    g.MouseToCell(64, 24, c, r); // on the lines after column 0 and row 0
    EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{0, 0}));
    g.MouseToCell(65, 25, c, r);
    EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{1, 1}));

    // Outside the cells there is no cell, and then neither coordinate is given.
    g.setRowCount(2);
    g.MouseToCell(100, 100, c, r);
    EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{-1, -1}));
}

TEST(GridGeometry, HiddenColumnIsNeverHitAndZeroWidthKeepsItsLine) {
    GridProbe g(320, 120);
    g.setColWidths(2, -1);
    for (int x = 0; x < 320; ++x)
        EXPECT_NE(g.CellAtPoint(x, 30).X, 2) << "x = " << x;
    // The columns after it close up.
    EXPECT_EQ(g.CellRect(3, 1).left(), 130);
    EXPECT_TRUE(g.CellRect(2, 1).isEmpty());

    g.setColWidths(2, 0);
    EXPECT_EQ(g.CellAtPoint(130, 30).X, 2); // only its line
    EXPECT_EQ(g.CellRect(3, 1).left(), 131);
}

TEST(GridGeometry, CountChangeFollowUpClampsTheCurrentCellResizesListsAndCallsSizeChanged) {
    GridProbe g;
    g.setRowHeights(4, 40);
    g.setRow(4);
    g.setCol(3);
    g.setRowCount(3);
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 2}));
    EXPECT_EQ(g.Selection(), (TGridRect{3, 2, 3, 2}));
    ASSERT_EQ(g.sizeChanged.size(), 1u);
    EXPECT_EQ(g.sizeChanged[0], std::make_pair(5, 5));
    // Growing again gives the new rows the default, not the old stored height.
    g.setRowCount(5);
    EXPECT_EQ(g.RowHeights(4), 24);
}

TEST(GridGeometry, ShrinkingBelowTheTopRowBringsTheLastRowsBackIntoView) {
    GridProbe g(320, 125); // no scroll bars, never shown: nothing else pulls the window back
    g.setRowCount(100);
    g.setTopRow(80);
    g.setRowCount(10);
    EXPECT_EQ(g.TopRow(), 6); // rows 6 … 9 fill the four data rows
    EXPECT_EQ(g.Row(), 1);
}

TEST(GridGeometry, FailedFollowUpRestoresTheCountsAndPassesTheFailureOn) {
    GridProbe g;
    g.onSizeChanged = [&] {
        if (g.RowCount() > 10)
            throw std::runtime_error("refused");
    };
    EXPECT_THROW(g.setRowCount(20), std::runtime_error);
    EXPECT_EQ(g.RowCount(), 5);

    g.onSizeChanged = nullptr;
    g.setColWidths(1, 80);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.setColCount(TMyCustomGrid::MaxListSize + 1); }),
              "Grid too large for operation");
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.ColWidths(1), 80);
}

TEST(GridGeometry, BulkUpdateStoresCountsAndLeavesTheFollowUpForALaterEndUpdate) {
    QWidget host;
    GridProbe g(320, 125, &host);
    g.setScrollBars(ssVertical);
    host.show();
    int begun = 0;
    g.OnBeginUpdate = [&](QObject* sender) {
        EXPECT_EQ(sender, &g);
        ++begun;
    };
    ASSERT_EQ(g.ScrollRangeMax(TScrollBarKind::Vertical), 0);

    g.BeginUpdate();
    g.BeginUpdate(); // does not count
    EXPECT_EQ(begun, 2);
    g.setRowCount(50);
    EXPECT_EQ(g.RowCount(), 50);
    EXPECT_TRUE(g.NowUpdating());
    g.EndUpdate();
    EXPECT_FALSE(g.NowUpdating());
    EXPECT_TRUE(g.sizeChanged.empty());
    EXPECT_EQ(g.ScrollRangeMax(TScrollBarKind::Vertical), 0);

    g.EndUpdate(); // outside a bulk update: the full follow-up with old = new counts
    ASSERT_EQ(g.sizeChanged.size(), 1u);
    EXPECT_EQ(g.sizeChanged[0], std::make_pair(5, 50));
    EXPECT_EQ(g.ScrollRangeMax(TScrollBarKind::Vertical), 127);
}

TEST(GridGeometry, MoveColumnCarriesWidthAndCurrentColumnAndFiresTheEvent) {
    GridProbe g;
    for (int i = 1; i < 5; ++i)
        g.setColWidths(i, i * 10);
    std::vector<std::pair<int32_t, int32_t>> moved;
    g.OnColumnMoved = [&](QObject*, int32_t from, int32_t to) { moved.emplace_back(from, to); };
    g.setCol(2);
    const int widthEvents = g.colWidthsChanged;
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.ColWidths(1), 20);
    EXPECT_EQ(g.ColWidths(2), 30);
    EXPECT_EQ(g.ColWidths(3), 10);
    EXPECT_EQ(g.Col(), 1); // between From and To: one toward From
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], std::make_pair(1, 3));
    EXPECT_EQ(g.colWidthsChanged, widthEvents + 1);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.MoveColumn(1, 5); }), "Grid index out of range");
}

TEST(GridGeometry, MoveRowLikeMoveColumnIgnoresAMoveOntoItselfAndRepaintsTheMovedRows) {
    GridProbe g;
    g.setRowHeights(2, 30);
    std::vector<std::pair<int32_t, int32_t>> moved;
    g.OnRowMoved = [&](QObject*, int32_t from, int32_t to) { moved.emplace_back(from, to); };
    g.clearRecords();
    g.MoveRow(2, 2);
    EXPECT_TRUE(moved.empty()) << "nothing moved, so nothing is reported";
    EXPECT_TRUE(g.invalidated.empty());

    g.MoveRow(1, 3);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(g.RowHeights(1), 30);
    QRegion repainted;
    for (const QRect& r : g.invalidated)
        repainted += r;
    // A draw grid's rows are painted from its owner's data: the moved rows must be painted again.
    EXPECT_TRUE((QRegion(g.BoxRect(0, 1, g.ColCount() - 1, 3)) - repainted).isEmpty());
}

TEST(GridGeometry, DeleteRowMovesItToTheEndAndDropsIt) {
    GridProbe g;
    std::vector<std::pair<int32_t, int32_t>> moved;
    g.OnRowMoved = [&](QObject*, int32_t from, int32_t to) { moved.emplace_back(from, to); };
    g.setRowHeights(2, 33);
    g.DeleteRow(2);
    EXPECT_EQ(g.RowCount(), 4);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], std::make_pair(2, 4));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.RowHeights(i), 24);
}

TEST(GridSelection, CurrentCellMovesAreCheckedAndMayBeRefused) {
    GridProbe g;
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.MoveCurrent(5, 1, true, false); }),
              "Grid index out of range");
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));

    g.OnSelectCell = [](QObject*, int32_t, int32_t row, bool& can) { can = row != 3; };
    g.setRow(3);
    EXPECT_EQ(g.Row(), 1);
    int clicks = 0;
    g.OnClick = [&](QObject*) { ++clicks; };
    g.setRow(4);
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(clicks, 1);
}

TEST(GridSelection, RangeAnchorAndRowSelectShapeTheSelection) {
    GridProbe g;
    g.MoveCurrent(1, 1, true, false);
    g.MoveAnchor({3, 4}); // goRangeSelect is on
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 3, 4}));
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{1, 1}));

    g.setSelection({2, 2, 3, 3});
    EXPECT_EQ((TGridCoord{g.Col(), g.Row()}), (TGridCoord{3, 3}));

    g.setOptions(g.Options() | goRowSelect | goAlwaysShowEditor);
    EXPECT_FALSE(g.Options().testFlag(goAlwaysShowEditor));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 4, 3}));
    g.setRow(2);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 4, 2}));
}
