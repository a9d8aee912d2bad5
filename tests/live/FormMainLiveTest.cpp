// The live results in the main window: the run on the track, the event and the accuracy reach the
// snapshots; the switch and the port are kept in the settings; the keys open the two windows.
#include "app/live/LiveServerWindow.h"
#include "app/live/SpectatorWindow.h"
#include "app/window/TFormMain.h"
#include "live/LiveFeed.h"
#include "live/LiveServer.h"
#include "settings/Registry.h"
#include "settings/Settings.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "tests/live/LiveHttpClient.h"
#include "tests/live/LiveWait.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

using livetest::waitFor;

namespace {

quint16 freeLoopbackPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class FormMainLive : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.FormLive->setListenAddress(QHostAddress::LocalHost);
    }

    std::shared_ptr<const LiveSnapshot> snapshot() const { return form.LiveResults()->snapshot(); }

    void start(int number, const QString& name, uint32_t tick) {
        form.seStartN->setValue(number);
        form.editStartN->setText(name);
        form.runAction(RunAction::Start, tick);
    }

    platform::FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))};
    platform::FakeDialogs dialogs;
    TFormMain form;
};

} // namespace

TEST_F(FormMainLive, StartStopAndResetReachTheSnapshotsWithTheEventsRun) {
    EXPECT_EQ(snapshot()->current.phase, LivePhase::Idle);
    start(7, QStringLiteral("Ida Weber"), 5000);
    ASSERT_TRUE(waitFor([&] { return snapshot()->current.phase == LivePhase::Running; }));
    EXPECT_EQ(snapshot()->current.startNumber, 7);
    EXPECT_EQ(snapshot()->current.name, QStringLiteral("Ida Weber"));
    EXPECT_EQ(snapshot()->current.startTick, 5000u);

    form.runAction(RunAction::Lap, 20000);
    form.runAction(RunAction::Stop, 48120);
    // The final time, and the run the event took from the same STOP.
    ASSERT_TRUE(waitFor([&] {
        const auto s = snapshot();
        return s->current.phase == LivePhase::Finished && s->runs.size() == 1;
    }));
    EXPECT_EQ(snapshot()->current.timeMs, 43120);
    EXPECT_EQ(snapshot()->runs[0].startNumber, 7);
    EXPECT_EQ(snapshot()->runs[0].timeMs, 43120);

    form.runAction(RunAction::Reset, 50000);
    ASSERT_TRUE(waitFor([&] { return snapshot()->current.phase == LivePhase::Idle; }));
    EXPECT_EQ(snapshot()->runs.size(), 1);
}

TEST_F(FormMainLive, TheSettingsAccuracyIsTheResolutionShown) {
    EXPECT_EQ(snapshot()->resolution, 2);
    for (const int acc : {1, 0, 2}) {
        const Settings old = form.CurrentSettings();
        Settings now = old;
        now.Acc = acc;
        form.applySettings(old, now);
        EXPECT_TRUE(waitFor([&] { return snapshot()->resolution == acc; })) << acc;
    }
}

TEST_F(FormMainLive, SwitchedOnInItsWindowItServesOnLoopbackAndTheChoiceIsKept) {
    LiveServer& server = *form.LiveResultsServer();
    EXPECT_FALSE(server.isRunning());
    const quint16 port = freeLoopbackPort();
    form.FormLive->findChild<QSpinBox*>(QStringLiteral("sePort"))->setValue(port);
    form.FormLive->findChild<QCheckBox*>(QStringLiteral("cbLive"))->click();
    ASSERT_TRUE(server.isRunning());
    EXPECT_EQ(server.port(), port);
    EXPECT_TRUE(form.CurrentSettings().LiveOn);
    EXPECT_EQ(form.CurrentSettings().LivePort, port);
    {
        platform::Registry registry;
        Settings stored;
        stored.Read(registry);
        EXPECT_TRUE(stored.LiveOn);
        EXPECT_EQ(stored.LivePort, port);
    }

    // A page's view of the run on the track.
    start(12, QStringLiteral("Ben Richter"), 3000);
    ASSERT_TRUE(waitFor([&] { return server.snapshot()->current.startNumber == 12; }));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("GET /api/state HTTP/1.1\r\nHost: x\r\n\r\n");
    const livetest::RawResponse response = livetest::readResponse(socket);
    EXPECT_EQ(response.status, 200);
    EXPECT_TRUE(response.body.contains("\"phase\":\"running\"")) << response.body.left(300).constData();
    EXPECT_TRUE(response.body.contains("Ben Richter"));

    // Switched off through the settings: stopped, and the window's switch follows.
    const Settings old = form.CurrentSettings();
    Settings now = old;
    now.LiveOn = false;
    form.applySettings(old, now);
    EXPECT_FALSE(server.isRunning());
    EXPECT_FALSE(form.FormLive->enabledChoice());
    form.WriteSettings();
}

TEST_F(FormMainLive, APortInUseOpensTheWindowWithTheReason) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    EXPECT_FALSE(form.FormLive->isVisible());
    const Settings old = form.CurrentSettings();
    Settings now = old;
    now.LiveOn = true;
    now.LivePort = other.serverPort();
    form.applySettings(old, now);
    EXPECT_FALSE(form.LiveResultsServer()->isRunning());
    EXPECT_TRUE(form.FormLive->isVisible());
    EXPECT_TRUE(form.FormLive->statusText().contains(QStringLiteral("schon belegt")))
        << qPrintable(form.FormLive->statusText());

    // Another port in the window: it runs, and that port is kept.
    const quint16 port = freeLoopbackPort();
    form.FormLive->findChild<QSpinBox*>(QStringLiteral("sePort"))->setValue(port);
    EXPECT_TRUE(form.LiveResultsServer()->isRunning());
    EXPECT_EQ(form.CurrentSettings().LivePort, port);
    form.FormLive->findChild<QCheckBox*>(QStringLiteral("cbLive"))->click();
    EXPECT_FALSE(form.CurrentSettings().LiveOn);
}

TEST_F(FormMainLive, KeysOpenTheServerWindowAndTheSpectatorScreenWhichFollowsTheRun) {
    QTest::keyClick(&form, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(form.FormLive->isVisible());
    EXPECT_EQ(form.FormLive->windowTitle(), QStringLiteral("Live-Ergebnisse"));

    ASSERT_EQ(form.FormSpectator, nullptr);
    QTest::keyClick(&form, Qt::Key_Z, Qt::AltModifier);
    ASSERT_NE(form.FormSpectator, nullptr);
    EXPECT_TRUE(form.FormSpectator->isWindow());
    EXPECT_TRUE(form.FormSpectator->isFullScreen());

    start(21, QStringLiteral("Jonas Fischer"), 2000);
    EXPECT_TRUE(waitFor([&] { return form.FormSpectator->content().competitor.contains("Jonas Fischer"); }))
        << qPrintable(form.FormSpectator->content().competitor);
    EXPECT_EQ(form.FormSpectator->content().phase, LivePhase::Running);

    // Closed and opened again: the same window, full screen again.
    SpectatorWindow* first = form.FormSpectator;
    form.FormSpectator->close();
    QTest::keyClick(&form, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(form.FormSpectator, first);
    EXPECT_TRUE(form.FormSpectator->isVisible());
    EXPECT_TRUE(form.FormSpectator->isFullScreen());
}
