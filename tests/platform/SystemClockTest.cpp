#include "testing/FakeClock.h"

#include <gtest/gtest.h>

using platform::FakeClock;

TEST(SystemClock, FakeClockReplacesTheRealOneOnlyWhileItLives) {
    const uint32_t before = GetTickCount();
    {
        FakeClock fake(0xFFFFFFF0u);
        EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
        fake.advance(0x20);
        EXPECT_EQ(GetTickCount(), 0x10u) << "the counter wraps at 2^32";
    }
    // Back on the real counter, which only moves forward (modulo the wrap).
    EXPECT_LT(static_cast<uint32_t>(GetTickCount() - before), 60000u);
}

TEST(SystemClock, RealTickCounterAdvancesInMilliseconds) {
    platform::RealClock real;
    const uint32_t a = real.tickCount();
    QDateTime start = QDateTime::currentDateTime();
    while (start.msecsTo(QDateTime::currentDateTime()) < 30) {
    }
    const uint32_t elapsed = real.tickCount() - a;
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 2000u);
}
