#include "core/EListError.h"
#include "sortgrid/SortCompare.h"
#include "sortgrid/SortGrid.h"
#include "testing/FakeDialogs.h"

#include <QTest>
#include <gtest/gtest.h>
#include <random>

namespace {

QStringList Column(TSortGrid& g, int32_t col) {
    QStringList out;
    for (int32_t r = 1; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

QStringList Strings(const TStrings& s) {
    QStringList out;
    for (int i = 0; i < s.Count(); ++i)
        out << s.Strings(i);
    return out;
}

class SortTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.setColCount(4);
        g.setRowCount(2);
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
    }

    // Puts the rows in as they are given, one list per row.
    void Fill(const std::vector<QStringList>& rows) {
        g.BeginUpdate();
        g.setRowCount(int32_t(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                g.setCells(c, int32_t(r) + 1, rows[r][c]);
        g.EndUpdate();
    }
    void FillColumn(const QStringList& texts) {
        std::vector<QStringList> rows;
        for (const QString& t : texts)
            rows.push_back({t});
        Fill(rows);
    }

    platform::FakeDialogs dialogs;
    TSortGrid g;
};

} // namespace

TEST_F(SortTest, WithSortingOffNothingChangesButAHeaderClickStillSetsTheDirection) {
    FillColumn({"b", "a"});
    g.SortOptions()->setCanSort(false);
    g.SortOptions()->setSortCol(2);
    g.SetModified(false);
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"b", "a"}));
    EXPECT_EQ(g.SortOptions()->SortCol(), 2);
    EXPECT_FALSE(g.Modified());
    g.HeaderClick(2, Qt::LeftButton);
    EXPECT_EQ(g.SortOptions()->SortDirection(), sdDescending);
    g.HeaderClick(2, Qt::LeftButton);
    EXPECT_EQ(g.SortOptions()->SortDirection(), sdAscending);
    EXPECT_EQ(Column(g, 0), (QStringList{"b", "a"}));
}

TEST_F(SortTest, EqualKeysKeepTheirOrderAndCaseCountsOnlyWhenAskedFor) {
    FillColumn({"b", "A", "a"});
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"A", "a", "b"}));
    FillColumn({"b", "a", "A"});
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "A", "b"}));
    g.SortOptions()->setSortCaseSensitive(true);
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"A", "a", "b"}));
}

TEST_F(SortTest, DescendingReversesKeysButKeepsEqualRowsInTheirOrder) {
    Fill({{"1", "first"}, {"2", "x"}, {"1", "second"}, {"2", "y"}});
    g.SortOptions()->setSortStyle(ssNumeric);
    g.SortOptions()->setSortDirection(sdDescending);
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 1), (QStringList{"x", "y", "first", "second"}));
}

TEST_F(SortTest, SecondaryColumnsDecideTiesAndTheSortColumnInThemIsIgnored) {
    Fill({{"b", "", "2"}, {"a", "", "9"}, {"b", "", "10"}, {"a", "", "1"}});
    g.SortOptions()->setSortStyle(ssNumericExtended);
    g.SortOptions()->setSecondaryIndex("2,0");
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 2), (QStringList{"1", "9", "2", "10"}));
    EXPECT_EQ(g.SortOptions()->SortCol(), 0);
}

TEST_F(SortTest, AutomaticStyleIsDetectedOnceAndKept) {
    FillColumn({"10", "9", "100"});
    g.SortOptions()->setSortStyle(ssAutomatic);
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"9", "10", "100"}));
    EXPECT_EQ(g.SortOptions()->SortStyle(), ssNumeric);
}

TEST_F(SortTest, StyleHandlerIsAskedPerKeyFromTheLastAndItsVariableCarriesOver) {
    Fill({{"10", "b"}, {"9", "a"}, {"9", "c"}});
    g.SortOptions()->setSecondaryIndex("1");
    std::vector<std::pair<int32_t, TSortStyle>> asked;
    g.OnGetSortStyle = [&](QObject*, int32_t col, TSortStyle& s) { asked.push_back({col, s}); };
    g.SortByColumn(0);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], std::make_pair(int32_t(1), ssAutomatic));
    EXPECT_EQ(asked[1], std::make_pair(int32_t(0), ssAutomatic));
    // Left at automatic, the keys compare as text: "10" before "9".
    EXPECT_EQ(Column(g, 0), (QStringList{"10", "9", "9"}));
    EXPECT_EQ(g.SortOptions()->SortStyle(), ssAutomatic);

    asked.clear();
    g.OnGetSortStyle = [&](QObject*, int32_t col, TSortStyle& s) {
        asked.push_back({col, s});
        if (col == 1)
            s = ssNumeric;
    };
    g.SortByColumn(0);
    EXPECT_EQ(asked[1], std::make_pair(int32_t(0), ssNumeric));
    EXPECT_EQ(Column(g, 0), (QStringList{"9", "9", "10"}));
    EXPECT_EQ(Column(g, 1), (QStringList{"a", "c", "b"}));
}

TEST_F(SortTest, DetectionNeedsEveryCellToConvert) {
    FillColumn({"1", "2,5", "-3"});
    EXPECT_EQ(g.DetectSortStyle(0), ssNumeric);
    FillColumn({"1", "", "-3"});
    EXPECT_EQ(g.DetectSortStyle(0), ssNormal);
    FillColumn({"1.2.2025", "3.4.2025 12:00"});
    EXPECT_EQ(g.DetectSortStyle(0), ssDateTime);
    // A time alone is also a date-time, which is checked first.
    FillColumn({"9:00", "10:30:15"});
    EXPECT_EQ(g.DetectSortStyle(0), ssDateTime);
    g.setRowCount(1);
    EXPECT_EQ(g.DetectSortStyle(0), ssNumeric);
}

TEST_F(SortTest, BeforeAndAfterHooksAndTheCustomComparisonIsClearedAfterEverySort) {
    Fill({{"b", "3"}, {"a", "1"}, {"c", "2"}});
    int32_t after = -1;
    g.OnBeforeSort = [](QObject*, int32_t& col) { col = 1; };
    g.OnAfterSort = [&](QObject*, int32_t col) { after = col; };
    g.SortOptions()->setSortStyle(ssCustom);
    g.SortOptions()->setCustomCompare([](const QString& a, const QString& b) { return CompareText(b, a); });
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 1), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(g.SortOptions()->SortCol(), 0);
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(g.SortOptions()->CustomCompare());
    // Custom without a function compares as text.
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 1), (QStringList{"1", "2", "3"}));
}

TEST_F(SortTest, BadKeyColumnsFailBeforeAnyRowMovesAndEndTheUpdate) {
    Fill({{"b"}, {"a"}});
    g.SortOptions()->setSecondaryIndex("1,x");
    g.SortOptions()->setCustomCompare([](const QString&, const QString&) { return 0; });
    EXPECT_THROW(g.SortByColumn(0), EConvertError);
    EXPECT_FALSE(g.NowUpdating());
    EXPECT_FALSE(g.SortOptions()->CustomCompare());
    g.SortOptions()->setSecondaryIndex("4");
    EXPECT_THROW(g.SortByColumn(0), EListError);
    g.SortOptions()->setSecondaryIndex("");
    EXPECT_THROW(g.SortByColumn(-1), EListError);
    EXPECT_FALSE(g.NowUpdating());
    EXPECT_EQ(Column(g, 0), (QStringList{"b", "a"}));
    // The grid works on afterwards.
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b"}));
}

TEST_F(SortTest, RowsMoveWithTheirObjectsButCellsPastTheLastColumnStay) {
    int a = 0, b = 0;
    Fill({{"b", "", "", "", "tail1"}, {"a", "", "", "", "tail2"}});
    g.setObjects(3, 1, &b);
    g.setObjects(3, 2, &a);
    g.SortByColumn(0);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b"}));
    EXPECT_EQ(g.Objects(3, 1), &a);
    EXPECT_EQ(g.Objects(3, 2), &b);
    EXPECT_EQ(g.Cells(4, 1), "tail1");
    EXPECT_EQ(g.Cells(4, 2), "tail2");
    EXPECT_EQ(g.Cells(0, 0), "Who");
}

TEST_F(SortTest, SelectedRowsFollowTheirDataAndTheTopmostBecomesCurrent) {
    FillColumn({"d", "c", "b", "a"});
    g.MoveTo(0, 2, false);      // "c"
    g.SelectedRows()->Add("4"); // "a"
    g.SortByColumn(0);
    EXPECT_EQ(Strings(*g.SelectedRows()), (QStringList{"1", "3"}));
    EXPECT_EQ(Strings(*g.AnchorRows()), (QStringList{"1", "3"}));
    EXPECT_EQ(g.Row(), 1);
    // Nothing selected among the data rows: the lists stay.
    g.SelectedRows()->Clear();
    g.SelectedRows()->Add("0");
    g.SortOptions()->setSortDirection(sdDescending);
    g.SortByColumn(0);
    EXPECT_EQ(Strings(*g.SelectedRows()), (QStringList{"0"}));
}

TEST_F(SortTest, ReSortOnSizeChangePutsAnAppendedRowInPlaceWithoutLosingOne) {
    g.SortOptions()->setUpdateOnSizeChange(true);
    for (const char* t : {"c", "a", "d", "b"})
        g.AddRow(QStringList{t, QString("row %1").arg(t)});
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(Column(g, 1), (QStringList{"row a", "row b", "row c", "row d"}));
    g.InsertRow(2);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "", "b", "c", "d"}));
    g.DeleteRow(2);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b", "c", "d"}));
    // Bulk updates hold the re-sort and bring the flag back.
    g.BeginUpdate();
    g.setCells(0, 1, "z");
    g.setRowCount(6);
    g.EndUpdate();
    EXPECT_TRUE(g.SortOptions()->UpdateOnSizeChange());
    EXPECT_EQ(Column(g, 0), (QStringList{"z", "b", "c", "d", ""}));
}

TEST_F(SortTest, HeaderClicksOnTheGridSortAndRightClickSortsDescending) {
    g.resize(400, 300);
    FillColumn({"b", "c", "a"});
    QWidget* vp = g.viewport();
    const QPoint head = g.CellRect(0, 0).center();
    // Column 0 is already the sort column, so the first click sorts it descending.
    QTest::mouseClick(vp, Qt::LeftButton, {}, head);
    EXPECT_EQ(Column(g, 0), (QStringList{"c", "b", "a"}));
    QTest::mouseClick(vp, Qt::LeftButton, {}, head);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b", "c"}));
    QTest::mouseClick(vp, Qt::RightButton, {}, head);
    EXPECT_EQ(Column(g, 0), (QStringList{"c", "b", "a"}));
    QTest::mouseClick(vp, Qt::RightButton, {}, head);
    EXPECT_EQ(Column(g, 0), (QStringList{"c", "b", "a"}));
    QTest::mouseClick(vp, Qt::LeftButton, {}, head);
    EXPECT_EQ(Column(g, 0), (QStringList{"a", "b", "c"}));
    g.SortOptions()->setSortDirection(sdDescending);
    g.SortByColumn(0);
    // At the column edge the press belongs to sizing.
    const QRect r = g.CellRect(0, 0);
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(r.left() + r.width() - 2, r.center().y()));
    EXPECT_EQ(Column(g, 0), (QStringList{"c", "b", "a"}));
    // A click on a data row does not sort.
    QTest::mouseClick(vp, Qt::LeftButton, {}, g.CellRect(0, 1).center());
    EXPECT_EQ(Column(g, 0), (QStringList{"c", "b", "a"}));
}

TEST_F(SortTest, FirstCharacterSearchMovesToTheMatchInTheSortColumn) {
    Fill({{"x", "Anna"}, {"x", "bert"}, {"x", "Berta"}});
    g.SortOptions()->setSortCol(1);
    g.MoveTo(0, 2, false);
    EXPECT_TRUE(g.SearchFirstChar(u'b'));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.SearchFirstChar(u'B'));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.SearchFirstChar(u'z'));
    EXPECT_EQ(g.Row(), 2);
}

// Random grids sorted by random keys give what a plain stable sort of the rows gives with the
// plain comparisons. The texts per style are chosen so that the comparisons order consistently.
TEST_F(SortTest, RandomGridsSortLikeAStableSortOverTheSameComparison) {
    std::mt19937 rng(20261208);
    const SortLocale loc = SortLocale::FromDefault();
    const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const auto text = [&](TSortStyle style) -> QString {
        switch (style) {
        case ssNumeric:
            return pick(8) == 0 ? QString(pick(2) ? "" : "x") : QString::number(pick(40) - 20) + ",5";
        case ssTime:
            return pick(8) == 0 ? QString()
                                : QString("%1:%2").arg(pick(24)).arg(pick(3) * 20, 2, 10, QChar('0'));
        case ssDateTime:
            return QString("%1.%2.20%3").arg(pick(28) + 1).arg(pick(3) + 1).arg(20 + pick(3));
        case ssNumericExtended:
            return QString("Lauf %1").arg(pick(12));
        default: {
            const char* words[] = {"a", "B", "b", "Ab", "ab", "Äb", "z", "", "Z1", "z1"};
            return words[pick(10)];
        }
        }
    };
    const TSortStyle styles[] = {ssNormal, ssNumeric, ssTime, ssDateTime, ssNumericExtended};
    for (int round = 0; round < 60; ++round) {
        const int32_t rows = pick(40);
        const int32_t cols = 1 + pick(4);
        // One style for all keys (mixed styles per key would need a style handler).
        const TSortStyle style = styles[pick(5)];
        std::vector<QStringList> data;
        for (int32_t r = 0; r < rows; ++r) {
            QStringList row;
            for (int32_t c = 0; c < cols; ++c)
                row << text(style);
            row << QString::number(r);
            data.push_back(row);
        }
        g.setColCount(cols + 1);
        Fill(data);
        const int32_t primary = pick(cols);
        QStringList secondary;
        std::vector<int32_t> keys{primary};
        for (int i = pick(3); i > 0; --i) {
            const int32_t k = pick(cols);
            secondary << QString::number(k);
            if (std::find(keys.begin(), keys.end(), k) == keys.end())
                keys.push_back(k);
        }
        const bool down = pick(2);
        const bool caseSensitive = pick(2);
        g.SortOptions()->setSecondaryIndex(secondary.join(','));
        g.SortOptions()->setSortStyle(style);
        g.SortOptions()->setSortDirection(down ? sdDescending : sdAscending);
        g.SortOptions()->setSortCaseSensitive(caseSensitive);
        g.SortByColumn(primary);

        std::vector<QStringList> expected = data;
        std::stable_sort(expected.begin(), expected.end(), [&](const QStringList& a, const QStringList& b) {
            for (int32_t k : keys) {
                const QString A = caseSensitive ? a[k] : LowerAsciiLetters(a[k]);
                const QString B = caseSensitive ? b[k] : LowerAsciiLetters(b[k]);
                int r = 0;
                switch (style) {
                case ssNumeric:
                    r = CompareNumeric(A, B, loc);
                    break;
                case ssTime:
                    r = CompareTime(A, B, loc);
                    break;
                case ssDateTime:
                    r = CompareDateTime(A, B, loc);
                    break;
                case ssNumericExtended:
                    r = CompareNumericExtended(A, B);
                    break;
                default:
                    r = CompareText(A, B);
                }
                if (r != 0)
                    return down ? r > 0 : r < 0;
            }
            return false;
        });
        QStringList expectedIds, ids;
        for (const QStringList& row : expected)
            expectedIds << row.last();
        for (int32_t r = 1; r <= rows; ++r)
            ids << g.Cells(cols, r);
        ASSERT_EQ(ids, expectedIds) << "round " << round << " style " << style << " keys " << keys.size();
    }
}

// Text keys, also as the fallback of numeric keys, order like CompareText on the case-mapped
// texts: texts that share a long beginning, that end early, hold a zero character, or hold
// characters past Latin-1 (which change how the column packs its leading characters).
TEST_F(SortTest, TextKeysOrderLikeTheTextComparisonWhateverTheirLengthAndCharacters) {
    std::mt19937 rng(20261209);
    const SortLocale loc = SortLocale::FromDefault();
    const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const char16_t narrow[] = {u'a', u'A', u'b', u'z', u'Z', u'-', u' ', 0xC4, 0xE4, 0xFF, 0};
    const char16_t wide[] = {u'a', u'B', 0x100, 0x20AC, 0xFF, u'z', 0};
    for (int round = 0; round < 40; ++round) {
        const bool widen = round % 2;
        const int32_t rows = pick(round % 5 == 0 ? 300 : 40);
        std::vector<QStringList> data;
        for (int32_t r = 0; r < rows; ++r) {
            QString t;
            if (pick(6) == 0) {
                t = QString::number(pick(50)) + ",5";
            } else {
                // A shared beginning of 0 to 30 characters, then a few characters of its own.
                t = QString("schneider-mueller-schmidt-weber").left(pick(4) * 10);
                for (int i = pick(5); i > 0; --i)
                    t += QChar(widen && pick(3) == 0 ? wide[pick(7)] : narrow[pick(11)]);
            }
            data.push_back({t, QString::number(r)});
        }
        g.setColCount(2);
        Fill(data);
        const TSortStyle style = pick(2) ? ssNormal : ssNumeric;
        const bool down = pick(2);
        const bool caseSensitive = pick(2);
        g.SortOptions()->setSecondaryIndex(QString());
        g.SortOptions()->setSortStyle(style);
        g.SortOptions()->setSortDirection(down ? sdDescending : sdAscending);
        g.SortOptions()->setSortCaseSensitive(caseSensitive);
        g.SortByColumn(0);

        std::vector<QStringList> expected = data;
        std::stable_sort(expected.begin(), expected.end(), [&](const QStringList& a, const QStringList& b) {
            const QString A = caseSensitive ? a[0] : LowerAsciiLetters(a[0]);
            const QString B = caseSensitive ? b[0] : LowerAsciiLetters(b[0]);
            const int r = style == ssNumeric ? CompareNumeric(A, B, loc) : CompareText(A, B);
            return down ? r > 0 : r < 0;
        });
        QStringList expectedIds, ids;
        for (const QStringList& row : expected)
            expectedIds << row.last();
        for (int32_t r = 1; r <= rows; ++r)
            ids << g.Cells(1, r);
        ASSERT_EQ(ids, expectedIds) << "round " << round;
    }
}
