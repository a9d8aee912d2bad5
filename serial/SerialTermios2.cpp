// termios2 lives in the kernel headers, which clash with <termios.h>; this file is the only one
// that includes them.
#include "serial/SerialTermios2.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace platform::detail {

int lineFlags(const SerialDcb& dcb, uint32_t& cflag, uint32_t& iflag) {
    if (dcb.BaudRate == 0 || dcb.ByteSize < 5 || dcb.ByteSize > 8 || dcb.Parity > 4 || dcb.StopBits > 2)
        return EINVAL;
    iflag = IGNBRK;
    if (dcb.fOutX)
        iflag |= IXON;
    if (dcb.fInX)
        iflag |= IXOFF;
    if (dcb.fParity)
        iflag |= INPCK;
    else
        iflag |= IGNPAR;

    // The port reads no data, and unread input would make some USB adapters throttle and stop
    // sending modem-status updates: keep the receiver off.
    cflag = CLOCAL | HUPCL | BOTHER;
    switch (dcb.ByteSize) {
    case 5:
        cflag |= CS5;
        break;
    case 6:
        cflag |= CS6;
        break;
    case 7:
        cflag |= CS7;
        break;
    default:
        cflag |= CS8;
        break;
    }
    switch (dcb.Parity) {
    case 1:
        cflag |= PARENB | PARODD;
        break;
    case 2:
        cflag |= PARENB;
        break;
    case 3:
        cflag |= PARENB | CMSPAR | PARODD;
        break;
    case 4:
        cflag |= PARENB | CMSPAR;
        break;
    default:
        break;
    }
    // Linux has no 1.5 stop bits; UARTs send 1.5 for 5-bit characters when two are asked for.
    if (dcb.StopBits != 0)
        cflag |= CSTOPB;
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == 2)
        cflag |= CRTSCTS;
    return 0;
}

int applyLineSettings(int fd, const SerialDcb& dcb) {
    uint32_t cflag = 0;
    uint32_t iflag = 0;
    if (const int error = lineFlags(dcb, cflag, iflag))
        return error;
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    tio.c_iflag = iflag;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag = cflag;
    tio.c_ispeed = dcb.BaudRate;
    tio.c_ospeed = dcb.BaudRate;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    return 0;
}

int readLineSettings(int fd, uint32_t& speed, uint32_t& cflag, uint32_t& iflag) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    speed = tio.c_ospeed;
    cflag = tio.c_cflag;
    iflag = tio.c_iflag;
    return 0;
}

} // namespace platform::detail
