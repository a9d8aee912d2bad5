// The tty backend's wait with scripted modem-line calls: the interrupt wait with its counters,
// the polling fallback, cancelling, and a device that goes away. A pty provides the open tty.
#include "serial/SerialTtyDevice.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// Modem lines that a test changes; waitChange() sleeps like TIOCMIWAIT until a change or a signal.
class ScriptedModemIo : public TtyModemIo {
public:
    struct State {
        std::mutex mutex;
        int tiocm = 0;
        uint32_t counts[4] = {0, 0, 0, 0};
        bool haveCounters = true;
        int waitError = 0; // ENOTTY: the driver has no interrupt wait
        int linesError = 0;
        std::atomic<int> seq{0};
        std::atomic<int> waitCalls{0};
        std::atomic<int> flushes{0};

        // The DSR line changes `times` times.
        void toggleDsr(int times) {
            std::lock_guard lock(mutex);
            counts[1] += times;
            if (times % 2)
                tiocm ^= TIOCM_DSR;
            ++seq;
        }
    };

    explicit ScriptedModemIo(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    int lines(int, int& tiocm) override {
        std::lock_guard lock(m_state->mutex);
        if (m_state->linesError)
            return m_state->linesError;
        tiocm = m_state->tiocm;
        return 0;
    }
    int counters(int, uint32_t counts[4]) override {
        std::lock_guard lock(m_state->mutex);
        if (!m_state->haveCounters)
            return ENOTTY;
        std::copy(m_state->counts, m_state->counts + 4, counts);
        return 0;
    }
    int waitChange(int, int) override {
        ++m_state->waitCalls;
        {
            std::lock_guard lock(m_state->mutex);
            if (m_state->waitError)
                return m_state->waitError;
        }
        const int seq = m_state->seq.load();
        while (m_state->seq.load() == seq) {
            if (::poll(nullptr, 0, 1) < 0 && errno == EINTR)
                return EINTR;
        }
        return 0;
    }
    void flushInput(int) override { ++m_state->flushes; }

private:
    std::shared_ptr<State> m_state;
};

class TtyWait : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        device.setModemIo(std::make_unique<ScriptedModemIo>(state));
    }
    void open() {
        ASSERT_EQ(device.openPath(ptsname(master)), 0);
        device.setEventMask(EV_DSR);
    }
    void TearDown() override {
        device.close();
        ::close(master);
    }
    std::future<WaitResult> waitAsync() {
        return std::async(std::launch::async, [this] { return device.waitEvent(); });
    }

    int master = -1;
    std::shared_ptr<ScriptedModemIo::State> state = std::make_shared<ScriptedModemIo::State>();
    SerialTtyDevice device;
};

} // namespace

TEST_F(TtyWait, APulseWithinOneWakeUpGivesBothEdgesFromTheCounters) {
    open();
    auto result = waitAsync();
    while (state->waitCalls.load() == 0)
        std::this_thread::sleep_for(1ms);
    state->toggleDsr(2); // on and off before the waiter ran
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
    const WaitResult r = result.get();
    ASSERT_EQ(r.status, WaitStatus::Events);
    EXPECT_EQ(r.events, (std::vector<SerialEvent>{{EV_DSR, MS_DSR_ON}, {EV_DSR, 0}}));
    EXPECT_GE(state->flushes.load(), 1) << "input is dropped after a wake-up";
    EXPECT_FALSE(device.polling());
}

TEST_F(TtyWait, AnEdgeBetweenTwoWaitsIsReportedAtOnce) {
    open();
    state->toggleDsr(1); // while nobody waited
    const WaitResult r = device.waitEvent();
    ASSERT_EQ(r.status, WaitStatus::Events);
    EXPECT_EQ(r.events, (std::vector<SerialEvent>{{EV_DSR, MS_DSR_ON}}));
    EXPECT_EQ(state->waitCalls.load(), 0);
}

TEST_F(TtyWait, CancelInterruptsTheKernelWait) {
    open();
    auto result = waitAsync();
    while (state->waitCalls.load() == 0)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(10ms);
    const auto start = std::chrono::steady_clock::now();
    device.cancelWait();
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(result.get().status, WaitStatus::Cancelled);
}

TEST_F(TtyWait, WithoutTheInterruptWaitTheLinesArePolled) {
    state->waitError = ENOTTY;
    state->haveCounters = false;
    open();
    auto result = waitAsync();
    // The waiting thread may start late on a busy machine: give it time to be refused and fall back.
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!device.polling() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(device.polling());
    std::this_thread::sleep_for(20ms); // long enough for several polls, each of which could try again
    EXPECT_EQ(state->waitCalls.load(), 1) << "the refused wait is not tried again";
    state->toggleDsr(1);
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(result.get().events, (std::vector<SerialEvent>{{EV_DSR, MS_DSR_ON}}));

    // Cancelling a polling wait is quick too.
    auto second = waitAsync();
    std::this_thread::sleep_for(10ms);
    device.cancelWait();
    ASSERT_EQ(second.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(second.get().status, WaitStatus::Cancelled);
}

TEST_F(TtyWait, AnUnpluggedAdapterEndsTheWaitWithEio) {
    state->waitError = EIO;
    open();
    WaitResult r = device.waitEvent();
    EXPECT_EQ(r.status, WaitStatus::Failed);
    EXPECT_EQ(r.error, EIO);
}

TEST_F(TtyWait, APolledAdapterThatDisappearsEndsTheWait) {
    state->waitError = ENOTTY;
    open();
    auto result = waitAsync();
    std::this_thread::sleep_for(10ms);
    {
        std::lock_guard lock(state->mutex);
        state->linesError = ENODEV;
    }
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
    const WaitResult r = result.get();
    EXPECT_EQ(r.status, WaitStatus::Failed);
    EXPECT_EQ(r.error, ENODEV);
}
