#include "GridProbe.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

constexpr auto V = TScrollBarKind::Vertical;
constexpr auto H = TScrollBarKind::Horizontal;

// 100 rows of which the fixed row and 20 data rows fit exactly (21 × 25 pixels).
struct TallGrid : ::testing::Test {
    QWidget host;
    GridProbe g{300, 525, &host};
    void SetUp() override {
        g.setScrollBars(ssVertical);
        g.setColCount(3);
        g.setRowCount(100);
        host.show();
        g.clearRecords();
    }
};

} // namespace

TEST(GridScrolling, VerticalRangeStaysEmptyUntilARowIsHidden) {
    QWidget host;
    GridProbe g(300, 125, &host);
    g.setScrollBars(ssVertical);
    host.show();
    EXPECT_EQ(g.ScrollRangeMax(V), 0);
    EXPECT_EQ(g.ScrollPos(V), 0);
    g.setRowCount(6);
    EXPECT_EQ(g.ScrollRangeMax(V), 127);
    EXPECT_EQ(g.ScrollPos(V), 0);
    g.setRowCount(5);
    EXPECT_EQ(g.ScrollRangeMax(V), 0);
}

TEST_F(TallGrid, MaxTopLeftIsTheFirstRowThatStillShowsTheLastOne) {
    EXPECT_EQ(g.MaxTopLeft({2, 99}).Y, 80);
    EXPECT_EQ(g.MaxTopLeft({2, 20}).Y, 1);
    g.setRowHeights(99, -1); // a hidden last row is shown by the rows before it
    EXPECT_EQ(g.MaxTopLeft({2, 99}).Y, 79);
    g.setRowHeights(99, 1000); // taller than the client: it is its own top row
    EXPECT_EQ(g.MaxTopLeft({2, 99}).Y, 99);
}

TEST_F(TallGrid, ThumbMovesOnlyWhenReleasedUnlessThumbTrackingIsOn) {
    g.ScrollRequest(V, TScrollCode::ThumbTrack, 127);
    EXPECT_EQ(g.TopRow(), 1);
    g.ScrollRequest(V, TScrollCode::ThumbPosition, 127);
    EXPECT_EQ(g.TopRow(), 80);
    EXPECT_EQ(g.ScrollPos(V), 127);

    g.setOptions(g.Options() | goThumbTracking);
    g.ScrollRequest(V, TScrollCode::ThumbTrack, 64);
    EXPECT_EQ(g.TopRow(), 1 + 40); // 64 × 79 / 127 = 39.8, rounded
    EXPECT_EQ(g.ScrollPos(V), 64);
}

TEST_F(TallGrid, LineAndPageRequestsStepAndClamp) {
    g.ScrollRequest(V, TScrollCode::LineUp, 0);
    EXPECT_EQ(g.TopRow(), 1);
    g.ScrollRequest(V, TScrollCode::LineDown, 0);
    EXPECT_EQ(g.TopRow(), 2);
    g.ScrollRequest(V, TScrollCode::PageDown, 0);
    EXPECT_EQ(g.TopRow(), 21);
    g.ScrollRequest(V, TScrollCode::PageUp, 0);
    EXPECT_EQ(g.TopRow(), 2);
    g.ScrollRequest(V, TScrollCode::Bottom, 0);
    EXPECT_EQ(g.TopRow(), 80);
    g.ScrollRequest(V, TScrollCode::LineDown, 0);
    EXPECT_EQ(g.TopRow(), 80);
    g.ScrollRequest(V, TScrollCode::Top, 0);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.ScrollPos(V), 0);
}

TEST_F(TallGrid, LineRequestsSkipRowsOfHeightZeroOrHidden) {
    g.setRowHeights(2, 0);
    g.setRowHeights(3, -1);
    g.ScrollRequest(V, TScrollCode::LineDown, 0);
    EXPECT_EQ(g.TopRow(), 4);
    g.ScrollRequest(V, TScrollCode::LineUp, 0);
    EXPECT_EQ(g.TopRow(), 1);
}

TEST_F(TallGrid, TopRowPastTheLimitIsKeptUntilTheNextRequest) {
    g.setTopRow(95);
    EXPECT_EQ(g.TopRow(), 95);
    EXPECT_EQ(g.ScrollPos(V), 127);
    g.ScrollRequest(V, TScrollCode::LineUp, 0);
    EXPECT_EQ(g.TopRow(), 80);
}

TEST_F(TallGrid, SmallMovesScrollPixelsAndLargeJumpsRepaintEverything) {
    int events = 0;
    g.OnTopLeftChanged = [&](QObject*) { ++events; };
    g.setTopRow(3);
    ASSERT_EQ(g.scrolled.size(), 1u);
    EXPECT_EQ(g.scrolled[0].dy, -50);
    EXPECT_EQ(g.scrolled[0].dx, 0);
    EXPECT_EQ(g.scrolled[0].area, QRect(0, 25, g.ClientWidth(), 500)); // below the fixed row, full width
    EXPECT_EQ(events, 1);

    g.clearRecords();
    g.setTopRow(60);
    EXPECT_TRUE(g.scrolled.empty());
    ASSERT_FALSE(g.invalidated.empty());
    EXPECT_EQ(g.invalidated.back(), QRect(0, 0, g.ClientWidth(), 525));
    EXPECT_EQ(events, 2);
}

TEST_F(TallGrid, MovingTheCurrentRowKeepsItInView) {
    g.setRow(50);
    EXPECT_EQ(g.TopRow(), 31); // row 50 becomes the last fully visible row
    g.setRow(10);
    EXPECT_EQ(g.TopRow(), 10);
    g.setRow(20); // already in view: nothing moves
    EXPECT_EQ(g.TopRow(), 10);
}

TEST_F(TallGrid, ResizingPullsTheWindowBackWithinTheNewLimit) {
    g.setTopRow(80);
    g.resize(300, 30 * 25);
    EXPECT_EQ(g.TopRow(), 71);
    EXPECT_EQ(g.ScrollPos(V), 127);
}

TEST_F(TallGrid, ScrollBarWidgetSendsRequestsAndMirrorsTheGridsPosition) {
    QScrollBar* sb = g.verticalScrollBar();
    ASSERT_TRUE(sb->isVisible());
    EXPECT_EQ(sb->maximum(), 127);
    EXPECT_FALSE(g.horizontalScrollBar()->isVisible());

    sb->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(g.TopRow(), 2);
    EXPECT_EQ(sb->value(), 2); // 1 × 127 / 79, rounded: the bar shows the grid's position, not its own step
    sb->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(g.TopRow(), 80);
    EXPECT_EQ(sb->value(), 127);

    // Dragging the thumb without thumb tracking moves the grid only on release.
    sb->setSliderDown(true);
    sb->setSliderPosition(0);
    EXPECT_EQ(g.TopRow(), 80);
    sb->setSliderDown(false);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(sb->value(), 0);
}

TEST(GridScrolling, BothBarsTakeTheirThicknessFromTheClientArea) {
    QWidget host;
    GridProbe g(300, 100, &host);
    g.setScrollBars(ssBoth);
    g.setColCount(20);
    g.setRowCount(20);
    host.show();
    EXPECT_EQ(g.ScrollRangeMax(H), 127);
    EXPECT_EQ(g.ScrollRangeMax(V), 127);
    EXPECT_LT(g.ClientWidth(), 300);
    EXPECT_LT(g.ClientHeight(), 100);
    EXPECT_EQ(g.viewport()->width(), g.ClientWidth());
    EXPECT_EQ(g.viewport()->height(), g.ClientHeight());
    g.setBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(g.viewport()->size(), QSize(g.ClientWidth(), g.ClientHeight()));

    // Moving both ways scrolls the header strip across, the fixed column strip down and the data both ways.
    g.clearRecords();
    g.MoveTopLeft(2, 3);
    const int w = g.ClientWidth(), h = g.ClientHeight();
    ASSERT_EQ(g.scrolled.size(), 3u);
    EXPECT_EQ(g.scrolled[0].area, QRect(65, 0, w - 65, 25));
    EXPECT_EQ((std::pair{g.scrolled[0].dx, g.scrolled[0].dy}), (std::pair{-65, 0}));
    EXPECT_EQ(g.scrolled[1].area, QRect(0, 25, 65, h - 25));
    EXPECT_EQ((std::pair{g.scrolled[1].dx, g.scrolled[1].dy}), (std::pair{0, -50}));
    EXPECT_EQ(g.scrolled[2].area, QRect(65, 25, w - 65, h - 25));
    EXPECT_EQ((std::pair{g.scrolled[2].dx, g.scrolled[2].dy}), (std::pair{-65, -50}));
    g.MoveTopLeft(1, 1);

    g.ScrollRequest(H, TScrollCode::LineDown, 0);
    EXPECT_EQ(g.LeftCol(), 2);
    g.ScrollRequest(H, TScrollCode::Bottom, 0);
    EXPECT_EQ(g.LeftCol(), g.MaxTopLeft({19, 19}).X);
    EXPECT_EQ(g.ScrollPos(H), 127);
}

TEST(GridScrolling, SingleWideColumnScrollsByPixels) {
    QWidget host;
    GridProbe g(300, 200, &host);
    g.setScrollBars(ssHorizontal);
    g.setColCount(1);
    g.setRowCount(3);
    g.setColWidths(0, 1000);
    host.show();
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_EQ(g.ScrollRangeMax(H), 700);

    g.ScrollRequest(H, TScrollCode::Bottom, 0);
    EXPECT_EQ(g.ColOffset(), 700);
    EXPECT_EQ(g.ScrollPos(H), 700);
    // The data cells are drawn shifted by the offset, so the column's right edge is at the client edge.
    const auto fills = g.Paint().OpsOf(RecordingGridCanvas::Op::Fill);
    bool found = false;
    for (const auto& op : fills)
        if (op.rect.top() == 25)
            found = found || op.rect == QRect(-700, 25, 1000, 24);
    EXPECT_TRUE(found);

    g.ScrollRequest(H, TScrollCode::LineUp, 0);
    EXPECT_LT(g.ColOffset(), 700);
    EXPECT_GT(g.ColOffset(), 690);
    g.ScrollRequest(H, TScrollCode::PageUp, 0);
    g.ScrollRequest(H, TScrollCode::PageUp, 0);
    g.ScrollRequest(H, TScrollCode::PageUp, 0);
    EXPECT_EQ(g.ColOffset(), 0);
}
