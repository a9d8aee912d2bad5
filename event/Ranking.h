#pragma once

#include "event/Competitor.h"
#include "event/EventRules.h"
#include "event/RunRecord.h"
#include "event/Standings.h"

#include <QList>
#include <QString>

// Scoring and ranking as pure functions of the start list, the runs and the rules.
//
// The rules, as the results apply them:
// - A run's result is its time plus cones x cone penalty plus gates x gate penalty; only finished
//   runs have one. Deleted runs are not shown; voided runs are shown and never count; training runs
//   (marked, or each competitor's first not-voided run when the rules say so) are shown, never count.
// - The remaining runs are the scored runs. Best run: the best finished one counts. Sum of all: every
//   scored run counts, and a full result needs as many finished runs as the competitor with the most
//   scored runs has. Best N: the scored runs are ordered best first (unfinished ones last); the first
//   N are the counting slots and the rest are dropped ("Streicher"); an unfinished run in a counting
//   slot leaves the result partial.
// - A disqualified scored run disqualifies the competitor (void the run or change its status to
//   lift it); a disqualified training run counts for nothing.
// - Full results rank first by their sum; partial results follow, more finished runs first, then by
//   their sum; both get places. Then without a place: DNF, DNS, DSQ, not yet driven; each group by
//   start number. Equal results share a place and the next place is skipped.
// - Runs whose start number is not on the start list rank under that number without a name; runs of
//   a competitor marked deleted still rank, under that competitor. Competitors without runs are listed
//   (not yet driven).

/// The class for a year of birth by the class table (both edges of a band belong to it); empty for
/// an unknown year (0) or a year no band covers.
QString classForYear(int yearOfBirth, const QList<ClassBand>& table);

/// The standings of the event: overall, per class, teams (when enabled) and honours.
Standings rankEvent(const QList<Competitor>& competitors, const QList<RunRecord>& runs,
                    const EventRules& rules);

/// The team ranking from the club column of the ranked competitors. Only full results count. Each
/// club's best members count (best result, or best class place when teams are scored by places),
/// at most `maxMembers`, from different classes when the rules say so. Complete teams rank before
/// incomplete ones; incomplete teams rank by member count (more first), then by result. Equal
/// results share a place. Clubs are matched ignoring case and surrounding blanks.
QList<TeamRow> rankTeams(const QList<StandingRow>& overall, const TeamRules& rules);

/// The fastest girl and the fastest boy by counting result among full results (all of them on a tie).
Honours honoursOf(const QList<StandingRow>& overall);
