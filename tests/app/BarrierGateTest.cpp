#include "app/run/BarrierGate.h"
#include "app/run/RunSession.h"

#include <QTime>
#include <gtest/gtest.h>

namespace {

// Runs what the gate decided on the session, as the window does.
EdgeOutcome pass(BarrierGate& gate, RunSession& s, uint32_t tick) {
    const EdgeOutcome o = gate.Decide(s, tick);
    switch (o) {
    case EdgeOutcome::Start:
        s.Start(tick, "1", "", QTime(9, 0));
        break;
    case EdgeOutcome::Lap:
        s.Lap(tick);
        s.CompleteLap();
        break;
    case EdgeOutcome::Stop:
        s.Stop(tick, ",");
        break;
    default:
        break;
    }
    return o;
}

} // namespace

TEST(BarrierGate, PassesWithinTheDeadTimeAfterAnActionRunNothing) {
    BarrierGate gate;
    gate.setDeadTime(300);
    RunSession s;
    EXPECT_EQ(pass(gate, s, 1000), EdgeOutcome::Start);
    EXPECT_EQ(pass(gate, s, 1000), EdgeOutcome::IgnoredDeadTime) << "same tick: one wake-up";
    EXPECT_EQ(pass(gate, s, 1005), EdgeOutcome::IgnoredDeadTime);
    EXPECT_EQ(pass(gate, s, 1299), EdgeOutcome::IgnoredDeadTime);
    // Ignored passes do not extend it: it runs from the pass that acted.
    EXPECT_EQ(pass(gate, s, 1300), EdgeOutcome::Lap);
    EXPECT_EQ(pass(gate, s, 1301), EdgeOutcome::IgnoredDeadTime);
    EXPECT_EQ(pass(gate, s, 5000), EdgeOutcome::Stop);
    EXPECT_EQ(pass(gate, s, 5001), EdgeOutcome::IgnoredDeadTime);
    EXPECT_EQ(pass(gate, s, 9000), EdgeOutcome::IgnoredAfterStop);
}

TEST(BarrierGate, DeadTimeZeroLetsTheRunStateAloneDecide) {
    BarrierGate gate;
    RunSession s;
    EXPECT_EQ(pass(gate, s, 7), EdgeOutcome::Start);
    EXPECT_EQ(pass(gate, s, 7), EdgeOutcome::Lap);
    EXPECT_EQ(pass(gate, s, 8), EdgeOutcome::Stop);
    EXPECT_EQ(pass(gate, s, 8), EdgeOutcome::IgnoredAfterStop);
}

TEST(BarrierGate, TicksAcrossTheWrapOfTheCounterAreMeasuredAsTheirDistance) {
    BarrierGate gate;
    gate.setDeadTime(300);
    RunSession s;
    EXPECT_EQ(pass(gate, s, 0xFFFFFFFEu), EdgeOutcome::Start);
    EXPECT_EQ(pass(gate, s, 3), EdgeOutcome::IgnoredDeadTime) << "5 ms later, after the wrap";
    EXPECT_EQ(pass(gate, s, 297), EdgeOutcome::IgnoredDeadTime);
    EXPECT_EQ(pass(gate, s, 298), EdgeOutcome::Lap) << "300 ms after the START pass";
}

TEST(BarrierGate, DeadTimeIsKeptWithinItsRange) {
    BarrierGate gate;
    gate.setDeadTime(-5);
    EXPECT_EQ(gate.DeadTime(), 0);
    gate.setDeadTime(99999);
    EXPECT_EQ(gate.DeadTime(), 5000);
}
