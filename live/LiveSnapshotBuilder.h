#pragma once

#include "event/EventData.h"
#include "live/LiveSnapshot.h"

/// The live results of the event with `run` on the track: the ranking per class by the event's
/// rules, every shown run (the last recorded first) and the run under way with its competitor.
/// Times are shown at `resolution` decimals. A pure function of its arguments.
LiveSnapshot makeLiveSnapshot(const EventData& event, const LiveRunState& run, int resolution,
                              uint64_t sequence);

/// The heading of a class: "Klasse A", or "ohne Klasse" for competitors without one.
QString liveClassTitle(const QString& className);
