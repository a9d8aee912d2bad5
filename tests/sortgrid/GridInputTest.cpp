#include "sortgrid/SortGrid.h"
#include "sortgrid/TComboDropDown.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeDragSource.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

const TGridOptions kLines = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

QStringList Texts(TStrings* list) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i)
        out << list->Strings(i);
    return out;
}

// A shown, focused protocol grid of 4 columns (60 wide) and 8 rows (22 high) without frame or scroll
// bars, 300 × 120: rows 1 … 3 are wholly visible.
class GridInput : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(400, 300);
        g.setBorderStyle(TBorderStyle::bsNone);
        g.setScrollBars(ssNone);
        g.setColCount(4);
        g.setRowCount(8);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(22);
        g.setOptions(kLines | goRowSelect);
        g.resize(300, 120);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 4; ++c)
                g.setCells(c, r, QString("c%1r%2").arg(c).arg(r));
        g.OnRowSelected = [this](QObject*) { ++rowSelected; };
        host.show();
        QApplication::setActiveWindow(&host);
        g.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }

    QPoint Mid(int c, int r) const { return g.CellRect(c, r).center(); }
    void Click(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(g.viewport(), b, m, p);
    }
    // A click with Ctrl or Shift held down as a person does it: the key goes down first.
    void HeldClick(Qt::Key key, Qt::KeyboardModifier mod, const std::vector<int>& rows) {
        QTest::keyPress(&g, key, mod);
        for (int r : rows)
            Click(Mid(1, r), mod);
        QTest::keyRelease(&g, key, Qt::NoModifier);
    }
    QStringList Selected() { return Texts(g.SelectedRows()); }
    void Wheel(int delta) {
        const QPoint p = Mid(1, 1);
        QWheelEvent e(p, g.viewport()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(g.viewport(), &e);
    }

    platform::FakeDialogs dialogs;
    QWidget host;
    TSortGrid g{&host};
    int rowSelected = 0;
};

} // namespace

TEST_F(GridInput, WithoutMultiSelectAClickMakesTheRowTheOnlySelectedOne) {
    rowSelected = 0;
    Click(Mid(2, 3));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(Selected(), QStringList{"3"});
    EXPECT_GE(rowSelected, 1);
}

TEST_F(GridInput, CtrlClicksAddAndRemoveRowsButKeepTheLastOne) {
    g.setMultiSelect(true);
    Click(Mid(1, 1));
    EXPECT_EQ(Selected(), QStringList{"1"});
    HeldClick(Qt::Key_Control, Qt::ControlModifier, {2, 3});
    EXPECT_EQ(Selected(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(g.Row(), 3);
    HeldClick(Qt::Key_Control, Qt::ControlModifier, {2});
    EXPECT_EQ(Selected(), (QStringList{"1", "3"}));
    EXPECT_EQ(g.Row(), 3);
    HeldClick(Qt::Key_Control, Qt::ControlModifier, {3, 1});
    EXPECT_EQ(Selected(), QStringList{"1"}); // the last selected row stays
    // A plain click starts afresh.
    Click(Mid(1, 2));
    EXPECT_EQ(Selected(), QStringList{"2"});
}

TEST_F(GridInput, ShiftSelectsTheRowsBetweenByMouseAndByKeys) {
    g.setMultiSelect(true);
    Click(Mid(1, 1));
    HeldClick(Qt::Key_Shift, Qt::ShiftModifier, {3});
    EXPECT_EQ(Selected(), (QStringList{"1", "2", "3"}));

    Click(Mid(1, 2));
    QTest::keyPress(&g, Qt::Key_Shift, Qt::ShiftModifier);
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyRelease(&g, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_EQ(Selected(), (QStringList{"2", "3", "4"}));
    // An arrow without Shift goes back to one row.
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(Selected(), QStringList{"3"});
    EXPECT_FALSE(g.Options().testFlag(goRangeSelect));
}

TEST_F(GridInput, ExtendedKeysInsertAndDeleteRowsAndColumnsWithinTheirLimits) {
    g.setRowCount(2);
    g.setCells(0, 1, "eins");
    g.setExtendedKeys(true);
    QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(0, 1), "eins");
    QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(g.RowCount(), 3);
    QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g.RowCount(), 2);

    QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(g.ColCount(), 5);
    g.setColCount(1);
    QTest::keyClick(&g, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(g.ColCount(), 1);
    // Without the option the keys do nothing.
    g.setExtendedKeys(false);
    QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(g.RowCount(), 2);
}

TEST_F(GridInput, SelectedRowsAreDraggedAsTabSeparatedTextOnlyPastTenPixels) {
    platform::FakeDragSource drags;
    g.setMultiSelect(true);
    Click(Mid(1, 2));
    HeldClick(Qt::Key_Control, Qt::ControlModifier, {1});
    const QPoint start = Mid(1, 2);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(g.viewport(), start + QPoint(10, -10));
    EXPECT_TRUE(drags.texts().isEmpty());
    QTest::mouseMove(g.viewport(), start + QPoint(0, 11));
    ASSERT_EQ(drags.texts().size(), 1);
    EXPECT_EQ(drags.texts()[0], "c0r1\tc1r1\tc2r1\tc3r1\nc0r2\tc1r2\tc2r2\tc3r2");
    QTest::mouseMove(g.viewport(), start + QPoint(0, 30));
    EXPECT_EQ(drags.texts().size(), 1); // one drag per press
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, start + QPoint(0, 30));

    // A grid that selects single rows drags nothing.
    g.setMultiSelect(false);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, Mid(1, 3));
    QTest::mouseMove(g.viewport(), Mid(1, 3) + QPoint(0, 30));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, Mid(1, 3) + QPoint(0, 30));
    EXPECT_EQ(drags.texts().size(), 1);
}

TEST_F(GridInput, TheRightButtonOpensThePopupMenuOverDataRowsOnly) {
    QMenu menu;
    menu.addAction(QStringLiteral("Zeile entfernen"));
    g.setPopupMenu(&menu);
    Click(Mid(1, 0), Qt::NoModifier, Qt::RightButton);
    EXPECT_FALSE(menu.isVisible());
    Click(Mid(1, 2), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}

TEST_F(GridInput, ARightPressSelectsTheLinePressedBeforeTheMenuOpens) {
    QMenu menu;
    menu.addAction(QStringLiteral("Zeile entfernen"));
    g.setPopupMenu(&menu);
    TGridRect atMenu;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] { atMenu = g.Selection(); });
    auto rightClick = [&](int row) {
        Click(Mid(1, row), Qt::NoModifier, Qt::RightButton);
        EXPECT_TRUE(menu.isVisible()) << row;
        menu.hide();
    };
    // A block of lines, as a finished run leaves it: the line pressed, in it or outside, is selected.
    g.setSelection(TGridRect{0, 1, 3, 2});
    rightClick(2);
    EXPECT_EQ(atMenu, (TGridRect{0, 2, 3, 2}));
    rightClick(3);
    EXPECT_EQ(atMenu, (TGridRect{0, 3, 3, 3}));
    EXPECT_EQ(g.Row(), 3);

    // A grid that selects several lines keeps them when one of them is pressed.
    g.setMultiSelect(true);
    Click(Mid(1, 1));
    HeldClick(Qt::Key_Control, Qt::ControlModifier, {2});
    rightClick(2);
    EXPECT_EQ(Selected(), (QStringList{"1", "2"}));
    rowSelected = 0;
    rightClick(3);
    EXPECT_EQ(Selected(), QStringList{"3"});
    EXPECT_EQ(g.Row(), 3);
    EXPECT_GE(rowSelected, 1);
}

TEST_F(GridInput, CheckBoxesToggleByClickAndSpaceAndReportIt) {
    g.setOptions(kLines);
    g.OnGetCellFormat = [](QObject*, int32_t c, int32_t r, TGridDrawState, TFormatOptions&, bool& check,
                           bool&, bool&) { check = c == 3 && r > 0; };
    std::vector<std::tuple<int, int, bool>> events;
    g.OnSetChecked = [&](QObject*, int32_t c, int32_t r, bool s) { events.emplace_back(c, r, s); };
    g.setCells(3, 2, "True");
    Click(Mid(3, 2));
    EXPECT_EQ(g.Cells(3, 2), "true");
    QTest::keyClick(&g, Qt::Key_Space);
    EXPECT_EQ(g.Cells(3, 2), "");
    EXPECT_EQ(events, (std::vector<std::tuple<int, int, bool>>{{3, 2, true}, {3, 2, false}}));
    g.SetChecked(1, 2, true); // no check box: nothing happens
    EXPECT_EQ(g.Cells(1, 2), "c1r2");
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(GridInput, ADropDownOffersSortedItemsAndStoresTheChoiceInItsOwnCell) {
    g.setOptions(kLines);
    g.OnGetCellFormat = [](QObject*, int32_t c, int32_t r, TGridDrawState, TFormatOptions&, bool&,
                           bool& combo, bool&) { combo = c == 1 && r > 0; };
    QStringList offered = {"Zwei", "eins", "Drei"};
    g.OnGetComboBox = [&](QObject*, int32_t, int32_t, TStrings* items, int&, int&, bool&) {
        for (const QString& s : offered)
            items->Add(s);
    };
    std::vector<std::tuple<int, int, QString>> chosen;
    g.OnSetComboBox = [&](QObject*, int32_t c, int32_t r, const QString& s) { chosen.emplace_back(c, r, s); };
    g.setCells(1, 2, "eins");

    Click(Mid(1, 2));
    TComboDropDown* list = g.ComboDropDown();
    ASSERT_TRUE(list->isVisible());
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    EXPECT_EQ(shown, (QStringList{"Drei", "eins", "Zwei"}));
    EXPECT_EQ(list->currentItem()->text(), "eins");
    EXPECT_TRUE(list->hasFocus());

    // The grid scrolls and the list is still where it opened: the choice goes into (1, 2).
    g.setTopRow(4);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(g.Cells(1, 2), "Zwei");
    EXPECT_EQ(g.Cells(1, 4), "c1r4");
    EXPECT_EQ(chosen, (std::vector<std::tuple<int, int, QString>>{{1, 2, "Zwei"}}));
    EXPECT_TRUE(g.hasFocus());

    // A press on the grid closes an open list.
    g.setTopRow(1);
    ASSERT_TRUE(g.ShowComboBox(1, 3));
    Click(Mid(0, 1));
    EXPECT_FALSE(list->isVisible());

    // No items: the list stays closed and the cell keeps its text.
    offered.clear();
    const QString before = g.Cells(1, 3);
    Click(Mid(1, 3));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(g.Cells(1, 3), before);
    EXPECT_FALSE(g.ShowComboBox(1, 3));
    EXPECT_FALSE(g.ShowComboBox(2, 3)); // not a combobox cell
}

TEST_F(GridInput, TheEllipsisFiresOnlyOnItsButton) {
    g.setOptions(kLines);
    g.OnGetCellFormat = [](QObject*, int32_t c, int32_t r, TGridDrawState, TFormatOptions&, bool&, bool&,
                           bool& ellipsis) { ellipsis = c == 2 && r > 0; };
    std::vector<std::pair<int, int>> pressed;
    g.OnSetEllipsis = [&](QObject*, int32_t c, int32_t r) { pressed.emplace_back(c, r); };
    const QRect cell = g.CellRect(2, 3);
    Click(QPoint(cell.left() + 5, cell.center().y()));
    EXPECT_TRUE(pressed.empty());
    Click(QPoint(cell.left() + cell.width() - 3, cell.center().y()));
    EXPECT_EQ(pressed, (std::vector<std::pair<int, int>>{{2, 3}}));
    QTest::keyClick(&g, Qt::Key_Space);
    EXPECT_EQ(pressed.size(), 2u);
}

TEST_F(GridInput, TheWheelScrollsOneRowDownAndThreeUp) {
    g.setRowCount(30);
    Wheel(-120);
    EXPECT_EQ(g.TopRow(), 2);
    g.setTopRow(10);
    Wheel(120);
    EXPECT_EQ(g.TopRow(), 7);
    g.setTopRow(2);
    Wheel(120);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST_F(GridInput, TheLastColumnFillsTheWidthOnlyWhileAllColumnsAreVisible) {
    g.resize(400, 120);
    EXPECT_EQ(g.ColWidths(3), 400 - 3 * 61);
    EXPECT_EQ(g.VisibleColCount(), 4);
    g.setColWidths(3, 30);
    g.resize(350, 120);
    EXPECT_EQ(g.ColWidths(3), 350 - 3 * 61);

    // Columns cut off on the right: nothing stretches (also not back to fit when shrinking).
    g.resize(300, 120);
    EXPECT_EQ(g.ColWidths(3), 350 - 3 * 61);
    g.setColWidths(3, 500);
    g.resize(320, 120);
    EXPECT_EQ(g.ColWidths(3), 500);
}
