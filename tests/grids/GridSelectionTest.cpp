#include "InputGrid.h"

#include "ThrownMessage.h"
#include "core/EInvalidGridOperation.h"

namespace {

TGridRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) {
    return {l, t, r, b};
}

} // namespace

TEST_F(InputGridTest, MoveCurrentOutsideTheGridRaisesAndChangesNothing) {
    g.MoveCurrent(2, 2, true, true);
    for (const auto& cell : {std::pair{-1, 2}, {2, -1}, {5, 2}, {2, 5}}) {
        EXPECT_EQ(
            ThrownMessage<EInvalidGridOperation>([&] { g.MoveCurrent(cell.first, cell.second, true, true); }),
            "Grid index out of range")
            << cell.first << "," << cell.second;
    }
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    EXPECT_EQ(g.Selection(), Rect(2, 2, 2, 2));
}

TEST_F(InputGridTest, RefusingSelectCellKeepsCellAnchorAndSelectionForProgramKeysAndMouse) {
    g.setOptions(g.Options() & ~TGridOptions(goRangeSelect));
    g.setCol(2);
    g.setRow(2);
    int asked = 0;
    g.OnSelectCell = [&](QObject* s, int32_t, int32_t ARow, bool& can) {
        EXPECT_EQ(s, &g);
        ++asked;
        can = ARow != 3;
    };
    g.setRow(3);
    Key(Qt::Key_Down);
    Press(g.Mid(1, 3));
    Release(g.Mid(1, 3));
    EXPECT_GE(asked, 3); // program, key and mouse each asked (the release asks again)
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    EXPECT_EQ(g.Selection(), Rect(2, 2, 2, 2));
    // A row that is allowed is reached as usual.
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), (TGridCoord{2, 1}));
}

TEST_F(InputGridTest, SelectionWriteIsUncheckedAndMoveAnchorKeepsTheCurrentCell) {
    int refused = 0;
    g.OnSelectCell = [&](QObject*, int32_t, int32_t, bool& can) {
        ++refused;
        can = false;
    };
    g.setSelection(Rect(1, 2, 3, 4));
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(Current(), (TGridCoord{3, 4}));
    EXPECT_EQ(g.Selection(), Rect(1, 2, 3, 4));
    g.OnSelectCell = nullptr;

    g.MoveCurrent(1, 1, true, true);
    g.MoveAnchor({3, 2});
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(g.Selection(), Rect(1, 1, 3, 2));
    // Without goRangeSelect the anchor cannot leave the current cell.
    g.setOptions(g.Options() & ~TGridOptions(goRangeSelect));
    g.MoveAnchor({3, 2});
    EXPECT_EQ(Current(), (TGridCoord{3, 2}));
    EXPECT_EQ(g.Selection(), Rect(3, 2, 3, 2));
}

TEST_F(InputGridTest, RowSelectOptionCoversWholeRowsAndDropsAlwaysShowEditor) {
    g.MoveCurrent(3, 2, true, true);
    g.setOptions(goFixedVertLine | goFixedHorzLine | goRowSelect | goAlwaysShowEditor | goEditing);
    EXPECT_FALSE(g.Options().testFlag(goAlwaysShowEditor));
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(g.Selection(), Rect(1, 2, 4, 2));
    g.setRow(3);
    EXPECT_EQ(g.Selection(), Rect(1, 3, 4, 3));
}

TEST_F(InputGridTest, FocusCellGoesThroughTheClickHook) {
    int fired = 0;
    g.OnClick = [&](QObject* s) {
        EXPECT_EQ(s, &g);
        ++fired;
    };
    g.FocusCell(2, 3, true);
    EXPECT_EQ(g.clicks, 1);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(Current(), (TGridCoord{2, 3}));
}
