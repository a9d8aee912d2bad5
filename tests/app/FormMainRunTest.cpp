#include "app/window/TFormMain.h"
#include "controls/TDigit.h"
#include "sortgrid/TSortGrid.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Enabled {
    bool start, lap, stop, reset, number;
};

class FormMainRun : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void expectState(Enabled e) {
        EXPECT_EQ(form.bSTART->isEnabled(), e.start);
        EXPECT_EQ(form.bLAP->isEnabled(), e.lap);
        EXPECT_EQ(form.bSTOP->isEnabled(), e.stop);
        EXPECT_EQ(form.bRESET->isEnabled(), e.reset);
        EXPECT_EQ(form.seStartN->isEnabled(), e.number);
        // Each menu item mirrors its button.
        EXPECT_EQ(form.mStart->isEnabled(), e.start);
        EXPECT_EQ(form.mLap->isEnabled(), e.lap);
        EXPECT_EQ(form.mStop->isEnabled(), e.stop);
        EXPECT_EQ(form.mReset->isEnabled(), e.reset);
    }

    QString digits(int row) {
        const std::array<TDigit*, 5> d =
            row == 0 ? std::array{form.Digit4, form.Digit5, form.Digit6, form.Digit7, form.Digit8}
                     : std::array{form.Digit14, form.Digit15, form.Digit16, form.Digit17, form.Digit18};
        QString s;
        for (int i = 0; i < 5; ++i) {
            if (i == 3)
                s += QLatin1Char(',');
            s += QString::number(d[i]->Value());
        }
        return s;
    }

    void press(QWidget* w, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(w, button); }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        QTest::keyClick(target, Qt::Key(k), mods);
    }

    platform::FakeClock clock{1000, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))};
    platform::FakeDialogs dialogs;
    TFormMain form;
};

const ProtocolLine nrLine{"  Nr.:", "1", "", ""};
const ProtocolLine startLine{"Start:", "  0,00", "", "9:05.07"};

} // namespace

TEST_F(FormMainRun, StartsIdleWithZeroOnBothRows) {
    expectState({true, false, false, false, true});
    EXPECT_EQ(digits(0), QStringLiteral("000,00"));
    EXPECT_EQ(digits(1), QStringLiteral("000,00"));
    EXPECT_EQ(form.Digit4->ColorOn(), clDimDigit);
    EXPECT_EQ(form.Digit5->ColorOn(), clDimDigit);
    EXPECT_EQ(form.Digit6->ColorOn(), clYellow);
    EXPECT_EQ(form.Digit16->ColorOn(), clLime);
    EXPECT_FALSE(form.ClockRunning());
    EXPECT_TRUE(form.ProtocolLines().isEmpty());
}

TEST_F(FormMainRun, FullRunByMousePressesWritesFourLinesAndTheSpeed) {
    form.editStartN->setText(QStringLiteral("Anna"));
    press(form.bSTART, Qt::RightButton); // any mouse button counts, at the press
    expectState({false, true, false, true, false});
    EXPECT_TRUE(form.ClockRunning());
    EXPECT_EQ(form.bLAP, QApplication::focusWidget());

    clock.advance(5230);
    press(form.bLAP);
    expectState({false, false, true, true, false});
    EXPECT_TRUE(form.ClockRunning()) << "the clock keeps counting after LAP";
    EXPECT_EQ(digits(0), QStringLiteral("005,23"));

    clock.advance(720);
    press(form.bSTOP);
    expectState({false, false, false, true, false});
    EXPECT_FALSE(form.ClockRunning());
    EXPECT_EQ(form.bRESET, QApplication::focusWidget());
    EXPECT_EQ(digits(0), QStringLiteral("005,95"));
    // 10 m in 720 ms: 50 km/h, hundreds digit dimmed, tens lit.
    EXPECT_EQ(digits(1), QStringLiteral("050,00"));
    EXPECT_EQ(form.Digit14->ColorOn(), clDimDigit);
    EXPECT_EQ(form.Digit15->ColorOn(), clLime);

    const QList<ProtocolLine> expected{
        {"  Nr.:", "1", "Anna", ""},
        startLine,
        {"  Lap:", "  5,23", "", ""},
        {"Stopp:", "  5,95", "    50", "10m/0,72c"},
    };
    EXPECT_EQ(form.ProtocolLines(), expected);
    EXPECT_EQ(form.SortGrid1->Selection(), (TGridRect{0, 1, 3, 4})) << "the finished run is selected";

    press(form.bRESET);
    expectState({true, false, false, false, true});
    EXPECT_EQ(form.ProtocolLines().last(), (ProtocolLine{"-", "", "", ""}));
    EXPECT_EQ(form.seStartN->value(), 2);
    EXPECT_TRUE(form.editStartN->text().isEmpty());
    EXPECT_EQ(digits(0), QStringLiteral("000,00"));
    EXPECT_EQ(digits(1), QStringLiteral("000,00"));
    EXPECT_EQ(form.bSTART, QApplication::focusWidget());
}

TEST_F(FormMainRun, OneKeyShortcutsRunTheWholeRun) {
    key(Qt::Key_S);
    clock.advance(1000);
    key(Qt::Key_L);
    clock.advance(360);
    key(Qt::Key_P);
    ASSERT_EQ(form.ProtocolLines().size(), 4);
    EXPECT_EQ(form.ProtocolLines()[3].note, QStringLiteral("10m/0,36c"));
    EXPECT_EQ(form.ProtocolLines()[3].speed, QStringLiteral("   100"));
    key(Qt::Key_Delete);
    EXPECT_EQ(form.ProtocolLines().size(), 5);
    expectState({true, false, false, false, true});
}

TEST_F(FormMainRun, EnterAloneWalksTheFocusThroughTheRun) {
    form.bSTART->setFocus();
    for (int i = 0; i < 4; ++i) {
        key(Qt::Key_Return);
        clock.advance(500);
    }
    const QStringList who = [&] {
        QStringList l;
        for (const ProtocolLine& line : form.ProtocolLines())
            l << line.who;
        return l;
    }();
    EXPECT_EQ(who, (QStringList{"  Nr.:", "Start:", "  Lap:", "Stopp:", "-"}));
    EXPECT_EQ(form.bSTART, QApplication::focusWidget());
    expectState({true, false, false, false, true});
}

TEST_F(FormMainRun, DisabledItemsTakeTheirKeyWithoutActing) {
    key(Qt::Key_L);
    key(Qt::Key_P);
    EXPECT_TRUE(form.ProtocolLines().isEmpty());
    // Del in the start-number field never deletes a character, and runs RESET only when enabled.
    form.seStartN->setFocus();
    form.seStartN->findChild<QLineEdit*>()->setCursorPosition(0);
    key(Qt::Key_Delete);
    EXPECT_EQ(form.seStartN->text(), QStringLiteral("1"));
    EXPECT_TRUE(form.ProtocolLines().isEmpty());
    form.mStart->Click();
    form.seStartN->setEnabled(true); // reach the field again while a run is under way
    form.seStartN->setFocus();
    key(Qt::Key_Delete);
    EXPECT_EQ(form.ProtocolLines().last().who, QStringLiteral("-"));
}

TEST_F(FormMainRun, NameFieldTakesLettersAndSetsANumericStartNumberOnExit) {
    form.editStartN->setFocus();
    key(Qt::Key_S);
    EXPECT_EQ(form.editStartN->text(), QStringLiteral("s"));
    EXPECT_TRUE(form.ProtocolLines().isEmpty()) << "typing S into the name must not start a run";

    struct Case {
        const char* text;
        int expected;
    };
    for (const Case c : {Case{"12", 12}, Case{"Anna", 12}, Case{"70000", 65535}, Case{"-3", 1}}) {
        form.editStartN->setFocus();
        form.editStartN->setText(QString::fromLatin1(c.text));
        form.seStartN->setFocus(); // leaving the field
        EXPECT_EQ(form.seStartN->value(), c.expected) << c.text;
    }
    // Back outside the field, S starts a run again.
    form.bSTART->setFocus();
    key(Qt::Key_S);
    EXPECT_EQ(form.ProtocolLines().size(), 2);
}

TEST_F(FormMainRun, EnterInTheNameFieldMovesToStart) {
    form.editStartN->setFocus();
    form.editStartN->setText(QStringLiteral("7"));
    key(Qt::Key_Return);
    EXPECT_EQ(form.bSTART, QApplication::focusWidget());
    EXPECT_EQ(form.seStartN->value(), 7);
}

TEST_F(FormMainRun, ResetClampsTheStartNumberAtItsMaximum) {
    form.seStartN->setValue(65535);
    form.mStart->Click();
    form.mReset->Click();
    EXPECT_EQ(form.seStartN->value(), 65535);
}

TEST_F(FormMainRun, ResetLeavesTheRunTrulyIdle) {
    // After START, RESET: LAP is off again.
    form.mStart->Click();
    form.mReset->Click();
    expectState({true, false, false, false, true});
    // After START, LAP, RESET: STOP is off again, so the next START cannot be stopped at once.
    form.mStart->Click();
    form.mLap->Click();
    form.mReset->Click();
    expectState({true, false, false, false, true});
    form.mStart->Click();
    form.mStop->Click();
    expectState({false, true, false, true, false});
}

TEST_F(FormMainRun, MnemonicsPressTheRunButtons) {
    form.editStartN->setFocus();
    key(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(form.ProtocolLines().size(), 2);
    key(Qt::Key_L, Qt::AltModifier);
    key(Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(form.ProtocolLines().size(), 4);
}

TEST_F(FormMainRun, ClockShowsTheElapsedTimeWhileTheRunIsUnderWay) {
    form.mStart->Click();
    clock.advance(12340);
    QTRY_COMPARE_WITH_TIMEOUT(digits(0), QStringLiteral("012,34"), 1000);
    EXPECT_EQ(form.Digit5->ColorOn(), clYellow);
    EXPECT_EQ(form.Digit4->ColorOn(), clDimDigit);
}

TEST_F(FormMainRun, AGivenTickIsTheMomentOfTheAction) {
    form.runAction(RunAction::Start, 2000);
    EXPECT_EQ(form.StartTick(), 2000u);
    form.runAction(RunAction::Lap, 3000);
    form.runAction(RunAction::Stop, 3500);
    EXPECT_EQ(form.ProtocolLines()[3].time, QStringLiteral("  1,50"));
    EXPECT_EQ(form.ProtocolLines()[3].speed, QStringLiteral("    72"));
    // An action the run does not allow now does nothing, whatever its tick.
    form.runAction(RunAction::Stop, 9999);
    form.runAction(RunAction::Lap, 9999);
    EXPECT_EQ(form.ProtocolLines().size(), 4);
    EXPECT_EQ(form.StopTick(), 3500u);
}

TEST_F(FormMainRun, EverySourceRunsItsActionAtTheMomentItHappened) {
    // Each source takes START, LAP and STOP while the counter stands at 1000, 2000 and 2500; the
    // light barrier's edges came 40 ms before the window handled them.
    uint32_t word = 0;
    const std::pair<const char*, std::function<void(RunAction)>> sources[] = {
        {"key",
         [this](RunAction a) {
             key(a == RunAction::Start ? Qt::Key_S : a == RunAction::Lap ? Qt::Key_L : Qt::Key_P);
         }},
        {"button",
         [this](RunAction a) {
             press(a == RunAction::Start ? form.bSTART : a == RunAction::Lap ? form.bLAP : form.bSTOP);
         }},
        {"menu item",
         [this](RunAction a) {
             (a == RunAction::Start ? form.mStart : a == RunAction::Lap ? form.mLap : form.mStop)->Click();
         }},
        {"barrier",
         [this, &word](RunAction) {
             word ^= platform::MS_CTS_ON; // a new word each time, DSR on
             form.ComPortDSR(form.ComPort, word | platform::MS_DSR_ON, GetTickCount() - 40);
         }},
    };
    for (const auto& [name, take] : sources) {
        SCOPED_TRACE(name);
        const uint32_t shift = std::string_view(name) == "barrier" ? 40 : 0;
        clock.setTick(1000);
        take(RunAction::Start);
        EXPECT_EQ(form.StartTick(), 1000u - shift);
        clock.setTick(2000);
        take(RunAction::Lap);
        EXPECT_EQ(form.LapTick(), 2000u - shift);
        clock.setTick(2500);
        take(RunAction::Stop);
        EXPECT_EQ(form.StopTick(), 2500u - shift);
        ASSERT_EQ(form.ProtocolLines().size() % 5, 4u);
        EXPECT_EQ(form.ProtocolLines().last().time, QStringLiteral("  1,50"));
        form.mReset->Click();
    }
    EXPECT_EQ(form.ProtocolLines().size(), 20);
}

TEST_F(FormMainRun, LapAndStopInTheSameTickWriteTheLineWithoutASpeed) {
    form.mStart->Click();
    clock.advance(800);
    form.mLap->Click();
    form.mStop->Click();
    EXPECT_EQ(form.ProtocolLines()[3], (ProtocolLine{"Stopp:", "  0,80", "     -", "10m/0c"}));
    EXPECT_EQ(digits(1), QStringLiteral("000,00"));
}

TEST_F(FormMainRun, ResolutionShapesTheTimeRowAndTheTimeTexts) {
    const Settings stored = form.CurrentSettings();
    Settings wholeSeconds = stored;
    wholeSeconds.Acc = 0;
    form.applySettings(stored, wholeSeconds);
    EXPECT_EQ(form.PanelTimer->width(), 165);
    EXPECT_EQ(form.PanelTimer->x(), 61);
    EXPECT_TRUE(form.Digit8->isHidden());
    EXPECT_TRUE(form.Digit7->isHidden());
    EXPECT_TRUE(form.LabSec->isHidden());
    form.mStart->Click();
    clock.advance(999);
    form.mLap->Click();
    EXPECT_EQ(form.ProtocolLines()[2].time, QStringLiteral("  0"));
    Settings outOfRange = wholeSeconds;
    outOfRange.Acc = 9; // clamped to hundredths
    form.applySettings(wholeSeconds, outOfRange);
    EXPECT_EQ(form.CurrentSettings().Acc, 2);
    EXPECT_EQ(form.PanelTimer->width(), 288);
    EXPECT_FALSE(form.Digit8->isHidden());
}

TEST_F(FormMainRun, AResetWaitingWhileLapRepaintsEndsTheRunForGood) {
    form.mStart->Click();
    clock.advance(1000);
    // A RESET already queued when LAP lets pending messages run is handled inside LAP.
    QTimer::singleShot(0, &form, [this] { form.mReset->Click(); });
    form.mLap->Click();
    const QList<ProtocolLine> lines = form.ProtocolLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2].who, QStringLiteral("-"));
    EXPECT_EQ(lines[3].who, QStringLiteral("  Lap:"));
    expectState({true, false, false, false, true});
}
