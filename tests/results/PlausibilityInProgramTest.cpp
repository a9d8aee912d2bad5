// Plausibility limits as the organiser sets and uses them: the event dialog's fields, a run
// outside them flagged where the operator looks, and the confirmation that clears the flag.
#include "app/results/EventCommands.h"
#include "app/results/EventDialog.h"
#include "app/results/EventDocument.h"
#include "app/results/ResultsWindow.h"
#include "app/results/RunsTableModel.h"
#include "event/AuditEntry.h"
#include "testing/FakeDialogs.h"

#include <QDoubleSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class PlausibilityInProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(doc.ensureEvent(QDate(2026, 5, 17)));
        EventRules rules;
        rules.minRunTimeMs = 20000;
        rules.maxSpeed = 80000;
        doc.model()->setRules(rules);
    }
    int64_t addRun(int number, int ms, int64_t speed) {
        RunRecord r;
        r.startNumber = number;
        r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, number));
        r.runTimeMs = ms;
        r.speed = speed;
        return doc.addRun(r);
    }

    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    EventDocument doc{dir.path()};
};

} // namespace

TEST_F(PlausibilityInProgram, TheDialogShowsTheLimitsTakesNewOnesAndRefusesAMinimumAboveTheMaximum) {
    EventDialog dialog(doc);
    EXPECT_DOUBLE_EQ(dialog.minRunTime->value(), 20.0);
    EXPECT_EQ(dialog.maxRunTime->text(), "aus") << "0 is off";
    EXPECT_DOUBLE_EQ(dialog.maxSpeed->value(), 80.0);

    dialog.maxRunTime->setValue(90.5);
    dialog.maxSpeed->setValue(0);
    ASSERT_TRUE(dialog.apply());
    const EventRules& r = doc.model()->data().rules;
    EXPECT_EQ(r.minRunTimeMs, 20000);
    EXPECT_EQ(r.maxRunTimeMs, 90500);
    EXPECT_EQ(r.maxSpeed, 0);
    EXPECT_TRUE(doc.model()->data().audit.last().newValue.contains("plausibel ab 20 s, bis 90")) << "audited";

    dialog.minRunTime->setValue(100);
    EXPECT_FALSE(dialog.apply());
    EXPECT_EQ(dialogs.messages().last(), "Die kürzeste Laufzeit ist länger als die längste.");
    EXPECT_EQ(doc.model()->data().rules.minRunTimeMs, 20000) << "nothing changed";
}

TEST_F(PlausibilityInProgram, AFlaggedRunIsConfirmedInTheResultsAndUndoFlagsItAgain) {
    const int64_t fine = addRun(1, 41000, 50000);
    const int64_t tooShort = addRun(2, 12340, 50000);
    const int64_t tooFast = addRun(3, 41000, 85600);
    EXPECT_FALSE(doc.model()->run(fine)->needsCheck);
    ASSERT_TRUE(doc.model()->run(tooShort)->needsCheck) << "kept, flagged";
    ASSERT_TRUE(doc.model()->run(tooFast)->needsCheck);

    EventCommands commands{doc, nullptr};
    ResultsWindow window{doc, commands};
    ASSERT_TRUE(QTest::qWaitFor([&] { return doc.upToDate(); }, 3000));
    int row = -1;
    for (int r = 0; r < window.runsModel->rowCount(); ++r)
        if (window.runsModel->runId(r) == tooShort)
            row = r;
    ASSERT_GE(row, 0);
    window.runsView->setCurrentIndex(window.runsModel->index(row, 0));
    window.confirmSelectedRun();
    EXPECT_FALSE(doc.model()->run(tooShort)->needsCheck);
    EXPECT_TRUE(doc.model()->run(tooFast)->needsCheck) << "only the selected run";
    doc.undoStack()->undo();
    EXPECT_TRUE(doc.model()->run(tooShort)->needsCheck);
}
