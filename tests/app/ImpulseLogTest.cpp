// The impulse list from the journal's records, and taking an ignored pass as the LAP or STOP of its
// run: its time, the ranking, the protocol line and undo.
#include "app/impulses/ImpulseLog.h"
#include "app/impulses/AssignPassCommand.h"
#include "app/run/RunTexts.h"
#include "event/EventModel.h"
#include "event/Ranking.h"

#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

const QDate Day(2026, 5, 17);

QDateTime at(int h, int m, int s, int ms = 0) {
    return QDateTime(Day, QTime(h, m, s, ms));
}

JournalRecord edge(const QDateTime& when, uint32_t tick, EdgeOutcome outcome) {
    JournalRecord r;
    r.kind = JournalKind::Edge;
    r.at = when;
    r.tick = tick;
    r.outcome = outcome;
    return r;
}

JournalRecord line(const QDateTime& when, const QString& who, const QString& time, const QString& speed = {},
                   const QString& note = {}) {
    JournalRecord r;
    r.kind = JournalKind::Line;
    r.at = when;
    r.line = ProtocolLine{who, time, speed, note};
    return r;
}

JournalRecord open(const QDateTime& when) {
    JournalRecord r;
    r.kind = JournalKind::Open;
    r.at = when;
    r.pid = 42;
    return r;
}

// A day's journal as the window writes it: the pass is journalled before the lines its action
// adds. Nr. 7 drives with a STOP swallowed by a dead time that was too long (the run is ended by
// RESET); Nr. 8 is started by hand; the program then restarts and Nr. 9 drives cleanly.
QByteArray journalOfTheDay() {
    const QList<JournalRecord> records = {
        open(at(10, 0, 0)),
        edge(at(10, 1, 0, 5), 100000, EdgeOutcome::Start),
        line(at(10, 1, 0, 6), "  Nr.:", "7", "Anna Berg"),
        line(at(10, 1, 0, 6), "Start:", "  0,00", {}, "10:01.00"),
        edge(at(10, 1, 2, 0), 102000, EdgeOutcome::IgnoredDeadTime), // a double edge of START
        edge(at(10, 1, 30, 0), 130000, EdgeOutcome::Lap),
        line(at(10, 1, 30, 1), "  Lap:", " 30,00"),
        edge(at(10, 1, 30, 400), 130400, EdgeOutcome::IgnoredDeadTime), // the STOP, 0,4 s after LAP
        line(at(10, 1, 50, 0), "-", {}),
        edge(at(10, 2, 0, 5), 160000, EdgeOutcome::Start),
        line(at(10, 2, 0, 6), "  Nr.:", "9", "Carl Dorn"),
        line(at(10, 2, 0, 6), "Start:", "  0,00", {}, "10:02.00"),
        line(at(10, 3, 0, 0), "-", {}),
        line(at(10, 4, 0, 0), "  Nr.:", "8", ""),
        line(at(10, 4, 0, 0), "Start:", "  0,00", {}, "10:04.00"),
        edge(at(10, 4, 20, 0), 260000, EdgeOutcome::Lap),
        edge(at(10, 4, 21, 0), 261000, EdgeOutcome::Stop),
        edge(at(10, 4, 22, 0), 262000, EdgeOutcome::IgnoredAfterStop),
        open(at(10, 10, 0)),
        edge(at(10, 10, 1, 0), 5000, EdgeOutcome::IgnoredAfterStop), // before any run of the session
    };
    QByteArray bytes;
    for (const JournalRecord& r : records)
        bytes += FormatJournalLine(r);
    bytes += "00000000 garbage\n"; // a damaged line is skipped
    return bytes;
}

class ProtocolRows : public ProtocolLineTarget {
public:
    QList<ProtocolLine> rows;
    QList<ProtocolLine> Lines() const override { return rows; }
    void InsertLine(int row, const ProtocolLine& line) override { rows.insert(row, line); }
    void RemoveLine(int row) override { rows.removeAt(row); }
};

} // namespace

TEST(ImpulseLog, EveryPassOfTheDayWithWhatItDidAndItsRun) {
    ImpulseLog log;
    log.Load(journalOfTheDay());
    ASSERT_EQ(log.Impulses().size(), 9);
    ASSERT_EQ(log.Runs().size(), 3);
    const QStringList outcomes = [&] {
        QStringList list;
        for (int i = 0; i < log.Impulses().size(); ++i)
            list << log.OutcomeText(i);
        return list;
    }();
    EXPECT_EQ(outcomes,
              QStringList({"START", "ignoriert (Sperrzeit)", "LAP", "ignoriert (Sperrzeit)", "START", "LAP",
                           "STOP", "ignoriert (nach STOP)", "ignoriert (kein Lauf)"}));
    EXPECT_EQ(log.RunText(log.Impulses()[3].run), "Nr. 7 Anna Berg, Start 10:01.00");
    EXPECT_EQ(log.RunText(log.Impulses()[5].run), "Nr. 8, Start 10:04.00 (von Hand gestartet)");
    EXPECT_EQ(log.Impulses()[8].run, -1);
    EXPECT_EQ(log.Impulses()[3].at, at(10, 1, 30, 400));
    EXPECT_EQ(log.Impulses()[3].tick, 130400u);

    // Live records go on from there.
    int added = -1;
    log.OnChanged = [&](int first, int count) { added = count > 0 ? first : added; };
    log.Add(edge(at(10, 11, 0), 66000, EdgeOutcome::Start));
    EXPECT_EQ(added, 9);
    EXPECT_EQ(log.OutcomeText(9), "START");
}

TEST(ImpulseLog, OnlyIgnoredPassesOfATimedRunCanBeTakenAndRefusalsSayWhy) {
    ImpulseLog log;
    log.Load(journalOfTheDay());
    struct Case {
        int pass;
        PassRole role;
        const char* why;
    };
    for (const Case& c : {Case{0, PassRole::Stop, "START ausgelöst"}, Case{8, PassRole::Stop, "kein Lauf"},
                          Case{7, PassRole::Stop, "von Hand gestartet"}, Case{-1, PassRole::Lap, "wählen"}}) {
        QString why;
        EXPECT_FALSE(log.PlanAssignment(c.pass, c.role, 10, 2, ",", &why)) << c.pass;
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.why))) << why.toStdString();
    }
    // The double edge of START comes before the LAP: as STOP it would precede the LAP.
    QString why;
    EXPECT_FALSE(log.PlanAssignment(1, PassRole::Stop, 10, 2, ",", &why));
    EXPECT_TRUE(why.contains("vor dem LAP")) << why.toStdString();
}

TEST(ImpulseLog, AStopSwallowedByTheDeadTimeBecomesTheRunsStopWithTimeRankingProtocolLineAndUndo) {
    ImpulseLog log;
    log.Load(journalOfTheDay());

    // The event: Nr. 7's run was ended by RESET ("Abbruch"); Nr. 9 has 45 s.
    EventData data;
    data.rules.maxRunTimeMs = 40000;
    EventModel model(data, nullptr, [] { return at(12, 0, 0); });
    for (int n : {7, 9}) {
        Competitor c;
        c.startNumber = n;
        model.addCompetitor(c);
    }
    RunRecord anna;
    anna.startNumber = 7;
    anna.startTime = at(10, 1, 0, 20);
    anna.lapTimeMs = 30000;
    anna.status = RunStatus::DidNotFinish;
    const int64_t annaId = model.addRun(anna);
    RunRecord carl;
    carl.startNumber = 9;
    carl.startTime = at(10, 2, 0, 20);
    carl.runTimeMs = 45000;
    model.addRun(carl);
    const auto leader = [&] {
        return rankEvent(model.data().competitors, model.data().runs, model.data().rules).overall[0];
    };
    EXPECT_EQ(leader().competitor.startNumber, 9);

    ProtocolRows protocol;
    protocol.rows = {{"  Nr.:", "7", "Anna Berg", ""},
                     {"Start:", "  0,00", "", "10:01.00"},
                     {"  Lap:", " 30,00", "", ""},
                     {"-", "", "", ""},
                     {"  Nr.:", "9", "Carl Dorn", ""},
                     {"Start:", "  0,00", "", "10:02.00"},
                     {"-", "", "", ""},
                     {"", "", "", ""}};
    const QList<ProtocolLine> before = protocol.rows;

    QString why;
    const std::optional<PassAssignment> plan = log.PlanAssignment(3, PassRole::Stop, 10, 2, ",", &why);
    ASSERT_TRUE(plan) << why.toStdString();
    EXPECT_EQ(plan->runTimeMs, 30400);
    EXPECT_EQ(plan->lapTimeMs, 30000);
    const SpeedResult speed = ComputeSpeed(10, 400, ",");
    EXPECT_EQ(plan->speed, speed.value);
    EXPECT_EQ(plan->line, (ProtocolLine{"Stopp:", " 30,40", speed.speedText, "10m/0,4c"}));

    QUndoStack stack;
    stack.push(new AssignPassCommand(log, *plan, &protocol, &model));
    EXPECT_EQ(log.OutcomeText(3), "als STOP übernommen");
    EXPECT_EQ(log.Runs()[log.Impulses()[3].run].stopPass, 3);
    // The line the run would have got, in its own block before its RESET line.
    EXPECT_EQ(protocol.rows[3], plan->line);
    EXPECT_EQ(protocol.rows[4].who, "-");
    const RunRecord& changed = *model.run(annaId);
    EXPECT_EQ(changed.runTimeMs, 30400);
    EXPECT_EQ(changed.status, RunStatus::Finished);
    EXPECT_FALSE(changed.needsCheck);
    EXPECT_EQ(leader().competitor.startNumber, 7) << "30,40 s beats 45 s";
    EXPECT_EQ(model.data().audit.back().what, "Impuls als STOP");
    EXPECT_EQ(model.data().audit.back().reason, "Impuls von 10:01:30.400");
    EXPECT_FALSE(log.PlanAssignment(3, PassRole::Stop, 10, 2, ","));

    stack.undo();
    EXPECT_EQ(protocol.rows, before);
    EXPECT_EQ(model.run(annaId)->status, RunStatus::DidNotFinish);
    EXPECT_FALSE(model.run(annaId)->runTimeMs);
    EXPECT_EQ(leader().competitor.startNumber, 9);
    EXPECT_EQ(log.OutcomeText(3), "ignoriert (Sperrzeit)");
    EXPECT_EQ(model.data().audit.back().action, AuditAction::Undo);
    stack.redo();
    EXPECT_EQ(model.run(annaId)->runTimeMs, 30400);
    EXPECT_EQ(protocol.rows[3], plan->line);
}

TEST(ImpulseLog, ALapTakenLaterMovesTheSpeedAndItsLineGoesBeforeTheStop) {
    ImpulseLog log;
    log.Load(journalOfTheDay());
    QUndoStack stack;
    ProtocolRows protocol;
    const std::optional<PassAssignment> stop = log.PlanAssignment(3, PassRole::Stop, 10, 2, ",");
    ASSERT_TRUE(stop);
    stack.push(new AssignPassCommand(log, *stop, &protocol, nullptr));
    ASSERT_EQ(protocol.rows.size(), 1) << "no block of the run: the line goes to the end";

    // Now the START's double edge (2 s after START) taken as LAP: the LAP before is replaced.
    protocol.rows = {{"  Nr.:", "7", "Anna Berg", ""},
                     {"Start:", "  0,00", "", "10:01.00"},
                     {"  Lap:", " 30,00", "", ""},
                     {"Stopp:", " 30,40", "", ""}};
    const std::optional<PassAssignment> lap = log.PlanAssignment(1, PassRole::Lap, 10, 2, ",");
    ASSERT_TRUE(lap);
    EXPECT_EQ(lap->lapTimeMs, 2000);
    EXPECT_EQ(lap->runTimeMs, 30400);
    EXPECT_EQ(lap->speed, ComputeSpeed(10, 28400, ",").value);
    EXPECT_EQ(lap->line, (ProtocolLine{"  Lap:", "  2,00", "", ""}));
    stack.push(new AssignPassCommand(log, *lap, &protocol, nullptr));
    EXPECT_EQ(protocol.rows[3], lap->line);
    EXPECT_EQ(protocol.rows[4].who, "Stopp:");
    EXPECT_EQ(log.OutcomeText(2), "LAP, ersetzt");
    stack.undo();
    EXPECT_EQ(log.OutcomeText(2), "LAP");
    EXPECT_EQ(protocol.rows.size(), 4);
}
