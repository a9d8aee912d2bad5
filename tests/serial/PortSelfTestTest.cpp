// The port self-test against fake /dev, /sys and /proc trees: a pseudo-terminal stands in for the
// serial device, so its mode can be set freely and /proc links can point at it.
#include "serial/PortSelfTest.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace platform {
void PrintTo(FindingSeverity s, std::ostream* os) {
    *os << (s == FindingSeverity::Ok ? "Ok" : s == FindingSeverity::Warning ? "Warning" : "Error");
}
} // namespace platform

namespace {

using S = FindingSeverity;

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

class PortSelfTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        root = dir.path().toStdString();
        ASSERT_FALSE(pty.slave.empty());
        struct stat st {};
        ASSERT_EQ(::stat(pty.slave.c_str(), &st), 0);
        ptyUid = st.st_uid;
        ptyGid = st.st_gid;
        ASSERT_EQ(::chmod(pty.slave.c_str(), 0660), 0);
        env.Root = root;
        env.Uid = ptyUid;
        env.UserName = "anna";
        env.OwnPid = 99;
        const gid_t gid = ptyGid;
        env.GroupName = [gid](gid_t g) { return g == gid ? std::string("dialout") : std::string(); };
        clearComDeviceOverrides();
    }
    void TearDown() override { clearComDeviceOverrides(); }

    void link(const std::string& target, const std::string& name) {
        const QString path = QString::fromStdString(root + "/" + name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        ASSERT_EQ(::symlink(target.c_str(), path.toLocal8Bit().constData()), 0) << name;
    }
    void write(const std::string& name, const QByteArray& text) {
        const QString path = QString::fromStdString(root + "/" + name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // An FTDI adapter as ttyUSB0 (COM5), laid out like sysfs: the tty below the USB interface below
    // the USB device that carries the ids.
    void makeUsbAdapter(const QByteArray& latency) {
        link(pty.slave, "dev/ttyUSB0");
        link("../../ttyUSB0", "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
        const std::string usb = "sys/devices/pci0000:00/usb1/1-1";
        write(usb + "/idVendor", "0403\n");
        write(usb + "/idProduct", "6001\n");
        write(usb + "/manufacturer", "FTDI\n");
        write(usb + "/product", "FT232R USB UART\n");
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(root + "/" + usb + "/1-1:1.0/ttyUSB0")));
        link("../../../bus/usb-serial/drivers/ftdi_sio", usb + "/1-1:1.0/ttyUSB0/driver");
        link("../../../devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0", "sys/class/tty/ttyUSB0/device");
        write("sys/bus/usb-serial/devices/ttyUSB0/latency_timer", latency);
    }

    static std::vector<S> severities(const std::vector<PortFinding>& findings) {
        std::vector<S> result;
        for (const PortFinding& f : findings)
            result.push_back(f.Severity);
        return result;
    }

    QTemporaryDir dir;
    std::string root;
    Pty pty;
    uid_t ptyUid = 0;
    gid_t ptyGid = 0;
    PortSelfTestEnvironment env;
};

} // namespace

TEST_F(PortSelfTestTest, MissingDeviceAndBadNamesEndTheTestWithOneError) {
    link("../../ttyUSB3", "dev/serial/by-id/usb-Maker_Adapter_42-if00-port0");
    const auto missing = runPortSelfTest("COM5", env);
    ASSERT_EQ(severities(missing), std::vector<S>{S::Error});
    EXPECT_TRUE(missing[0].Text.contains("/dev/ttyUSB0 für COM5 gibt es nicht"))
        << missing[0].Text.toStdString();
    EXPECT_TRUE(missing[0].Text.contains("usb-Maker_Adapter_42-if00-port0")) << "names what is plugged in";

    for (const char* name : {"LPT1", "COM", "COM99"}) {
        const auto bad = runPortSelfTest(name, env);
        ASSERT_EQ(severities(bad), std::vector<S>{S::Error}) << name;
        EXPECT_TRUE(bad[0].Text.contains(QLatin1String(name))) << name;
    }

    write("dev/ttyUSB1", "not a device"); // COM6
    const auto plain = runPortSelfTest("COM6", env);
    ASSERT_EQ(severities(plain), std::vector<S>{S::Error});
    EXPECT_TRUE(plain[0].Text.contains("keine Gerätedatei"));
}

TEST_F(PortSelfTestTest, UsbAdapterIsIdentifiedAndItsLatencyTimerJudged) {
    makeUsbAdapter("16\n");
    setComDeviceOverride(7, "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    // Through the table and through a by-id override alike.
    for (const char* port : {"COM5", "COM7"}) {
        const auto f = runPortSelfTest(port, env);
        ASSERT_EQ(severities(f), (std::vector<S>{S::Ok, S::Ok, S::Ok, S::Warning})) << port;
        for (const char* part : {"by-id: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0",
                                 "Treiber ftdi_sio", "USB 0403:6001 „FTDI FT232R USB UART“"})
            EXPECT_TRUE(f[0].Text.contains(QString::fromUtf8(part)))
                << port << ": " << f[0].Text.toStdString();
        EXPECT_TRUE(f[3].Text.contains("16 ms zu spät")) << f[3].Text.toStdString();
        EXPECT_TRUE(f[3].Text.contains(QLatin1String(LatencyRuleFile)));
        EXPECT_TRUE(
            f[3].Text.contains("echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer"));
        EXPECT_TRUE(f[3].Text.contains("nicht installiert"));
    }
    // Where cmake --install puts it by default, and where an administrator copies it.
    for (const char* folder : {"usr/local/lib/udev/rules.d/", "etc/udev/rules.d/"}) {
        write(std::string(folder) + LatencyRuleFile, "");
        const auto installed = runPortSelfTest("COM5", env);
        EXPECT_TRUE(
            installed[3].Text.contains(QStringLiteral("/%1%2, die ihn auf 1 ms stellt, ist installiert")
                                           .arg(QLatin1String(folder), QLatin1String(LatencyRuleFile))))
            << installed[3].Text.toStdString();
    }

    write("sys/bus/usb-serial/devices/ttyUSB0/latency_timer", "1\n");
    const auto tuned = runPortSelfTest("COM5", env);
    ASSERT_EQ(severities(tuned), (std::vector<S>{S::Ok, S::Ok, S::Ok, S::Ok}));
    EXPECT_TRUE(tuned[3].Text.contains("1 ms")) << tuned[3].Text.toStdString();
}

TEST_F(PortSelfTestTest, PermissionFollowsModeOwnerAndGroups) {
    link(pty.slave, "dev/ttyS0"); // COM1
    struct Case {
        mode_t mode;
        uid_t uid;
        std::vector<gid_t> gids;
        S expected;
        const char* advice;
    };
    const uid_t stranger = ptyUid + 1000;
    const Case cases[] = {
        {0660, stranger, {}, S::Error, "sudo usermod -aG dialout anna"},
        {0660, stranger, {ptyGid}, S::Ok, nullptr},
        {0600, ptyUid, {}, S::Ok, nullptr},
        {0600, stranger, {ptyGid}, S::Error, "sudo chmod g+rw /dev/ttyS0"},
        {0620, stranger, {ptyGid}, S::Error, "sudo chmod g+rw /dev/ttyS0"}, // write alone is not enough
        {0666, stranger, {}, S::Ok, nullptr},
        {0600, 0, {}, S::Ok, nullptr},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(::chmod(pty.slave.c_str(), c.mode), 0);
        env.Uid = c.uid;
        env.Gids = c.gids;
        const auto f = runPortSelfTest("COM1", env);
        ASSERT_EQ(f.size(), 4u);
        EXPECT_EQ(f[1].Severity, c.expected) << std::oct << c.mode << " uid " << std::dec << c.uid;
        if (c.advice) {
            EXPECT_TRUE(f[1].Text.contains(QLatin1String(c.advice))) << f[1].Text.toStdString();
        }
    }
}

TEST_F(PortSelfTestTest, NamesTheProgramsThatHoldTheDevice) {
    link(pty.slave, "dev/ttyS0");
    link("/dev/null", "proc/4711/fd/0"); // another character device is no match
    write("proc/4711/comm", "bash\n");
    link(pty.slave, "proc/99/fd/7"); // this program
    write("proc/99/comm", "vantro\n");
    write("proc/self/comm", "vantro\n"); // not a process id

    auto f = runPortSelfTest("COM1", env);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[2].Severity, S::Ok);
    EXPECT_TRUE(f[2].Text.contains("Vantro selbst")) << f[2].Text.toStdString();

    link(pty.slave, "proc/4711/fd/3");
    link(pty.slave, "proc/5000/fd/9");
    write("proc/5000/comm", "minicom\n");
    f = runPortSelfTest("COM1", env);
    EXPECT_EQ(f[2].Severity, S::Error);
    EXPECT_TRUE(f[2].Text.contains("bash (Prozess 4711), minicom (Prozess 5000)")) << f[2].Text.toStdString();
    EXPECT_FALSE(f[2].Text.contains("vantro"));
}

TEST_F(PortSelfTestTest, BuiltInPortAndSimulatorHaveNoLatencyTimer) {
    link(pty.slave, "dev/ttyS0");
    const auto builtIn = runPortSelfTest("COM1", env);
    ASSERT_EQ(severities(builtIn), (std::vector<S>{S::Ok, S::Ok, S::Ok, S::Ok}));
    EXPECT_TRUE(builtIn[3].Text.contains("kein USB-Adapter")) << builtIn[3].Text.toStdString();

    const std::string socket = root + "/lbsim.sock";
    SerialSimServer server;
    ASSERT_EQ(server.start(socket), 0);
    setComDeviceOverride(20, socket);
    const auto sim = runPortSelfTest("COM20", env);
    ASSERT_EQ(severities(sim), std::vector<S>{S::Ok});
    EXPECT_TRUE(sim[0].Text.contains("Simulator")) << sim[0].Text.toStdString();
    EXPECT_TRUE(sim[0].Text.contains("kein USB-Gerät"));
}

TEST(LatencyRuleFile, SetsTheTimerOfUsbSerialDevicesToOneMillisecond) {
    QFile file(QStringLiteral(VANTRO_LATENCY_RULE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString(VANTRO_LATENCY_RULE).endsWith(QLatin1String(LatencyRuleFile)));
    QStringList rules;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.trimmed().isEmpty() && !line.trimmed().startsWith('#'))
            rules << QString::fromUtf8(line);
    }
    ASSERT_EQ(rules.size(), 1);
    EXPECT_TRUE(rules[0].contains(QLatin1String("SUBSYSTEM==\"usb-serial\"")));
    EXPECT_TRUE(rules[0].contains(QLatin1String("ATTR{latency_timer}=\"1\"")));
}
