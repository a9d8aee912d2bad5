#include "event/EditCompetitorCommand.h"
#include "event/EventModel.h"
#include "event/EventStore.h"
#include "event/EventWriter.h"
#include "event/MarkRunDeletedCommand.h"
#include "event/MarkTrainingCommand.h"
#include "event/MoveRunCommand.h"
#include "event/SetCorrectionCommand.h"
#include "event/SetPenaltiesCommand.h"
#include "event/SetRunStatusCommand.h"
#include "event/VoidRunCommand.h"

#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

using namespace std::chrono_literals;

namespace {

const QDateTime Noon(QDate(2026, 5, 17), QTime(12, 0));

RunRecord runAt(int startNumber, int minute) {
    RunRecord r;
    r.startNumber = startNumber;
    r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, minute));
    r.runTimeMs = 40000 + minute;
    return r;
}

// An event in a store, its writer and the model over them: Nr. 7 drives at 10:00 and 10:05,
// Nr. 8 at 10:02.
class EventCommands : public ::testing::Test {
protected:
    void SetUp() override {
        StoreError error;
        m_store = EventStore::create(m_dir.filePath("e.vantro"), {}, error);
        ASSERT_TRUE(m_store) << error.message.toStdString();
        m_writer = std::make_unique<EventWriter>(*m_store);
        m_model = std::make_unique<EventModel>(EventData{}, m_writer.get(), [] { return Noon; });
        Competitor c;
        c.startNumber = 7;
        c.lastName = QStringLiteral("Berg");
        m_anna = m_model->addCompetitor(c);
        c.startNumber = 8;
        c.lastName = QStringLiteral("Ufer");
        m_model->addCompetitor(c);
        m_a = m_model->addRun(runAt(7, 0));
        m_c = m_model->addRun(runAt(8, 2));
        m_b = m_model->addRun(runAt(7, 5));
    }

    int numberOf(int64_t id) const { return m_model->run(id)->runNumber; }
    const AuditEntry& lastAudit() const { return m_model->data().audit.back(); }

    // What is in the file equals what the model shows.
    void expectStoredAsShown() {
        ASSERT_TRUE(m_writer->waitForIdle(10s));
        EventData stored;
        ASSERT_FALSE(m_store->load(stored));
        EXPECT_EQ(stored.runs, m_model->data().runs);
        EXPECT_EQ(stored.competitors, m_model->data().competitors);
        EXPECT_EQ(stored.audit, m_model->data().audit);
        EXPECT_EQ(stored.info, m_model->data().info);
        EXPECT_EQ(stored.rules, m_model->data().rules);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<EventStore> m_store;
    std::unique_ptr<EventWriter> m_writer;
    std::unique_ptr<EventModel> m_model;
    QUndoStack m_stack;
    int64_t m_anna = 0, m_a = 0, m_b = 0, m_c = 0;
};

} // namespace

TEST_F(EventCommands, RunsAreNumberedPerStartNumberInOrderOfStart) {
    EXPECT_EQ(numberOf(m_a), 1);
    EXPECT_EQ(numberOf(m_b), 2);
    EXPECT_EQ(numberOf(m_c), 1);
    // A run recorded late but started earlier takes its place in the order.
    const int64_t early = m_model->addRun(runAt(8, 1));
    m_model->setInfo({QStringLiteral("Slalom"), QDate(2026, 5, 17), QStringLiteral("Riesa")});
    EventRules rules;
    rules.gatePenaltyMs = 5000;
    m_model->setRules(rules);
    EXPECT_EQ(numberOf(early), 1);
    EXPECT_EQ(numberOf(m_c), 2);
    expectStoredAsShown();
}

TEST_F(EventCommands, EveryRunCommandIsUndoneAndRedoneWithItsAuditEntries) {
    struct Case {
        const char* name;
        std::function<QUndoCommand*(EventModel&, int64_t)> make;
        std::function<void(RunRecord&)> change;
        QString what, before, after;
    };
    const QString reason = QStringLiteral("Videobeweis");
    const Case cases[] = {
        {"penalties", [&](EventModel& m, int64_t id) { return new SetPenaltiesCommand(m, id, 2, 1, reason); },
         [](RunRecord& r) { r.cones = 2, r.gates = 1; }, "Strafen", "Pylonen 0, Tore 0", "Pylonen 2, Tore 1"},
        {"disqualified",
         [&](EventModel& m, int64_t id) {
             return new SetRunStatusCommand(m, id, RunStatus::Disqualified, "Frühstart", reason);
         },
         [](RunRecord& r) { r.status = RunStatus::Disqualified, r.disqualifyReason = "Frühstart"; }, "Status",
         "gewertet", "disqualifiziert (Frühstart)"},
        {"did not finish",
         [&](EventModel& m, int64_t id) {
             return new SetRunStatusCommand(m, id, RunStatus::DidNotFinish, "ignoriert", reason);
         },
         [](RunRecord& r) { r.status = RunStatus::DidNotFinish; }, "Status", "gewertet", "Abbruch"},
        {"moved", [&](EventModel& m, int64_t id) { return new MoveRunCommand(m, id, 8, reason); },
         [](RunRecord& r) { r.startNumber = 8; }, "Startnummer", "7", "8"},
        {"void", [&](EventModel& m, int64_t id) { return new VoidRunCommand(m, id, true, reason); },
         [](RunRecord& r) { r.voided = true; }, "ungültig, Wiederholung", "nein", "ja"},
        {"training", [&](EventModel& m, int64_t id) { return new MarkTrainingCommand(m, id, true, reason); },
         [](RunRecord& r) { r.training = true; }, "Trainingslauf", "nein", "ja"},
        {"deleted", [&](EventModel& m, int64_t id) { return new MarkRunDeletedCommand(m, id, true, reason); },
         [](RunRecord& r) { r.deleted = true; }, "gelöscht", "nein", "ja"},
        {"correction",
         [&](EventModel& m, int64_t id) { return new SetCorrectionCommand(m, id, "Protest", reason); },
         [](RunRecord& r) { r.correction = "Protest"; }, "Korrekturgrund", "", "Protest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RunRecord before = *m_model->run(m_b);
        RunRecord after = before;
        c.change(after);
        const qsizetype auditBefore = m_model->data().audit.size();

        m_stack.push(c.make(*m_model, m_b));
        EXPECT_EQ(*m_model->run(m_b), after);
        m_stack.undo();
        EXPECT_EQ(*m_model->run(m_b), before);
        m_stack.redo();
        EXPECT_EQ(*m_model->run(m_b), after);
        m_stack.undo();

        const QList<AuditEntry> audit = m_model->data().audit.mid(auditBefore);
        ASSERT_EQ(audit.size(), 4);
        const AuditAction actions[] = {AuditAction::Edit, AuditAction::Undo, AuditAction::Redo,
                                       AuditAction::Undo};
        for (int i = 0; i < 4; ++i) {
            const bool forward = i % 2 == 0;
            EXPECT_EQ(audit[i].action, actions[i]);
            EXPECT_EQ(audit[i].runId, m_b);
            EXPECT_EQ(audit[i].what, c.what);
            EXPECT_EQ(audit[i].oldValue, forward ? c.before : c.after);
            EXPECT_EQ(audit[i].newValue, forward ? c.after : c.before);
            EXPECT_EQ(audit[i].reason, reason);
            EXPECT_EQ(audit[i].time, Noon);
        }
    }

    const qsizetype auditCount = m_model->data().audit.size();
    m_stack.push(new SetPenaltiesCommand(*m_model, m_b, 0, 0));
    EXPECT_EQ(m_stack.count(), 0) << "setting the value a run has is no step to undo";
    EXPECT_EQ(m_model->data().audit.size(), auditCount);
    expectStoredAsShown();
}

TEST_F(EventCommands, MovingOrVoidingARunRenumbersTheRunsOfBothStartNumbers) {
    m_stack.push(new MoveRunCommand(*m_model, m_a, 8));
    EXPECT_EQ(numberOf(m_a), 1) << "10:00 is now Nr. 8's first run";
    EXPECT_EQ(numberOf(m_c), 2);
    EXPECT_EQ(numberOf(m_b), 1) << "Nr. 7's 10:05 run is its first now";
    m_stack.undo();
    EXPECT_EQ(numberOf(m_a), 1);
    EXPECT_EQ(numberOf(m_b), 2);
    EXPECT_EQ(numberOf(m_c), 1);

    m_stack.push(new VoidRunCommand(*m_model, m_a, true));
    EXPECT_EQ(numberOf(m_b), 1) << "the void run no longer counts";
    const int64_t repeat = m_model->addRun(runAt(7, 9));
    EXPECT_EQ(numberOf(repeat), 2);
    m_stack.undo();
    EXPECT_EQ(numberOf(m_a), 1);
    EXPECT_EQ(numberOf(m_b), 2);
    EXPECT_EQ(numberOf(repeat), 3);
    expectStoredAsShown();
}

TEST_F(EventCommands, AStartListEditIsUndoneAndRedoneAndATakenNumberIsRefused) {
    Competitor edited = *m_model->competitor(m_anna);
    edited.firstName = QStringLiteral("Anna");
    edited.className = QStringLiteral("K2");
    m_stack.push(new EditCompetitorCommand(*m_model, edited, QStringLiteral("Tippfehler")));
    EXPECT_EQ(*m_model->competitor(m_anna), edited);
    EXPECT_EQ(lastAudit().what, "Startliste Nr. 7");
    EXPECT_EQ(lastAudit().oldValue, "Name: Berg; Klasse: ");
    EXPECT_EQ(lastAudit().newValue, "Name: Anna Berg; Klasse: K2");
    EXPECT_EQ(lastAudit().competitorId, m_anna);
    m_stack.undo();
    EXPECT_EQ(m_model->competitor(m_anna)->firstName, "");
    EXPECT_EQ(lastAudit().action, AuditAction::Undo);
    EXPECT_EQ(lastAudit().newValue, "Name: Berg; Klasse: ");
    m_stack.redo();
    EXPECT_EQ(*m_model->competitor(m_anna), edited);
    EXPECT_EQ(lastAudit().action, AuditAction::Redo);

    const qsizetype auditCount = m_model->data().audit.size();
    for (int number : {8, 0, 65536}) {
        Competitor clash = edited;
        clash.startNumber = number;
        EditCompetitorCommand command(*m_model, clash);
        EXPECT_FALSE(command.problem().isEmpty()) << number;
        command.redo();
        EXPECT_EQ(m_model->competitor(m_anna)->startNumber, 7);
    }
    EXPECT_EQ(m_model->data().audit.size(), auditCount);
    expectStoredAsShown();
}
