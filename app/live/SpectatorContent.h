#pragma once

#include "live/LiveSnapshot.h"

#include <QList>
#include <QString>

/// One line of the spectator screen's table.
struct SpectatorRow {
    QString place; ///< "1."; empty without a place
    QString number;
    QString name;
    QString result;           ///< the counting result or the status code
    bool highlighted = false; ///< the competitor on track, or the one who drove last

    bool operator==(const SpectatorRow&) const = default;
};

/// What the spectator screen shows for a snapshot.
struct SpectatorContent {
    LivePhase phase = LivePhase::Idle;
    uint32_t startTick = 0;   ///< while running
    int32_t finalTimeMs = 0;  ///< once finished
    QString competitor;       ///< "12  Anna Berg"; empty when nobody is on track
    QString competitorClass;  ///< "Klasse A"
    QString lastWho;          ///< "7  Ben Cord": who drove last; empty before the first run
    QString lastResult;       ///< "45,12 (+2,00)   Platz 3": that run's result and the place now
    QString tableTitle;       ///< "Klasse A"
    QList<SpectatorRow> rows; ///< the top 10 of that class
};

/// How many lines the table shows.
constexpr int SpectatorTableRows = 10;

/// The content for `snapshot`. The table shows the class of the competitor on track (or, when nobody
/// is, of the one who drove last while `rotation` is 0); when nobody is on track, `rotation` steps
/// through the classes, one class per step.
SpectatorContent spectatorContent(const LiveSnapshot& snapshot, int rotation);
