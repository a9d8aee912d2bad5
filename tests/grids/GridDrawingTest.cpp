#include "GridProbe.h"

#include "core/Exception.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Op = RecordingGridCanvas::Op;

struct Line {
    QLine seg;
    int width;
    TColor color;
};

std::vector<Line> LinesOf(const RecordingGridCanvas& c) {
    std::vector<Line> out;
    for (const Op& op : c.OpsOf(Op::Lines))
        for (const QLine& s : op.segs)
            out.push_back({s, op.width, op.color});
    return out;
}

// Vertical lines at x (spanning some y), in drawing order.
std::vector<Line> VerticalAt(const std::vector<Line>& lines, int x) {
    std::vector<Line> out;
    for (const Line& l : lines)
        if (l.seg.x1() == l.seg.x2() && l.seg.x1() == x)
            out.push_back(l);
    return out;
}

bool HasFill(const RecordingGridCanvas& c, const QRect& r, TColor color) {
    for (const Op& op : c.OpsOf(Op::Fill))
        if (op.rect == r && op.color == color)
            return true;
    return false;
}

} // namespace

TEST(GridDrawing, FixedLinesAreBlackAndDataLinesSilverOrGreyOnSilver) {
    GridProbe g(320, 120);
    g.setColor(clWhite);
    auto lines = LinesOf(g.Paint());
    // Corner: the line after column 0 at x = 64 over the fixed row; data lines after columns 1..3.
    auto at64 = VerticalAt(lines, 64);
    ASSERT_EQ(at64.size(), 2u); // corner and fixed column beside the data rows
    EXPECT_EQ(at64[0].seg, QLine(64, 0, 64, 25));
    EXPECT_EQ(at64[0].color, clBlack);
    EXPECT_EQ(at64[1].color, clBlack);
    for (int x : {129, 194, 259}) {
        auto v = VerticalAt(lines, x);
        ASSERT_EQ(v.size(), 2u) << x; // over the fixed row (black) and through the data (silver)
        EXPECT_EQ(v[0].color, clBlack);
        EXPECT_EQ(v[1].color, clSilver);
        EXPECT_EQ(v[1].seg, QLine(x, 25, x, 120));
        EXPECT_EQ(v[1].width, 1);
    }
    EXPECT_TRUE(VerticalAt(lines, 324).empty()); // column 4 is not wholly visible

    g.setColor(clSilver);
    lines = LinesOf(g.Paint());
    EXPECT_EQ(VerticalAt(lines, 129)[1].color, clGray);
}

TEST(GridDrawing, LinesWhoseOptionIsOffKeepTheirPixelsInTheBackgroundColour) {
    GridProbe g(320, 120);
    g.setColor(clWhite);
    g.setOptions(goFixedVertLine | goFixedHorzLine | goHorzLine);
    const auto lines = LinesOf(g.Paint());
    const auto v = VerticalAt(lines, 129);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[1].color, clWhite);
    EXPECT_EQ(v[1].width, 1);
    // The horizontal data lines still use the line colour.
    bool silverRow = false;
    for (const Line& l : lines)
        silverRow = silverRow || (l.seg.y1() == l.seg.y2() && l.seg.y1() == 49 && l.color == clSilver);
    EXPECT_TRUE(silverRow);
}

TEST(GridDrawing, HiddenColumnHasNoCellNorLineWhileZeroWidthLeavesADoubleLine) {
    GridProbe g(400, 120);
    int drawnCol2 = 0;
    g.OnDrawCell = [&](QObject*, int32_t col, int32_t, QRect&, TGridDrawState) { drawnCol2 += col == 2; };

    g.setColWidths(2, -1);
    auto lines = LinesOf(g.Paint());
    EXPECT_EQ(drawnCol2, 0);
    EXPECT_EQ(VerticalAt(lines, 129).size(), 2u);
    EXPECT_TRUE(VerticalAt(lines, 130).empty());
    EXPECT_EQ(VerticalAt(lines, 194).size(), 2u); // column 3 closes up: 130 … 193, line at 194

    g.setColWidths(2, 0);
    lines = LinesOf(g.Paint());
    EXPECT_EQ(drawnCol2, 0);
    EXPECT_EQ(VerticalAt(lines, 129).size(), 2u);
    EXPECT_EQ(VerticalAt(lines, 130).size(), 2u); // the double line
    EXPECT_EQ(VerticalAt(lines, 195).size(), 2u);
}

TEST(GridDrawing, WideLinesAreCentredAndZeroWidthDrawsNone) {
    GridProbe g(320, 120);
    g.setGridLineWidth(3);
    auto c = g.Paint();
    const auto lines = LinesOf(c);
    // Cell 0 covers 0 … 63, its 3-pixel line 64 … 66 is centred on 65; column 1 then starts at 67.
    ASSERT_EQ(VerticalAt(lines, 65).size(), 2u);
    EXPECT_EQ(VerticalAt(lines, 65)[0].width, 3);
    EXPECT_EQ(VerticalAt(lines, 132).size(), 2u);
    EXPECT_EQ(g.CellRect(1, 1), QRect(67, 27, 64, 24));

    g.setGridLineWidth(0);
    c = g.Paint();
    EXPECT_TRUE(c.OpsOf(Op::Lines).empty());
    EXPECT_EQ(g.CellRect(1, 1), QRect(64, 24, 64, 24));
}

TEST(GridDrawing, CellsAreFilledWithTheirPassColourAndSelectionInHighlight) {
    GridProbe g(320, 120);
    g.setColor(clWhite);
    g.setFixedColor(clSilver);
    g.setSelection({1, 1, 2, 2});
    std::vector<std::tuple<int, int, TGridDrawState>> drawn;
    g.OnDrawCell = [&](QObject*, int32_t c, int32_t r, QRect&, TGridDrawState s) {
        drawn.emplace_back(c, r, s);
    };
    const auto canvas = g.Paint();
    EXPECT_TRUE(HasFill(canvas, QRect(0, 0, 64, 24), clSilver));
    EXPECT_TRUE(HasFill(canvas, QRect(65, 0, 64, 24), clSilver));
    EXPECT_TRUE(HasFill(canvas, QRect(0, 25, 64, 24), clSilver));
    EXPECT_TRUE(HasFill(canvas, QRect(65, 25, 64, 24), clHighlight));
    EXPECT_TRUE(HasFill(canvas, QRect(130, 50, 64, 24), clHighlight));
    EXPECT_TRUE(HasFill(canvas, QRect(195, 25, 64, 24), clWhite));

    const auto stateOf = [&](int c, int r) {
        for (auto& [dc, dr, s] : drawn)
            if (dc == c && dr == r)
                return s;
        return TGridDrawState(0xFF);
    };
    EXPECT_EQ(stateOf(0, 0), TGridDrawState(gdFixed));
    EXPECT_EQ(stateOf(1, 1), TGridDrawState(gdSelected)); // current but the grid has no focus
    EXPECT_EQ(stateOf(3, 3), TGridDrawState());
    // The partly visible column and row are drawn too.
    EXPECT_NE(stateOf(4, 4), TGridDrawState(0xFF));
}

TEST(GridDrawing, FixedCellsGetRaisedEdgesOnTheSidesOfTheirLineOptions) {
    GridProbe g(320, 120);
    auto edges = g.Paint().OpsOf(Op::Edge);
    ASSERT_GE(edges.size(), 2u);
    EXPECT_EQ(edges[0].rect, QRect(0, 0, 64, 24));
    EXPECT_EQ(edges[0].sides, TEdgeSide::Right | TEdgeSide::Bottom);
    EXPECT_EQ(edges[1].sides, TEdgeSide::Left | TEdgeSide::Top);

    // Without vertical fixed lines the edge reaches over the (width 0) line to the right.
    g.setOptions(goFixedHorzLine | goHorzLine);
    edges = g.Paint().OpsOf(Op::Edge);
    ASSERT_GE(edges.size(), 2u);
    EXPECT_EQ(edges[0].sides, TEdgeSides(TEdgeSide::Bottom));
    EXPECT_EQ(edges[1].sides, TEdgeSides(TEdgeSide::Top));

    g.setOptions(goVertLine | goHorzLine);
    EXPECT_TRUE(g.Paint().OpsOf(Op::Edge).empty());
}

TEST(GridDrawing, WithoutDefaultDrawingOnlyTheCellHookPaintsCells) {
    GridProbe g(320, 120);
    g.setDefaultDrawing(false);
    int calls = 0;
    g.OnDrawCell = [&](QObject*, int32_t, int32_t, QRect&, TGridDrawState) { ++calls; };
    const auto c = g.Paint();
    EXPECT_EQ(calls, 25);
    EXPECT_TRUE(c.OpsOf(Op::Edge).empty());
    EXPECT_TRUE(c.OpsOf(Op::Focus).empty());
    for (const Op& op : c.OpsOf(Op::Fill))
        EXPECT_FALSE(op.rect.intersects(QRect(0, 0, 320, 120))) << "a cell was filled";
}

TEST(GridDrawing, AFailingCellHandlerIsReportedAfterThePaintAndOnlyOnceWhileItFails) {
    GridProbe g(320, 120);
    bool fail = true;
    g.OnDrawCell = [&](QObject*, int32_t c, int32_t r, QRect&, TGridDrawState) {
        if (fail && c == 2 && r == 2)
            throw Exception(QStringLiteral("kaputt"));
    };
    const auto reported = [&] {
        try {
            QCoreApplication::sendPostedEvents(&g, QEvent::MetaCall);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("kaputt"));
            return true;
        }
        return false;
    };
    EXPECT_NO_THROW(g.viewport()->grab());
    EXPECT_TRUE(reported());
    EXPECT_NO_THROW(g.viewport()->grab()); // e.g. under the message box
    EXPECT_FALSE(reported());

    fail = false;
    g.viewport()->grab();
    fail = true;
    g.viewport()->grab();
    EXPECT_TRUE(reported()) << "a new failure after a good paint is reported again";
}

TEST(GridDrawing, AreaRightOfAndBelowTheCellsIsFilledWithTheColour) {
    GridProbe g(400, 200);
    g.setColor(clYellow);
    const auto c = g.Paint();
    EXPECT_TRUE(HasFill(c, QRect(325, 0, 75, 125), clYellow));
    EXPECT_TRUE(HasFill(c, QRect(0, 125, 400, 75), clYellow));
}

TEST(GridDrawing, OnlyCellsInsideTheClipAreDrawn) {
    GridProbe g(320, 120);
    int calls = 0;
    g.OnDrawCell = [&](QObject*, int32_t c, int32_t r, QRect&, TGridDrawState) {
        ++calls;
        EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{2, 2}));
    };
    RecordingGridCanvas canvas(QRegion(QRect(140, 60, 10, 10)));
    g.PaintGrid(canvas);
    EXPECT_EQ(calls, 1);
}

TEST(GridDrawing, FocusedGridShowsTheFocusCellOrTheWholeSelectedRow) {
    QWidget host;
    GridProbe g(320, 120, &host);
    host.show();
    QApplication::setActiveWindow(&host);
    g.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    ASSERT_TRUE(g.hasFocus());
    g.setColor(clWhite);

    auto c = g.Paint();
    auto focus = c.OpsOf(Op::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].rect, g.CellRect(1, 1));
    // The focused current cell is not shown in the highlight colour.
    EXPECT_TRUE(HasFill(c, g.CellRect(1, 1), clWhite));

    // The protocol window's setting: one focus rectangle around the highlighted row.
    g.setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect);
    g.setRow(2);
    c = g.Paint();
    focus = c.OpsOf(Op::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].rect, g.BoxRect(1, 2, 4, 2));
    for (int col = 1; col < 4; ++col)
        EXPECT_TRUE(HasFill(c, g.CellRect(col, 2), clHighlight)) << col;
    EXPECT_TRUE(HasFill(c, QRect(260, 50, 64, 24), clHighlight)); // the partly visible column
}

TEST(GridDrawing, FeedbackLinesEraseWhenDrawnTwice) {
    GridProbe g(320, 120);
    g.m_gridState = gsColSizing;
    g.m_sizingPos = 100;
    g.DrawSizingLine(g.CalcDrawInfo());
    auto fb = g.Paint().OpsOf(Op::Feedback);
    ASSERT_EQ(fb.size(), 1u);
    EXPECT_EQ(fb[0].segs[0], QLine(100, 0, 100, 120));
    EXPECT_EQ(fb[0].width, 1);
    g.DrawSizingLine(g.CalcDrawInfo());
    EXPECT_TRUE(g.Paint().OpsOf(Op::Feedback).empty());

    g.m_gridState = gsRowMoving;
    g.m_moveIndex = 1;
    g.m_movePos = 3; // dragged downward: the line is at the drop row's bottom
    g.DrawMoveLine();
    fb = g.Paint().OpsOf(Op::Feedback);
    ASSERT_EQ(fb.size(), 1u);
    EXPECT_EQ(fb[0].segs[0], QLine(0, 99, 320, 99));
    EXPECT_EQ(fb[0].width, 5);
}

TEST(GridDrawing, ProtocolLayoutWithoutFixedColumnsDrawsHeaderLinesBlackAndDataLinesSilver) {
    GridProbe g(560, 200);
    g.setColCount(4);
    g.setRowCount(2);
    g.setFixedCols(0);
    g.setDefaultColWidth(60);
    g.setDefaultRowHeight(22);
    g.setColWidths(3, 345);
    g.setColor(clWhite);
    g.setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowSelect);
    EXPECT_EQ(g.Selection(), (TGridRect{0, 1, 3, 1}));
    const auto c = g.Paint();
    const auto lines = LinesOf(c);
    for (int x : {60, 121, 182, 528}) {
        const auto v = VerticalAt(lines, x);
        ASSERT_EQ(v.size(), 2u) << x;
        EXPECT_EQ(v[0].seg, QLine(x, 0, x, 23));
        EXPECT_EQ(v[0].color, clBlack);
        EXPECT_EQ(v[1].seg, QLine(x, 23, x, 46));
        EXPECT_EQ(v[1].color, clSilver);
    }
    // The whole data row is highlighted, and white fills the rest of the client area.
    EXPECT_TRUE(HasFill(c, QRect(183, 23, 345, 22), clHighlight));
    EXPECT_TRUE(HasFill(c, QRect(529, 0, 31, 46), clWhite));
    EXPECT_TRUE(HasFill(c, QRect(0, 46, 560, 154), clWhite));
}
