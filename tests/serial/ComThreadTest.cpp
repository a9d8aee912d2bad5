#include "serial/ComTypes.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/TComPort.h"
#include "serial/TComThread.h"
#include "testing/FakeClock.h"
#include "testing/FakeSerialDevice.h"
#include "tests/serial/CommsTestUtil.h"

#include <QTimer>
#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

struct OpenPort {
    FakeSerial fake;
    TComPort port;
    explicit OpenPort(TEvents events = TEvents::All()) {
        port.setEvents(events);
        port.Open();
        EXPECT_TRUE(fake.line().waitUntilWaiting());
    }
    FakeSerialLine& line() { return fake.line(); }
};

// Waits without running the event loop until the watcher has handed events over.
bool waitForHandOver(const TComPort& port) {
    for (int i = 0; i < 2000; ++i) {
        if (port.HandOverPending())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

} // namespace

TEST(ComThread, HandlersRunOnTheGuiThreadInTheFixedOrderInOneStep) {
    OpenPort p;
    std::vector<std::string> fired;
    std::vector<bool> onGui;
    auto record = [&](const char* name) {
        return [&, name](QObject* sender) {
            EXPECT_EQ(sender, &p.port);
            fired.push_back(name);
            onGui.push_back(QThread::currentThread() == qApp->thread());
        };
    };
    auto recordModem = [&](const char* name) {
        return [&record, name](QObject* sender, uint32_t, uint32_t) { record(name)(sender); };
    };
    p.port.OnRxChar = [&](QObject*, int inQue) { fired.push_back("RxChar " + std::to_string(inQue)); };
    p.port.OnTxEmpty = record("TxEmpty");
    p.port.OnBreak = record("Break");
    p.port.OnRing = recordModem("Ring");
    p.port.OnCTS = recordModem("CTS");
    p.port.OnDSR = recordModem("DSR");
    p.port.OnRxFlag = record("RxFlag");
    p.port.OnRLSD = recordModem("RLSD");
    p.port.OnError = record("Error");
    p.line().setInQueue(7);

    p.line().raise(0x01FF, MS_DSR_ON);
    ASSERT_TRUE(pumpUntil([&] { return fired.size() == 9; }));
    EXPECT_EQ(fired, (std::vector<std::string>{"RxChar 7", "TxEmpty", "Break", "Ring", "CTS", "DSR", "RxFlag",
                                               "RLSD", "Error"}));
    EXPECT_TRUE(std::all_of(onGui.begin(), onGui.end(), [](bool b) { return b; }));

    fired.clear();
    p.line().raise(EV_DSR | EV_CTS, MS_DSR_ON | MS_CTS_ON);
    ASSERT_TRUE(pumpUntil([&] { return fired.size() == 2; }));
    EXPECT_EQ(fired, (std::vector<std::string>{"CTS", "DSR"}));
}

TEST(ComThread, UnassignedHandlersConsumeTheirEventsSilently) {
    OpenPort p;
    int dsr = 0;
    p.line().raise(EV_CTS | EV_RING, MS_CTS_ON); // no handler for either
    ASSERT_TRUE(p.line().waitUntilTaken());
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++dsr; };
    p.line().raise(EV_DSR, MS_DSR_ON);
    ASSERT_TRUE(pumpUntil([&] { return dsr == 1; }));
    EXPECT_TRUE(p.line().waitUntilWaiting()) << "the watcher went on waiting";
}

TEST(ComThread, TheHandlerSeesTheTickAndStatusOfTheEdge) {
    FakeClock clock(1000);
    OpenPort p({TEvent::evDSR});
    std::vector<std::pair<uint32_t, uint32_t>> seen; // tick, status
    p.port.OnDSR = [&](QObject*, uint32_t status, uint32_t tick) { seen.push_back({tick, status}); };

    p.line().changeLines(MS_DSR_ON);
    ASSERT_TRUE(waitForHandOver(p.port));
    // The GUI thread gets round to it 40 ms later; the tick is still that of the edge.
    clock.advance(40);
    p.line().setModemStatus(0);
    ASSERT_TRUE(pumpUntil([&] { return seen.size() == 1; }));
    EXPECT_EQ(seen[0], std::make_pair(1000u, MS_DSR_ON));
}

TEST(ComThread, APulseMergedIntoOneWakeUpGivesBothEdgesInOrder) {
    OpenPort p({TEvent::evDSR});
    std::vector<uint32_t> statuses;
    p.port.OnDSR = [&](QObject*, uint32_t status, uint32_t) { statuses.push_back(status); };
    p.line().pulse(MS_DSR_ON); // on and off again before the watcher woke
    ASSERT_TRUE(pumpUntil([&] { return statuses.size() == 2; }));
    EXPECT_EQ(statuses, (std::vector<uint32_t>{MS_DSR_ON, 0u}));
}

TEST(ComThread, UnsubscribedEventsAreNotReported) {
    OpenPort p({TEvent::evDSR});
    int cts = 0;
    int dsr = 0;
    p.port.OnCTS = [&](QObject*, uint32_t, uint32_t) { ++cts; };
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++dsr; };
    p.line().changeLines(MS_CTS_ON);
    p.line().changeLines(MS_CTS_ON | MS_DSR_ON);
    ASSERT_TRUE(pumpUntil([&] { return dsr == 1; }));
    EXPECT_EQ(cts, 0);
}

TEST(ComThread, CloseRunsAHandOverThatIsAlreadyPendingAndDoesNotDeadlock) {
    OpenPort p({TEvent::evDSR});
    std::vector<std::string> order;
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) { order.push_back("DSR"); };
    p.port.OnClose = [&](QObject*) { order.push_back("close"); };
    p.line().changeLines(MS_DSR_ON);
    ASSERT_TRUE(waitForHandOver(p.port)); // no event loop turn in between
    p.port.Close();
    EXPECT_EQ(order, (std::vector<std::string>{"DSR", "close"}));
    EXPECT_FALSE(p.port.Connected());
    EXPECT_EQ(p.line().openDevices(), 0);
    QCoreApplication::processEvents(); // the stale queued call finds nothing to do
    EXPECT_EQ(order.size(), 2u);
}

TEST(ComThread, CloseRacingAStreamOfEventsNeverHangs) {
    for (int round = 0; round < 30; ++round) {
        OpenPort p({TEvent::evDSR});
        int dsr = 0;
        p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++dsr; };
        std::atomic<bool> run{true};
        std::thread edges([&] {
            uint32_t status = 0;
            while (run.load()) {
                status ^= MS_DSR_ON;
                p.line().changeLines(status);
                std::this_thread::sleep_for(std::chrono::microseconds(50 + round * 10));
            }
        });
        pumpUntil([&] { return dsr > round % 5; }, 1000);
        p.port.Close();
        run.store(false);
        edges.join();
        EXPECT_FALSE(p.port.Connected());
        EXPECT_EQ(p.line().openDevices(), 0);
        EXPECT_EQ(p.line().callsAfterClose(), 0);
    }
}

TEST(ComThread, CloseFromInsideAHandlerDoesNotDeadlock) {
    OpenPort p({TEvent::evDSR});
    int dsr = 0;
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) {
        ++dsr;
        p.port.Close();
    };
    p.line().pulse(MS_DSR_ON); // two events in one hand-over; the second belongs to a closed port
    ASSERT_TRUE(pumpUntil([&] { return !p.port.Connected(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(dsr, 1);
    EXPECT_EQ(p.line().openDevices(), 0);
}

TEST(ComThread, AFailingDeviceEndsTheWatcherQuietlyAndTheWaitDoesNotSpin) {
    OpenPort p({TEvent::evDSR});
    int dsr = 0;
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) { ++dsr; };
    p.line().setFailure(SerialCall::Wait, 5); // EIO: the adapter was unplugged
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    QCoreApplication::processEvents();
    EXPECT_EQ(p.line().waitCalls(), 1) << "one failed wait, then the watcher ended";
    EXPECT_TRUE(p.port.Connected()) << "the port stays connected until Close";
    EXPECT_EQ(p.port.ModemStatus(), 0u);
    EXPECT_EQ(dsr, 0);
    p.port.Close();
    EXPECT_EQ(p.line().openDevices(), 0);
}

TEST(ComThread, TheWatcherPurgesInputWhenItEnds) {
    OpenPort p;
    p.port.Close();
    const auto log = p.line().log();
    const auto purge = std::find(log.begin(), log.end(), "purge 10");
    ASSERT_NE(purge, log.end());
    EXPECT_EQ(*(purge + 1), "close") << "purged before the device is closed";
}

TEST(ComThread, AnExceptionInAHandlerStillReleasesTheWatcher) {
    OpenPort p({TEvent::evDSR});
    int dsr = 0;
    p.port.OnDSR = [&](QObject*, uint32_t, uint32_t) {
        ++dsr;
        throw std::runtime_error("handler failed");
    };
    p.line().changeLines(MS_DSR_ON);
    ASSERT_TRUE(waitForHandOver(p.port));
    // Run the hand-over while nothing else in the event loop can see the exception.
    p.port.Close();
    EXPECT_EQ(dsr, 1);
    EXPECT_EQ(p.line().openDevices(), 0);
}

TEST(ComThread, AFailedWaitEndsTheWatcherAndTellsTheGuiThreadWhyOnce) {
    OpenPort p({TEvent::evDSR});
    std::vector<TWatchEnd> ends;
    std::vector<bool> onGui;
    p.port.OnWatchEnd = [&](QObject* sender, const TWatchEnd& end) {
        EXPECT_EQ(sender, &p.port);
        ends.push_back(end);
        onGui.push_back(QThread::currentThread() == qApp->thread());
    };
    p.line().setFailure(SerialCall::Wait, EIO); // unplugged
    ASSERT_TRUE(pumpUntil([&] { return !ends.empty(); }));
    EXPECT_EQ(ends[0].Reason, TWatchEndReason::DeviceGone);
    EXPECT_EQ(ends[0].Error, EIO);
    EXPECT_TRUE(onGui[0]);
    EXPECT_FALSE(p.port.Watching());
    EXPECT_TRUE(p.port.Connected()) << "the port stays open until it is closed";
    pumpUntil([] { return false; }, 50);
    EXPECT_EQ(ends.size(), 1u);
    p.port.Close();
    EXPECT_EQ(ends.size(), 1u);
}

TEST(ComThread, AStopThroughCloseIsNotReportedAndOtherErrorsAreErrors) {
    {
        OpenPort p({TEvent::evDSR});
        int ends = 0;
        p.port.OnWatchEnd = [&](QObject*, const TWatchEnd&) { ++ends; };
        EXPECT_TRUE(p.port.Watching());
        p.port.Close();
        pumpUntil([] { return false; }, 50);
        EXPECT_EQ(ends, 0);
    }
    EXPECT_EQ(WatchEndReasonOf(ENODEV), TWatchEndReason::DeviceGone);
    EXPECT_EQ(WatchEndReasonOf(ENXIO), TWatchEndReason::DeviceGone);
    EXPECT_EQ(WatchEndReasonOf(EINVAL), TWatchEndReason::Error);
}
