#include "app/run/RunTexts.h"

#include <gtest/gtest.h>

TEST(FormatRunTime, TruncatesToTheResolutionAndPadsTheSeconds) {
    struct Row {
        int64_t ms;
        const char* acc2;
        const char* acc1;
        const char* acc0;
    };
    const Row rows[] = {
        {10, "  0,01", "  0,0", "  0"},         {400, "  0,40", "  0,4", "  0"},
        {999, "  0,99", "  0,9", "  0"},        {5230, "  5,23", "  5,2", "  5"},
        {65432, " 65,43", " 65,4", " 65"},      {123456, "123,45", "123,4", "123"},
        {1234567, "1234,56", "1234,5", "1234"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FormatRunTime(r.ms, 2), QString::fromLatin1(r.acc2)) << r.ms;
        EXPECT_EQ(FormatRunTime(r.ms, 1), QString::fromLatin1(r.acc1)) << r.ms;
        EXPECT_EQ(FormatRunTime(r.ms, 0), QString::fromLatin1(r.acc0)) << r.ms;
    }
}

TEST(FormatRunTime, AlwaysUsesACommaAndTreatsAnyHigherResolutionAsHundredths) {
    EXPECT_EQ(FormatRunTime(5230, 7), QStringLiteral("  5,23"));
    EXPECT_EQ(FormatRunTime(0, 2), QStringLiteral("  0,00"));
}

TEST(TickInterval, MeasuresAcrossTheCounterWrap) {
    EXPECT_EQ(TickInterval(0xFFFFFF00u, 0x000002E8u), 1000);
    EXPECT_EQ(TickInterval(100, 40), -60);
}

TEST(FormatTimeOfDay, PadsMinuteAndSecondWithZeros) {
    EXPECT_EQ(FormatTimeOfDay(QTime(9, 5, 7)), QStringLiteral("9:05.07"));
    EXPECT_EQ(FormatTimeOfDay(QTime(14, 30, 0)), QStringLiteral("14:30.00"));
    EXPECT_EQ(FormatTimeOfDay(QTime(0, 0, 0)), QStringLiteral("0:00.00"));
}

TEST(ComputeSpeed, TenMetresIn720MillisecondsIsFiftyKilometresPerHour) {
    const SpeedResult r = ComputeSpeed(10, 720, QStringLiteral(","));
    EXPECT_TRUE(r.measured);
    EXPECT_EQ(r.value, 50000);
    EXPECT_EQ(r.speedText, QStringLiteral("    50"));
    EXPECT_EQ(r.noteText, QStringLiteral("10m/0,72c"));
}

TEST(ComputeSpeed, WritesTheShortestDecimalWithTheGivenSeparator) {
    EXPECT_EQ(ComputeSpeed(10, 360, QStringLiteral(",")).noteText, QStringLiteral("10m/0,36c"));
    // 10 m in 7.3 s is 4.9315.. km/h: 4932 thousandths, the text truncated to hundredths.
    const SpeedResult r = ComputeSpeed(10, 7300, QStringLiteral("."));
    EXPECT_EQ(r.value, 4932);
    EXPECT_EQ(r.speedText, QStringLiteral("  4.93"));
    EXPECT_EQ(r.noteText, QStringLiteral("10m/7.3c"));
    EXPECT_EQ(FormatHundredths(3650, QStringLiteral(",")), QStringLiteral("36,5"));
    EXPECT_EQ(FormatHundredths(3605, QStringLiteral(",")), QStringLiteral("36,05"));
    EXPECT_EQ(FormatHundredths(5000, QStringLiteral(",")), QStringLiteral("50"));
}

TEST(ComputeSpeed, RoundsHalvesToEven) {
    // 3600000 / 256 = 14062.5 thousandths: the even neighbour wins.
    EXPECT_EQ(ComputeSpeed(1, 256, QStringLiteral(",")).value, 14062);
    // Note seconds: 25 ms is 2.5 hundredths -> 2, 35 ms is 3.5 -> 4.
    EXPECT_EQ(ComputeSpeed(1, 25, QStringLiteral(",")).noteText, QStringLiteral("1m/0,02c"));
    EXPECT_EQ(ComputeSpeed(1, 35, QStringLiteral(",")).noteText, QStringLiteral("1m/0,04c"));
}

TEST(ComputeSpeed, NoTimeBetweenLapAndStopGivesNoSpeedInsteadOfDividingByZero) {
    for (int32_t d : {0, -5}) {
        const SpeedResult r = ComputeSpeed(10, d, QStringLiteral(","));
        EXPECT_FALSE(r.measured);
        EXPECT_EQ(r.value, 0);
        EXPECT_EQ(r.speedText, QStringLiteral("     -"));
    }
    EXPECT_EQ(ComputeSpeed(10, 0, QStringLiteral(",")).noteText, QStringLiteral("10m/0c"));
}
