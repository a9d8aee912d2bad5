#include "serial/SerialModemChanges.h"
#include "serial/SerialPortNames.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(SerialModemChanges, OneEdgePerLineGivesOneEventWithAllBits) {
    const auto events = expandModemChanges(0, MS_DSR_ON | MS_CTS_ON, {1, 1, 0, 0}, 0x1FF);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], (SerialEvent{EV_DSR | EV_CTS, MS_DSR_ON | MS_CTS_ON}));
}

TEST(SerialModemChanges, MergedDsrEdgesAreSplitInOrder) {
    // A pulse shorter than the wake-up: counted twice, level back where it was.
    auto events = expandModemChanges(0, 0, {0, 2, 0, 0}, EV_DSR);
    EXPECT_EQ(events, (std::vector<SerialEvent>{{EV_DSR, MS_DSR_ON}, {EV_DSR, 0}}));
    // Three changes from on: off, on, off... ending at the level read last.
    events = expandModemChanges(MS_DSR_ON | MS_CTS_ON, MS_CTS_ON, {1, 3, 0, 0}, EV_DSR | EV_CTS);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], (SerialEvent{EV_DSR | EV_CTS, MS_CTS_ON}));
    EXPECT_EQ(events[1], (SerialEvent{EV_DSR, MS_CTS_ON | MS_DSR_ON}));
    EXPECT_EQ(events[2], (SerialEvent{EV_DSR, MS_CTS_ON}));
}

TEST(SerialModemChanges, LevelsWinOverACounterThatMissedAnEdge) {
    // Level changed but the counter says two: there were three edges.
    auto events = expandModemChanges(0, MS_DSR_ON, {0, 2, 0, 0}, EV_DSR);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events.back().modemStatus, MS_DSR_ON);
    // No counter at all, level changed: one edge.
    events = expandModemChanges(0, MS_DSR_ON, {}, EV_DSR);
    EXPECT_EQ(events, (std::vector<SerialEvent>{{EV_DSR, MS_DSR_ON}}));
}

TEST(SerialModemChanges, UnsubscribedLinesAndQuietLinesGiveNoEvents) {
    EXPECT_TRUE(expandModemChanges(0, MS_CTS_ON, {1, 0, 0, 0}, EV_DSR).empty());
    EXPECT_TRUE(expandModemChanges(MS_DSR_ON, MS_DSR_ON, {}, 0x1FF).empty());
    EXPECT_TRUE(expandModemChanges(0, 0, {0, 2, 0, 0}, EV_CTS).empty());
}

TEST(SerialModemChanges, ABouncingContactIsCappedKeepingTheFinalLevel) {
    const auto events = expandModemChanges(0, MS_DSR_ON, {0, 1001, 0, 0}, EV_DSR, 16);
    EXPECT_EQ(events.size(), 15u);
    EXPECT_EQ(events.front().modemStatus, MS_DSR_ON);
    EXPECT_EQ(events.back().modemStatus, MS_DSR_ON);
}

TEST(SerialPortNames, TableOverridesAndNumbers) {
    EXPECT_EQ(comDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(comDevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(comDevicePath(5), "/dev/ttyUSB0");
    EXPECT_EQ(comDevicePath(12), "/dev/ttyUSB7");
    EXPECT_EQ(comDevicePath(13), "/dev/ttyACM0");
    EXPECT_EQ(comDevicePath(16), "/dev/ttyACM3");
    EXPECT_EQ(comDevicePath(0), "");
    EXPECT_EQ(comDevicePath(17), "");

    setComDeviceOverride(5, "/dev/serial/by-id/usb-barrier");
    setComDeviceOverride(20, "/tmp/lbsim.sock");
    EXPECT_EQ(comDevicePath(5), "/dev/serial/by-id/usb-barrier");
    EXPECT_EQ(comDevicePath(20), "/tmp/lbsim.sock");
    setComDeviceOverride(5, "");
    EXPECT_EQ(comDevicePath(5), "/dev/ttyUSB0");
    clearComDeviceOverrides();
    EXPECT_EQ(comDevicePath(20), "");

    EXPECT_EQ(comPortNumber("COM3"), 3);
    EXPECT_EQ(comPortNumber("COM12"), 12);
    EXPECT_EQ(comPortNumber("com16"), 16);
    EXPECT_EQ(comPortNumber("COM"), 0);
    EXPECT_EQ(comPortNumber("COM1x"), 0);
    EXPECT_EQ(comPortNumber("LPT1"), 0);
    EXPECT_EQ(comPortNumber("COM99999999"), 0);
}
