#include "sortgrid/PrintLayout.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// A page of 600 dpi printer dots for a 96 dpi screen (F = 6): 20 rows of 22 pixels fit under the
// header, whose top is at 120; the label line is at 2400 - 120.
PrintLayoutInput Input(int cols, int32_t toRow) {
    PrintLayoutInput in;
    in.PageWidth = 3000;
    in.PageHeight = 2400;
    in.Fx = 6;
    in.Fy = 6;
    in.ColWidths.assign(size_t(cols), 60);
    in.RowHeight = [](int32_t) { return 22; };
    in.FromRow = 1;
    in.ToRow = toRow;
    in.TitleWidth = 100;
    in.LabelWidth = [](const QString& s) { return 7 * int(s.size()); };
    return in;
}

// Every data row of every page, in order.
std::vector<int32_t> DataRows(const PrintLayout& l, int band) {
    std::vector<int32_t> rows;
    for (const PrintedPage& p : l.Pages())
        if (p.BandNo == band)
            for (size_t i = 1; i < p.Rows.size(); ++i)
                rows.push_back(p.Rows[i].Row);
    return rows;
}

} // namespace

TEST(PrintLayout, ScalesScreenPixelsByTheResolutionRatio) {
    const PrintLayout l(Input(4, 3));
    ASSERT_EQ(l.Pages().size(), 1u);
    const PrintedPage& p = l.Pages()[0];
    // A column of width 60 takes ScaleX(61) = 366 dots of the band; its text rectangle is 360 wide.
    EXPECT_EQ(l.CellRect(p, p.Rows[0], 1), QRect(366, 120, 360, 132));
    EXPECT_EQ(l.CellRect(p, p.Rows[1], 0), QRect(0, 120 + 132, 360, 132));
    EXPECT_EQ(l.CellRect(p, p.Rows[3], 3), QRect(3 * 366, 120 + 3 * 132, 360, 132));
    EXPECT_EQ(p.TitleAt, QPoint(1500 - 6 * 50, 6));
    EXPECT_EQ(p.Label, "Page 1");
    EXPECT_EQ(p.LabelAt, QPoint(3000 - 6 * (7 * 6 + 10), 2400 - 6 * 19));
}

TEST(PrintLayout, RowsAreMovedWholeToTheNextPageAndNoneIsLostOrRepeated) {
    PrintLayoutInput in = Input(4, 45);
    // 2400 - 120 (margin) - 120 (title) - 132 (header) leaves 2028 dots: 15 rows of 132 end at 2232
    // and a 16th would end at 2364, past the label line at 2280, although its top is above it.
    const PrintLayout l(in);
    std::vector<int32_t> expected;
    for (int32_t r = 1; r <= 45; ++r)
        expected.push_back(r);
    EXPECT_EQ(DataRows(l, 1), expected);
    ASSERT_EQ(l.Pages().size(), 3u);
    EXPECT_EQ(l.Pages()[0].Rows.size(), 1u + 15u);
    EXPECT_EQ(l.Pages()[1].Rows[1].Row, 16);
    EXPECT_EQ(l.Pages()[1].Rows[1].Top, 120 + 132);
    EXPECT_EQ(l.Pages()[2].Label, "Page 3");
    for (const PrintedPage& p : l.Pages())
        for (const PrintedRow& r : p.Rows)
            EXPECT_LE(r.Top + r.Height, l.BottomLimit()) << "row " << r.Row;
}

TEST(PrintLayout, ColumnsThatDoNotFitFormBandsWithTheirOwnPagesAndLabels) {
    PrintLayoutInput in = Input(10, 20);
    in.ColWidths[9] = 700; // wider than the page: a band of its own
    const PrintLayout l(in);
    std::vector<std::tuple<int, int, int32_t, int32_t, QString>> pages;
    for (const PrintedPage& p : l.Pages())
        pages.emplace_back(p.BandNo, p.PageNo, p.FirstCol, p.LastCol, p.Label);
    // 3000 dots hold 8 columns of 366; the ninth starts band 2, the wide tenth band 3.
    EXPECT_EQ(pages,
              (std::vector<std::tuple<int, int, int32_t, int32_t, QString>>{{1, 1, 0, 7, "Page 1-1"},
                                                                            {1, 2, 0, 7, "Page 2-1"},
                                                                            {2, 1, 8, 8, "Page 1-2"},
                                                                            {2, 2, 8, 8, "Page 2-2"},
                                                                            {3, 1, 9, 9, "Page 1-3"},
                                                                            {3, 2, 9, 9, "Page 2-3"}}));
    const PrintedPage& second = l.Pages()[2];
    EXPECT_EQ(second.Rows[0].Row, 0);
    EXPECT_EQ(l.CellRect(second, second.Rows[0], 8).left(), 0);
    EXPECT_EQ(DataRows(l, 2), DataRows(l, 1));
}

TEST(PrintLayout, EmptyRangePrintsTheHeaderOnOnePagePerBand) {
    PrintLayoutInput in = Input(10, 0);
    in.FromRow = 5;
    in.ToRow = 4;
    const PrintLayout l(in);
    ASSERT_EQ(l.Pages().size(), 2u);
    for (const PrintedPage& p : l.Pages()) {
        ASSERT_EQ(p.Rows.size(), 1u);
        EXPECT_EQ(p.Rows[0].Row, 0);
    }
}

TEST(PrintLayout, ARowTallerThanAPagePrintsAloneCutAtTheLabelLine) {
    PrintLayoutInput in = Input(2, 4);
    in.RowHeight = [](int32_t r) { return r == 2 ? 1000 : 22; };
    const PrintLayout l(in);
    ASSERT_EQ(l.Pages().size(), 3u);
    EXPECT_EQ(DataRows(l, 1), (std::vector<int32_t>{1, 2, 3, 4}));
    const PrintedPage& tall = l.Pages()[1];
    ASSERT_EQ(tall.Rows.size(), 2u);
    EXPECT_EQ(tall.Rows[1].Row, 2);
    EXPECT_EQ(tall.Rows[1].Top + tall.Rows[1].Height, l.BottomLimit());
    EXPECT_EQ(l.Pages()[2].Rows[1].Row, 3);
}

TEST(PrintLayout, RowsOfDifferentHeightsSitUnderOneAnother) {
    PrintLayoutInput in = Input(1, 3);
    in.RowHeight = [](int32_t r) { return r == 1 ? 40 : 22; };
    const PrintLayout l(in);
    const auto& rows = l.Pages()[0].Rows;
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].Top, rows[i - 1].Top + rows[i - 1].Height);
}
