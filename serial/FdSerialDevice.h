#pragma once

#include "serial/SerialDevice.h"

#include <atomic>
#include <cerrno>

namespace platform {

/// Common ground of the devices that sit on one file descriptor (a tty, the simulator's socket):
/// the event mask and the time-outs are only kept, since the port reads and writes no data, and
/// every call on a closed device fails with EBADF.
class FdSerialDevice : public SerialDevice {
public:
    int getTimeouts(SerialTimeouts& timeouts) override {
        if (m_fd < 0)
            return EBADF;
        timeouts = m_timeouts;
        return 0;
    }
    int setTimeouts(const SerialTimeouts& timeouts) override {
        if (m_fd < 0)
            return EBADF;
        m_timeouts = timeouts;
        return 0;
    }
    /// Linux sizes its buffers itself.
    int setupQueues(uint32_t, uint32_t) override { return m_fd < 0 ? EBADF : 0; }
    int setEventMask(uint32_t mask) override {
        if (m_fd < 0)
            return EBADF;
        m_mask.store(mask);
        return 0;
    }

protected:
    /// The open descriptor, -1 while closed.
    int m_fd = -1;
    /// The subscribed events (EV_ bits); read by the waiting thread.
    std::atomic<uint32_t> m_mask{0};

private:
    SerialTimeouts m_timeouts;
};

} // namespace platform
