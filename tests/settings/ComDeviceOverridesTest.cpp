#include "settings/ComDeviceOverrides.h"
#include "serial/SerialPortNames.h"
#include "settings/Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

TEST(ComDeviceOverrides, EveryComDeviceStringOfTheOpenKeyIsLoadedInOnePass) {
    QTemporaryDir dir;
    Registry reg(dir.filePath("registry.reg"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Vantro", true));
    reg.WriteString("ComDevice3", "/tmp/sim3");
    reg.WriteString("comdevice17", "/dev/serial/by-id/x");
    reg.WriteString("ComDevice0", "/tmp/zero");
    reg.WriteString("ComDevice256", "/tmp/big");
    reg.WriteString("ComDevice4x", "/tmp/x");
    reg.WriteString("ComDevice", "/tmp/none");
    reg.WriteInteger("ComDevice5", 5);
    reg.WriteString("Sound1", "a.wav");

    clearComDeviceOverrides();
    EXPECT_EQ(loadComDeviceOverrides(reg), 2);
    EXPECT_EQ(comDevicePath(3), "/tmp/sim3");
    EXPECT_EQ(comDevicePath(17), "/dev/serial/by-id/x");
    EXPECT_EQ(comDevicePath(5), "/dev/ttyUSB0") << "a number is no device path";
    EXPECT_EQ(comDevicePath(4), "/dev/ttyS3");
    EXPECT_EQ(comDevicePath(0), "");

    Registry closed(dir.filePath("registry.reg"));
    EXPECT_EQ(loadComDeviceOverrides(closed), 0) << "no key open, nothing loaded";
    clearComDeviceOverrides();
}
