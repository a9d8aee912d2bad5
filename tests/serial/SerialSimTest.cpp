#include "serial/ComTypes.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "serial/TComPort.h"
#include "serial/TComThread.h"
#include "tests/serial/CommsTestUtil.h"

#include <QDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {
std::string socketPath() {
    return (QDir::tempPath() + "/vantro-simtest-" + QString::number(::getpid()) + ".sock").toStdString();
}
} // namespace

TEST(SerialSim, APortOnTheSimulatorSeesEveryEdgeInOrder) {
    SerialSimServer server;
    const std::string path = socketPath();
    ASSERT_EQ(server.start(path), 0);
    server.setStatus(MS_CTS_ON);
    setComDeviceOverride(9, path);

    TComPort port;
    port.setPort(9);
    port.setEvents({TEvent::evDSR});
    std::vector<uint32_t> seen;
    port.OnDSR = [&](QObject*, uint32_t status, uint32_t) { seen.push_back(status); };
    port.Open();
    ASSERT_TRUE(server.waitForClient(2000));
    EXPECT_EQ(port.ModemStatus(), MS_CTS_ON) << "the greeting sets the starting state";

    // A 0.5 ms pulse: both edges usually arrive in one read; each still becomes an event.
    server.setLines(MS_DSR_ON, true);
    std::this_thread::sleep_for(std::chrono::microseconds(500));
    server.setLines(MS_DSR_ON, false);
    server.setLines(MS_CTS_ON, false); // not subscribed
    server.setLines(MS_DSR_ON, true);
    ASSERT_TRUE(pumpUntil([&] { return seen.size() == 3; }));
    EXPECT_EQ(seen, (std::vector<uint32_t>{MS_CTS_ON | MS_DSR_ON, MS_CTS_ON, MS_DSR_ON}));
    EXPECT_EQ(port.ModemStatus(), MS_DSR_ON);

    // The simulator going away is like an unplugged adapter: the watcher ends, the port stays.
    server.stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    QCoreApplication::processEvents();
    EXPECT_TRUE(port.Connected());
    port.Close();
    setComDeviceOverride(9, "");
}

TEST(SerialSim, NoSimulatorListeningIsAnOpenFailure) {
    const std::string path = socketPath();
    {
        SerialSimServer server;
        ASSERT_EQ(server.start(path), 0);
        server.stop(); // removes the socket file
    }
    setComDeviceOverride(9, path);
    TComPort port;
    port.setPort(9);
    try {
        port.Open();
        ADD_FAILURE() << "no simulator";
    } catch (const EComHandle& e) {
        EXPECT_EQ(e.Message(), "Unable to open com port: 2");
    }
    setComDeviceOverride(9, "");
}

TEST(SerialSim, LikeARealPortItServesOneClientRefusesASecondAndServesTheNextOneLater) {
    SerialSimServer server;
    const std::string path = socketPath();
    ASSERT_EQ(server.start(path), 0);
    setComDeviceOverride(9, path);
    setComDeviceOverride(10, path);

    TComPort first;
    first.setPort(9);
    first.setEvents({TEvent::evDSR});
    int firstEdges = 0;
    first.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++firstEdges; };
    first.Open();
    ASSERT_TRUE(server.waitForClient(2000));

    TComPort second;
    second.setPort(10);
    try {
        second.Open();
        ADD_FAILURE() << "a second client must be refused";
    } catch (const EComHandle& e) {
        EXPECT_EQ(e.Message(), "Unable to open com port: " + QString::number(EBUSY));
    }
    EXPECT_EQ(server.refused(), 1);
    server.setLines(MS_DSR_ON, true);
    ASSERT_TRUE(pumpUntil([&] { return firstEdges == 1; })) << "the first client is still served";

    // The first goes; the next one is greeted with the line state and sees the edges.
    first.Close();
    ASSERT_TRUE(pumpUntil([&] { return !server.connected(); }));
    int secondEdges = 0;
    second.setEvents({TEvent::evDSR});
    second.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++secondEdges; };
    second.Open();
    ASSERT_TRUE(server.waitForClient(2000));
    EXPECT_EQ(second.ModemStatus(), MS_DSR_ON);
    server.setLines(MS_DSR_ON, false);
    ASSERT_TRUE(pumpUntil([&] { return secondEdges == 1; }));

    // The simulator ending is reported like an unplugged adapter.
    std::vector<TWatchEnd> ends;
    second.OnWatchEnd = [&](QObject*, const TWatchEnd& end) { ends.push_back(end); };
    server.stop();
    ASSERT_TRUE(pumpUntil([&] { return !ends.empty(); }));
    EXPECT_EQ(ends[0].Reason, TWatchEndReason::DeviceGone);
    second.Close();
    setComDeviceOverride(9, "");
    setComDeviceOverride(10, "");
}
