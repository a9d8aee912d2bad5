// The port scan against a folder of stand-in device nodes: pseudo-terminals as serial ports,
// a plain file, a missing node and the simulator's socket.
#include "serial/ComPortScan.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimDevice.h"
#include "serial/SerialSimServer.h"
#include "serial/SerialTtyDevice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

using namespace platform;

namespace {

// A pseudo-terminal whose far side is a character device like a serial port's.
struct Pty {
    int master = -1;
    std::string slave;
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slave = ::ptsname(master);
    }
    ~Pty() {
        if (master >= 0)
            ::close(master);
    }
};

class ComPortScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path().toStdString();
        clearComDeviceOverrides();
    }
    void TearDown() override { clearComDeviceOverrides(); }

    void link(const std::string& target, const std::string& name) {
        ASSERT_EQ(::symlink(target.c_str(), (root + "/" + name).c_str()), 0) << name;
    }

    QTemporaryDir dir;
    std::string root;
};

} // namespace

TEST_F(ComPortScanTest, ListsCharacterDevicesAndSocketsButNotFilesHeldOrMissingPorts) {
    Pty free1, free2, held;
    ASSERT_FALSE(free1.slave.empty());
    link(free1.slave, "ttyS0");                             // COM1
    link(held.slave, "ttyS2");                              // COM3, held below
    link(free2.slave, "ttyUSB1");                           // COM6
    QFile plain(QString::fromStdString(root + "/ttyUSB0")); // COM5: a plain file
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_EQ(::mkfifo((root + "/ttyACM0").c_str(), 0600), 0); // COM13: a FIFO must not block the scan
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("serial/by-id")));
    link("../../ttyUSB1", "serial/by-id/usb-Maker_Adapter_42-if00-port0");

    SerialTtyDevice holder;
    ASSERT_EQ(holder.openPath(root + "/ttyS2"), 0);

    const std::string socket = root + "/lbsim.sock";
    SerialSimServer server;
    ASSERT_EQ(server.start(socket), 0);
    setComDeviceOverride(20, socket);

    const ComPortScanResult scan = scanComPorts(root);
    EXPECT_EQ(scan.Word, (20u << 16) | 0x1u | 0x20u);
    ASSERT_EQ(scan.Ports.size(), 3u);
    EXPECT_EQ(scan.Ports[0].Number, 1);
    EXPECT_EQ(scan.Ports[0].Path, root + "/ttyS0");
    EXPECT_EQ(scan.Ports[0].ById, "");
    EXPECT_EQ(scan.Ports[1].Number, 6);
    EXPECT_EQ(scan.Ports[1].ById, root + "/serial/by-id/usb-Maker_Adapter_42-if00-port0");
    EXPECT_EQ(scan.Ports[2].Number, 20);
    EXPECT_TRUE(scan.Ports[2].Simulator);
    EXPECT_FALSE(server.connected()) << "the scan never connects to the simulator";

    EXPECT_EQ(probeComPort(root + "/ttyS2"), PortProbe::Busy);
    EXPECT_EQ(probeComPort(root + "/ttyUSB0"), PortProbe::NotADevice);
    EXPECT_EQ(probeComPort(root + "/ttyS1"), PortProbe::Missing);

    // Once let go, the held port is found again; the probe left the free ones unlocked.
    holder.close();
    EXPECT_TRUE(scanComPorts(root).found(3));
    SerialTtyDevice again;
    EXPECT_EQ(again.openPath(root + "/ttyS0"), 0);
}

TEST_F(ComPortScanTest, SimulatorHeldByThisProgramIsBusyAndAnOverrideReplacesTheTable) {
    const std::string socket = root + "/lbsim.sock";
    SerialSimServer server;
    ASSERT_EQ(server.start(socket), 0);
    setComDeviceOverride(2, socket);
    EXPECT_EQ(scanPath(2, root), socket);
    EXPECT_EQ(scanPath(4, root), root + "/ttyS3");

    SerialSimDevice device;
    ASSERT_EQ(device.openPath(socket), 0);
    EXPECT_EQ(scanComPorts(root).Word, 0u);
    device.close();
    EXPECT_EQ(scanComPorts(root).Word, (2u << 16) | 0x2u);
}
