// The results window over an open event: edits in place as undoable commands with audit entries,
// the ranking following each change, and the window's own undo and redo.
#include "app/results/ResultsWindow.h"
#include "app/results/AuditTableModel.h"
#include "app/results/EventCommands.h"
#include "app/results/EventDocument.h"
#include "app/results/RunsTableModel.h"
#include "app/results/SheetTableModel.h"
#include "testing/FakeDialogs.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(doc.ensureEvent(QDate(2026, 5, 17)));
        QList<Competitor> list;
        for (auto [n, name, cls] :
             {std::tuple{1, "Anna", "K1"}, std::tuple{2, "Ben", "K1"}, std::tuple{3, "Cem", "K2"}}) {
            Competitor c;
            c.startNumber = n;
            c.lastName = name;
            c.className = cls;
            list << c;
        }
        doc.importCompetitors(list, "liste.csv");
        addRun(1, 40000);
        addRun(2, 41000);
        addRun(3, 39000);
        settle();
    }
    void addRun(int number, int ms) {
        RunRecord r;
        r.startNumber = number;
        r.startTime =
            QDateTime(QDate(2026, 5, 17), QTime(10, 0)).addSecs(doc.model()->data().runs.size() * 60);
        r.runTimeMs = ms;
        doc.addRun(r);
    }
    void settle() {
        // Committed, then the commit's report and the refresh it starts reach this thread.
        ASSERT_TRUE(doc.waitForWrites(3000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return doc.upToDate(); }, 3000));
    }
    int rowOfNumber(int number) {
        for (int r = 0; r < window.runsModel->rowCount(); ++r)
            if (window.runsModel->index(r, RunsTableModel::Number).data().toInt() == number)
                return r;
        return -1;
    }
    QString rankingCell(const QString& section, int row, int column) {
        window.sectionChoice->setCurrentText(section);
        return window.rankingModel->index(row, column).data().toString();
    }

    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    EventDocument doc{dir.path()};
    EventCommands commands{doc, nullptr};
    ResultsWindow window{doc, commands};
};

} // namespace

TEST_F(ResultsWindowTest, RunsAreListedNewestFirstAndTheRankingPerClass) {
    ASSERT_EQ(window.runsModel->rowCount(), 3);
    EXPECT_EQ(window.runsModel->index(0, RunsTableModel::Number).data().toInt(), 3);
    EXPECT_EQ(window.runsModel->index(0, RunsTableModel::Time).data().toString(), "39,00");
    EXPECT_EQ(rankingCell("Klasse K1", 0, 2), "Anna");
    EXPECT_EQ(rankingCell("Gesamtwertung", 0, 2), "Cem");
}

TEST_F(ResultsWindowTest, APenaltyEditedInPlaceChangesTheRankingAndIsUndoneWithCtrlZ) {
    const int anna = rowOfNumber(1);
    ASSERT_TRUE(window.runsModel->setData(window.runsModel->index(anna, RunsTableModel::Cones), 1));
    settle();
    EXPECT_EQ(window.runsModel->index(anna, RunsTableModel::Result).data().toString(), "42,00");
    // 40 s + 2 s = 42 s is behind Ben's 41 s.
    EXPECT_EQ(rankingCell("Klasse K1", 0, 2), "Ben");
    ASSERT_GE(window.auditModel->rowCount(), 1);
    EXPECT_EQ(window.auditModel->index(0, AuditTableModel::What).data().toString(), "Strafen");

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(doc.model()->data().runs[0].cones, 0);
    EXPECT_EQ(rankingCell("Klasse K1", 0, 2), "Anna");
    EXPECT_EQ(window.auditModel->index(0, AuditTableModel::Action).data().toString(), "rückgängig");
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    settle();
    EXPECT_EQ(doc.model()->data().runs[0].cones, 1);
}

TEST_F(ResultsWindowTest, DisqualifyingAsksTheReasonAndRanksAfterTheFinishers) {
    window.runsModel->AskDisqualifyReason = [] { return std::optional<QString>("Tor ausgelassen"); };
    const int ben = rowOfNumber(2);
    ASSERT_TRUE(window.runsModel->setData(window.runsModel->index(ben, RunsTableModel::Status), "DSQ"));
    settle();
    EXPECT_EQ(doc.model()->data().runs[1].status, RunStatus::Disqualified);
    EXPECT_EQ(doc.model()->data().runs[1].disqualifyReason, "Tor ausgelassen");
    EXPECT_EQ(rankingCell("Klasse K1", 1, 2), "Ben");
    EXPECT_EQ(rankingCell("Klasse K1", 1, 0), "") << "no place";
    window.runsModel->AskDisqualifyReason = [] { return std::nullopt; };
    ASSERT_FALSE(
        window.runsModel->setData(window.runsModel->index(rowOfNumber(1), RunsTableModel::Status), "DSQ"))
        << "cancelled: nothing changes";
    EXPECT_EQ(doc.undoStack()->count(), 1);
}

TEST_F(ResultsWindowTest, ARunMovedToAnotherNumberFollowsItAndBadInputIsRefused) {
    QStringList refused;
    window.runsModel->OnRefused = [&](const QString& why) { refused << why; };
    const int cem = rowOfNumber(3);
    ASSERT_TRUE(window.runsModel->setData(window.runsModel->index(cem, RunsTableModel::Number), "2"));
    settle();
    EXPECT_EQ(doc.model()->data().runs[2].startNumber, 2);
    EXPECT_EQ(doc.model()->data().runs[2].runNumber, 2) << "Ben's second run, by its start time";
    EXPECT_FALSE(window.runsModel->setData(window.runsModel->index(0, RunsTableModel::Number), "0"));
    EXPECT_FALSE(window.runsModel->setData(window.runsModel->index(0, RunsTableModel::Cones), "viele"));
    EXPECT_EQ(refused.size(), 2);
    doc.undoStack()->undo();
    settle();
    EXPECT_EQ(doc.model()->data().runs[2].startNumber, 3);
}

TEST_F(ResultsWindowTest, AnEditorOpenOnAnOlderRunStaysOpenWhileTheNextRunComesIn) {
    window.show();
    const QModelIndex anna = window.runsModel->index(rowOfNumber(1), RunsTableModel::Cones);
    window.runsView->setCurrentIndex(anna);
    window.runsView->edit(anna);
    QWidget* editor = window.runsView->indexWidget(anna);
    ASSERT_TRUE(editor);
    addRun(3, 38000);
    settle();
    EXPECT_EQ(window.runsModel->rowCount(), 4);
    const QModelIndex moved = window.runsModel->index(rowOfNumber(1), RunsTableModel::Cones);
    EXPECT_EQ(moved.row(), anna.row() + 1);
    EXPECT_EQ(window.runsView->indexWidget(moved), editor) << "the same editor, on the same run";
    EXPECT_EQ(window.runsView->currentIndex(), moved);
}

TEST_F(ResultsWindowTest, VoidTrainingAndCorrectionShowInTheRankingAndTheAudit) {
    const int cem = rowOfNumber(3);
    ASSERT_TRUE(window.runsModel->setData(window.runsModel->index(cem, RunsTableModel::Void), Qt::Checked,
                                          Qt::CheckStateRole));
    settle();
    EXPECT_EQ(rankingCell("Klasse K2", 0, 0), "") << "a void run counts for nothing";
    doc.undoStack()->undo();
    ASSERT_TRUE(window.runsModel->setData(window.runsModel->index(cem, RunsTableModel::Correction),
                                          "Pylone zurückgenommen (Protest)"));
    settle();
    EXPECT_TRUE(rankingCell("Klasse K2", 0, 5).contains("korrigiert: Pylone zurückgenommen"))
        << rankingCell("Klasse K2", 0, 5).toStdString();
    EXPECT_EQ(window.auditModel->index(0, AuditTableModel::New).data().toString(),
              "Pylone zurückgenommen (Protest)");
}
