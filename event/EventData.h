#pragma once

#include "event/AuditEntry.h"
#include "event/Competitor.h"
#include "event/EventInfo.h"
#include "event/EventRules.h"
#include "event/RunRecord.h"

#include <QList>

/// Everything an event holds, as plain values: what the store loads in one read and what the
/// windows show.
struct EventData {
    EventInfo info;
    EventRules rules;
    QList<Competitor> competitors; ///< in order of their keys
    QList<RunRecord> runs;         ///< in order of their keys (the order they were recorded)
    QList<AuditEntry> audit;       ///< oldest first

    bool operator==(const EventData&) const = default;
};
