#include "app/Settings.h"
#include "platform/Registry.h"
#include "platform/SerialPortNames.h"
#include "platform/SerialSimServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Registry;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::clearComDeviceOverrides(); }
    void TearDown() override { platform::clearComDeviceOverrides(); }

    QString file() const { return dir.filePath(QStringLiteral("registry.reg")); }
    void writeFile(const QByteArray& text) {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    // A key holding the given lines below its section header.
    void writeKey(const QByteArray& lines) {
        writeFile("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\" +
                  QCoreApplication::applicationName().toUtf8() + "]\r\n" + lines);
    }

    QTemporaryDir dir;
};

Settings changedSettings() {
    Settings s;
    s.Port = 3;
    s.Alg = 0;
    s.Left = 10;
    s.Top = 20;
    s.Width = 900;
    s.Height = 600;
    s.Sound = false;
    s.Acc = 1;
    s.Sound1 = QStringLiteral("/snd/a.wav");
    s.Sound2 = QStringLiteral("/snd/b.wav");
    s.C = {clRed, clLime, clBlue, 0x123456, 0x654321};
    s.LenLuch = 42;
    return s;
}

} // namespace

TEST_F(SettingsTest, FirstStartKeepsTheDefaultsAndWritingStoresTheWholeListInOrder) {
    Registry registry(file());
    Settings s;
    const Settings::ReadResult r = s.Read(registry);
    EXPECT_FALSE(r.KeyFound);
    EXPECT_TRUE(r.Problem.isEmpty());
    EXPECT_EQ(s, Settings());
    EXPECT_EQ(s.Acc, 2);
    EXPECT_EQ(s.Port, 0);
    EXPECT_EQ(s.LenLuch, 10);
    EXPECT_EQ(s.C, (std::array<TColor, 5>{0x000000, 0x404040, 0x00FFFF, 0x404040, 0x00FFFF}));
    EXPECT_FALSE(QFile::exists(file())) << "reading never creates the key";
    EXPECT_EQ(platform::comDevicePath(20), "/tmp/vantro-lbsim.sock") << "the simulator's port is offered";

    ASSERT_TRUE(s.Write(registry));
    EXPECT_EQ(registry.GetValueNames(),
              (QStringList{"Left", "Top", "Width", "Height", "Sound", "Port", "Alg", "Acc", "Sound1",
                           "Sound2", "C0", "C1", "C2", "C3", "C4", "LenLuch"}));
}

TEST_F(SettingsTest, WrittenValuesReadBackTheSame) {
    Registry registry(file());
    const Settings written = changedSettings();
    ASSERT_TRUE(written.Write(registry));
    Registry again(file());
    Settings read;
    const Settings::ReadResult r = read.Read(again);
    EXPECT_TRUE(r.StoppedAt.isEmpty());
    EXPECT_EQ(r.ValuesRead, 16);
    EXPECT_EQ(read, written);
}

TEST_F(SettingsTest, AMissingOrMistypedIntegerEndsTheReadingThere) {
    // "Acc" deleted: Port to Sound are read, the rest keeps its defaults.
    writeKey("\"Port\"=dword:00000002\r\n\"Alg\"=dword:00000001\r\n\"Left\"=dword:00000005\r\n"
             "\"Top\"=dword:00000006\r\n\"Width\"=dword:00000384\r\n\"Height\"=dword:00000258\r\n"
             "\"Sound\"=dword:00000000\r\n\"Sound1\"=\"/x.wav\"\r\n\"C0\"=dword:000000ff\r\n"
             "\"LenLuch\"=dword:00000063\r\n");
    Registry registry(file());
    Settings s;
    const Settings::ReadResult r = s.Read(registry);
    EXPECT_EQ(r.StoppedAt, "Acc");
    EXPECT_EQ(s.Port, 2);
    EXPECT_EQ(s.Alg, 1);
    EXPECT_EQ(s.Width, 900);
    EXPECT_FALSE(s.Sound);
    EXPECT_EQ(s.Acc, 2);
    EXPECT_EQ(s.Sound1, Settings::DefaultSound1());
    EXPECT_EQ(s.C[0], clBlack);
    EXPECT_EQ(s.LenLuch, 10);

    // An integer stored as text ends it as well.
    writeKey("\"Port\"=dword:00000002\r\n\"Alg\"=\"0\"\r\n\"Left\"=dword:00000005\r\n");
    Settings t;
    EXPECT_EQ(t.Read(registry).StoppedAt, "Alg");
    EXPECT_EQ(t.Port, 2);
    EXPECT_EQ(t.Left, Settings::DefaultLeft);
}

TEST_F(SettingsTest, StringRulesPortLowByteAndDeviceOverrides) {
    writeKey("\"Port\"=dword:00000103\r\n\"Alg\"=dword:00000000\r\n\"Left\"=dword:00000005\r\n"
             "\"Top\"=dword:00000006\r\n\"Width\"=dword:00000384\r\n\"Height\"=dword:00000258\r\n"
             "\"Sound\"=dword:00000001\r\n\"Acc\"=dword:00000001\r\n\"Sound1\"=\"\"\r\n"
             "\"C0\"=dword:000000ff\r\n\"ComDevice20\"=\"/run/sim.sock\"\r\n");
    Registry registry(file());
    Settings s;
    const Settings::ReadResult r = s.Read(registry);
    EXPECT_EQ(s.Port, 3) << "the low 8 bits of 0x103";
    EXPECT_EQ(s.Sound1, Settings::DefaultSound1()) << "an empty name keeps the default and reading goes on";
    EXPECT_EQ(s.Sound2, Settings::DefaultSound2()) << "a missing name too";
    EXPECT_EQ(s.C[0], clRed);
    EXPECT_EQ(r.StoppedAt, "C1");
    EXPECT_EQ(platform::comDevicePath(20), "/run/sim.sock");

    // A name of another type ends the reading like a bad integer.
    writeKey("\"Port\"=dword:00000001\r\n\"Alg\"=dword:00000000\r\n\"Left\"=dword:00000005\r\n"
             "\"Top\"=dword:00000006\r\n\"Width\"=dword:00000384\r\n\"Height\"=dword:00000258\r\n"
             "\"Sound\"=dword:00000001\r\n\"Acc\"=dword:00000001\r\n\"Sound1\"=dword:00000001\r\n"
             "\"C0\"=dword:000000ff\r\n");
    Settings t;
    EXPECT_EQ(t.Read(registry).StoppedAt, "Sound1");
    EXPECT_EQ(t.C[0], clBlack);
}

TEST_F(SettingsTest, UnreadableFileIsMovedAsideOnceAndNotOverwritten) {
    writeFile("this is not a registry export\r\n[broken\r\n");
    Registry registry(file());
    Settings s;
    const Settings::ReadResult r = s.Read(registry);
    EXPECT_EQ(s, Settings());
    ASSERT_FALSE(r.Problem.isEmpty());
    EXPECT_TRUE(r.Problem.contains(file()));
    const QStringList aside =
        QDir(dir.path()).entryList({QStringLiteral("registry.reg.unreadable-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(r.Problem.contains(dir.filePath(aside.front())));
    QFile kept(dir.filePath(aside.front()));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "this is not a registry export\r\n[broken\r\n");
    EXPECT_FALSE(QFile::exists(file()));

    // The next start finds no file: defaults, no message; shut-down writes a fresh one.
    Settings next;
    EXPECT_TRUE(next.Read(registry).Problem.isEmpty());
    EXPECT_TRUE(next.Write(registry));
    EXPECT_TRUE(QFile::exists(file()));

    // A valid file without the key is not touched.
    writeFile("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n");
    Settings other;
    EXPECT_TRUE(other.Read(registry).Problem.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("registry.reg.unreadable-*")}, QDir::Files).size(),
              1);
}
