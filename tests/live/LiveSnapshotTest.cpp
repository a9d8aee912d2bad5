#include "LiveTestEvent.h"
#include "live/LiveSnapshotBuilder.h"

#include <gtest/gtest.h>

using namespace livetest;

namespace {

EventData twoClasses() {
    EventData e;
    e.info = {QStringLiteral("Pokal"), QDate(2026, 6, 13), QStringLiteral("Riesa")};
    e.competitors = {competitor(1, "Anna", "Berg", "A", "MSC Nord"), competitor(2, "Ben", "Cord", "A"),
                     competitor(3, "Clara", "Dorn", "B"), competitor(4, "", "Nur Nachname", "")};
    run(e, 1, 40000);       // A: 40,00
    run(e, 2, 39000, 1);    // A: 39,00 + 2,00 = 41,00
    run(e, 3, 50000);       // B
    run(e, 1, 38500, 0, 1); // A: 48,50, best stays 40,00
    run(e, 2, 39500);       // A: 39,50 -> leads
    RunRecord gone = run(e, 3, 30000);
    e.runs.last().deleted = true; // never shown
    Q_UNUSED(gone);
    run(e, 99, 45000); // a number not on the start list
    return e;
}

} // namespace

TEST(LiveSnapshot, RanksEachClassWithGapsInTheResultsOrder) {
    const LiveSnapshot s = makeLiveSnapshot(twoClasses(), {}, 2, 7);
    EXPECT_EQ(s.sequence, 7u);
    EXPECT_EQ(s.info.place, QStringLiteral("Riesa"));
    QStringList names;
    for (const LiveClass& c : s.classes)
        names << c.title;
    EXPECT_EQ(names, QStringList({"Klasse A", "Klasse B", "ohne Klasse"}));

    const LiveClass* a = s.findClass(QStringLiteral("A"));
    ASSERT_TRUE(a);
    ASSERT_EQ(a->rows.size(), 2);
    EXPECT_EQ(a->rows[0].startNumber, 2);
    EXPECT_EQ(a->rows[0].place, 1);
    EXPECT_EQ(a->rows[0].resultMs, 39500);
    EXPECT_FALSE(a->rows[0].gapToLeaderMs);
    EXPECT_EQ(a->rows[1].name, QStringLiteral("Anna Berg"));
    EXPECT_EQ(a->rows[1].club, QStringLiteral("MSC Nord"));
    EXPECT_EQ(a->rows[1].gapToLeaderMs, 500);
    EXPECT_EQ(a->rows[1].runs, 2);
    // The competitor without a class, and the unknown number, rank "ohne Klasse".
    const LiveClass* none = s.findClass(QString());
    ASSERT_TRUE(none);
    EXPECT_EQ(none->rows.size(), 2);
    EXPECT_FALSE(s.findClass(QStringLiteral("Z")));
}

TEST(LiveSnapshot, ListsShownRunsLastFirstWithPenaltiesAndPlace) {
    const LiveSnapshot s = makeLiveSnapshot(twoClasses(), {}, 2, 1);
    ASSERT_EQ(s.runs.size(), 6); // the deleted run is left out
    EXPECT_EQ(s.runs[0].startNumber, 99);
    EXPECT_TRUE(s.runs[0].name.isEmpty());
    const LiveRun& gate = s.runs[2]; // no. 1's second run: one gate
    EXPECT_EQ(gate.startNumber, 1);
    EXPECT_EQ(gate.runNumber, 2);
    EXPECT_EQ(gate.timeMs, 38500);
    EXPECT_EQ(gate.penaltyMs, 10000);
    EXPECT_EQ(gate.resultMs, 48500);
    EXPECT_EQ(gate.remark, QStringLiteral("1 Tor"));
    EXPECT_FALSE(gate.counts);
    EXPECT_EQ(gate.classPlace, 2);
    EXPECT_EQ(gate.className, QStringLiteral("A"));
    const LiveRun& cone = s.runs[4];
    EXPECT_EQ(cone.startNumber, 2);
    EXPECT_EQ(cone.penaltyMs, 2000);
    EXPECT_EQ(cone.remark, QStringLiteral("1 Pylone"));
}

TEST(LiveSnapshot, DescribesTheRunUnderWay) {
    const EventData e = twoClasses();
    struct Case {
        LiveRunState run;
        LivePhase phase;
        QString name;
        QString className;
        uint32_t startTick;
        std::optional<int32_t> timeMs;
        int place;
    };
    const Case cases[] = {
        {{LivePhase::Idle, 1, "x", 5, 6}, LivePhase::Idle, {}, {}, 0, {}, 0},
        // The start list's name wins over what was typed; the class comes from the ranking.
        {{LivePhase::Running, 3, "typed", 123456, 0}, LivePhase::Running, "Clara Dorn", "B", 123456, {}, 0},
        {{LivePhase::Finished, 2, "", 0, 39500}, LivePhase::Finished, "Ben Cord", "A", 0, 39500, 1},
        // A number not on the start list keeps the typed name.
        {{LivePhase::Running, 500, "  Gast  ", 9, 0}, LivePhase::Running, "Gast", "", 9, {}, 0},
    };
    for (const Case& c : cases) {
        const LiveCurrent cur = makeLiveSnapshot(e, c.run, 2, 1).current;
        SCOPED_TRACE(c.run.startNumber);
        EXPECT_EQ(cur.phase, c.phase);
        EXPECT_EQ(cur.name, c.name);
        EXPECT_EQ(cur.className, c.className);
        EXPECT_EQ(cur.startTick, c.startTick);
        EXPECT_EQ(cur.timeMs, c.timeMs);
        EXPECT_EQ(cur.classPlace, c.place);
    }
}

TEST(LiveSnapshot, EmptyEventGivesEmptyResults) {
    const LiveSnapshot s = makeLiveSnapshot(EventData{}, {}, 7, 1);
    EXPECT_TRUE(s.runs.isEmpty());
    EXPECT_TRUE(s.classes.isEmpty());
    EXPECT_EQ(s.resolution, 2); // clamped
}
