// The Linux backend on a pseudo-terminal. A pty has no modem lines, so these tests cover opening,
// exclusivity, line settings, the fallback from TIOCMIWAIT, and a vanished device.
#include "serial/SerialTtyDevice.h"
#include "serial/ComTypes.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialTermios2.h"
#include "serial/TComPort.h"
#include "serial/TComThread.h"
#include "tests/serial/CommsTestUtil.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

struct Pty {
    int master = -1;
    std::string slave;
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = ptsname(master);
    }
    ~Pty() { closeMaster(); }
    void closeMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
};

SerialDcb dcbFor(uint32_t baud, uint8_t bits) {
    SerialDcb dcb;
    dcb.DCBlength = 28;
    dcb.BaudRate = baud;
    dcb.fBinary = 1;
    dcb.fDtrControl = 1;
    dcb.ByteSize = bits;
    dcb.XonChar = 17;
    dcb.XoffChar = 19;
    return dcb;
}

} // namespace

TEST(SerialTtyDevice, OpensExclusivelyAndAppliesAnyBaudRate) {
    Pty pty;
    ASSERT_FALSE(pty.slave.empty());
    SerialTtyDevice device;
    ASSERT_EQ(device.openPath(pty.slave), 0);
    SerialTtyDevice second;
    EXPECT_EQ(second.openPath(pty.slave), EBUSY) << "a port is held exclusively";

    // A pty keeps the speed, stop bits and input flags; it forces 8 bits, no parity and CREAD.
    ASSERT_EQ(device.setState(dcbFor(28800, 5)), 0) << "DTR on a pty without modem lines is not an error";
    uint32_t speed = 0, cflag = 0, iflag = 0;
    ASSERT_EQ(detail::readLineSettings(device.fd(), speed, cflag, iflag), 0);
    EXPECT_EQ(speed, 28800u);
    EXPECT_EQ(cflag & CSTOPB, 0u);

    SerialDcb even = dcbFor(57600, 7);
    even.StopBits = 2;
    even.fOutX = even.fInX = 1;
    ASSERT_EQ(device.setState(even), 0);
    ASSERT_EQ(detail::readLineSettings(device.fd(), speed, cflag, iflag), 0);
    EXPECT_EQ(speed, 57600u);
    EXPECT_NE(cflag & CSTOPB, 0u);
    EXPECT_NE(iflag & IXON, 0u);
    EXPECT_NE(iflag & IXOFF, 0u);

    EXPECT_EQ(device.setState(dcbFor(9600, 9)), EINVAL);

    device.close();
    EXPECT_EQ(second.openPath(pty.slave), 0) << "closing releases the port";
    EXPECT_EQ(device.setState(dcbFor(9600, 8)), EBADF);
}

TEST(SerialTtyDevice, LineFlagsForCharacterFormatsAndHandshakes) {
    uint32_t cflag = 0, iflag = 0;
    ASSERT_EQ(detail::lineFlags(dcbFor(9600, 5), cflag, iflag), 0);
    EXPECT_EQ(cflag & CSIZE, static_cast<uint32_t>(CS5));
    EXPECT_EQ(cflag & (PARENB | CSTOPB | CRTSCTS | CREAD), 0u) << "no parity, one stop bit, receiver off";
    EXPECT_NE(cflag & CLOCAL, 0u);
    EXPECT_EQ(iflag & (IXON | IXOFF | INPCK), 0u);

    const struct {
        uint8_t parity;
        uint32_t bits;
    } parities[] = {{1, PARENB | PARODD}, {2, PARENB}, {3, PARENB | PARODD | CMSPAR}, {4, PARENB | CMSPAR}};
    for (const auto& p : parities) {
        SerialDcb dcb = dcbFor(9600, 8);
        dcb.Parity = p.parity;
        ASSERT_EQ(detail::lineFlags(dcb, cflag, iflag), 0);
        EXPECT_EQ(cflag & (PARENB | PARODD | CMSPAR), p.bits) << "parity " << int(p.parity);
        EXPECT_EQ(cflag & CSIZE, static_cast<uint32_t>(CS8));
    }

    SerialDcb rtsCts = dcbFor(9600, 6);
    rtsCts.fOutxCtsFlow = 1;
    rtsCts.fRtsControl = 2;
    rtsCts.StopBits = 1; // 1.5 becomes the two-stop-bit setting
    ASSERT_EQ(detail::lineFlags(rtsCts, cflag, iflag), 0);
    EXPECT_EQ(cflag & CSIZE, static_cast<uint32_t>(CS6));
    EXPECT_NE(cflag & CRTSCTS, 0u);
    EXPECT_NE(cflag & CSTOPB, 0u);

    SerialDcb bad = dcbFor(0, 8);
    EXPECT_EQ(detail::lineFlags(bad, cflag, iflag), EINVAL) << "baud 0";
    EXPECT_EQ(detail::lineFlags(dcbFor(9600, 4), cflag, iflag), EINVAL);
}

TEST(SerialTtyDevice, MissingDevicesAndNonTtysAreRefused) {
    SerialTtyDevice device;
    EXPECT_EQ(device.openPath("/dev/does-not-exist"), ENOENT);
    EXPECT_EQ(device.openPath("/dev/null"), ENOTTY);
    EXPECT_EQ(device.open("COM0"), ENOENT);
}

TEST(SerialTtyDevice, AWaitOnADriverWithoutModemLinesFailsOnceWithoutSpinning) {
    Pty pty;
    SerialTtyDevice device;
    ASSERT_EQ(device.openPath(pty.slave), 0);
    device.setEventMask(EV_DSR);
    const auto start = std::chrono::steady_clock::now();
    const WaitResult result = device.waitEvent();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(result.status, WaitStatus::Failed);
    EXPECT_EQ(result.error, ENOTTY) << "TIOCMGET is refused: neither the wait nor the poll can work";
}

TEST(SerialTtyDevice, AVanishedDeviceReportsEio) {
    Pty pty;
    SerialTtyDevice device;
    ASSERT_EQ(device.openPath(pty.slave), 0);
    device.setEventMask(EV_DSR);
    pty.closeMaster(); // the far end is gone, as with an unplugged adapter
    EXPECT_EQ(device.setState(dcbFor(9600, 8)), EIO);
    const WaitResult result = device.waitEvent();
    EXPECT_EQ(result.status, WaitStatus::Failed);
    EXPECT_EQ(result.error, EIO);
}

TEST(SerialTtyDevice, CancelEndsAWaitThatWatchesNoLines) {
    Pty pty;
    SerialTtyDevice device;
    ASSERT_EQ(device.openPath(pty.slave), 0);
    device.setEventMask(EV_RXCHAR); // no modem line: the wait just sleeps
    WaitResult result;
    result.status = WaitStatus::Events;
    std::thread waiter([&] { result = device.waitEvent(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    device.cancelWait();
    waiter.join();
    EXPECT_EQ(result.status, WaitStatus::Cancelled);
    EXPECT_EQ(device.waitEvent().status, WaitStatus::Cancelled) << "a cancelled device stays cancelled";
}

TEST(SerialTtyDevice, ComPortOnAPtyThroughTheOverride) {
    Pty pty;
    setComDeviceOverride(11, pty.slave);
    TComPort port;
    port.setPort(11);
    port.setDataBits(5);
    port.setEvents({TEvent::evDSR});
    port.Open();
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(port.ModemStatus(), 0u) << "a pty has no modem status";

    TComPort other;
    other.setPort(11);
    try {
        other.Open();
        ADD_FAILURE() << "the port is in use";
    } catch (const EComHandle& e) {
        EXPECT_EQ(e.Message(), "Unable to open com port: 16");
    }
    // The watcher ended on the pty's refusal; closing must still be quick and clean.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(port.Connected());
    port.Close();
    EXPECT_NO_THROW(other.Open());
    other.Close();
    setComDeviceOverride(11, "");
}
