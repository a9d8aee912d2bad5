// The whole path of a pass without hardware: the port named in the settings, the simulator's
// socket behind it, the watcher thread and the trigger, down to the protocol lines.
#include "app/window/TFormMain.h"
#include "serial/SerialDevice.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "serial/TComPort.h"
#include "settings/Registry.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

bool processUntil(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

TEST(SimulatorRun, PortFromTheSettingsAndThreeSimulatedPassesTimeARun) {
    QTemporaryDir dir;
    const QString socket = dir.filePath(QStringLiteral("lbsim.sock"));
    SerialSimServer server;
    ASSERT_EQ(server.start(socket.toStdString()), 0);
    {
        Registry registry;
        ASSERT_TRUE(
            registry.OpenKey(QStringLiteral("\\Software\\") + QCoreApplication::applicationName(), true));
        registry.WriteInteger(QStringLiteral("Port"), 20);
        registry.WriteString(QStringLiteral("ComDevice20"), socket);
    }

    FakeClock clock{50000};
    FakeDialogs dialogs;
    TFormMain form;
    EXPECT_EQ(form.ComPort->Port(), 20);
    ASSERT_TRUE(form.ComPort->Connected()) << "the configured port opens at start-up";
    ASSERT_TRUE(server.waitForClient(3000));

    auto pass = [&](size_t linesAfter) {
        server.setLines(MS_DSR_ON, true);
        ASSERT_TRUE(processUntil([&] { return size_t(form.ProtocolLines().size()) >= linesAfter; }));
        server.setLines(MS_DSR_ON, false);
        ASSERT_TRUE(processUntil([&] { return (form.LastModemStatus() & MS_DSR_ON) == 0; }));
    };
    pass(2);
    clock.advance(4000);
    pass(3);
    clock.advance(720);
    pass(4);
    // A fourth pass is ignored until RESET.
    server.setLines(MS_DSR_ON, true);
    ASSERT_TRUE(processUntil([&] { return (form.LastModemStatus() & MS_DSR_ON) != 0; }));

    const QList<ProtocolLine> lines = form.ProtocolLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], (ProtocolLine{"  Lap:", "  4,00", "", ""}));
    EXPECT_EQ(lines[3], (ProtocolLine{"Stopp:", "  4,72", "    50", "10m/0,72c"}));
    form.ComPort->Close();
    clearComDeviceOverrides();
}
