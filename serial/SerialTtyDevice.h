#pragma once

#include "serial/FdSerialDevice.h"
#include "serial/TtyModemIo.h"

#include <atomic>
#include <mutex>
#include <pthread.h>
#include <string>

namespace platform {

/// A serial port on a Linux tty. Line settings go through termios (any baud rate through
/// BOTHER); the wait sleeps in TIOCMIWAIT and learns from the driver's interrupt counters
/// (TIOCGICOUNT) which lines changed and how often. Drivers without TIOCMIWAIT are polled with
/// TIOCMGET every millisecond. cancelWait() interrupts TIOCMIWAIT with a signal to the waiting
/// thread, repeated until that thread has left the wait, so closing never hangs.
class SerialTtyDevice : public FdSerialDevice {
public:
    /// A closed device using the kernel's modem-line calls.
    SerialTtyDevice();
    ~SerialTtyDevice() override;
    SerialTtyDevice(const SerialTtyDevice&) = delete;
    SerialTtyDevice& operator=(const SerialTtyDevice&) = delete;

    /// Opens the device at `path` exclusively (EBUSY when another holder has it).
    int openPath(const std::string& path);
    /// Replaces the modem-line calls (for tests); call before openPath().
    void setModemIo(std::unique_ptr<TtyModemIo> io) { m_io = std::move(io); }
    /// Whether the wait fell back to polling because the driver lacks TIOCMIWAIT.
    bool polling() const { return m_polling.load(); }
    /// The file descriptor, -1 while closed.
    int fd() const { return m_fd; }

    int open(const std::string& name) override;
    int setState(const SerialDcb& dcb) override;
    WaitResult waitEvent() override;
    void cancelWait() override;
    int modemStatus(uint32_t& status) override;
    int purge(uint32_t flags) override;
    int clearError(uint32_t& errors, uint32_t& inQueue) override;
    void close() override;

private:
    int collectChanges(WaitResult& result);
    int sleepOnWakeFd(int timeoutMs);

    std::unique_ptr<TtyModemIo> m_io;
    int m_wakeFd = -1;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_polling{false};
    std::mutex m_mutex;
    bool m_waiting = false;
    pthread_t m_waiter{};
    bool m_haveCounters = true;
    uint32_t m_lastStatus = 0;
    uint32_t m_lastCounts[4] = {0, 0, 0, 0}; // cts, dsr, ring, dcd
};

} // namespace platform
