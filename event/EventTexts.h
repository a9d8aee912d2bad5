#pragma once

#include "event/RunRecord.h"

#include <QString>

/// The German word for a run's status as the results show it: "" for a finished run, "Abbruch",
/// "nicht gestartet", "disqualifiziert".
QString runStatusText(RunStatus status);

/// The short form used in narrow columns and files: "", "DNF", "DNS", "DSQ".
QString runStatusCode(RunStatus status);

/// The status for a code or word as `runStatusText` or `runStatusCode` give it (any case);
/// empty for an unknown text.
std::optional<RunStatus> runStatusFromText(const QString& text);
