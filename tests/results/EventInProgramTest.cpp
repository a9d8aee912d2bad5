// The run session feeding the event in the real main window: runs by keys and by the simulated
// light barrier, the start list's names, the next listed start number, the day's event across a
// restart, and a folder that cannot be written.
#include "app/results/EventDocument.h"
#include "app/window/TFormMain.h"
#include "event/EventFiles.h"
#include "event/EventStore.h"
#include "serial/SerialDevice.h"
#include "serial/TComPort.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "tests/app/SimulatedBarrier.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;
using testsupport::processUntil;

namespace {

QList<Competitor> startList() {
    QList<Competitor> list;
    for (auto [n, first, last, cls] :
         {std::tuple{1, "Anna", "Berg", "K1"}, std::tuple{2, "Ben", "Kurz", "K2"},
          std::tuple{5, "Cara", "Lang", "K1"}}) {
        Competitor c;
        c.startNumber = n;
        c.firstName = first;
        c.lastName = last;
        c.className = cls;
        list << c;
    }
    return list;
}

class EventInProgram : public ::testing::Test {
protected:
    void key(TFormMain& form, int k) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
        QTest::keyClick(target, Qt::Key(k));
    }
    /// START, LAP after `lap` ms, STOP `rest` ms later (no STOP when `rest` < 0), RESET.
    void drive(TFormMain& form, int number, int lap, int rest) {
        form.seStartN->setValue(number);
        form.bSTART->setFocus();
        key(form, Qt::Key_S);
        clock.advance(uint32_t(lap));
        key(form, Qt::Key_L);
        if (rest >= 0) {
            clock.advance(uint32_t(rest));
            key(form, Qt::Key_P);
        }
        key(form, Qt::Key_Delete);
    }
    QString eventFolder() const { return defaultEventFolder(); }

    FakeClock clock{1000, QDateTime(QDate(2026, 5, 17), QTime(9, 30, 0))};
    FakeDialogs dialogs;
};

} // namespace

TEST_F(EventInProgram, RunsByKeysLandInTheDaysEventWithTimesFromTheTicks) {
    QString path;
    {
        TFormMain form;
        form.show();
        EXPECT_FALSE(form.Event()->isOpen()) << "no event before the first run of the day";
        drive(form, 3, 40000, 1230);
        ASSERT_TRUE(form.Event()->isOpen());
        path = form.Event()->path();
        EXPECT_EQ(QFileInfo(path).fileName(), "2026-05-17.vantro");
        drive(form, 4, 2000, -1);
        const QList<RunRecord>& runs = form.Event()->model()->data().runs;
        ASSERT_EQ(runs.size(), 2);
        EXPECT_EQ(runs[0].startNumber, 3);
        EXPECT_EQ(runs[0].runTimeMs, 41230);
        EXPECT_EQ(runs[0].lapTimeMs, 40000);
        EXPECT_EQ(runs[0].startTime, QDateTime(QDate(2026, 5, 17), QTime(9, 30, 0)));
        EXPECT_EQ(runs[1].status, RunStatus::DidNotFinish) << "RESET without STOP";
        EXPECT_EQ(form.ProtocolLines().size(), 5 + 4) << "the protocol is as it always was";
        EXPECT_TRUE(form.Event()->waitForWrites(3000));
    }
    StoreError e;
    auto store = EventStore::open(path, e);
    ASSERT_TRUE(store);
    EventData data;
    ASSERT_FALSE(store->load(data));
    EXPECT_EQ(data.runs.size(), 2);
}

TEST_F(EventInProgram, AKnownStartNumberFillsTheNameAndResetProposesTheNextOfTheList) {
    TFormMain form;
    form.show();
    form.Event()->ensureEvent(QDate(2026, 5, 17));
    form.Event()->importCompetitors(startList(), "liste.csv");
    form.seStartN->setValue(1);
    EXPECT_EQ(form.editStartN->text(), "Anna Berg");
    EXPECT_EQ(form.LabClass->text(), "K1");
    form.seStartN->setValue(3);
    EXPECT_EQ(form.editStartN->text(), "") << "a number the list does not know clears the name it filled";
    form.editStartN->setText("Gast");
    form.seStartN->setValue(2);
    EXPECT_EQ(form.editStartN->text(), "Gast") << "a name typed by hand stays";
    form.editStartN->clear();
    form.seStartN->setValue(1);
    EXPECT_EQ(form.editStartN->text(), "Anna Berg");

    drive(form, 2, 1000, 500);
    EXPECT_EQ(form.seStartN->value(), 5) << "not 3: the list goes 1, 2, 5";
    EXPECT_EQ(form.editStartN->text(), "Cara Lang");
    drive(form, 5, 1000, 500);
    EXPECT_EQ(form.seStartN->value(), 1) << "after the last of the list, the first again";
    EXPECT_TRUE(form.ProtocolLines().contains(ProtocolLine{"  Nr.:", "2", "Ben Kurz", ""}));
}

TEST_F(EventInProgram, TheDaysEventAndTheNextNumberSurviveARestart) {
    {
        TFormMain form;
        form.Event()->ensureEvent(QDate(2026, 5, 17));
        form.Event()->importCompetitors(startList(), "liste.csv");
        drive(form, 1, 1000, 500);
        EXPECT_TRUE(form.Event()->waitForWrites(3000));
    }
    TFormMain again;
    ASSERT_TRUE(again.Event()->isOpen()) << "today's event opens again";
    EXPECT_EQ(again.Event()->model()->data().runs.size(), 1);
    EXPECT_EQ(again.seStartN->value(), 2);
    EXPECT_EQ(again.editStartN->text(), "Ben Kurz");
}

TEST_F(EventInProgram, AfterACrashTheDaysEventIsFoundInTheEventsFolder) {
    {
        EventDocument doc(eventFolder());
        ASSERT_FALSE(doc.ensureEvent(QDate(2026, 5, 17)));
        RunRecord run;
        run.startNumber = 4;
        run.runTimeMs = 1000;
        doc.addRun(run);
        ASSERT_TRUE(doc.waitForWrites(3000));
    }
    TFormMain form; // the settings name no event: the program ended without writing them
    ASSERT_TRUE(form.Event()->isOpen());
    EXPECT_EQ(form.Event()->model()->data().runs.size(), 1);
    EXPECT_EQ(form.seStartN->value(), 5);
}

TEST_F(EventInProgram, ARunThroughTheSimulatedLightBarrierLandsInTheEvent) {
    SimulatedBarrier barrier;
    ASSERT_TRUE(barrier.started());
    TFormMain form;
    ASSERT_TRUE(form.ComPort->Connected());
    ASSERT_TRUE(barrier.server().waitForClient(3000));
    form.seStartN->setValue(9);
    ASSERT_TRUE(barrier.pass(form, 2));
    clock.advance(4000);
    ASSERT_TRUE(barrier.pass(form, 3));
    clock.advance(720);
    ASSERT_TRUE(barrier.pass(form, 4));
    ASSERT_TRUE(form.Event()->isOpen());
    const QList<RunRecord>& runs = form.Event()->model()->data().runs;
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].startNumber, 9);
    EXPECT_EQ(runs[0].runTimeMs, 4720);
    EXPECT_EQ(runs[0].lapTimeMs, 4000);
    EXPECT_EQ(runs[0].speed, 50000);
    form.ComPort->Close();
}

TEST_F(EventInProgram, AFolderThatCannotBeWrittenGivesOneMessageAndTheRunsAreWrittenLater) {
    // A file where the events folder belongs: nothing can be created there.
    QDir().mkpath(QFileInfo(eventFolder()).absolutePath());
    QFile blocker(eventFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TFormMain form;
    drive(form, 1, 1000, 500);
    drive(form, 2, 1000, 700);
    ASSERT_TRUE(processUntil([&] { return !dialogs.messages().isEmpty(); }));
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains("Zeitnahme läuft weiter"))
        << dialogs.messages()[0].toStdString();
    ASSERT_EQ(form.Event()->model()->data().runs.size(), 2) << "kept in memory";
    EXPECT_EQ(form.ProtocolLines().size(), 10) << "and in the protocol";

    ASSERT_TRUE(QFile::remove(eventFolder()));
    ASSERT_TRUE(processUntil([&] { return !form.Event()->writeFailing(); }, 8000));
    ASSERT_TRUE(form.Event()->waitForWrites(3000));
    StoreError e;
    auto store = EventStore::open(form.Event()->path(), e);
    ASSERT_TRUE(store) << e.message.toStdString();
    EventData data;
    ASSERT_FALSE(store->load(data));
    EXPECT_EQ(data.runs.size(), 2);
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(EventInProgram, ARunOutsideThePlausibleRangeIsStoredFlaggedAndNamedOverTheProtocol) {
    TFormMain form;
    form.show();
    ASSERT_FALSE(form.Event()->ensureEvent(QDate(2026, 5, 17)));
    EventRules rules;
    rules.minRunTimeMs = 20000;
    form.Event()->model()->setRules(rules);
    drive(form, 7, 10000, 2340);
    ASSERT_EQ(form.Event()->model()->data().runs.size(), 1) << "never thrown away";
    EXPECT_TRUE(form.Event()->model()->data().runs[0].needsCheck);
    EXPECT_EQ(form.Notice(), "Nr. 7, Lauf 1 prüfen: Laufzeit 12,34 s unter 20,00 s");
    drive(form, 8, 20000, 1000);
    EXPECT_EQ(form.Notice(), QString()) << "the next START clears it; the flag stays in the results";
    EXPECT_TRUE(form.Event()->model()->data().runs[0].needsCheck);
}
