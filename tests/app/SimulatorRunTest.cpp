// The whole path of a pass without hardware: the port named in the settings, the simulator's
// socket behind it, the watcher thread and the trigger, down to the protocol lines.
#include "app/window/TFormMain.h"
#include "serial/TComPort.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "tests/app/SimulatedBarrier.h"

#include <gtest/gtest.h>

using namespace platform;
using testsupport::processUntil;

TEST(SimulatorRun, PortFromTheSettingsAndThreeSimulatedPassesTimeARun) {
    SimulatedBarrier barrier;
    ASSERT_TRUE(barrier.started());
    FakeClock clock{50000};
    FakeDialogs dialogs;
    TFormMain form;
    EXPECT_EQ(form.ComPort->Port(), 20);
    ASSERT_TRUE(form.ComPort->Connected()) << "the configured port opens at start-up";
    ASSERT_TRUE(barrier.server().waitForClient(3000));

    ASSERT_TRUE(barrier.pass(form, 2));
    clock.advance(4000);
    ASSERT_TRUE(barrier.pass(form, 3));
    clock.advance(720);
    ASSERT_TRUE(barrier.pass(form, 4));
    // A fourth pass is ignored until RESET.
    barrier.server().setLines(MS_DSR_ON, true);
    ASSERT_TRUE(processUntil([&] { return (form.LastModemStatus() & MS_DSR_ON) != 0; }));

    const QList<ProtocolLine> lines = form.ProtocolLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], (ProtocolLine{"  Lap:", "  4,00", "", ""}));
    EXPECT_EQ(lines[3], (ProtocolLine{"Stopp:", "  4,72", "    50", "10m/0,72c"}));
    form.ComPort->Close();
}
