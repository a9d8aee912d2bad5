#pragma once

#include "event/Competitor.h"
#include "event/EventRules.h"
#include "event/RunRecord.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

/// One shown run of a competitor in the standings, with what the rules made of it.
struct RunCell {
    RunRecord run;                   ///< as recorded (voided, correction and status included)
    int64_t penaltyMs = 0;           ///< cones x cone penalty + gates x gate penalty
    std::optional<int64_t> resultMs; ///< run time plus penalties; empty unless the run finished
    bool training = false;           ///< shown, never counted (marked, or the first run by the rules)
    bool counts = false;             ///< part of the counting result
    bool dropped = false;            ///< "Streicher": a scored run that best-N scoring leaves out

    bool operator==(const RunCell&) const = default;
};

/// What a competitor's result is, in ranking order: full results first, then partial results, then
/// those without any result (DNF before DNS before DSQ), then those who have not driven yet.
enum class ResultKind : uint8_t {
    Full,         ///< as many finished counting runs as the scoring needs
    Partial,      ///< at least one, but fewer finished counting runs than the scoring needs
    DidNotFinish, ///< no finished counting run; at least one "Abbruch"
    DidNotStart,  ///< no finished counting run; only "nicht gestartet"
    Disqualified, ///< a disqualified counting run disqualifies the competitor
    NoRun         ///< no counting run yet (none, or only training and voided runs)
};

/// One line of a ranking.
struct StandingRow {
    Competitor competitor;
    QString className;   ///< the given class, else the one of the class table; empty: "ohne Klasse"
    QList<RunCell> runs; ///< the shown runs (deleted ones left out), in run order
    ResultKind kind = ResultKind::NoRun;
    std::optional<int64_t> resultMs;      ///< the counting result (full and partial results)
    int countedRuns = 0;                  ///< finished runs in the counting result
    int place = 0;                        ///< place in this ranking; 0 for those without a result
    int classPlace = 0;                   ///< place within the class (the same as `place` in a class ranking)
    std::optional<int64_t> gapToLeaderMs; ///< full results only; empty for the leader
    std::optional<int64_t> gapToAheadMs;  ///< to the full result one line up; empty for the leader

    bool operator==(const StandingRow&) const = default;
};

/// The ranking of one class.
struct ClassRanking {
    QString className; ///< empty: competitors without a class
    QList<StandingRow> rows;
};

/// One team of the team ranking.
struct TeamRow {
    QString club;
    QList<int> memberNumbers; ///< start numbers of the counting members, best first
    int64_t result = 0;       ///< sum of the members' results (ms) or of their class places
    bool complete = false;    ///< as many members as the rules allow
    int place = 0;

    bool operator==(const TeamRow&) const = default;
};

/// The day's honours; each list holds the start numbers sharing the best result (empty: none).
struct Honours {
    QList<int> fastestGirl;
    QList<int> fastestBoy;
};

/// Everything the results show, computed from the start list, the runs and the rules.
struct Standings {
    QList<StandingRow> overall;  ///< every competitor, places over all classes
    QList<ClassRanking> classes; ///< class table order first, then other classes, "ohne Klasse" last
    QList<TeamRow> teams;        ///< empty unless the rules enable the team ranking
    TeamScoring teamScoring = TeamScoring::SumOfResults; ///< what the teams' results are
    Honours honours;
};
