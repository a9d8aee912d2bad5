#include "app/run/RunSession.h"

#include <gtest/gtest.h>

namespace {

const QTime nineOFive(9, 5, 7);
const QString comma = QStringLiteral(",");

/// A session brought into `phase` by the ordinary actions, starting at tick 1000.
RunSession sessionIn(RunPhase phase) {
    RunSession s;
    if (phase == RunPhase::Idle)
        return s;
    s.Start(1000, QStringLiteral("1"), QString(), nineOFive);
    if (phase == RunPhase::Running)
        return s;
    s.Lap(2000);
    s.CompleteLap();
    if (phase == RunPhase::Lapped)
        return s;
    s.Stop(2720, comma);
    return s;
}

/// Runs `action` at tick 5000 and tells whether it produced anything.
bool run(RunSession& s, RunAction action) {
    switch (action) {
    case RunAction::Start:
        return s.Start(5000, QStringLiteral("3"), QStringLiteral("Bert"), nineOFive).has_value();
    case RunAction::Lap:
        return s.Lap(5000).has_value();
    case RunAction::Stop:
        return s.Stop(5000, comma).has_value();
    case RunAction::Reset:
        return s.Reset(3).has_value();
    }
    return false;
}

const char* name(RunPhase p) {
    static const char* const names[] = {"Idle", "Running", "Lapped", "Stopped"};
    return names[int(p)];
}

const char* name(RunAction a) {
    static const char* const names[] = {"Start", "Lap", "Stop", "Reset"};
    return names[int(a)];
}

} // namespace

TEST(RunSession, EveryActionInEveryPhase) {
    constexpr RunPhase I = RunPhase::Idle, R = RunPhase::Running, L = RunPhase::Lapped, S = RunPhase::Stopped;
    struct Row {
        RunPhase from;
        RunEnables enables; // start, lap, stop, reset, start number, clock
        RunPhase after[4];  // after Start, Lap, Stop, Reset; the same phase means refused
    };
    const Row table[] = {
        {I, {true, false, false, false, true, false}, {R, I, I, I}},
        {R, {false, true, false, true, false, true}, {R, L, R, I}},
        {L, {false, false, true, true, false, true}, {L, L, S, I}},
        {S, {false, false, false, true, false, false}, {S, S, S, I}},
    };
    for (const Row& row : table) {
        EXPECT_EQ(sessionIn(row.from).Enables(), row.enables) << name(row.from);
        for (RunAction a : {RunAction::Start, RunAction::Lap, RunAction::Stop, RunAction::Reset}) {
            RunSession s = sessionIn(row.from);
            const uint32_t ticks[3] = {s.StartTick(), s.LapTick(), s.StopTick()};
            const bool enabled = s.IsEnabled(a);
            EXPECT_EQ(run(s, a), enabled) << name(row.from) << " " << name(a);
            EXPECT_EQ(s.Phase(), row.after[int(a)]) << name(row.from) << " " << name(a);
            if (!enabled) {
                EXPECT_EQ(s.StartTick(), ticks[0]) << "a refused action keeps the ticks";
                EXPECT_EQ(s.LapTick(), ticks[1]);
                EXPECT_EQ(s.StopTick(), ticks[2]);
            }
        }
    }
}

TEST(RunSession, AFullRunProducesItsLinesAndDisplayValues) {
    RunSession s;
    const std::optional<StartResult> start =
        s.Start(10000, QStringLiteral("7"), QStringLiteral("Anna"), nineOFive);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->lines,
              (QList<ProtocolLine>{{"  Nr.:", "7", "Anna", ""}, {"Start:", "  0,00", "", "9:05.07"}}));
    EXPECT_EQ(s.LapTick(), 0u);
    EXPECT_EQ(s.Elapsed(22340), 12340);

    const std::optional<LapResult> lap = s.Lap(15230);
    ASSERT_TRUE(lap);
    EXPECT_EQ(lap->time, 5230);
    EXPECT_EQ(lap->line, (ProtocolLine{"  Lap:", "  5,23", "", ""}));
    EXPECT_FALSE(s.IsEnabled(RunAction::Stop)) << "STOP waits until the LAP is complete";
    EXPECT_TRUE(s.CompleteLap());
    EXPECT_TRUE(s.IsEnabled(RunAction::Stop));

    const std::optional<StopResult> stop = s.Stop(15950, comma);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->time, 5950);
    EXPECT_EQ(stop->speed, 50000);
    EXPECT_EQ(stop->line, (ProtocolLine{"Stopp:", "  5,95", "    50", "10m/0,72c"}));
    EXPECT_EQ(s.StopTick(), 15950u);

    const std::optional<ResetResult> reset = s.Reset(7);
    ASSERT_TRUE(reset);
    EXPECT_EQ(reset->startNumber, 8);
    EXPECT_EQ(reset->line, (ProtocolLine{"-", "", "", ""}));
}

TEST(RunSession, StartNumberTextAndResetNumberStayInRange) {
    RunSession s;
    EXPECT_EQ(s.Start(0, QStringLiteral("x"), QString(), nineOFive)->lines[0].time, "1")
        << "not a number reads as 1";
    EXPECT_EQ(s.Reset(RunSession::StartNumberMax)->startNumber, RunSession::StartNumberMax);
}

TEST(RunSession, ResetEndsTheRunWithLapAndStopOff) {
    // From Running: LAP must not survive into idle.
    RunSession s = sessionIn(RunPhase::Running);
    s.Reset(1);
    EXPECT_EQ(s.Enables(), (RunEnables{true, false, false, false, true, false}));
    // From Lapped: STOP must not survive, so the next START cannot be stopped at once.
    s = sessionIn(RunPhase::Lapped);
    s.Reset(1);
    s.Start(9000, QStringLiteral("2"), QString(), nineOFive);
    EXPECT_FALSE(s.Stop(9100, comma));
    EXPECT_EQ(s.Phase(), RunPhase::Running);
}

TEST(RunSession, AResetWhileTheLapIsPendingKeepsStopOff) {
    RunSession s = sessionIn(RunPhase::Running);
    ASSERT_TRUE(s.Lap(3000));
    ASSERT_TRUE(s.Reset(1));
    EXPECT_FALSE(s.CompleteLap());
    EXPECT_FALSE(s.IsEnabled(RunAction::Stop));
    // A new run started inside the pending LAP is not completed by the old LAP either.
    ASSERT_TRUE(s.Start(4000, QStringLiteral("2"), QString(), nineOFive));
    EXPECT_FALSE(s.CompleteLap());
    EXPECT_TRUE(s.IsEnabled(RunAction::Lap));
    // A LAP completes only once.
    ASSERT_TRUE(s.Lap(5000));
    EXPECT_TRUE(s.CompleteLap());
    EXPECT_FALSE(s.CompleteLap());
}

TEST(RunSession, LapAndStopInTheSameTickGiveNoSpeed) {
    RunSession s = sessionIn(RunPhase::Running); // started at 1000
    s.Lap(1800);
    s.CompleteLap();
    const std::optional<StopResult> stop = s.Stop(1800, comma);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->line, (ProtocolLine{"Stopp:", "  0,80", "     -", "10m/0c"}));
    EXPECT_EQ(stop->speed, 0);
    EXPECT_EQ(s.Phase(), RunPhase::Stopped);
}

TEST(RunSession, TimesAreRightAcrossTheTickWrap) {
    RunSession s;
    s.Start(0xFFFFFC18u, QStringLiteral("1"), QString(), nineOFive); // 1000 ms before the wrap
    EXPECT_EQ(s.Elapsed(0x000001F4u), 1500);
    EXPECT_EQ(s.Lap(0x000001F4u)->line.time, "  1,50");
    s.CompleteLap();
    const std::optional<StopResult> stop = s.Stop(0x000004C4u, QStringLiteral("."));
    EXPECT_EQ(stop->time, 2220);
    EXPECT_EQ(stop->line, (ProtocolLine{"Stopp:", "  2,22", "    50", "10m/0.72c"}));

    // The lap-to-stop interval may span the wrap too.
    RunSession w;
    w.Start(0xFFFFFF00u, QStringLiteral("1"), QString(), nineOFive);
    w.Lap(0xFFFFFFF0u);
    w.CompleteLap();
    EXPECT_EQ(w.Stop(0x00000010u, comma)->line.note, "10m/0,03c") << "32 ms across the wrap";
}

TEST(RunSession, ResolutionShapesTheTimeTexts) {
    RunSession s;
    s.setAcc(0);
    s.Start(0, QStringLiteral("1"), QString(), nineOFive);
    EXPECT_EQ(s.Lap(999)->line.time, "  0");
    s.setAcc(1);
    s.CompleteLap();
    EXPECT_EQ(s.Stop(12345, comma)->line.time, " 12,3");
}

TEST(RunSession, TheBarrierTakesStartThenStopThenLap) {
    struct Case {
        RunPhase phase;
        bool lapPending;
        std::optional<RunAction> next;
    };
    const Case cases[] = {
        {RunPhase::Idle, false, RunAction::Start},  {RunPhase::Running, false, RunAction::Lap},
        {RunPhase::Lapped, false, RunAction::Stop}, {RunPhase::Lapped, true, std::nullopt},
        {RunPhase::Stopped, false, std::nullopt},
    };
    for (const Case& c : cases) {
        RunSession s = sessionIn(c.phase == RunPhase::Lapped && c.lapPending ? RunPhase::Running : c.phase);
        if (c.lapPending)
            s.Lap(1500); // a pass waiting while the LAP repaints finds nothing to do
        EXPECT_EQ(s.NextBarrierAction(), c.next) << name(c.phase) << c.lapPending;
    }
    // Three passes time a whole run; a fourth does nothing until RESET.
    RunSession s;
    while (const std::optional<RunAction> next = s.NextBarrierAction()) {
        ASSERT_TRUE(run(s, *next));
        s.CompleteLap();
    }
    EXPECT_EQ(s.Phase(), RunPhase::Stopped);
}
