#pragma once

#include "serial/FdSerialDevice.h"

#include <atomic>
#include <string>

namespace platform {

/// The light-barrier simulator seen as a serial port. The simulator (SerialSimServer, served by
/// the vantro-lbsim tool) listens on a Unix-domain socket and sends a line "S <word>" with the
/// MS_ modem-status word on connection and at every edge; each line is one edge, so a short
/// pulse read in one go still gives two events. A socket is used rather than a pseudo-terminal
/// because a pty has no modem lines.
class SerialSimDevice : public FdSerialDevice {
public:
    SerialSimDevice() = default;
    ~SerialSimDevice() override;
    SerialSimDevice(const SerialSimDevice&) = delete;
    SerialSimDevice& operator=(const SerialSimDevice&) = delete;

    /// Connects to the simulator listening at `path`.
    int openPath(const std::string& path);

    int open(const std::string& name) override;
    int setState(const SerialDcb& dcb) override;
    WaitResult waitEvent() override;
    void cancelWait() override;
    int modemStatus(uint32_t& status) override;
    int purge(uint32_t flags) override;
    int clearError(uint32_t& errors, uint32_t& inQueue) override;
    void close() override;

    /// True while a device of this program is connected to the simulator at `path`. The simulator
    /// serves one port at a time, so a scan must not connect to find out.
    static bool isHeld(const std::string& path);

private:
    /// Reads what the simulator sent; appends one event per edge line. 0, or an error code.
    int readLines(std::vector<SerialEvent>& events);

    int m_wakeFd = -1;
    std::string m_path;
    std::string m_buffer;
    std::atomic<uint32_t> m_status{0};
    std::atomic<bool> m_cancelled{false};
};

} // namespace platform
