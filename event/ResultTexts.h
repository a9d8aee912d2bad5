#pragma once

#include "event/Standings.h"

#include <QString>

#include <cstdint>

/// Milliseconds as German seconds with a decimal comma at `resolution` decimals (2 hundredths,
/// 1 tenths, 0 whole seconds): "43,00", "43,0", "43". Cut, never rounded up, as the protocol's run
/// times are; no padding. Negative values get a minus sign.
QString formatResultTime(int64_t ms, int resolution);

/// The value `formatResultTime` shows, as a number of seconds (for spreadsheet cells).
double resultSeconds(int64_t ms, int resolution);

/// A gap with a leading plus sign ("+1,25"); empty for no gap.
QString formatGap(const std::optional<int64_t>& ms, int resolution);

/// The penalties of a run in words: "2 Pylonen, 1 Tor"; empty without penalties.
QString penaltyText(const RunRecord& run);

/// What the results say about a run besides its time: "prüfen", "Training", "Streicher", "ungültig",
/// the status, penalties and the correction with its reason; joined with ", ".
QString runRemark(const RunCell& cell);

/// The result column for a row: the counting result, or the status code ("DNF", "DNS", "DSQ"),
/// or empty for those who have not driven.
QString resultText(const StandingRow& row, int resolution);

/// The remarks of a whole row: "Lauf 2: Streicher / Lauf 3: 1 Pylone"; a partial result says so.
QString rowRemark(const StandingRow& row);
