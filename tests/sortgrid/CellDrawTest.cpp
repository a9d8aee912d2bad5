#include "sortgrid/CellBitmaps.h"
#include "sortgrid/CellWidgetGeometry.h"
#include "sortgrid/SortGrid.h"
#include "testing/FakeDialogs.h"
#include "testing/RecordingGridCanvas.h"

#include <gtest/gtest.h>

namespace {

using Op = RecordingGridCanvas::Op;

// A 4 × 4 protocol grid of 60 × 22 cells without frame or scroll bars, painted into a recording canvas.
class CellDraw : public ::testing::Test {
protected:
    void SetUp() override {
        g.setBorderStyle(TBorderStyle::bsNone);
        g.setScrollBars(ssNone);
        g.resize(300, 120);
        g.setColCount(4);
        g.setRowCount(4);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(22);
        g.setOptions(TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine));
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
        for (int r = 1; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                g.setCells(c, r, QString("c%1r%2").arg(c).arg(r));
    }

    RecordingGridCanvas Paint() {
        RecordingGridCanvas canvas;
        g.PaintGrid(canvas);
        return canvas;
    }
    // The last op of `kind` drawn for a cell (its rectangle, or its clip for texts).
    static const Op* CellOp(const RecordingGridCanvas& c, Op::Kind kind, const QRect& cell) {
        const Op* found = nullptr;
        for (const Op& op : c.Ops())
            if (op.kind == kind && (kind == Op::Image ? cell.contains(op.rect) : op.rect == cell))
                found = &op;
        return found;
    }
    const Op* TextOf(const RecordingGridCanvas& c, int col, int row) {
        return CellOp(c, Op::Text, g.CellRect(col, row));
    }
    const Op* FillOf(const RecordingGridCanvas& c, int col, int row) {
        return CellOp(c, Op::Fill, g.CellRect(col, row));
    }

    TFontSetting* Setting(TFontList& list, int i, TColor font, TColor back) {
        TFontSetting* s = list.Items(i);
        s->setFontColor(font);
        s->setBackColor(back);
        s->setActive(true);
        return s;
    }

    platform::FakeDialogs dialogs;
    TSortGrid g;
};

} // namespace

TEST_F(CellDraw, ActiveColumnAndRowSettingsFollowTheirPrecedenceAndInactiveOrMissingOnesChangeNothing) {
    Setting(*g.ColumnFormats(), 1, clRed, clYellow)->setBold(true);
    Setting(*g.RowFormats(), 2, clNavy, clLime)->setItalic(true);
    g.RowFormats()->Items(3)->setFontColor(clGreen); // not active

    auto c = Paint();
    // Row settings win by default where both count; the column setting where only it counts.
    EXPECT_EQ(FillOf(c, 1, 2)->color, clLime);
    EXPECT_EQ(TextOf(c, 1, 2)->color, clNavy);
    EXPECT_TRUE(TextOf(c, 1, 2)->font.italic());
    EXPECT_FALSE(TextOf(c, 1, 2)->font.bold());
    EXPECT_EQ(FillOf(c, 1, 3)->color, clYellow);
    EXPECT_TRUE(TextOf(c, 1, 3)->font.bold());
    EXPECT_EQ(FillOf(c, 0, 3)->color, clWindow); // the inactive row setting
    EXPECT_EQ(TextOf(c, 0, 3)->color, clWindowText);

    g.setColumnFormatsFirst(true);
    c = Paint();
    EXPECT_EQ(FillOf(c, 1, 2)->color, clYellow);
    EXPECT_TRUE(TextOf(c, 1, 2)->font.bold());
    EXPECT_FALSE(TextOf(c, 1, 2)->font.italic());
    EXPECT_EQ(FillOf(c, 0, 2)->color, clLime);

    // Lists shorter than the grid: the missing entries count as inactive; the row setting is taken
    // from its own list, not from a cell past the last column.
    g.setColumnFormatsFirst(false);
    g.ColumnFormats()->Clear();
    g.setCells(4, 2, QStringLiteral("kein Format"));
    c = Paint();
    EXPECT_EQ(FillOf(c, 1, 3)->color, clWindow);
    EXPECT_EQ(FillOf(c, 1, 2)->color, clLime);
}

TEST_F(CellDraw, SelectionColoursWinOverFormatSettings) {
    Setting(*g.RowFormats(), 2, clNavy, clLime);
    g.setMultiSelect(true);
    g.SelectedRows()->Add(QStringLiteral("2"));
    auto c = Paint();
    EXPECT_EQ(FillOf(c, 3, 2)->color, clHighlight);
    EXPECT_EQ(TextOf(c, 3, 2)->color, clHighlightText);
    // An editing grid shows its rows in their own colours.
    g.setOptions(g.Options() | goEditing);
    c = Paint();
    EXPECT_EQ(FillOf(c, 3, 2)->color, clLime);
}

TEST_F(CellDraw, TextIsPlacedByTheAlignmentOffsets) {
    const QRect cell = g.CellRect(2, 1);
    auto place = [&] {
        auto c = Paint();
        const Op* t = TextOf(c, 2, 1);
        const QFontMetrics fm(t->font);
        return std::tuple(t->at - cell.topLeft(), fm.horizontalAdvance(t->text), fm.height());
    };
    auto [at, w, h] = place();
    EXPECT_EQ(at, QPoint(2, 2));
    g.setAlignmentHorz(taRightJustify);
    g.setAlignmentVert(taBottomJustify);
    std::tie(at, w, h) = place();
    EXPECT_EQ(at, QPoint(60 - w - 2, 22 - h - 3));
    g.setAlignmentHorz(taCenter);
    g.setAlignmentVert(taMiddle);
    std::tie(at, w, h) = place();
    EXPECT_EQ(at, QPoint((60 - w) / 2, (22 - h) / 2));
    // An event can set the alignment of single cells.
    g.OnGetCellFormat = [](QObject*, int32_t c, int32_t, TGridDrawState, TFormatOptions& f, bool&, bool&,
                           bool&) {
        if (c == 2)
            f.AlignmentHorz = taLeftJustify;
    };
    std::tie(at, w, h) = place();
    EXPECT_EQ(at.x(), 2);
}

TEST_F(CellDraw, ATextWiderThanItsCellRunsOnIntoTheFollowingEmptyCellsOnly) {
    const QString name = QStringLiteral("Max \"Turbo\" M\u00fcller-L\u00fcdenscheidt aus Hagen");
    // Row 1: the name runs on over both empty cells. Row 2: a filled cell stops it. Row 3: the
    // selected row, where a right-aligned name stays in its cell.
    for (int r = 1; r < 4; ++r) {
        g.setCells(1, r, name);
        g.setCells(2, r, r == 2 ? QStringLiteral("x") : QString());
        g.setCells(3, r, QString());
    }
    g.setMultiSelect(true);
    g.SelectedRows()->Add(QStringLiteral("1"));
    g.OnGetCellFormat = [](QObject*, int32_t, int32_t r, TGridDrawState, TFormatOptions& f, bool&, bool&,
                           bool&) {
        if (r == 3)
            f.AlignmentHorz = taRightJustify;
    };
    ASSERT_GT(QFontMetrics(g.font()).horizontalAdvance(name), 2 * 61 + 60);
    auto c = Paint();
    auto drawn = [&](int row) {
        std::vector<std::pair<QRect, QPoint>> parts;
        for (const Op& op : c.Ops())
            if (op.kind == Op::Text && op.text == name && op.rect.top() == g.CellRect(1, row).top())
                parts.emplace_back(op.rect, op.at);
        return parts;
    };
    const QRect own = g.CellRect(1, 1);
    // Each following cell is filled together with the grid line before it, then shows its part of
    // the name, written where the name starts in its own cell, in the colours of the selection.
    const auto row1 = drawn(1);
    ASSERT_EQ(row1.size(), 3u);
    EXPECT_EQ(row1[0].first, own);
    for (int col : {2, 3}) {
        const QRect cell = g.CellRect(col, 1);
        const QRect area(cell.left() - 1, cell.top(), cell.width() + 1, cell.height());
        EXPECT_EQ(row1[size_t(col - 1)], std::pair(area, row1[0].second)) << col;
        EXPECT_EQ(CellOp(c, Op::Fill, area)->color, clHighlight);
    }
    EXPECT_EQ(drawn(2).size(), 1u);
    EXPECT_EQ(drawn(3).size(), 1u);
    EXPECT_EQ(g.Cells(2, 1), QString());
}

TEST_F(CellDraw, CheckBoxesShowTheirStateInsteadOfTextAndButtonsShowOnTheCurrentRow) {
    g.OnGetCellFormat = [](QObject*, int32_t c, int32_t r, TGridDrawState, TFormatOptions&, bool& check,
                           bool& combo, bool& ellipsis) {
        check = c == 3 && r > 0;
        combo = c == 1 && r > 0;
        ellipsis = c == 2 && r > 0;
    };
    g.setCells(3, 1, QStringLiteral("true"));
    g.setCells(3, 2, QStringLiteral("True")); // not exactly "true": unchecked
    g.setCol(1);
    g.setRow(2);
    auto c = Paint();
    EXPECT_EQ(TextOf(c, 3, 1), nullptr);
    const TCellGlyphPlace box = CheckBoxPlace(g.CellRect(3, 1), 22);
    const Op* checked = CellOp(c, Op::Image, g.CellRect(3, 1));
    ASSERT_NE(checked, nullptr);
    EXPECT_EQ(checked->rect, box.dest);
    EXPECT_EQ(checked->image, cellbitmaps::Checked());
    EXPECT_EQ(CellOp(c, Op::Image, g.CellRect(3, 2))->image, cellbitmaps::Unchecked());
    EXPECT_FALSE(g.GetChecked(3, 2));
    EXPECT_TRUE(g.GetChecked(3, 1));
    EXPECT_FALSE(g.GetChecked(0, 1)); // no check box cell

    // The combobox button on the current cell, ellipsis buttons on the other cells of its row.
    const Op* combo = CellOp(c, Op::Image, g.CellRect(1, 2));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->rect, CellButtonPlace(g.CellRect(1, 2)).dest);
    EXPECT_EQ(combo->image, cellbitmaps::ComboBox());
    EXPECT_EQ(CellOp(c, Op::Image, g.CellRect(2, 2))->image, cellbitmaps::Ellipsis());
    EXPECT_EQ(CellOp(c, Op::Image, g.CellRect(1, 1)), nullptr);
    EXPECT_EQ(CellOp(c, Op::Image, g.CellRect(2, 1)), nullptr);
}

TEST_F(CellDraw, BevelLinesGoAroundDataCellsOnly) {
    g.setBevelStyle(cbRaised);
    auto c = Paint();
    const QRect cell = g.CellRect(1, 2);
    std::vector<std::pair<QLine, TColor>> lines;
    for (const Op& op : c.OpsOf(Op::Lines))
        for (const QLine& s : op.segs)
            if (op.width == 1 && cell.contains(s.p1()))
                lines.emplace_back(s, op.color);
    const int r = cell.left() + cell.width(), b = cell.top() + cell.height();
    const std::vector<std::pair<QLine, TColor>> want{
        {QLine(r - 1, cell.top(), r - 1, b), clBtnShadow},
        {QLine(cell.left(), b - 1, r, b - 1), clBtnShadow},
        {QLine(cell.left(), cell.top(), cell.left(), b), clBtnHighlight},
        {QLine(cell.left(), cell.top(), r, cell.top()), clBtnHighlight}};
    EXPECT_EQ(lines, want);
    for (const Op& op : c.OpsOf(Op::Lines))
        for (const QLine& s : op.segs)
            EXPECT_FALSE(op.width == 1 && (op.color == clBtnShadow || op.color == clBtnHighlight) &&
                         s.y1() < 22 && s.y2() < 22)
                << "bevel line in the header";
}

TEST_F(CellDraw, HiddenRowsAreBlankedAndTheSortHeaderShowsItsIndicatorAndShortenedText) {
    g.setHideRows(true);
    g.setCells(1, 0, QStringLiteral("Eine sehr lange Spalte"));
    g.SortOptions()->setSortCol(1);
    g.SortOptions()->setSortDirection(sdDescending);
    auto c = Paint();
    EXPECT_EQ(TextOf(c, 0, 1), nullptr);
    const QRect cell = g.CellRect(0, 1);
    EXPECT_NE(
        CellOp(c, Op::Fill, QRect(cell.left(), cell.top(), cell.width() + g.width() + 1, cell.height() + 1)),
        nullptr);
    EXPECT_EQ(TextOf(c, 0, 0)->text, QStringLiteral("Who"));

    const Op* head = TextOf(c, 1, 0);
    ASSERT_NE(head, nullptr);
    EXPECT_TRUE(head->text.endsWith(QStringLiteral("..")));
    EXPECT_LE(QFontMetrics(head->font).horizontalAdvance(head->text), 60 - 12);
    EXPECT_EQ(head->at.x(), g.CellRect(1, 0).left() + 2 + 11);
    const Op* arrow = CellOp(c, Op::Image, g.CellRect(1, 0));
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->image, cellbitmaps::Down());
    EXPECT_EQ(arrow->rect, QRect(g.CellRect(1, 0).left() + 3, 22 / 2 - 4, 8, 7));
}

TEST(CellWidgetGeometry, NarrowCellsLargeTextsAndLongListsStayInTheirRules) {
    // A check box in a cell of 10 pixels or less is one pixel narrower than the cell.
    EXPECT_EQ(CheckBoxPlace(QRect(0, 0, 8, 22), 22).dest, QRect(0, 6, 7, 10));
    EXPECT_EQ(CheckBoxPlace(QRect(100, 44, 60, 30), 30).dest, QRect(125, 54, 10, 10));
    // A button in a narrow cell takes the whole cell and the bitmap's left part.
    EXPECT_EQ(CellButtonPlace(QRect(10, 0, 12, 22)).dest, QRect(10, 0, 12, 22));
    EXPECT_EQ(CellButtonPlace(QRect(10, 0, 12, 22)).source, QRect(0, 0, 12, 16));
    EXPECT_TRUE(HitsCellButton(QRect(0, 0, 60, 22), QPoint(44, 5)));
    EXPECT_FALSE(HitsCellButton(QRect(0, 0, 60, 22), QPoint(43, 5)));
    // Halves round toward zero, also for a text larger than its cell.
    EXPECT_EQ(CellTextOffset(taCenter, taMiddle, QSize(60, 22), QSize(65, 25)), QPoint(-2, -1));
    EXPECT_EQ(CellTextOffset(taRightJustify, taBottomJustify, QSize(60, 22), QSize(20, 15)), QPoint(38, 4));
    // Ten or more items show ten rows and scroll; a given size is kept.
    EXPECT_EQ(DropDownRect(QRect(50, 30, 60, 22), 0, 0, 3, 16), QRect(52, 31, 61, 53));
    EXPECT_EQ(DropDownRect(QRect(50, 30, 60, 22), 0, 0, 25, 16), QRect(52, 31, 61, 165));
    EXPECT_EQ(DropDownRect(QRect(50, 30, 60, 22), 90, 40, 25, 16), QRect(52, 31, 90, 40));
    EXPECT_FALSE(PastDragThreshold(QPoint(100, 100), QPoint(110, 90)));
    EXPECT_TRUE(PastDragThreshold(QPoint(100, 100), QPoint(100, 111)));
}

TEST(CellDrawRepaint, AChangedCellRepaintsTheRestOfItsRowWhereItsTextMayRunOn) {
    struct Watched : TSortGrid {
        std::vector<QRect> invalidated;
        void InvalidateRect(const QRect& r) override {
            invalidated.push_back(r);
            TSortGrid::InvalidateRect(r);
        }
    } g;
    g.setBorderStyle(TBorderStyle::bsNone);
    g.setScrollBars(ssNone);
    g.resize(300, 120);
    g.setColCount(4);
    g.setRowCount(4);
    g.invalidated.clear();
    g.setCells(1, 2, QStringLiteral("Max \"Turbo\" M\u00fcller"));
    ASSERT_EQ(g.invalidated.size(), 1u);
    const QRect from = g.CellRect(1, 2), to = g.CellRect(3, 2);
    EXPECT_EQ(g.invalidated[0].left(), from.left());
    EXPECT_GE(g.invalidated[0].right(), to.right()) << "the cells the old or new text ran into";
    EXPECT_EQ(g.invalidated[0].top(), from.top());
}
