// Plausibility limits: runs outside are stored and flagged "prüfen", the operator clears the flag,
// and new times set after the fact are judged again.
#include "event/Plausibility.h"
#include "event/ConfirmRunCommand.h"
#include "event/EventModel.h"
#include "event/ResultTexts.h"
#include "event/SetRunTimingCommand.h"

#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

EventRules limits() {
    EventRules rules;
    rules.minRunTimeMs = 20000;
    rules.maxRunTimeMs = 120000;
    rules.maxSpeed = 80000;
    return rules;
}

RunRecord finished(std::optional<int32_t> ms, std::optional<int64_t> speed = std::nullopt) {
    RunRecord r;
    r.startNumber = 7;
    r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, 0));
    r.runTimeMs = ms;
    r.lapTimeMs = ms ? std::optional<int32_t>(*ms / 2) : std::nullopt;
    r.speed = speed;
    return r;
}

const QDateTime Noon(QDate(2026, 5, 17), QTime(12, 0));

} // namespace

TEST(Plausibility, RunsOutsideTheLimitsAreNamedWithValueAndLimit) {
    using I = PlausibilityIssue;
    struct Case {
        const char* name;
        RunRecord run;
        QList<I> issues;
        const char* text;
    };
    RunRecord dnf = finished(5000);
    dnf.status = RunStatus::DidNotFinish;
    const Case cases[] = {
        {"inside", finished(45000, 50000), {}, ""},
        {"at both limits", finished(20000, 80000), {}, ""},
        {"short", finished(12340), {I::TooShort}, "Laufzeit 12,34 s unter 20,00 s"},
        {"long and fast",
         finished(130000, 85600),
         {I::TooLong, I::TooFast},
         "Laufzeit 130,00 s über 120,00 s, 85,60 km/h über 80,00 km/h"},
        {"no speed measured", finished(45000, 0), {}, ""},
        {"not finished", dnf, {}, ""},
        {"no time", finished(std::nullopt), {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plausibilityIssues(c.run, limits()), c.issues);
        EXPECT_EQ(isImplausible(c.run, limits()), !c.issues.isEmpty());
        EXPECT_EQ(plausibilityText(c.run, limits()), QString::fromUtf8(c.text));
    }
    // Limits of 0 are off.
    EXPECT_FALSE(isImplausible(finished(1, 999999), EventRules{}));
}

TEST(Plausibility, AnImplausibleRunIsStoredFlaggedAndConfirmedByAnUndoableCommand) {
    EventData data;
    data.rules = limits();
    EventModel model(data, nullptr, [] { return Noon; });
    const int64_t fast = model.addRun(finished(45000, 95000));
    const int64_t fine = model.addRun(finished(45000, 50000));
    ASSERT_EQ(model.data().runs.size(), 2);
    EXPECT_TRUE(model.run(fast)->needsCheck);
    EXPECT_FALSE(model.run(fine)->needsCheck);
    EXPECT_EQ(model.run(fast)->runNumber, 1);
    EXPECT_EQ(runCheckNotice(*model.run(fast), model.data().rules),
              QStringLiteral("Nr. 7, Lauf 1 prüfen: 95,00 km/h über 80,00 km/h"));
    EXPECT_EQ(runCheckNotice(*model.run(fine), model.data().rules), QString());

    RunCell cell;
    cell.run = *model.run(fast);
    cell.run.cones = 1;
    EXPECT_EQ(runRemark(cell), QStringLiteral("prüfen, 1 Pylone"));

    QUndoStack stack;
    stack.push(new ConfirmRunCommand(model, fast, QStringLiteral("Zeit per Hand nachgemessen")));
    EXPECT_FALSE(model.run(fast)->needsCheck);
    const AuditEntry& a = model.data().audit.back();
    EXPECT_EQ(a.runId, fast);
    EXPECT_EQ(a.what, QStringLiteral("Prüfen"));
    EXPECT_EQ(a.oldValue, QStringLiteral("prüfen"));
    EXPECT_EQ(a.newValue, QStringLiteral("bestätigt"));
    EXPECT_EQ(a.reason, QStringLiteral("Zeit per Hand nachgemessen"));
    stack.undo();
    EXPECT_TRUE(model.run(fast)->needsCheck);
    EXPECT_EQ(model.data().audit.back().action, AuditAction::Undo);

    // Confirming a run that is not flagged changes nothing and leaves no audit entry.
    const qsizetype entries = model.data().audit.size();
    stack.push(new ConfirmRunCommand(model, fine));
    EXPECT_EQ(model.data().audit.size(), entries);
}

TEST(Plausibility, NewTimesAreJudgedAgainAndUndoRestoresTheFlag) {
    EventData data;
    data.rules = limits();
    EventModel model(data, nullptr, [] { return Noon; });
    // The STOP was swallowed: RESET ended the run without a time.
    RunRecord dnf = finished(std::nullopt);
    dnf.lapTimeMs = 21000;
    dnf.status = RunStatus::DidNotFinish;
    const int64_t id = model.addRun(dnf);

    QUndoStack stack;
    stack.push(new SetRunTimingCommand(model, id, RunTiming{21000, 140000, 45000, RunStatus::Finished},
                                       QStringLiteral("Impuls als STOP")));
    EXPECT_EQ(model.run(id)->runTimeMs, 140000);
    EXPECT_EQ(model.run(id)->status, RunStatus::Finished);
    EXPECT_TRUE(model.run(id)->needsCheck) << "140 s is above the limit";
    const AuditEntry& a = model.data().audit.back();
    EXPECT_EQ(a.what, QStringLiteral("Impuls als STOP"));
    EXPECT_EQ(a.oldValue, QStringLiteral("Abbruch, Zwischenzeit 21,00 s"));
    EXPECT_EQ(a.newValue, QStringLiteral("Zwischenzeit 21,00 s, Laufzeit 140,00 s, 45,00 km/h"));

    stack.push(new ConfirmRunCommand(model, id));
    stack.push(new SetRunTimingCommand(model, id, RunTiming{21000, 42000, 45000, RunStatus::Finished},
                                       QStringLiteral("Impuls als STOP")));
    EXPECT_FALSE(model.run(id)->needsCheck) << "42 s is inside";
    stack.undo();
    EXPECT_EQ(model.run(id)->runTimeMs, 140000);
    EXPECT_FALSE(model.run(id)->needsCheck) << "back to the confirmed state";
    stack.undo();
    stack.undo();
    EXPECT_EQ(*model.run(id), [&] {
        RunRecord r = dnf;
        r.id = id;
        r.runNumber = 1;
        return r;
    }());
}
