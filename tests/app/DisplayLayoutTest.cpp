#include "app/run/DisplayLayout.h"

#include <gtest/gtest.h>

namespace {
struct Shown {
    int h, t, o, d1, d2;
    bool hLit, tLit;
};
void expectDigits(int64_t value, Shown e) {
    const DigitRowValues v = SplitDigitValue(value);
    EXPECT_EQ(v.hundreds, e.h) << value;
    EXPECT_EQ(v.tens, e.t) << value;
    EXPECT_EQ(v.ones, e.o) << value;
    EXPECT_EQ(v.tenths, e.d1) << value;
    EXPECT_EQ(v.hundredths, e.d2) << value;
    EXPECT_EQ(v.hundredsLit, e.hLit) << value;
    EXPECT_EQ(v.tensLit, e.tLit) << value;
}
} // namespace

TEST(SplitDigitValue, DimsLeadingZerosUntilTheyBecomeSignificant) {
    expectDigits(0, {0, 0, 0, 0, 0, false, false});
    expectDigits(9999, {0, 0, 9, 9, 9, false, false});
    expectDigits(10000, {0, 1, 0, 0, 0, false, true});
    expectDigits(100000, {1, 0, 0, 0, 0, true, true});
}

TEST(SplitDigitValue, DropsThousandthsAndLetsTheHundredsDigitOverflow) {
    expectDigits(1999, {0, 0, 1, 9, 9, false, false});
    // 1005,99: the hundreds value 10 shows as 0 on its digit, both leading digits lit.
    expectDigits(1005999, {10, 0, 5, 9, 9, true, true});
    expectDigits(1234567, {12, 3, 4, 5, 6, true, true});
}

TEST(ComputeTimeRowShape, NarrowsAndCentresThePanelForLowerResolutions) {
    const TimeRowShape s0 = ComputeTimeRowShape(0, 288);
    EXPECT_EQ(s0.panelWidth, 165);
    EXPECT_EQ(s0.panelLeft, 61);
    EXPECT_FALSE(s0.digit7Visible);
    EXPECT_FALSE(s0.digit8Visible);
    EXPECT_FALSE(s0.lab100Visible);

    const TimeRowShape s1 = ComputeTimeRowShape(1, 288);
    EXPECT_EQ(s1.panelWidth, 237);
    EXPECT_EQ(s1.panelLeft, 25);
    EXPECT_TRUE(s1.digit7Visible);
    EXPECT_FALSE(s1.digit8Visible);
    EXPECT_EQ(s1.lab100Left, 193);
    EXPECT_EQ(s1.lab100Caption, QStringLiteral("10"));

    const TimeRowShape s2 = ComputeTimeRowShape(2, 165);
    EXPECT_EQ(s2.panelWidth, 288);
    EXPECT_EQ(s2.panelLeft, 0);
    EXPECT_TRUE(s2.digit8Visible);
    EXPECT_EQ(s2.lab100Left, 213);
    EXPECT_EQ(s2.lab100Caption, QStringLiteral("100"));
    EXPECT_TRUE(s2.lab100Visible);
}

TEST(ComputeTimeRowShape, UnknownResolutionKeepsTheCurrentWidth) {
    const TimeRowShape s = ComputeTimeRowShape(3, 237);
    EXPECT_EQ(s.panelWidth, 237);
    EXPECT_EQ(s.panelLeft, 25);
    EXPECT_TRUE(s.digit7Visible);
    EXPECT_FALSE(s.digit8Visible);
}
