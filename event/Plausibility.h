#pragma once

#include "event/EventRules.h"
#include "event/RunRecord.h"

#include <QList>
#include <QString>

/// Why a run looks implausible by the event's rules.
enum class PlausibilityIssue : uint8_t {
    TooShort, ///< run time below the rules' minimum
    TooLong,  ///< run time above the rules' maximum
    TooFast,  ///< speed above the rules' maximum
};

/// The plausibility rules a finished run breaks, in the order short, long, fast. A limit of 0 is
/// off; a run without a time (not finished) or without a measured speed is not judged on it.
QList<PlausibilityIssue> plausibilityIssues(const RunRecord& run, const EventRules& rules);

/// Whether `run` breaks any plausibility rule of `rules`.
bool isImplausible(const RunRecord& run, const EventRules& rules);

/// The issues in German for the status line and the results' remark, each with the value and the
/// limit: "Laufzeit 12,34 s unter 20,00 s", "Laufzeit 130,00 s über 120,00 s",
/// "85,60 km/h über 80,00 km/h"; joined with ", ".
QString plausibilityText(const RunRecord& run, const EventRules& rules);

/// The status line's notice for a run flagged "prüfen": "Nr. 7, Lauf 2 prüfen: Laufzeit 12,34 s unter
/// 20,00 s"; empty when the run is not flagged.
QString runCheckNotice(const RunRecord& run, const EventRules& rules);
