#include "app/run/BarrierLink.h"

#include <cerrno>
#include <gtest/gtest.h>

TEST(BarrierLink, LostDeviceIsTriedEverySecondAndShowsSinceWhen) {
    BarrierLink link;
    EXPECT_EQ(link.Text(), "Lichtschranke: kein Port");
    link.PortChosen("COM5", "/dev/serial/by-id/usb-adapter");
    link.Opened();
    EXPECT_EQ(link.State(), BarrierState::Connected);
    EXPECT_EQ(link.Text(), "Lichtschranke: COM5 verbunden");
    EXPECT_EQ(link.ToolTip(), "Ger\u00e4t: /dev/serial/by-id/usb-adapter");
    EXPECT_FALSE(link.RetryDue(123456));

    link.WatcherEnded(TWatchEnd{TWatchEndReason::DeviceGone, EIO, 5000}, QTime(14, 3, 12));
    EXPECT_EQ(link.State(), BarrierState::Lost);
    EXPECT_EQ(link.Text(), "Lichtschranke: COM5 getrennt seit 14:03:12");
    EXPECT_EQ(link.Color(), clRed);
    EXPECT_FALSE(link.RetryDue(5999));
    EXPECT_TRUE(link.RetryDue(6000));

    // A failed attempt keeps the time of the loss; the next is due a second later.
    link.OpenFailed(ENOENT, 6000);
    EXPECT_EQ(link.State(), BarrierState::Lost);
    EXPECT_EQ(link.LostSince(), QTime(14, 3, 12));
    EXPECT_TRUE(link.ToolTip().contains("Letzter Fehler"));
    EXPECT_FALSE(link.RetryDue(6999));
    EXPECT_TRUE(link.RetryDue(7000));
    link.Opened();
    EXPECT_EQ(link.State(), BarrierState::Connected);
    EXPECT_FALSE(link.Retrying());
}

TEST(BarrierLink, APortMissingAtStartUpIsReconnectingAndChoosingAnotherStopsIt) {
    BarrierLink link;
    link.PortChosen("COM3", "/dev/ttyS2");
    link.OpenFailed(ENOENT, 0xFFFFFF00u);
    EXPECT_EQ(link.State(), BarrierState::Reconnecting);
    EXPECT_EQ(link.Text(), "Lichtschranke: verbinde COM3 \u2026");
    EXPECT_FALSE(link.RetryDue(0xFFFFFFFFu));
    EXPECT_TRUE(link.RetryDue(0x000002E8u)) << "1000 ms later across the wrap";

    link.PortChosen(QString(), QString());
    EXPECT_EQ(link.State(), BarrierState::NoPort);
    EXPECT_FALSE(link.RetryDue(0x10000000u));
    link.OpenFailed(ENOENT, 0); // no port: nothing to retry
    EXPECT_FALSE(link.Retrying());
}

TEST(BarrierLink, AWatcherEndWhileNotConnectedChangesNothing) {
    BarrierLink link;
    link.PortChosen("COM3", "/dev/ttyS2");
    link.OpenFailed(EACCES, 10);
    link.WatcherEnded(TWatchEnd{TWatchEndReason::Error, EIO, 20}, QTime(1, 2, 3));
    EXPECT_EQ(link.State(), BarrierState::Reconnecting);
}
