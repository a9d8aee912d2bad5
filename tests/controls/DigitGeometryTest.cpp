#include "controls/DigitGeometry.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Readable corners in failure messages.
void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << ", " << p.y() << ")";
}

namespace {

std::vector<QPoint> cornersOf(const DigitPolygon& p) {
    return std::vector<QPoint>(p.corners.begin(), p.corners.begin() + p.count);
}

} // namespace

// The main window's digits: 45 x 89 pixels, thickness 5, separation 1.
TEST(DigitGeometry, MainWindowDigitHasExactCornersInDrawingOrder) {
    const DigitGeometry g = ComputeDigitGeometry(45, 89, 5, 1);
    const std::vector<std::vector<QPoint>> expected = {
        {{6, 5}, {11, 0}, {33, 0}, {38, 5}, {33, 10}, {11, 10}},      // top bar
        {{6, 44}, {11, 39}, {33, 39}, {38, 44}, {33, 49}, {11, 49}},  // middle bar
        {{6, 83}, {11, 78}, {33, 78}, {38, 83}, {33, 88}, {11, 88}},  // bottom bar
        {{0, 11}, {5, 6}, {10, 11}, {10, 38}, {5, 43}, {0, 38}},      // upper-left post
        {{34, 11}, {39, 6}, {44, 11}, {44, 38}, {39, 43}, {34, 38}},  // upper-right post
        {{0, 50}, {5, 45}, {10, 50}, {10, 77}, {5, 82}, {0, 77}},     // lower-left post
        {{34, 50}, {39, 45}, {44, 50}, {44, 77}, {39, 82}, {34, 77}}, // lower-right post
        {{44, 88}, {35, 88}, {44, 79}},                               // corner dot
    };
    const uint8_t bits[] = {1, 2, 4, 8, 16, 32, 64, 128};
    for (int i = 0; i < DigitSegmentCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cornersOf(g.segments[i]), expected[i]);
        EXPECT_EQ(g.segments[i].bit, bits[i]);
    }
}

// An odd last row (height 32 -> H = 31) truncates the middle row M = 15.
TEST(DigitGeometry, NewControlSizeUsesTruncatedMiddleRow) {
    const DigitGeometry g = ComputeDigitGeometry(16, 32, 2, 1);
    EXPECT_EQ(cornersOf(g.segments[1]),
              (std::vector<QPoint>{{3, 15}, {5, 13}, {10, 13}, {12, 15}, {10, 17}, {5, 17}}));
    EXPECT_EQ(cornersOf(g.segments[6]),
              (std::vector<QPoint>{{11, 18}, {13, 16}, {15, 18}, {15, 25}, {13, 27}, {11, 25}}));
    EXPECT_EQ(cornersOf(g.segments[7]), (std::vector<QPoint>{{15, 31}, {12, 31}, {15, 28}}));
}

TEST(DigitGeometry, DigitTableLightsTheRightSegments) {
    using namespace DigitSegment;
    const uint8_t expected[10] = {
        Top | Bottom | UpperLeft | UpperRight | LowerLeft | LowerRight,          // 0
        UpperRight | LowerRight,                                                 // 1
        Top | Middle | Bottom | UpperRight | LowerLeft,                          // 2
        Top | Middle | Bottom | UpperRight | LowerRight,                         // 3
        Middle | UpperLeft | UpperRight | LowerRight,                            // 4
        Top | Middle | Bottom | UpperLeft | LowerRight,                          // 5
        Top | Middle | Bottom | UpperLeft | LowerLeft | LowerRight,              // 6
        Top | UpperRight | LowerRight,                                           // 7
        Top | Middle | Bottom | UpperLeft | UpperRight | LowerLeft | LowerRight, // 8
        Top | Middle | Bottom | UpperLeft | UpperRight | LowerRight,             // 9
    };
    for (int v = 0; v <= 9; ++v) {
        EXPECT_EQ(DigitPattern(v), expected[v]) << v;
        EXPECT_FALSE(IsSegmentLit(DigitPattern(v), Dot)) << v;
    }
    EXPECT_EQ(DigitPattern(0), 125);
    EXPECT_EQ(DigitPattern(10), 0);
    EXPECT_EQ(DigitPattern(-1), 0);
}
