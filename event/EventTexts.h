#pragma once

#include "event/RunRecord.h"

#include <QString>

/// The word for a run's status as the results show it, in the program's language: "" for a finished run,
/// "Abbruch", "nicht gestartet", "disqualifiziert".
QString runStatusText(RunStatus status);

/// The German word for a run's status, as audit entries store it whatever the interface speaks.
QString runStatusStoredText(RunStatus status);

/// The short form used in narrow columns and files: "", "DNF", "DNS", "DSQ".
QString runStatusCode(RunStatus status);

/// The status for a code or word as `runStatusText` or `runStatusCode` give it (any case);
/// empty for an unknown text.
std::optional<RunStatus> runStatusFromText(const QString& text);
