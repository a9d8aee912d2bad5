#pragma once

#include <cstdint>
#include <memory>

namespace platform {

/// The modem-line calls a serial tty needs for its wait. Each returns 0 or an errno value.
/// The kernel's version uses ioctl; tests script their own.
class TtyModemIo {
public:
    virtual ~TtyModemIo() = default;
    /// The TIOCM_ bits of the lines now (TIOCMGET).
    virtual int lines(int fd, int& tiocm) = 0;
    /// The driver's change counters of CTS, DSR, RI and DCD, in that order (TIOCGICOUNT).
    virtual int counters(int fd, uint32_t counts[4]) = 0;
    /// Sleeps until one of the TIOCM_ `lines` changes (TIOCMIWAIT); EINTR when a signal arrives.
    virtual int waitChange(int fd, int lines) = 0;
    /// Drops unread input.
    virtual void flushInput(int fd) = 0;
};

/// The modem-line calls of the kernel.
std::unique_ptr<TtyModemIo> createKernelTtyModemIo();

} // namespace platform
