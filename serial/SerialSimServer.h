#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace platform {

/// Where the simulator listens unless told otherwise.
inline constexpr const char* DefaultSimSocket = "/tmp/vantro-lbsim.sock";
/// The port the program offers the simulator's default socket as, unless a "ComDevice20"
/// setting says otherwise.
inline constexpr int DefaultSimPort = 20;

/// The far end of the light-barrier simulator: listens on a Unix-domain socket, tells the
/// connected port the MS_ modem-status word on connection and at every change. Like a real port
/// it has one user at a time: a second connection is refused with "BUSY" while the first stays
/// served, and when the user goes away the next one is served again.
class SerialSimServer {
public:
    SerialSimServer() = default;
    /// Stops serving.
    ~SerialSimServer();
    SerialSimServer(const SerialSimServer&) = delete;
    SerialSimServer& operator=(const SerialSimServer&) = delete;

    /// Listens at `path` (an old socket file there is replaced). Returns 0 or an errno value.
    int start(const std::string& path);
    /// Stops listening, drops the connection and removes the socket file.
    void stop();
    /// Sets the modem-status word and sends it to the connected port (if any).
    void setStatus(uint32_t status);
    /// Sets or clears the bits `lines` (MS_ bits) of the modem-status word.
    void setLines(uint32_t lines, bool on);
    /// The current modem-status word.
    uint32_t status() const { return m_status.load(); }
    /// Waits up to `timeoutMs` for a port to be connected.
    bool waitForClient(int timeoutMs) const;
    /// Whether a port is connected now.
    bool connected() const;
    /// How many connections were refused because a port was connected.
    int refused() const;

private:
    void acceptLoop();
    void send(int fd, uint32_t status);
    /// Forgets the connected port if it has gone away.
    void dropIfGone();

    std::string m_path;
    int m_listenFd = -1;
    int m_wakeFd = -1;
    int m_clientFd = -1;
    int m_refused = 0;
    mutable std::mutex m_mutex;
    std::atomic<uint32_t> m_status{0};
    std::thread m_thread;
};

} // namespace platform
