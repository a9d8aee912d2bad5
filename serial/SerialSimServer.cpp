#include "serial/SerialSimServer.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

SerialSimServer::~SerialSimServer() {
    stop();
}

int SerialSimServer::start(const std::string& path) {
    stop();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path)
        return ENAMETOOLONG;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    ::unlink(path.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    // Without its wake-up the accept loop could never be stopped.
    m_wakeFd = eventfd(0, EFD_CLOEXEC);
    if (m_wakeFd < 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        return error;
    }
    m_listenFd = fd;
    m_path = path;
    m_thread = std::thread([this] { acceptLoop(); });
    return 0;
}

void SerialSimServer::stop() {
    if (m_listenFd < 0)
        return;
    const uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    m_thread.join();
    ::close(m_listenFd);
    ::close(m_wakeFd);
    m_listenFd = m_wakeFd = -1;
    {
        std::lock_guard lock(m_mutex);
        if (m_clientFd >= 0)
            ::close(m_clientFd);
        m_clientFd = -1;
    }
    ::unlink(m_path.c_str());
}

void SerialSimServer::acceptLoop() {
    for (;;) {
        int client;
        {
            std::lock_guard lock(m_mutex);
            client = m_clientFd;
        }
        pollfd p[3] = {{m_wakeFd, POLLIN, 0}, {m_listenFd, POLLIN, 0}, {client, POLLIN, 0}};
        if (::poll(p, client >= 0 ? 3 : 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (p[0].revents)
            return;
        if (client >= 0 && p[2].revents)
            dropIfGone();
        if (!p[1].revents)
            continue;
        const int incoming = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (incoming < 0)
            continue;
        // A serial port has one user at a time: a second one is turned away, the first keeps it.
        dropIfGone();
        std::lock_guard lock(m_mutex);
        if (m_clientFd >= 0) {
            static const char busy[] = "BUSY\n";
            ::send(incoming, busy, sizeof busy - 1, MSG_NOSIGNAL);
            ::close(incoming);
            ++m_refused;
            continue;
        }
        m_clientFd = incoming;
        send(incoming, m_status.load());
    }
}

void SerialSimServer::dropIfGone() {
    std::lock_guard lock(m_mutex);
    if (m_clientFd < 0)
        return;
    // The port never sends anything; end of stream or an error means it went away.
    char scratch[64];
    for (;;) {
        const ssize_t got = ::recv(m_clientFd, scratch, sizeof scratch, MSG_DONTWAIT);
        if (got > 0)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got < 0 && errno == EINTR)
            continue;
        ::close(m_clientFd);
        m_clientFd = -1;
        return;
    }
}

int SerialSimServer::refused() const {
    std::lock_guard lock(m_mutex);
    return m_refused;
}

void SerialSimServer::send(int fd, uint32_t status) {
    const std::string line = "S " + std::to_string(status) + "\n";
    ::send(fd, line.data(), line.size(), MSG_NOSIGNAL);
}

void SerialSimServer::setStatus(uint32_t status) {
    std::lock_guard lock(m_mutex);
    m_status.store(status);
    if (m_clientFd >= 0)
        send(m_clientFd, status);
}

void SerialSimServer::setLines(uint32_t lines, bool on) {
    const uint32_t now = m_status.load();
    setStatus(on ? (now | lines) : (now & ~lines));
}

bool SerialSimServer::waitForClient(int timeoutMs) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!connected()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool SerialSimServer::connected() const {
    std::lock_guard lock(m_mutex);
    return m_clientFd >= 0;
}

} // namespace platform
