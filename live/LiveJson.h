#pragma once

#include "live/LiveSnapshot.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

/// How many runs the state document lists ("the last 10 runs").
constexpr int LiveLastRunsShown = 10;

/// The state document the page shows and every push carries: the event, the run under way (with
/// the milliseconds it has been running at `nowTick` while it runs), the last runs and the ranking
/// of every class (its lines with what the page shows; the ranking document has them in full).
/// Compact JSON, UTF-8.
QByteArray liveStateJson(const LiveSnapshot& snapshot, uint32_t nowTick);

/// Every shown run, the last recorded first.
QByteArray liveRunsJson(const LiveSnapshot& snapshot);

/// The ranking of the class named `className` (empty: competitors without a class); every class
/// when `className` is not given. Nothing when there is no such class.
std::optional<QByteArray> liveRankingJson(const LiveSnapshot& snapshot,
                                          const std::optional<QString>& className);

/// The word for a phase in the documents: "idle", "running", "finished".
QString livePhaseName(LivePhase phase);
