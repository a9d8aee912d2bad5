#include "serial/SerialSimDevice.h"

#include "serial/SerialModemChanges.h"
#include "serial/SerialPortNames.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <set>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {
std::mutex g_heldMutex;
std::multiset<std::string> g_held;
} // namespace

bool SerialSimDevice::isHeld(const std::string& path) {
    std::lock_guard lock(g_heldMutex);
    return g_held.count(path) > 0;
}

SerialSimDevice::~SerialSimDevice() {
    close();
}

int SerialSimDevice::open(const std::string& name) {
    const std::string path = comPortPath(name);
    if (path.empty())
        return ENOENT;
    return openPath(path);
}

int SerialSimDevice::openPath(const std::string& path) {
    if (m_fd >= 0)
        return EBUSY;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return ENAMETOOLONG;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    m_fd = fd;
    m_path = path;
    {
        std::lock_guard lock(g_heldMutex);
        g_held.insert(path);
    }
    m_buffer.clear();
    m_cancelled.store(false);
    // The simulator greets with the current line state (the starting state), or with "BUSY" when
    // another port holds it.
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, 500) > 0) {
        char head[5] = {};
        const ssize_t peeked = ::recv(m_fd, head, sizeof head, MSG_PEEK | MSG_DONTWAIT);
        std::vector<SerialEvent> ignored;
        const int error = (peeked == 5 && std::memcmp(head, "BUSY\n", 5) == 0) ? EBUSY : readLines(ignored);
        if (error) {
            close();
            return error;
        }
    }
    return 0;
}

int SerialSimDevice::readLines(std::vector<SerialEvent>& events) {
    char chunk[512];
    const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got == 0)
        return EIO; // the simulator went away, like an unplugged adapter
    if (got < 0)
        return (errno == EAGAIN || errno == EINTR) ? 0 : errno;
    m_buffer.append(chunk, static_cast<size_t>(got));
    size_t eol;
    while ((eol = m_buffer.find('\n')) != std::string::npos) {
        const std::string line = m_buffer.substr(0, eol);
        m_buffer.erase(0, eol + 1);
        if (line.size() < 3 || line[0] != 'S' || line[1] != ' ')
            continue;
        const uint32_t before = m_status.load();
        const uint32_t after = static_cast<uint32_t>(std::strtoul(line.c_str() + 2, nullptr, 10));
        const uint32_t diff = before ^ after;
        ModemLineCounts counts;
        counts.cts = (diff & MS_CTS_ON) ? 1 : 0;
        counts.dsr = (diff & MS_DSR_ON) ? 1 : 0;
        counts.ring = (diff & MS_RING_ON) ? 1 : 0;
        counts.rlsd = (diff & MS_RLSD_ON) ? 1 : 0;
        auto edge = expandModemChanges(before, after, counts, m_mask.load());
        events.insert(events.end(), edge.begin(), edge.end());
        m_status.store(after);
    }
    return 0;
}

int SerialSimDevice::setState(const SerialDcb&) {
    return m_fd < 0 ? EBADF : 0;
}

WaitResult SerialSimDevice::waitEvent() {
    WaitResult result;
    if (m_fd < 0) {
        result.status = WaitStatus::Failed;
        result.error = EBADF;
        return result;
    }
    while (!m_cancelled.load()) {
        pollfd p[2] = {{m_wakeFd, POLLIN, 0}, {m_fd, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            result.status = WaitStatus::Failed;
            result.error = errno;
            return result;
        }
        if (m_cancelled.load())
            break;
        if (p[1].revents) {
            if (const int error = readLines(result.events)) {
                result.status = WaitStatus::Failed;
                result.error = error;
                result.events.clear();
                return result;
            }
            if (!result.events.empty()) {
                result.status = WaitStatus::Events;
                return result;
            }
        }
    }
    result.events.clear();
    result.status = WaitStatus::Cancelled;
    return result;
}

void SerialSimDevice::cancelWait() {
    m_cancelled.store(true);
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    }
}

int SerialSimDevice::modemStatus(uint32_t& status) {
    if (m_fd < 0)
        return EBADF;
    status = m_status.load();
    return 0;
}

int SerialSimDevice::purge(uint32_t) {
    return m_fd < 0 ? EBADF : 0;
}

int SerialSimDevice::clearError(uint32_t& errors, uint32_t& inQueue) {
    if (m_fd < 0)
        return EBADF;
    errors = 0;
    inQueue = 0;
    return 0;
}

void SerialSimDevice::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        std::lock_guard lock(g_heldMutex);
        const auto it = g_held.find(m_path);
        if (it != g_held.end())
            g_held.erase(it);
    }
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
}

} // namespace platform
