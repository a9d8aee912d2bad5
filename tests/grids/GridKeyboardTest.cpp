#include "InputGrid.h"

namespace {

const TGridOptions kProtocolOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect;

} // namespace

TEST_F(InputGridTest, ArrowsMoveTheCellAndStopAtTheEdges) {
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (TGridCoord{2, 2}));
    Key(Qt::Key_Home);
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    Key(Qt::Key_End);
    EXPECT_EQ(Current(), (TGridCoord{4, 1}));
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Current(), (TGridCoord{4, 4}));
    EXPECT_EQ(g.TopRow(), 2); // the last row was scrolled into view
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(g.TopRow(), 1);
}

TEST_F(InputGridTest, PageKeysMoveByTheFullyVisibleRows) {
    g.setRowCount(20);
    Key(Qt::Key_PageDown); // three rows fit: the page is 2 rows
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.TopRow(), 3);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 5);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 3);
    Key(Qt::Key_Down, Qt::ControlModifier); // scrolls; the cell stays where it is
    EXPECT_EQ(g.TopRow(), 4);
    EXPECT_EQ(g.Row(), 3);
    Key(Qt::Key_PageUp); // window to row 2, cell to row 1, which then is scrolled into view
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST_F(InputGridTest, ShiftDownTwiceExtendsTheRangeThenShiftClickMovesOnlyTheAnchor) {
    g.setRowCount(8);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 3}));
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));

    g.setTopRow(3); // rows 3 … 5 are on screen
    Press(g.Mid(3, 5), Qt::ShiftModifier);
    Release(g.Mid(3, 5), Qt::ShiftModifier);
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 3, 5}));

    // Without goRangeSelect Shift just moves.
    g.setOptions(g.Options() & ~TGridOptions(goRangeSelect));
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, 1, 2}));
}

TEST_F(InputGridTest, TabAndShiftTabWrapAroundTheGridOnlyWithGoTabs) {
    QLineEdit other(&host); // a further control Tab would move to without goTabs
    other.show();
    g.MoveCurrent(4, 4, true, true);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(g.hasFocus());
    g.setFocus();

    g.setOptions(g.Options() | goTabs);
    Key(Qt::Key_Tab);
    EXPECT_TRUE(g.hasFocus());
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(), (TGridCoord{2, 1}));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Current(), (TGridCoord{4, 4}));
    // Shift+Tab does not extend a range.
    EXPECT_EQ(g.Selection(), (TGridRect{4, 4, 4, 4}));
    Key(Qt::Key_Tab, Qt::AltModifier);
    EXPECT_EQ(Current(), (TGridCoord{4, 4}));
}

TEST_F(InputGridTest, RowSelectMovesRowsWithUpDownHomeEndAndScrollsWithLeftRight) {
    g.setColCount(8);
    g.setRowCount(10);
    g.setOptions(kProtocolOptions);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 3, 7, 3}));
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(g.LeftCol(), 3);
    EXPECT_EQ(Current(), (TGridCoord{1, 3}));
    Key(Qt::Key_Left);
    EXPECT_EQ(g.LeftCol(), 2);
    Key(Qt::Key_Right, Qt::ControlModifier); // no page jumps sideways
    EXPECT_EQ(g.LeftCol(), 2);
    Key(Qt::Key_End);
    EXPECT_EQ(Current(), (TGridCoord{1, 9}));
    EXPECT_EQ(g.Selection(), (TGridRect{1, 9, 7, 9}));
    Key(Qt::Key_Home);
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), (TGridCoord{1, 1}));
}

TEST_F(InputGridTest, KeyDownEventAndGridAcceptsKeyComeFirst) {
    std::vector<int> seen;
    g.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        seen.push_back(key);
        if (key == Qt::Key_Right)
            key = 0; // dropped
    };
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(seen, (std::vector<int>{Qt::Key_Right, Qt::Key_Down}));
    EXPECT_EQ(Current(), (TGridCoord{1, 2}));
}

TEST_F(InputGridTest, WheelMovesTheRowUnlessTheEventHandlesIt) {
    auto wheel = [&](int dy) {
        QWheelEvent e(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(g.viewport(), &e);
    };
    wheel(-120);
    wheel(-60);
    wheel(-60); // two halves make a notch
    EXPECT_EQ(g.Row(), 3);
    wheel(-240);
    EXPECT_EQ(g.Row(), 4); // stops at the last row
    wheel(600);
    EXPECT_EQ(g.Row(), 1);
    g.OnMouseWheelDown = [](QObject*, Qt::KeyboardModifiers, const QPoint&, bool& handled) {
        handled = true;
    };
    wheel(-120);
    EXPECT_EQ(g.Row(), 1);
}
