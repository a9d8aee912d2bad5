#include "serial/SerialTtyDevice.h"

#include "serial/SerialModemChanges.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialTermios2.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/serial.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

int wakeSignal() {
    return SIGRTMIN + 4;
}

void ignoreSignal(int) {}

// Without SA_RESTART the signal makes a blocking TIOCMIWAIT return EINTR.
void installWakeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction sa {};
        sa.sa_handler = ignoreSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = 0;
        sigaction(wakeSignal(), &sa, nullptr);
    });
}

int tiocmLines(uint32_t eventMask) {
    int lines = 0;
    if (eventMask & EV_CTS)
        lines |= TIOCM_CTS;
    if (eventMask & EV_DSR)
        lines |= TIOCM_DSR;
    if (eventMask & EV_RING)
        lines |= TIOCM_RNG;
    if (eventMask & EV_RLSD)
        lines |= TIOCM_CD;
    return lines;
}

uint32_t toModemStatus(int tiocm) {
    uint32_t status = 0;
    if (tiocm & TIOCM_CTS)
        status |= MS_CTS_ON;
    if (tiocm & TIOCM_DSR)
        status |= MS_DSR_ON;
    if (tiocm & TIOCM_RNG)
        status |= MS_RING_ON;
    if (tiocm & TIOCM_CD)
        status |= MS_RLSD_ON;
    return status;
}

bool unsupported(int error) {
    return error == ENOTTY || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Sets or clears one output line; a driver without modem lines (a pty) is not an error.
int setLine(int fd, int line, bool on) {
    if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0 || unsupported(errno))
        return 0;
    return errno;
}

class KernelTtyModemIo : public TtyModemIo {
public:
    int lines(int fd, int& tiocm) override { return ioctl(fd, TIOCMGET, &tiocm) == 0 ? 0 : errno; }
    int counters(int fd, uint32_t counts[4]) override {
        struct serial_icounter_struct c {};
        if (ioctl(fd, TIOCGICOUNT, &c) != 0)
            return errno;
        counts[0] = c.cts;
        counts[1] = c.dsr;
        counts[2] = c.rng;
        counts[3] = c.dcd;
        return 0;
    }
    int waitChange(int fd, int lines) override { return ioctl(fd, TIOCMIWAIT, lines) == 0 ? 0 : errno; }
    void flushInput(int fd) override { ioctl(fd, TCFLSH, TCIFLUSH); }
};

} // namespace

std::unique_ptr<TtyModemIo> createKernelTtyModemIo() {
    return std::make_unique<KernelTtyModemIo>();
}

SerialTtyDevice::SerialTtyDevice() : m_io(createKernelTtyModemIo()) {}

SerialTtyDevice::~SerialTtyDevice() {
    close();
}

int SerialTtyDevice::open(const std::string& name) {
    const std::string path = comPortPath(name);
    if (path.empty())
        return ENOENT;
    return openPath(path);
}

int SerialTtyDevice::openPath(const std::string& path) {
    if (m_fd >= 0)
        return EBUSY;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (!isatty(fd)) {
        ::close(fd);
        return ENOTTY;
    }
    // TIOCEXCL does not stop root, so the exclusive hold is an advisory lock as well.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return error;
    }
    ioctl(fd, TIOCEXCL);
    struct serial_struct serial {};
    if (ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &serial); // refused by some drivers; the port works without it
    }
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    m_fd = fd;
    m_cancelled.store(false);
    m_polling.store(false);
    m_haveCounters = true;
    int tiocm = 0;
    m_lastStatus = m_io->lines(fd, tiocm) == 0 ? toModemStatus(tiocm) : 0;
    m_haveCounters = m_io->counters(fd, m_lastCounts) == 0;
    installWakeSignal();
    return 0;
}

int SerialTtyDevice::setState(const SerialDcb& dcb) {
    if (m_fd < 0)
        return EBADF;
    if (const int error = detail::applyLineSettings(m_fd, dcb))
        return error;
    if (const int error = setLine(m_fd, TIOCM_DTR, dcb.fDtrControl != 0))
        return error;
    return setLine(m_fd, TIOCM_RTS, dcb.fRtsControl != 0);
}

int SerialTtyDevice::collectChanges(WaitResult& result) {
    int tiocm = 0;
    if (const int error = m_io->lines(m_fd, tiocm))
        return error;
    const uint32_t status = toModemStatus(tiocm);
    ModemLineCounts counts;
    uint32_t now[4] = {0, 0, 0, 0};
    if (m_haveCounters && m_io->counters(m_fd, now) == 0) {
        counts.cts = now[0] - m_lastCounts[0];
        counts.dsr = now[1] - m_lastCounts[1];
        counts.ring = now[2] - m_lastCounts[2];
        counts.rlsd = now[3] - m_lastCounts[3];
        std::copy(now, now + 4, m_lastCounts);
    } else {
        m_haveCounters = false;
    }
    result.events = expandModemChanges(m_lastStatus, status, counts, m_mask.load());
    m_lastStatus = status;
    return 0;
}

int SerialTtyDevice::sleepOnWakeFd(int timeoutMs) {
    struct pollfd p {
        m_wakeFd, POLLIN, 0
    };
    if (::poll(&p, 1, timeoutMs) < 0 && errno != EINTR)
        return errno;
    return 0;
}

WaitResult SerialTtyDevice::waitEvent() {
    WaitResult result;
    {
        std::lock_guard lock(m_mutex);
        if (m_fd < 0) {
            result.status = WaitStatus::Failed;
            result.error = EBADF;
            return result;
        }
        if (m_cancelled.load())
            return result;
        m_waiting = true;
        m_waiter = pthread_self();
    }
    int pollTurns = 0;
    while (!m_cancelled.load()) {
        const int lines = tiocmLines(m_mask.load());
        if (lines == 0) {
            // Nothing to watch: sleep until the port is closed.
            if (const int error = sleepOnWakeFd(-1)) {
                result.status = WaitStatus::Failed;
                result.error = error;
                break;
            }
            continue;
        }
        // Edges between two waits are in the counters already; a later TIOCMIWAIT would miss them.
        if (const int error = collectChanges(result)) {
            result.status = WaitStatus::Failed;
            result.error = error;
            break;
        }
        if (!result.events.empty()) {
            result.status = WaitStatus::Events;
            break;
        }
        if (!m_polling.load()) {
            const int error = m_io->waitChange(m_fd, lines);
            if (error == 0 || error == EINTR)
                continue;
            if (!unsupported(error)) {
                result.status = WaitStatus::Failed;
                result.error = error;
                break;
            }
            m_polling.store(true);
            continue;
        }
        // Unread input can stall status reports on USB adapters; drop it now and then.
        if (++pollTurns % 64 == 0)
            m_io->flushInput(m_fd);
        if (const int error = sleepOnWakeFd(1)) {
            result.status = WaitStatus::Failed;
            result.error = error;
            break;
        }
    }
    if (result.status == WaitStatus::Events)
        m_io->flushInput(m_fd);
    else if (m_cancelled.load() && result.status != WaitStatus::Failed)
        result.events.clear();
    std::lock_guard lock(m_mutex);
    m_waiting = false;
    return result;
}

void SerialTtyDevice::cancelWait() {
    m_cancelled.store(true);
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    }
    // A signal sent just before the waiter enters TIOCMIWAIT is lost, so repeat it until the
    // waiter has left.
    for (;;) {
        pthread_t waiter;
        {
            std::lock_guard lock(m_mutex);
            if (!m_waiting)
                return;
            waiter = m_waiter;
        }
        pthread_kill(waiter, wakeSignal());
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

int SerialTtyDevice::modemStatus(uint32_t& status) {
    if (m_fd < 0)
        return EBADF;
    int tiocm = 0;
    if (const int error = m_io->lines(m_fd, tiocm))
        return error;
    status = toModemStatus(tiocm);
    return 0;
}

int SerialTtyDevice::purge(uint32_t flags) {
    if (m_fd < 0)
        return EBADF;
    const bool rx = flags & (PURGE_RXABORT | PURGE_RXCLEAR);
    const bool tx = flags & (PURGE_TXABORT | PURGE_TXCLEAR);
    if (!rx && !tx)
        return 0;
    if (ioctl(m_fd, TCFLSH, rx && tx ? TCIOFLUSH : (rx ? TCIFLUSH : TCOFLUSH)) != 0)
        return errno;
    return 0;
}

int SerialTtyDevice::clearError(uint32_t& errors, uint32_t& inQueue) {
    if (m_fd < 0)
        return EBADF;
    int bytes = 0;
    if (ioctl(m_fd, FIONREAD, &bytes) != 0)
        return errno;
    errors = 0;
    inQueue = static_cast<uint32_t>(bytes);
    return 0;
}

void SerialTtyDevice::close() {
    if (m_fd >= 0) {
        // A tty that outlives this open (a pseudo-terminal, a port another program also has open)
        // would otherwise stay exclusive and look busy to everyone after us.
        ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
}

} // namespace platform
