#pragma once

#include "event/AuditEntry.h"
#include "event/Competitor.h"
#include "event/EventInfo.h"
#include "event/EventRules.h"
#include "event/RunRecord.h"

#include <variant>

/// One record to be stored: the whole value, written over what the store has under its key, so
/// writing an item twice does no harm.
using EventWriteItem = std::variant<EventInfo, EventRules, Competitor, RunRecord, AuditEntry>;
