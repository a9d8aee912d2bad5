// The light barrier's test mode: intervals across the tick counter's wrap and the dead time it
// proposes from double edges.
#include "serial/PassIntervalMeter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

TEST(PassIntervalMeter, KeepsCountLastAndShortestIntervalAcrossTheTickWrap) {
    PassIntervalMeter meter;
    EXPECT_EQ(meter.count(), 0);
    meter.addPass(0xFFFFFF00u);
    EXPECT_EQ(meter.count(), 1);
    EXPECT_FALSE(meter.lastInterval());
    EXPECT_FALSE(meter.shortestInterval());

    struct Step {
        uint32_t tick, last, shortest;
    };
    const Step steps[] = {
        {0x00000064u, 0x164u, 0x164u}, // wrapped: 256 + 100 ms later
        {0x00000064u + 30000, 30000, 0x164u},
        {0x00000064u + 30040, 40, 40},
        {0x00000064u + 60000, 29960, 40},
    };
    int n = 1;
    for (const Step& s : steps) {
        meter.addPass(s.tick);
        EXPECT_EQ(meter.count(), ++n);
        EXPECT_EQ(meter.lastInterval(), s.last) << n;
        EXPECT_EQ(meter.shortestInterval(), s.shortest) << n;
    }
    meter.reset();
    EXPECT_EQ(meter.count(), 0);
    EXPECT_FALSE(meter.lastInterval());
    EXPECT_FALSE(meter.shortestInterval());
    EXPECT_FALSE(meter.longestDoubleEdge());
}

TEST(PassIntervalMeter, ProposesDeadTimeFromTheLongestDoubleEdgeWithMargin) {
    struct Case {
        std::vector<uint32_t> intervals;
        int proposal;
    };
    const Case cases[] = {
        {{}, 0},
        {{20000, 500, 31000}, 0},          // 500 ms is two passes, not a double edge
        {{20000, 12, 25000}, 20},          // 12 + 6 = 18, up to 20
        {{3, 20000, 120, 40, 25000}, 180}, // the longest double edge counts
        {{499}, 750},                      // 499 + 250 = 749
        {{0}, 10},                         // even edges within one millisecond need a dead time
    };
    for (const Case& c : cases) {
        PassIntervalMeter meter;
        uint32_t tick = 0xFFFFFFF0u; // every case crosses the wrap
        meter.addPass(tick);
        for (uint32_t interval : c.intervals)
            meter.addPass(tick += interval);
        EXPECT_EQ(meter.proposedDeadTime(), c.proposal) << ::testing::PrintToString(c.intervals);
    }
}
