// The light barrier's trust in the window: the impulse list follows the passes and takes an
// ignored one as STOP into the protocol, the alarm sounds when the barrier is lost during a run,
// START warns about a missing or unknown start number, and the test mode takes passes away from
// the run while it is on.
#include "app/impulses/ImpulseLog.h"
#include "app/impulses/ImpulseWindow.h"
#include "app/results/EventDocument.h"
#include "app/run/BarrierAlarm.h"
#include "app/run/RunNotices.h"
#include "app/settings/PortSelfTestDialog.h"
#include "app/window/TFormMain.h"
#include "app/window/TStatusLabel.h"
#include "testing/FakeAlarmSound.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeSerialDevice.h"
#include "tests/app/FakeBarrierWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace platform;

namespace {

class BarrierTrust : public FakeBarrierWindow {
protected:
    void SetUp() override {
        FakeBarrierWindow::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(form->Impulses());
        first = int(form->Impulses()->Impulses().size()); // the day's journal may hold earlier tests' passes
    }

    // One pass (on and off edge) at the current fake tick, handled 7 ms later.
    void pass() {
        edge(true);
        edge(false);
    }

    void loseDevice() {
        serial.line().setFailure(SerialCall::Open, ENOENT);
        serial.line().setFailure(SerialCall::Wait, EIO);
        ASSERT_TRUE(waitFor([&] {
            QCoreApplication::processEvents();
            return form->Link().State() == BarrierState::Lost;
        }));
    }

    FakeAlarmSound alarm;
    int first = 0;
};

} // namespace

TEST_F(BarrierTrust, AStopSwallowedByTheDeadTimeIsTakenFromTheImpulseListIntoTheProtocol) {
    Settings settings = form->CurrentSettings();
    settings.DeadTime = 1000;
    form->applySettings(form->CurrentSettings(), settings);
    const auto swallowedStop = [&] {
        pass(); // START
        clock.advance(20000);
        pass(); // LAP
        clock.advance(600);
        pass(); // the STOP, within the dead time
    };
    swallowedStop();
    const ImpulseLog& log = *form->Impulses();
    ASSERT_EQ(log.Impulses().size(), first + 3);
    EXPECT_EQ(log.OutcomeText(first + 2), "ignoriert (Sperrzeit)");
    EXPECT_EQ(log.RunText(log.Impulses()[first + 2].run), "Nr. 1, Start 9:05.07");

    form->mImpulses->Click();
    ImpulseWindow& window = *form->FormImpulses;
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.tvImpulses->model()->rowCount(), first + 3);

    // The run is still being timed: it stops at the pass, as the barrier would have stopped it.
    window.selectPass(first + 2);
    ASSERT_TRUE(window.bAsStop->isEnabled());
    window.bAsStop->click();
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join(" | ").toStdString();
    ASSERT_EQ(form->ProtocolLines().size(), 4);
    EXPECT_EQ(form->ProtocolLines()[3].who, "Stopp:");
    EXPECT_EQ(form->ProtocolLines()[3].time, " 20,62") << "START to the swallowed pass, at the edges' ticks";
    EXPECT_EQ(form->ProtocolLines()[3].note, "10m/0,61c");
    EXPECT_EQ(form->StopTick(), log.Impulses()[first + 2].tick);
    EXPECT_FALSE(form->ClockRunning());
    EXPECT_EQ(window.tvImpulses->model()->index(first + 2, 2).data().toString(), "als STOP übernommen");
    EXPECT_FALSE(window.bAsStop->isEnabled()) << "taken already";

    // A run already ended by RESET gets the line in its block, undoably.
    form->mReset->Click();
    clock.advance(5000);
    swallowedStop();
    form->mReset->Click();
    ASSERT_EQ(form->ProtocolLines().size(), 9);
    window.selectPass(first + 5);
    window.bAsStop->click();
    QList<ProtocolLine> lines = form->ProtocolLines();
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[8].who, "Stopp:");
    EXPECT_EQ(lines[8].time, " 20,62");
    EXPECT_EQ(lines[9].who, "-");
    ASSERT_TRUE(window.bUndo->isEnabled());
    window.bUndo->click();
    EXPECT_EQ(form->ProtocolLines().size(), 9);
    EXPECT_EQ(form->ProtocolLines()[8].who, "-");
    EXPECT_TRUE(window.bAsStop->isEnabled()) << "ignored again";
    window.selectPass(first + 4);
    EXPECT_FALSE(window.bAsStop->isEnabled()) << "a pass that ran LAP is not offered";
}

TEST_F(BarrierTrust, LosingTheBarrierDuringARunSoundsTheAlarmOnceAndOnlyThen) {
    pass(); // START
    loseDevice();
    EXPECT_EQ(alarm.plays(), 1);
    // The time of the loss is readable at the first-start size and the smallest one.
    auto& status = dynamic_cast<TStatusLabel&>(*form->LabBarrier);
    for (const QSize size : {QSize(831, 513), form->minimumSize()}) {
        form->resize(size);
        QCoreApplication::processEvents();
        EXPECT_FALSE(status.Elided()) << size.width() << ": " << status.text().toStdString();
        EXPECT_GE(status.font().pixelSize(), 10);
    }
    form->ReconnectTimer(form->TimerReconnect);
    clock.advance(1000);
    form->ReconnectTimer(form->TimerReconnect);
    EXPECT_EQ(alarm.plays(), 1) << "once per loss, not at every attempt";
}

TEST_F(BarrierTrust, LosingTheBarrierBetweenRunsOrWithTheAlarmOffIsSilent) {
    loseDevice();
    EXPECT_EQ(alarm.plays(), 0);

    BarrierAlarm switchable;
    switchable.setEnabled(false);
    EXPECT_FALSE(switchable.LinkChanged(BarrierState::Lost, RunPhase::Running));
    BarrierAlarm on;
    EXPECT_TRUE(on.LinkChanged(BarrierState::Lost, RunPhase::Lapped));
    EXPECT_FALSE(on.LinkChanged(BarrierState::Lost, RunPhase::Lapped)) << "still the same loss";
    on.LinkChanged(BarrierState::Connected, RunPhase::Lapped);
    EXPECT_FALSE(on.LinkChanged(BarrierState::Lost, RunPhase::Stopped));
}

TEST_F(BarrierTrust, StartWithoutOrWithAnUnknownNumberWarnsAndTimingGoesOn) {
    form->seStartN->clear();
    form->mStart->Click();
    EXPECT_EQ(form->Notice(), "Achtung: START ohne Startnummer");
    EXPECT_TRUE(form->LabNotice->isVisible());
    EXPECT_TRUE(form->ClockRunning());
    form->mReset->Click();

    const StoreError made = form->Event()->ensureEvent(QDate(2026, 5, 17));
    ASSERT_FALSE(made) << made.message.toStdString();
    for (int number : {1, 2, 3}) {
        Competitor c;
        c.startNumber = number;
        c.lastName = QStringLiteral("Fahrer %1").arg(number);
        form->Event()->model()->addCompetitor(c);
    }
    form->seStartN->setValue(3);
    form->mStart->Click();
    EXPECT_EQ(form->Notice(), QString()) << "a known number clears the warning";
    EXPECT_FALSE(form->LabNotice->isVisible());
    form->mReset->Click();
    form->seStartN->setValue(12);
    EXPECT_EQ(form->editStartN->text(), QString()) << "the name the list proposed goes with its number";
    form->mStart->Click();
    EXPECT_EQ(form->Notice(), "Achtung: Nr. 12 fehlt in der Startliste");
    // Readable at the first-start size: between the caption's buttons, not under them.
    EXPECT_FALSE(form->LabNotice->geometry().intersects(form->sbPrint->geometry()));
    EXPECT_FALSE(form->LabNotice->geometry().intersects(form->sbWord->geometry()));
    EXPECT_GE(form->LabNotice->width(), form->LabNotice->fontMetrics().horizontalAdvance(form->Notice()));

    EXPECT_EQ(StartNumberWarning("5", "Anna", {1, 2}), "Achtung: Nr. 5 fehlt in der Startliste (Anna)");
    EXPECT_EQ(StartNumberWarning("5", "", {}), QString()) << "no start list: nothing to check against";
    EXPECT_EQ(StartNumberWarning("abc", "", {}), "Achtung: START ohne Startnummer");
}

TEST_F(BarrierTrust, TheTestModeCountsPassesWithoutStartingARunAndProposesADeadTime) {
    QSpinBox deadTime;
    deadTime.setRange(0, 5000);
    std::vector<QString> seen;
    dialogs.onNextModal([&](QDialog& d) {
        auto& dialog = dynamic_cast<PortSelfTestDialog&>(d);
        for (const PortFinding& f : dialog.Findings())
            seen.push_back(f.Text);
        dialog.bTestMode->click();
        EXPECT_TRUE(dialog.TestMode());
        pass();
        clock.advance(30);
        pass(); // a double edge: 44 ms after the first (two 7 ms handlings and 30 ms)
        clock.advance(2000);
        pass();
        EXPECT_EQ(dialog.lwPasses->count(), 3);
        EXPECT_TRUE(dialog.lwPasses->item(1)->text().endsWith("+  0,044 s  Doppelflanke?"))
            << dialog.lwPasses->item(1)->text().toStdString();
        EXPECT_EQ(dialog.Meter().proposedDeadTime(), 70);
        dialog.bTakeDeadTime->click();
        return QDialog::Accepted;
    });
    form->CheckPort("COM3", &deadTime);
    EXPECT_FALSE(seen.empty()) << "the self-test ran";
    EXPECT_EQ(deadTime.value(), 70);
    EXPECT_TRUE(form->ProtocolLines().isEmpty()) << "no run while testing";
    EXPECT_EQ(form->Impulses()->Impulses().size(), first) << "test passes are not the event's";
    pass();
    EXPECT_EQ(form->ProtocolLines().size(), 2) << "after the dialog the barrier starts runs again";
}

TEST(PortSelfTestDialog, FindingsAreShownItemByItemWithTheCommandsToCopy) {
    PortSelfTestDialog dialog;
    std::string asked;
    dialog.SelfTest = [&](const std::string& port) {
        asked = port;
        return std::vector<PortFinding>{
            {FindingSeverity::Ok, "COM5 ist das Gerät /dev/ttyUSB0 (Treiber ftdi_sio)."},
            {FindingSeverity::Error,
             "Sie dürfen /dev/ttyUSB0 nicht öffnen. Fügen Sie sich mit\n  sudo usermod -aG "
             "dialout anna\nhinzu."}};
    };
    dialog.checkPort("COM5");
    EXPECT_EQ(asked, "COM5");
    EXPECT_EQ(dialog.lPort->text(), "Lichtschranke an COM5");
    const QString shown = dialog.tbFindings->toPlainText();
    EXPECT_TRUE(shown.contains("Treiber ftdi_sio")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("sudo usermod -aG dialout anna")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("Alles in Ordnung"));

    // A test mode that cannot get passes says why and stays off.
    dialog.OnTestMode = [](bool on) { return on ? QStringLiteral("COM5 ist nicht geöffnet.") : QString(); };
    dialog.bTestMode->click();
    EXPECT_FALSE(dialog.TestMode());
    EXPECT_EQ(dialog.lTestNote->text(), "COM5 ist nicht geöffnet.");
    dialog.addPass(1000, QTime(9, 0));
    EXPECT_EQ(dialog.lwPasses->count(), 0);

    EXPECT_EQ(PortSelfTestDialog::passText(1, QTime(10, 4, 5, 123), std::nullopt), "  1.  10:04:05.123");
    EXPECT_EQ(PortSelfTestDialog::passText(12, QTime(10, 4, 7, 0), 1877u), " 12.  10:04:07.000  +  1,877 s");
}
