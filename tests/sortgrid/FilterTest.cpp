#include "core/EListError.h"
#include "sortgrid/SortCompare.h"
#include "sortgrid/SortGrid.h"
#include "testing/FakeDialogs.h"

#include <gtest/gtest.h>
#include <random>

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

// Random grids filtered on and off again and again, with sorting on or off and handlers that read
// any column and sometimes change the list they get: every row keeps its texts and cell objects,
// the rows shown and hidden are those the handler chose, in the order the rows had (sorted when
// sorting is on), and what a handler changes in its list never reaches the grid.
TEST_F(FilterTest, RandomFiltersMoveWholeRowsAndBringEveryRowBack) {
    std::mt19937 rng(20261209);
    const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const char* words[] = {"", "a", "B", "ab", "Zz", "ä", "r1", "Lauf 7"};
    struct Row {
        QStringList texts;
        std::vector<void*> objects;
    };
    for (int round = 0; round < 40; ++round) {
        const int32_t cols = 1 + pick(5);
        const int32_t count = 1 + pick(round % 4 == 0 ? 200 : 30);
        // A grid of its own per round: clearing a grid keeps the cells' objects.
        TSortGrid g;
        g.SortOptions()->setCanSort(false);
        g.SortOptions()->setUpdateOnSizeChange(false);
        g.setColCount(cols);
        // The last column is the row's number, so no row is empty.
        std::vector<Row> model;
        g.BeginUpdate();
        g.setRowCount(count + 1);
        for (int32_t r = 0; r < count; ++r) {
            Row row;
            for (int32_t c = 0; c < cols; ++c) {
                row.texts << (c == cols - 1 ? QString("#%1").arg(r) : QString(words[pick(8)]));
                row.objects.push_back(
                    pick(3) == 0 ? reinterpret_cast<void*>(quintptr(16 * (r * cols + c + 1))) : nullptr);
                g.setCells(c, r + 1, row.texts[c]);
                if (row.objects.back())
                    g.setObjects(c, r + 1, row.objects.back());
            }
            model.push_back(row);
        }
        g.EndUpdate();
        const bool sorting = pick(2);
        g.SortOptions()->setCanSort(sorting);
        g.SortOptions()->setSortStyle(ssNormal);
        g.SortOptions()->setSortDirection(sdAscending);
        g.SortOptions()->setSecondaryIndex(QString());
        g.SortOptions()->setSortCol(0);
        const auto sortModel = [&](std::vector<Row>& rows) {
            if (sorting)
                std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
                    return CompareText(LowerAsciiLetters(a.texts[0]), LowerAsciiLetters(b.texts[0])) < 0;
                });
        };
        const auto expectRows = [&](int32_t from, const std::vector<Row>& rows, const char* what) {
            for (size_t i = 0; i < rows.size(); ++i)
                for (int32_t c = 0; c < cols; ++c) {
                    const int32_t r = from + int32_t(i);
                    ASSERT_EQ(g.Cells(c, r), rows[i].texts[c]) << what << " round " << round << " row " << r;
                    ASSERT_EQ(g.Objects(c, r), rows[i].objects[size_t(c)]) << what << " round " << round;
                }
        };

        std::vector<Row> hidden;
        for (int step = 0; step < 3; ++step) {
            // Accepts by a text of a random column; the row with number 0 always, so never nothing.
            const int32_t readCol = pick(cols);
            const QString wanted = words[pick(8)];
            const int change = pick(4);
            QStringList seen;
            g.OnSetFilter = [&](TStrings* row, bool& accept) {
                QStringList texts;
                for (int i = 0; i < row->Count(); ++i)
                    texts << row->Strings(i);
                seen << texts.join(',');
                EXPECT_EQ(row->Count(), cols);
                EXPECT_EQ(row->Objects(0), nullptr);
                EXPECT_THROW(row->Strings(cols), EListError);
                accept = row->Strings(readCol) == wanted || row->Strings(cols - 1) == "#0";
                if (change == 1)
                    row->setStrings(0, "changed");
                else if (change == 2)
                    row->Delete(0);
                else if (change == 3)
                    row->Clear();
                if (change != 0)
                    row->Add("more");
            };
            // Filtering again first brings the hidden rows back behind the shown ones.
            std::vector<Row> all = model;
            all.insert(all.end(), hidden.begin(), hidden.end());
            std::vector<Row> accepted;
            hidden.clear();
            QStringList expectedSeen;
            for (const Row& row : all) {
                expectedSeen << row.texts.join(',');
                (row.texts[readCol] == wanted || row.texts[cols - 1] == "#0" ? accepted : hidden)
                    .push_back(row);
            }
            g.setFiltered(true);
            ASSERT_EQ(seen, expectedSeen) << "round " << round;
            sortModel(accepted);
            model = accepted;
            ASSERT_EQ(g.RowCount(), int32_t(model.size()) + 1) << "round " << round;
            ASSERT_EQ(g.HiddenCount(), int32_t(hidden.size())) << "round " << round;
            expectRows(1, model, "shown");
            expectRows(g.RowCount(), hidden, "hidden");
        }
        g.setFiltered(false);
        model.insert(model.end(), hidden.begin(), hidden.end());
        hidden.clear();
        sortModel(model);
        ASSERT_EQ(g.RowCount(), count + 1) << "round " << round;
        expectRows(1, model, "restored");
    }
}
