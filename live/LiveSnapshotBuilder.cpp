#include "live/LiveSnapshotBuilder.h"

#include "event/EventTexts.h"
#include "event/Ranking.h"
#include "event/ResultTexts.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {

LiveRankRow rankRow(const StandingRow& row) {
    LiveRankRow r;
    r.place = row.place;
    r.startNumber = row.competitor.startNumber;
    r.name = row.competitor.displayName();
    r.club = row.competitor.club;
    r.vehicle = row.competitor.vehicle;
    r.kind = row.kind;
    r.resultMs = row.resultMs;
    r.gapToLeaderMs = row.gapToLeaderMs;
    r.gapToAheadMs = row.gapToAheadMs;
    r.runs = int(row.runs.size());
    r.remark = rowRemark(row);
    return r;
}

} // namespace

QString liveClassTitle(const QString& className) {
    return className.isEmpty() ? QCoreApplication::translate("LiveTexts", "ohne Klasse")
                               : QCoreApplication::translate("LiveTexts", "Klasse %1").arg(className);
}

LiveSnapshot makeLiveSnapshot(const EventData& event, const LiveRunState& run, int resolution,
                              uint64_t sequence) {
    LiveSnapshot s;
    s.sequence = sequence;
    s.info = event.info;
    s.resolution = std::clamp(resolution, 0, 2);

    const Standings standings = rankEvent(event.competitors, event.runs, event.rules);
    for (const ClassRanking& ranking : standings.classes) {
        LiveClass c{ranking.className, liveClassTitle(ranking.className), {}};
        c.rows.reserve(ranking.rows.size());
        for (const StandingRow& row : ranking.rows)
            c.rows.append(rankRow(row));
        s.classes.append(c);
    }

    // Every shown run sits in exactly one row of the overall ranking, with what the rules made of it.
    QHash<int64_t, std::pair<const StandingRow*, const RunCell*>> cellOf;
    QHash<int, const StandingRow*> rowOf;
    for (const StandingRow& row : standings.overall) {
        rowOf.insert(row.competitor.startNumber, &row);
        for (const RunCell& cell : row.runs)
            cellOf.insert(cell.run.id, {&row, &cell});
    }
    s.runs.reserve(event.runs.size());
    for (auto it = event.runs.crbegin(); it != event.runs.crend(); ++it) {
        const auto found = cellOf.constFind(it->id);
        if (found == cellOf.cend())
            continue; // deleted
        const auto [row, cell] = *found;
        LiveRun r;
        r.id = it->id;
        r.startNumber = it->startNumber;
        r.name = row->competitor.displayName();
        r.className = row->className;
        r.runNumber = it->runNumber;
        r.startTime = it->startTime;
        r.timeMs = it->runTimeMs;
        r.cones = it->cones;
        r.gates = it->gates;
        r.penaltyMs = cell->penaltyMs;
        r.resultMs = cell->resultMs;
        r.status = runStatusCode(it->status);
        r.remark = runRemark(*cell);
        r.counts = cell->counts;
        r.classPlace = row->classPlace;
        s.runs.append(r);
    }

    LiveCurrent& c = s.current;
    c.phase = run.phase;
    if (run.phase != LivePhase::Idle) {
        c.startNumber = run.startNumber;
        const StandingRow* row = rowOf.value(run.startNumber);
        const QString listed = row ? row->competitor.displayName() : QString();
        c.name = listed.isEmpty() ? run.name.trimmed() : listed;
        c.className = row ? row->className : QString();
        if (run.phase == LivePhase::Running) {
            c.startTick = run.startTick;
        } else {
            c.timeMs = run.finalTimeMs;
            c.classPlace = row ? row->classPlace : 0;
        }
    }
    return s;
}
