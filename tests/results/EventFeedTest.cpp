#include "app/results/EventFeed.h"

#include <gtest/gtest.h>

namespace {

const QDateTime morning(QDate(2026, 5, 17), QTime(9, 30, 0));

struct Fed {
    RunSession session;
    EventFeed feed;

    std::optional<RunRecord> act(RunAction action, uint32_t tick, int number = 7) {
        switch (action) {
        case RunAction::Start:
            session.Start(tick, QString::number(number), {}, morning.time());
            break;
        case RunAction::Lap:
            session.Lap(tick);
            session.CompleteLap();
            break;
        case RunAction::Stop:
            session.Stop(tick, QStringLiteral(","));
            break;
        case RunAction::Reset:
            session.Reset(number);
            break;
        }
        return feed.take(action, session, number, morning);
    }
};

} // namespace

TEST(EventFeed, StopGivesAFinishedRunWithTimesFromTheTicks) {
    Fed f;
    f.session.setLenLuch(10);
    EXPECT_FALSE(f.act(RunAction::Start, 1000));
    EXPECT_FALSE(f.act(RunAction::Lap, 41000));
    const std::optional<RunRecord> run = f.act(RunAction::Stop, 42000);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->startNumber, 7);
    EXPECT_EQ(run->status, RunStatus::Finished);
    EXPECT_EQ(run->runTimeMs, 41000);
    EXPECT_EQ(run->lapTimeMs, 40000);
    EXPECT_EQ(run->speed, 36000) << "10 m in 1 s: 36 km/h in thousandths";
    EXPECT_EQ(run->startTime, morning);
    EXPECT_FALSE(f.act(RunAction::Reset, 43000)) << "RESET after STOP ends nothing more";
}

TEST(EventFeed, TheTickCounterWrappingDuringARunStillGivesTheRightTime) {
    Fed f;
    f.act(RunAction::Start, 0xFFFFF000u);
    f.act(RunAction::Lap, 0x00000100u);
    const std::optional<RunRecord> run = f.act(RunAction::Stop, 0x00000200u);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->runTimeMs, 0x1200);
    EXPECT_EQ(run->lapTimeMs, 0x1100);
}

TEST(EventFeed, ResetWithoutStopIsAnAbbruchWithWhatWasTimed) {
    Fed f;
    f.act(RunAction::Start, 500, 12);
    f.act(RunAction::Lap, 3500, 12);
    const std::optional<RunRecord> run = f.act(RunAction::Reset, 4000, 12);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->startNumber, 12);
    EXPECT_EQ(run->status, RunStatus::DidNotFinish);
    EXPECT_FALSE(run->runTimeMs);
    EXPECT_EQ(run->lapTimeMs, 3000);
    EXPECT_FALSE(f.feed.running());
    EXPECT_EQ(f.feed.lastStartNumber(), 12);
}

TEST(EventFeed, LapAndStopInTheSameTickGiveNoSpeed) {
    Fed f;
    f.act(RunAction::Start, 0);
    f.act(RunAction::Lap, 900);
    const std::optional<RunRecord> run = f.act(RunAction::Stop, 900);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->runTimeMs, 900);
    EXPECT_FALSE(run->speed);
}
