#include "event/Ranking.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <map>

namespace {

// Scored runs ordered best first: finished by result, then the unfinished ones in run order.
bool betterRun(const RunCell* a, const RunCell* b) {
    if (a->resultMs.has_value() != b->resultMs.has_value())
        return a->resultMs.has_value();
    if (a->resultMs && *a->resultMs != *b->resultMs)
        return *a->resultMs < *b->resultMs;
    return a->run.runNumber < b->run.runNumber;
}

// How many finished runs a full result needs.
int runsNeeded(const EventRules& rules, int mostScoredRuns) {
    switch (rules.scoring) {
    case Scoring::BestRun:
        return 1;
    case Scoring::SumAll:
        return std::max(1, mostScoredRuns);
    case Scoring::SumBestN:
        return std::max(1, rules.bestN);
    }
    return 1;
}

// Fills runs' flags and the row's result and kind.
void scoreRow(StandingRow& row, const EventRules& rules, int needed) {
    std::vector<RunCell*> scored;
    bool disqualified = false, didNotFinish = false, didNotStart = false;
    for (RunCell& cell : row.runs) {
        if (cell.training || cell.run.voided)
            continue;
        scored.push_back(&cell);
        disqualified |= cell.run.status == RunStatus::Disqualified;
        didNotFinish |= cell.run.status == RunStatus::DidNotFinish;
        didNotStart |= cell.run.status == RunStatus::DidNotStart;
    }
    std::stable_sort(scored.begin(), scored.end(), betterRun);
    // The counting slotCount: the best one, all, or the best N.
    const size_t slotCount =
        rules.scoring == Scoring::SumAll ? scored.size() : std::min(scored.size(), size_t(needed));
    int64_t sum = 0;
    int counted = 0;
    for (size_t i = 0; i < scored.size(); ++i) {
        RunCell& cell = *scored[i];
        if (i < slotCount) {
            if (cell.resultMs) {
                cell.counts = true;
                sum += *cell.resultMs;
                ++counted;
            }
        } else if (rules.scoring == Scoring::SumBestN) {
            cell.dropped = true;
        }
    }
    row.countedRuns = counted;
    if (disqualified)
        row.kind = ResultKind::Disqualified;
    else if (counted >= needed)
        row.kind = ResultKind::Full;
    else if (counted > 0)
        row.kind = ResultKind::Partial;
    else if (didNotFinish)
        row.kind = ResultKind::DidNotFinish;
    else if (didNotStart)
        row.kind = ResultKind::DidNotStart;
    else
        row.kind = ResultKind::NoRun;
    if (row.kind == ResultKind::Full || row.kind == ResultKind::Partial)
        row.resultMs = sum;
    else
        for (RunCell* cell : scored)
            cell->counts = false;
}

bool placed(const StandingRow& r) {
    return r.kind == ResultKind::Full || r.kind == ResultKind::Partial;
}

bool rankedBefore(const StandingRow& a, const StandingRow& b) {
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.kind == ResultKind::Partial && a.countedRuns != b.countedRuns)
        return a.countedRuns > b.countedRuns;
    if (placed(a) && *a.resultMs != *b.resultMs)
        return *a.resultMs < *b.resultMs;
    return a.competitor.startNumber < b.competitor.startNumber;
}

bool sameResult(const StandingRow& a, const StandingRow& b) {
    return a.kind == b.kind && a.countedRuns == b.countedRuns && a.resultMs == b.resultMs;
}

// Sorts the rows and gives places and gaps.
void placeRows(QList<StandingRow>& rows) {
    std::stable_sort(rows.begin(), rows.end(), rankedBefore);
    const StandingRow* leader = nullptr;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        StandingRow& r = rows[i];
        r.gapToLeaderMs.reset();
        r.gapToAheadMs.reset();
        if (!placed(r)) {
            r.place = 0;
            continue;
        }
        r.place = (i > 0 && sameResult(rows[i - 1], r)) ? rows[i - 1].place : int(i + 1);
        if (r.kind != ResultKind::Full)
            continue;
        if (!leader) {
            leader = &r;
            continue;
        }
        r.gapToLeaderMs = *r.resultMs - *leader->resultMs;
        r.gapToAheadMs = *r.resultMs - *rows[i - 1].resultMs;
    }
}

QString classOf(const Competitor& c, const EventRules& rules) {
    const QString given = c.className.trimmed();
    return given.isEmpty() ? classForYear(c.yearOfBirth, rules.classTable) : given;
}

} // namespace

QString classForYear(int yearOfBirth, const QList<ClassBand>& table) {
    if (yearOfBirth <= 0)
        return {};
    for (const ClassBand& band : table) {
        const int lo = std::min(band.fromYear, band.toYear), hi = std::max(band.fromYear, band.toYear);
        if (yearOfBirth >= lo && yearOfBirth <= hi)
            return band.className;
    }
    return {};
}

Standings rankEvent(const QList<Competitor>& competitors, const QList<RunRecord>& runs,
                    const EventRules& rules) {
    Standings out;
    QList<StandingRow>& rows = out.overall;
    QHash<int, qsizetype> rowOf;
    QHash<int, const Competitor*> removed;
    rows.reserve(competitors.size());
    for (const Competitor& c : competitors) {
        if (c.deleted && !removed.contains(c.startNumber))
            removed.insert(c.startNumber, &c);
        if (c.deleted || rowOf.contains(c.startNumber))
            continue;
        rowOf.insert(c.startNumber, rows.size());
        StandingRow row;
        row.competitor = c;
        row.className = classOf(c, rules);
        rows.append(row);
    }
    for (const RunRecord& run : runs) {
        if (run.deleted)
            continue;
        auto it = rowOf.constFind(run.startNumber);
        if (it == rowOf.constEnd()) {
            StandingRow row;
            if (const Competitor* c = removed.value(run.startNumber)) {
                row.competitor = *c;
                row.className = classOf(*c, rules);
            }
            row.competitor.startNumber = run.startNumber;
            it = rowOf.insert(run.startNumber, rows.size());
            rows.append(row);
        }
        RunCell cell;
        cell.run = run;
        cell.penaltyMs = int64_t(run.cones) * rules.conePenaltyMs + int64_t(run.gates) * rules.gatePenaltyMs;
        if (run.status == RunStatus::Finished && run.runTimeMs)
            cell.resultMs = *run.runTimeMs + cell.penaltyMs;
        cell.training = run.training;
        rows[*it].runs.append(cell);
    }

    int mostScored = 0;
    for (StandingRow& row : rows) {
        std::stable_sort(row.runs.begin(), row.runs.end(), [](const RunCell& a, const RunCell& b) {
            return a.run.runNumber != b.run.runNumber ? a.run.runNumber < b.run.runNumber
                                                      : a.run.id < b.run.id;
        });
        if (rules.firstRunIsTraining)
            for (RunCell& cell : row.runs)
                if (!cell.run.voided) {
                    cell.training = true;
                    break;
                }
        mostScored = std::max<int>(
            mostScored, int(std::count_if(row.runs.cbegin(), row.runs.cend(),
                                          [](const RunCell& c) { return !c.training && !c.run.voided; })));
    }
    const int needed = runsNeeded(rules, mostScored);
    for (StandingRow& row : rows)
        scoreRow(row, rules, needed);

    // Classes: those of the table in its order, then the others by name, "ohne Klasse" last.
    std::map<QString, QList<StandingRow>> byClass;
    for (const StandingRow& row : rows)
        byClass[row.className].append(row);
    QStringList order;
    for (const ClassBand& band : rules.classTable)
        if (byClass.count(band.className) && !order.contains(band.className))
            order.append(band.className);
    QStringList others;
    for (const auto& [name, list] : byClass)
        if (!name.isEmpty() && !order.contains(name))
            others.append(name);
    if (others.size() > 1) {
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        collator.setNumericMode(true);
        std::sort(others.begin(), others.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    }
    order += others;
    if (byClass.count(QString()))
        order.append(QString());

    QHash<int, int> classPlaceOf;
    for (const QString& name : order) {
        ClassRanking ranking{name, byClass[name]};
        placeRows(ranking.rows);
        for (StandingRow& r : ranking.rows) {
            r.classPlace = r.place;
            classPlaceOf.insert(r.competitor.startNumber, r.place);
        }
        out.classes.append(ranking);
    }
    placeRows(rows);
    for (StandingRow& r : rows)
        r.classPlace = classPlaceOf.value(r.competitor.startNumber);

    out.teamScoring = rules.teams.scoring;
    if (rules.teams.enabled)
        out.teams = rankTeams(rows, rules.teams);
    out.honours = honoursOf(rows);
    return out;
}
