#include "tools/lbsim/LbSimScript.h"

#include <gtest/gtest.h>

using Kind = LbSimStep::Kind;

TEST(LbSimScript, ParsesCommandsWithTheirNumbers) {
    std::vector<LbSimStep> steps;
    std::string error;
    ASSERT_TRUE(
        parseLbSimScript({"on", "wait", "20", "off", "series", "3", "2000", "pass", "quit"}, steps, error));
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[0].kind, Kind::On);
    EXPECT_EQ(steps[1].kind, Kind::Wait);
    EXPECT_EQ(steps[1].intervalMs, 20);
    EXPECT_EQ(steps[2].kind, Kind::Off);
    EXPECT_EQ(steps[3].kind, Kind::Series);
    EXPECT_EQ(steps[3].count, 3);
    EXPECT_EQ(steps[3].intervalMs, 2000);
    EXPECT_EQ(steps[4].kind, Kind::Pass);
    EXPECT_EQ(steps[5].kind, Kind::Quit);
}

TEST(LbSimScript, BadInputIsNamedAndAddsNothing) {
    std::vector<LbSimStep> steps;
    std::string error;
    EXPECT_FALSE(parseLbSimScript({"pass", "jump"}, steps, error));
    EXPECT_EQ(error, "unknown command: jump");
    EXPECT_FALSE(parseLbSimScript({"series", "3"}, steps, error));
    EXPECT_FALSE(parseLbSimScript({"wait", "-5"}, steps, error));
    EXPECT_FALSE(parseLbSimScript({"wait", "1x"}, steps, error));
    EXPECT_TRUE(steps.empty());
}
