#include "app/window/TFormMain.h"
#include "app/window/TLogo.h"
#include "serial/EComHandle.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeSerialDevice.h"
#include "tests/app/FakeBarrierWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace platform;

namespace {

void applySetting(TFormMain& form, const std::function<void(Settings&)>& change) {
    const Settings old = form.CurrentSettings();
    Settings now = old;
    change(now);
    form.applySettings(old, now);
}

class LightBarrier : public FakeBarrierWindow {
protected:
    // The settings in effect with `change` made, put into effect.
    void applySetting(const std::function<void(Settings&)>& change) { ::applySetting(*form, change); }

    QStringList who() const {
        QStringList w;
        for (const auto& line : form->ProtocolLines())
            w << line.who;
        return w;
    }
};

} // namespace

TEST(LightBarrierPort, FormValuesAndStartUp) {
    FakeSerial serial;
    TFormMain form;
    TComPort& port = *form.ComPort;
    EXPECT_EQ(port.Name(), "ComPort");
    EXPECT_EQ(port.Port(), 0);
    EXPECT_EQ(port.BaudRate(), TBaudRate::br9600);
    EXPECT_EQ(port.DataBits(), 5);
    EXPECT_EQ(port.Events(), TEvents({TEvent::evDSR}));
    EXPECT_EQ(port.WriteBufSize(), 64);
    EXPECT_EQ(port.ReadBufSize(), 64);
    EXPECT_TRUE(port.EnableDTR());
    EXPECT_TRUE(static_cast<bool>(port.OnDSR));
    EXPECT_EQ(form.LastModemStatus(), 0x55555555u);
    EXPECT_EQ(form.CurrentSettings().Alg, 0);
    EXPECT_FALSE(port.Connected()) << "port 0 is not opened at start-up";
    EXPECT_TRUE(serial.line().log().empty());

    FakeDialogs dialogs;
    port.setPort(4);
    serial.line().setFailure(SerialCall::Open, 2);
    EXPECT_NO_THROW(form.OpenLightBarrierPort());
    EXPECT_FALSE(port.Connected());
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "a failed open at start-up is not reported";
    serial.line().setFailure(SerialCall::Open, 0);
    form.OpenLightBarrierPort();
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(serial.line().openedName(), "COM4");
}

TEST_F(LightBarrier, ThreeOnEdgesRunStartLapStopAtTheTicksOfTheEdges) {
    const uint32_t t0 = GetTickCount();
    edge(true);
    EXPECT_EQ(form->StartTick(), t0) << "the edge's tick, not the later handling";
    EXPECT_FALSE(form->bSTART->isEnabled());
    edge(false);
    clock.advance(4000);
    const uint32_t t1 = GetTickCount();
    edge(true);
    EXPECT_EQ(form->LapTick(), t1);
    edge(false);
    clock.advance(720);
    const uint32_t t2 = GetTickCount();
    edge(true);
    EXPECT_EQ(form->StopTick(), t2);
    edge(false);
    EXPECT_EQ(who(), (QStringList{"  Nr.:", "Start:", "  Lap:", "Stopp:"}));
    ASSERT_EQ(t2 - t1, 734u); // two 7 ms handling delays and 720 ms
    EXPECT_EQ(form->ProtocolLines()[3].note, "10m/0,73c");

    // A fourth pass and its off-edge do nothing until RESET.
    clock.advance(1000);
    edge(true);
    edge(false);
    EXPECT_EQ(form->ProtocolLines().size(), 4);
    EXPECT_EQ(form->StopTick(), t2);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(LightBarrier, AShortPulseMergedIntoOneWakeUpStillStartsTheRun) {
    const uint32_t t0 = GetTickCount();
    serial.line().pulse(MS_DSR_ON); // 0.5 ms: on and off again before the watcher woke
    deliver();
    EXPECT_FALSE(form->bSTART->isEnabled());
    EXPECT_EQ(form->StartTick(), t0);
    EXPECT_EQ(form->LastModemStatus(), 0u) << "the off-edge was seen too, so the next pass counts";
    clock.advance(3000);
    serial.line().pulse(MS_DSR_ON);
    deliver();
    EXPECT_EQ(form->ProtocolLines().last().who, "  Lap:");
}

TEST_F(LightBarrier, ARepeatedStatusWordDoesNothing) {
    serial.line().raise(EV_DSR, MS_DSR_ON);
    deliver();
    ASSERT_EQ(form->ProtocolLines().size(), 2);
    serial.line().raise(EV_DSR, MS_DSR_ON); // same word again: no LAP
    deliver();
    EXPECT_EQ(form->ProtocolLines().size(), 2);
    EXPECT_TRUE(form->bLAP->isEnabled());
}

TEST_F(LightBarrier, TheFirstEventCountsWhateverTheWordAndOffEdgesAreOnlyRecorded) {
    serial.line().raise(EV_DSR, MS_CTS_ON); // DSR off: recorded, no action
    deliver();
    EXPECT_EQ(form->LastModemStatus(), MS_CTS_ON);
    EXPECT_TRUE(form->ProtocolLines().isEmpty());
    edge(true);
    EXPECT_EQ(form->ProtocolLines().size(), 2);
}

TEST_F(LightBarrier, AnotherModeIgnoresTheBarrier) {
    applySetting([](Settings& s) { s.Alg = 1; });
    edge(true);
    edge(false);
    edge(true);
    EXPECT_TRUE(form->ProtocolLines().isEmpty());
    EXPECT_TRUE(form->bSTART->isEnabled());
    EXPECT_EQ(form->LastModemStatus(), MS_DSR_ON) << "the word is still recorded";
}

TEST_F(LightBarrier, AfterAManualResetTheNextPassesTimeAFreshRun) {
    // START, LAP and RESET by hand; RESET ends the run, so the barrier starts a whole new one.
    form->mStart->Click();
    form->mLap->Click();
    form->mReset->Click();
    for (int pass = 0; pass < 3; ++pass) {
        clock.advance(1000);
        edge(true);
        edge(false);
    }
    EXPECT_EQ(who().mid(3), (QStringList{"-", "  Nr.:", "Start:", "  Lap:", "Stopp:"}));
}

TEST_F(LightBarrier, ClosingTheWindowClosesThePort) {
    serial.line().changeLines(MS_DSR_ON);
    ASSERT_TRUE(waitFor([&] { return form->ComPort->HandOverPending(); }));
    form.reset(); // the pending pass still runs inside the close, on a whole window
    EXPECT_EQ(serial.line().openDevices(), 0);
}

// ---- the link: a device that goes and comes back ----

TEST_F(LightBarrier, StatusStaysReadableAtTheFirstStartSizeAndTheSmallestOne) {
    serial.line().setFailure(SerialCall::Open, ENOENT);
    serial.line().setFailure(SerialCall::Wait, EIO);
    ASSERT_TRUE(waitFor([&] {
        QCoreApplication::processEvents();
        return form->Link().State() == BarrierState::Lost;
    }));
    const QString full = form->Link().Text();
    const QLabel& status = *form->LabBarrier;
    for (const QSize size : {QSize(831, 513), form->minimumSize(), QSize(1280, 900)}) {
        form->resize(size);
        QCoreApplication::processEvents();
        const QRect at = status.geometry();
        EXPECT_FALSE(form->Logo->isVisible() && form->Logo->geometry().intersects(at)) << size.width();
        EXPECT_FALSE(at.intersects(form->PanelDate->geometry())) << size.width();
        EXPECT_FALSE(at.intersects(form->bBeenden->geometry())) << size.width();
        EXPECT_EQ(status.text(), full);
        EXPECT_TRUE(status.toolTip().startsWith(full));
    }
    EXPECT_TRUE(form->Logo->isVisible()) << "a wide window has room for both";
}

namespace {
int opensOf(const FakeSerialLine& line, const std::string& name) {
    int n = 0;
    for (const std::string& call : line.log())
        n += call == "open " + name;
    return n;
}
} // namespace

TEST_F(LightBarrier, ADeviceThatVanishesMidRunIsTriedAgainAndTheNextPassActs) {
    EXPECT_EQ(form->Link().State(), BarrierState::Connected);
    EXPECT_EQ(form->LabBarrier->text(), "Lichtschranke: COM3 verbunden");
    EXPECT_EQ(form->LabBarrier->toolTip(), "Lichtschranke: COM3 verbunden\nGer\u00e4t: /dev/ttyS2");
    edge(true);
    edge(false);
    const QList<ProtocolLine> started = form->ProtocolLines();
    ASSERT_EQ(started.size(), 2);

    // Unplugged: the watcher's wait fails; the device cannot be opened for now.
    serial.line().setFailure(SerialCall::Open, ENOENT);
    serial.line().setFailure(SerialCall::Wait, EIO);
    ASSERT_TRUE(waitFor([&] {
        QCoreApplication::processEvents();
        return form->Link().State() == BarrierState::Lost;
    }));
    EXPECT_EQ(form->LabBarrier->text(),
              "Lichtschranke: COM3 getrennt seit 09:05:" + form->Link().LostSince().toString("ss"));
    EXPECT_TRUE(form->TimerReconnect->isActive());
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // Tried once a second; the run, the keys and the protocol are untouched meanwhile.
    const int opens = opensOf(serial.line(), "COM3");
    clock.advance(500);
    form->ReconnectTimer(form->TimerReconnect);
    EXPECT_EQ(opensOf(serial.line(), "COM3"), opens) << "not due yet";
    clock.advance(500);
    form->ReconnectTimer(form->TimerReconnect);
    EXPECT_EQ(opensOf(serial.line(), "COM3"), opens + 1);
    EXPECT_EQ(form->Link().State(), BarrierState::Lost);
    EXPECT_EQ(form->ProtocolLines(), started);
    EXPECT_TRUE(form->bLAP->isEnabled());
    EXPECT_TRUE(form->ClockRunning());

    // Plugged in again.
    serial.line().setFailure(SerialCall::Wait, 0);
    serial.line().setFailure(SerialCall::Open, 0);
    clock.advance(1000);
    form->ReconnectTimer(form->TimerReconnect);
    ASSERT_EQ(form->Link().State(), BarrierState::Connected);
    EXPECT_EQ(form->LabBarrier->text(), "Lichtschranke: COM3 verbunden");
    EXPECT_FALSE(form->TimerReconnect->isActive());
    ASSERT_TRUE(serial.line().waitUntilWaiting());

    clock.advance(3000);
    const uint32_t lapTick = GetTickCount();
    edge(true);
    EXPECT_EQ(form->LapTick(), lapTick);
    ASSERT_EQ(form->ProtocolLines().size(), 3);
    EXPECT_EQ(form->ProtocolLines().mid(0, 2), started);
    EXPECT_EQ(form->ProtocolLines()[2].who, "  Lap:");
}

TEST(LightBarrierPort, APortHeldByAnotherProgramIsShownAsBusyAndTriedAgain) {
    FakeClock clock{100000};
    FakeDialogs dialogs;
    FakeSerial serial;
    serial.line().setFailure(SerialCall::Open, EBUSY);
    TFormMain form;
    form.ComPort->setPort(3);
    form.OpenLightBarrierPort();
    EXPECT_EQ(form.LabBarrier->text(), "Lichtschranke: COM3 belegt");
    EXPECT_TRUE(form.LabBarrier->toolTip().contains("anderen Programm"));
    EXPECT_TRUE(form.TimerReconnect->isActive());
}

TEST(LightBarrierPort, APortMissingAtStartUpIsTriedEverySecondAndAnotherChoiceStopsIt) {
    FakeClock clock{100000};
    FakeDialogs dialogs;
    FakeSerial serial;
    serial.line().setFailure(SerialCall::Open, ENOENT);
    TFormMain form;
    form.ComPort->setPort(3);
    form.OpenLightBarrierPort();
    EXPECT_EQ(form.Link().State(), BarrierState::Reconnecting);
    EXPECT_EQ(form.LabBarrier->text(), "Lichtschranke: verbinde COM3 \u2026");
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "not reported at start-up";
    EXPECT_TRUE(form.TimerReconnect->isActive());
    clock.advance(1000);
    form.ReconnectTimer(nullptr);
    EXPECT_EQ(opensOf(serial.line(), "COM3"), 2);

    serial.line().setFailure(SerialCall::Open, 0);
    clock.advance(1000);
    form.ReconnectTimer(nullptr);
    EXPECT_EQ(form.Link().State(), BarrierState::Connected);
    EXPECT_TRUE(form.ComPort->Connected());

    // Another port chosen while the old one is missing: the old one is not tried again.
    serial.line().setFailure(SerialCall::Open, ENOENT);
    EXPECT_THROW(applySetting(form, [](Settings& s) { s.Port = 4; }), EComHandle);
    EXPECT_EQ(form.Link().State(), BarrierState::Reconnecting);
    applySetting(form, [](Settings& s) { s.Port = 0; });
    EXPECT_EQ(form.Link().State(), BarrierState::NoPort);
    EXPECT_EQ(form.LabBarrier->text(), "Lichtschranke: kein Port");
    EXPECT_FALSE(form.TimerReconnect->isActive());
    const size_t calls = serial.line().log().size();
    clock.advance(5000);
    form.ReconnectTimer(nullptr);
    EXPECT_EQ(serial.line().log().size(), calls);
}

// ---- dead time ----

TEST_F(LightBarrier, PassesWithinTheDeadTimeRunNothingButKeysDo) {
    applySetting([](Settings& s) { s.DeadTime = 300; });
    const uint32_t t0 = GetTickCount();
    edge(true, 0);
    edge(false, 0);
    EXPECT_EQ(form->StartTick(), t0);
    clock.advance(5);
    edge(true, 0); // the kart's wheels, 5 ms after its nose
    edge(false, 0);
    EXPECT_EQ(form->ProtocolLines().size(), 2);
    EXPECT_TRUE(form->bLAP->isEnabled());

    // The LAP key is not the barrier: it acts at once.
    QTest::keyClick(form.get(), Qt::Key_L);
    EXPECT_EQ(form->ProtocolLines().size(), 3);
    clock.advance(295);
    edge(true, 0); // 300 ms after START: STOP
    EXPECT_EQ(form->ProtocolLines().last().who, "Stopp:");
}

TEST_F(LightBarrier, WithoutDeadTimeOnePulseOfSeveralEdgesRunsSeveralActions) {
    ASSERT_EQ(form->CurrentSettings().DeadTime, 0);
    serial.line().pulse(MS_DSR_ON, 4); // two on-edges within one wake-up
    deliver();
    EXPECT_EQ(who(), (QStringList{"  Nr.:", "Start:", "  Lap:"}));

    form->mReset->Click();
    applySetting([](Settings& s) { s.DeadTime = 50; });
    clock.advance(1000);
    serial.line().pulse(MS_DSR_ON, 4);
    deliver();
    EXPECT_EQ(form->ProtocolLines().size(), 6) << "-, Nr., Start: the second on-edge was dead time";
    EXPECT_EQ(form->ProtocolLines().last().who, "Start:");
}
