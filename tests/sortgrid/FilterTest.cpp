#include "platform/FakeDialogs.h"
#include "sortgrid/SortGrid.h"

#include <gtest/gtest.h>

namespace {

QStringList Column(TSortGrid& g, int32_t col, int32_t to = -1) {
    QStringList out;
    for (int32_t r = 1; r < (to < 0 ? g.RowCount() : to); ++r)
        out << g.Cells(col, r);
    return out;
}

// The protocol grid as the main window sets it up (sorting off), holding runs named r1, r2, ...
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.setColCount(4);
        g.setRowCount(2);
        g.SortOptions()->setCanSort(false);
        g.SortOptions()->setSortCol(5);
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
    }
    void AddRuns(std::initializer_list<const char*> names) {
        for (const char* n : names)
            g.AddRow(QStringList{n, "t"});
    }
    // Accepts the rows whose first cell is in `names`.
    void AcceptOnly(QStringList names) {
        g.OnSetFilter = [names](TStrings* row, bool& accept) { accept = names.contains(row->Strings(0)); };
    }

    platform::FakeDialogs dialogs;
    TSortGrid g;
};

} // namespace

TEST_F(FilterTest, RejectedRowsMoveBehindTheVisibleOnesAndComeBackAfterThem) {
    AddRuns({"r1", "r2", "r3"});
    QStringList seen;
    g.OnSetFilter = [&](TStrings* row, bool& accept) {
        seen << row->CommaText();
        accept = row->Strings(0) != "r2";
    };
    g.setFiltered(true);
    EXPECT_EQ(seen, (QStringList{"r1,t,,", "r2,t,,", "r3,t,,"}));
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.HiddenCount(), 1);
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r3"}));
    EXPECT_EQ(g.Cells(0, 3), "r2");
    EXPECT_EQ(g.Row(), 1);
    g.setFiltered(false);
    EXPECT_EQ(g.HiddenCount(), 0);
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r3", "r2"}));
}

TEST_F(FilterTest, NothingAcceptedLeavesOneEmptyRowThatGoesAgainWhenTheFilterIsOff) {
    AddRuns({"r1", "r2", "r3"});
    g.OnSetFilter = [](TStrings*, bool&) {};
    g.setFiltered(true);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.HiddenCount(), 3);
    EXPECT_TRUE(g.IsRowEmpty(1));
    g.setFiltered(false);
    EXPECT_EQ(Column(g, 0), (QStringList{"r2", "r3", "r1"}));
}

TEST_F(FilterTest, WithoutAHandlerEveryRowIsHidden) {
    AddRuns({"r1", "r2"});
    g.setFiltered(true);
    EXPECT_EQ(g.HiddenCount(), 2);
    g.setFiltered(false);
    EXPECT_EQ(g.RowCount(), 3);
}

TEST_F(FilterTest, SwitchingWithNothingToDoChangesOnlyTheProperty) {
    int calls = 0;
    g.OnSetFilter = [&](TStrings*, bool&) { ++calls; };
    g.setFiltered(true); // row 1 is empty
    EXPECT_TRUE(g.Filtered());
    EXPECT_EQ(calls, 0);
    g.setFiltered(false);
    EXPECT_FALSE(g.Filtered());
    EXPECT_EQ(g.RowCount(), 2);
}

TEST_F(FilterTest, ModifiedKeepsItsValueAndFiresAgainWhenSet) {
    AddRuns({"r1", "r2", "r3"});
    AcceptOnly({"r1"});
    g.SetModified(false);
    g.setFiltered(true);
    EXPECT_FALSE(g.Modified());
    g.setFiltered(false);
    EXPECT_FALSE(g.Modified());
    g.SetModified(true);
    g.setFiltered(true);
    EXPECT_TRUE(g.Modified());
}

TEST_F(FilterTest, RowsAddedWhileFilteredGoWhereTheFilterSays) {
    AddRuns({"r1", "r2", "r3"});
    AcceptOnly({"r1", "r4"});
    g.setFiltered(true);
    g.SetModified(false);
    g.AddRow(QStringList{"r5", "t"}); // rejected
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.HiddenCount(), 3);
    EXPECT_TRUE(g.Modified());
    g.AddRow(QStringList{"r4", "t"}); // accepted
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r4"}));
    EXPECT_EQ(g.HiddenCount(), 3);
    g.setFiltered(false);
    QStringList all = Column(g, 0);
    EXPECT_EQ(all.mid(0, 2), (QStringList{"r1", "r4"}));
    all.sort();
    EXPECT_EQ(all, (QStringList{"r1", "r2", "r3", "r4", "r5"}));
}

TEST_F(FilterTest, AnAcceptedRowReusesTheEmptyStandInRow) {
    AddRuns({"r1", "r2"});
    AcceptOnly({"r3"});
    g.setFiltered(true);
    g.AddRow(QStringList{"r3", "t"});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(Column(g, 0), (QStringList{"r3"}));
    g.setFiltered(false);
    EXPECT_EQ(g.RowCount(), 4);
}

TEST_F(FilterTest, AddingWithoutAHandlerWhileFilteredShowsTheRow) {
    g.setFiltered(true);
    AddRuns({"r1", "r2"});
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r2"}));
    EXPECT_EQ(g.HiddenCount(), 0);
}

TEST_F(FilterTest, FilteringAgainWhileRowsAreHiddenLosesNoRow) {
    AddRuns({"r1", "r2", "r3", "r4"});
    AcceptOnly({"r1"});
    g.setFiltered(true);
    AcceptOnly({"r2", "r3"});
    g.setFiltered(true);
    EXPECT_EQ(Column(g, 0), (QStringList{"r2", "r3"}));
    EXPECT_EQ(g.HiddenCount(), 2);
    // Also from the empty stand-in row.
    AcceptOnly({});
    g.setFiltered(true);
    AcceptOnly({"r4"});
    g.setFiltered(true);
    EXPECT_EQ(Column(g, 0), (QStringList{"r4"}));
    g.setFiltered(false);
    QStringList all = Column(g, 0);
    all.sort();
    EXPECT_EQ(all, (QStringList{"r1", "r2", "r3", "r4"}));
}

TEST_F(FilterTest, DeleteAndInsertKeepTheHiddenBlockWhole) {
    AddRuns({"r1", "r2", "r3", "r4"});
    AcceptOnly({"r1", "r3"});
    g.setFiltered(true);
    g.DeleteRow(1);
    EXPECT_EQ(Column(g, 0), (QStringList{"r3"}));
    EXPECT_EQ(g.HiddenCount(), 2);
    g.InsertRow(1); // the only data row: the new row goes after it
    g.setCells(0, g.Row(), "new");
    EXPECT_EQ(Column(g, 0), (QStringList{"r3", "new"}));
    g.setFiltered(false);
    EXPECT_EQ(Column(g, 0), (QStringList{"r3", "new", "r2", "r4"}));
}

TEST_F(FilterTest, ADeletedRowStoredBehindTheGridDoesNotComeBackAsTheStandIn) {
    AddRuns({"r1", "r2", "r3"});
    g.DeleteRow(3); // r3 stays stored behind the last row
    AcceptOnly({});
    g.setFiltered(true);
    EXPECT_TRUE(g.IsRowEmpty(1));
    g.setFiltered(false);
    EXPECT_EQ(Column(g, 0), (QStringList{"r2", "r1"}));
}

TEST_F(FilterTest, ClearEmptiesTheHiddenRowsToo) {
    AddRuns({"r1", "r2", "r3"});
    AcceptOnly({"r1"});
    g.setFiltered(true);
    g.Clear();
    EXPECT_EQ(g.HiddenCount(), 0);
    g.setFiltered(false);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_TRUE(g.IsRowEmpty(1));
    for (int32_t r = 2; r < 5; ++r)
        EXPECT_TRUE(g.IsRowEmpty(r)) << r;
}

TEST_F(FilterTest, WithSortingOnTheAcceptedRowsAndTheRestoredRowsAreSorted) {
    g.SortOptions()->setCanSort(true);
    g.SortOptions()->setSortCol(0);
    AddRuns({"r4", "r2", "r3", "r1"});
    AcceptOnly({"r4", "r1", "r3"});
    g.setFiltered(true);
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r3", "r4"}));
    g.setFiltered(false);
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r2", "r3", "r4"}));
}

TEST_F(FilterTest, AFailingHandlerChangesNothing) {
    AddRuns({"r1", "r2"});
    g.OnSetFilter = [](TStrings*, bool&) { throw EConvertError("bad"); };
    EXPECT_THROW(g.setFiltered(true), EConvertError);
    EXPECT_FALSE(g.Filtered());
    EXPECT_FALSE(g.NowUpdating());
    EXPECT_EQ(Column(g, 0), (QStringList{"r1", "r2"}));
}

TEST_F(FilterTest, BlankedRowsAreTheDataRowsWhileHideRowsOrAnUpdate) {
    AddRuns({"r1"});
    EXPECT_FALSE(g.IsRowBlanked(1));
    g.setHideRows(true);
    EXPECT_TRUE(g.IsRowBlanked(1));
    EXPECT_FALSE(g.IsRowBlanked(0));
    g.setHideRows(false);
    g.BeginUpdate();
    EXPECT_TRUE(g.IsRowBlanked(1));
    g.EndUpdate();
}
