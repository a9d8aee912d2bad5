// Shared entry point of every test program: a headless application in a German locale.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "testing/FakeAlarmSound.h"

namespace {

// The main window writes its settings when it ends; each test starts without any.
class FreshSettings : public ::testing::EmptyTestEventListener {
public:
    explicit FreshSettings(QString folder) : m_folder(std::move(folder)) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        QDir dir(m_folder);
        dir.removeRecursively();
        QDir().mkpath(m_folder);
    }

private:
    QString m_folder;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The same fonts on every machine: only those the set-up script installs.
    qputenv("FONTCONFIG_FILE", VANTRO_TEST_FONTS_CONF);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Settings go to a folder of the test run's own, never to the user's.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    // The protocol journal too.
    QTemporaryDir stateHome;
    qputenv("XDG_STATE_HOME", stateHome.path().toLocal8Bit());
    // And the events: each test starts without any.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    // As the program does: numbers printed by libraries keep their decimal point in any locale.
    platform::keepCNumericLocale();
    // No test plays through the machine's sound output; a test that counts the plays installs its own.
    FakeAlarmSound silentAlarm;
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings(configHome.path()));
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings(dataHome.path()));
    return RUN_ALL_TESTS();
}
