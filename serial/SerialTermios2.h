#pragma once

#include "serial/SerialDevice.h"

namespace platform::detail {

/// The termios c_cflag and c_iflag for `dcb` (speed through BOTHER, receiver off). 0 or EINVAL.
int lineFlags(const SerialDcb& dcb, uint32_t& cflag, uint32_t& iflag);

/// Applies speed (any rate, through BOTHER), character format, parity, stop bits and handshake of
/// `dcb` to the tty `fd` in raw mode with the receiver off. Returns 0 or an errno value.
int applyLineSettings(int fd, const SerialDcb& dcb);

/// Reads the tty's output speed and c_cflag; returns 0 or an errno value.
int readLineSettings(int fd, uint32_t& speed, uint32_t& cflag, uint32_t& iflag);

} // namespace platform::detail
