#include "settings/Settings.h"
#include "Fifo.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "settings/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
    s.LiveOn = true;
    s.LivePort = 8123;
    s.UiLanguage = platform::Language::English;
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
              (QStringList{"Left",        "Top",    "Width",    "Height",  "Sound",    "Port",
                           "Alg",         "Acc",    "Sound1",   "Sound2",  "C0",       "C1",
                           "C2",          "C3",     "C4",       "LenLuch", "DeadTime", "EventFile",
                           "StartNumber", "LiveOn", "LivePort", "Language"}));
}

TEST_F(SettingsTest, WrittenValuesReadBackTheSame) {
    Registry registry(file());
    Settings written = changedSettings();
    written.EventFile = QStringLiteral("/tmp/2026-05-17.vantro");
    written.StartNumber = 42;
    ASSERT_TRUE(written.Write(registry));
    Registry again(file());
    Settings read;
    const Settings::ReadResult r = read.Read(again);
    EXPECT_TRUE(r.Invalid.isEmpty());
    EXPECT_TRUE(r.Problem.isEmpty());
    EXPECT_EQ(r.ValuesRead, 22);
    EXPECT_EQ(read, written);
    EXPECT_EQ(Settings::ReadLanguage(again), platform::Language::English);
}

TEST_F(SettingsTest, EachValueIsCheckedOnItsOwnAndTheBadOnesAreNamed) {
    // Damaged values among good ones: a text where a number belongs, numbers out of range and a
    // negative distance. Each bad one keeps its default; every good one, before or after, is read.
    writeKey("\"Port\"=\"COM1\"\r\n\"Alg\"=dword:00000001\r\n\"Left\"=dword:00000005\r\n"
             "\"Top\"=dword:00000006\r\n\"Width\"=dword:000186a0\r\n\"Height\"=dword:00000258\r\n"
             "\"Sound\"=dword:00000002\r\n\"Acc\"=dword:00000001\r\n\"Sound1\"=dword:00000001\r\n"
             "\"Sound2\"=\"/b.wav\"\r\n\"C0\"=dword:01000000\r\n\"C1\"=dword:000000ff\r\n"
             "\"LenLuch\"=dword:fffffffb\r\n\"DeadTime\"=dword:00002328\r\n\"LiveOn\"=dword:00000001\r\n"
             "\"LivePort\"=dword:00010000\r\n\"Language\"=dword:00000003\r\n");
    Registry registry(file());
    Settings s;
    const Settings::ReadResult r = s.Read(registry);
    EXPECT_EQ(r.Invalid, (QStringList{"Port", "Width", "Sound", "Sound1", "C0", "LenLuch", "DeadTime",
                                      "LivePort", "Language"}));
    EXPECT_EQ(s.UiLanguage, platform::Language::System);
    EXPECT_EQ(Settings::ReadLanguage(registry), platform::Language::System);
    EXPECT_TRUE(s.LiveOn);
    EXPECT_EQ(s.LivePort, Settings::DefaultLivePort);
    EXPECT_EQ(s.Port, 0);
    EXPECT_EQ(s.Alg, 1);
    EXPECT_EQ(s.Left, 5);
    EXPECT_EQ(s.Width, Settings::DefaultWidth);
    EXPECT_EQ(s.Height, 600);
    EXPECT_TRUE(s.Sound);
    EXPECT_EQ(s.Acc, 1);
    EXPECT_EQ(s.Sound1, Settings::DefaultSound1());
    EXPECT_EQ(s.Sound2, "/b.wav");
    EXPECT_EQ(s.C[0], clBlack);
    EXPECT_EQ(s.C[1], clRed);
    EXPECT_EQ(s.LenLuch, 10);
    EXPECT_EQ(s.DeadTime, 0);
    EXPECT_TRUE(r.Problem.contains(file()));
    EXPECT_TRUE(r.Problem.contains("ungültige Werte")) << r.Problem.toStdString();
    EXPECT_TRUE(r.Problem.contains("LenLuch (LS-Abstand)")) << r.Problem.toStdString();

    // The edges of the distance's range, and zero just outside it.
    for (const auto& [dword, expected] : std::vector<std::pair<QByteArray, int>>{
             {"00000001", 1}, {"0000012c", 300}, {"00000000", 10}, {"0000012d", 10}}) {
        writeKey("\"LenLuch\"=dword:" + dword + "\r\n");
        Settings t;
        const Settings::ReadResult tr = t.Read(registry);
        EXPECT_EQ(t.LenLuch, expected) << dword.constData();
        EXPECT_EQ(tr.Problem.isEmpty(), expected != 10) << dword.constData();
    }
}

TEST_F(SettingsTest, OnlyChangedOrMissingValuesAreWrittenBack) {
    Registry registry(file());
    Settings first;
    first.Read(registry);
    ASSERT_TRUE(first.Write(registry)); // a new file holds every value
    const Settings firstStored = first;

    // A second instance stores a new distance; the first, which changed only the resolution,
    // must not put its old distance back.
    Settings second = firstStored;
    second.LenLuch = 40;
    ASSERT_TRUE(second.Write(registry, &firstStored));
    Settings firstNow = firstStored;
    firstNow.Acc = 0;
    ASSERT_TRUE(firstNow.Write(registry, &firstStored));
    Settings read;
    read.Read(registry);
    EXPECT_EQ(read.LenLuch, 40);
    EXPECT_EQ(read.Acc, 0);

    // A value missing from the file is filled in; one named to be written is written unchanged.
    ASSERT_TRUE(registry.DeleteValue(QStringLiteral("C2")));
    registry.WriteInteger(QStringLiteral("Sound"), 7);
    ASSERT_TRUE(read.Write(registry, &read, {QStringLiteral("Sound")}));
    Settings again;
    EXPECT_TRUE(again.Read(registry).Invalid.isEmpty());
    EXPECT_EQ(again, read);
}

TEST_F(SettingsTest, AFifoOrAnOversizeFileIsMovedAsideWithoutWaiting) {
    RescuedFifo fifoFile(file());
    ASSERT_TRUE(fifoFile.made());
    QElapsedTimer clock;
    clock.start();
    Registry fifo(file());
    Settings s;
    const Settings::ReadResult r = s.Read(fifo);
    EXPECT_LT(clock.elapsed(), 1000);
    fifoFile.stop();
    EXPECT_FALSE(r.Problem.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("registry.reg.unreadable-*")}, QDir::System).size(),
              1);

    // A valid file past the size limit: moved aside as well, and the next write makes a new one.
    QFile::remove(file()); // the FIFO, should it still be there
    const QByteArray head = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\" +
                            QCoreApplication::applicationName().toUtf8() +
                            "]\r\n\"LenLuch\"=dword:00000019\r\n";
    writeFile(head + "; " + QByteArray(Registry::MaxFileSize, 'x') + "\r\n");
    Registry registry(file());
    Settings big;
    EXPECT_FALSE(big.Read(registry).Problem.isEmpty());
    EXPECT_EQ(big.LenLuch, 10);
    EXPECT_FALSE(QFile::exists(file()));
    big.LenLuch = 30;
    ASSERT_TRUE(big.Write(registry));
    Settings next;
    next.Read(registry);
    EXPECT_EQ(next.LenLuch, 30);
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
