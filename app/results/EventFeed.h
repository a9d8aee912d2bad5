#pragma once

#include "app/run/RunSession.h"
#include "event/RunRecord.h"

#include <QDateTime>

#include <cstdint>
#include <optional>

/// Turns the run session's actions into the event's runs: START remembers the competitor, the
/// tick and the time of day, LAP its tick, STOP gives a finished run and RESET without STOP gives
/// an "Abbruch". Times come from the session's ticks (the light-barrier edge's own), never from
/// protocol text. No window: the main window calls `take` after each action the session ran.
class EventFeed {
public:
    /// Takes the action `action` that `session` has just run. `startNumber` is the competitor's at
    /// START, `now` the local time at START. Returns the run the action ended, if it ended one.
    std::optional<RunRecord> take(RunAction action, const RunSession& session, int startNumber,
                                  const QDateTime& now);

    /// True between START and the STOP or RESET that ends the run.
    bool running() const { return m_running; }
    /// The start number of the last START (0 before the first).
    int lastStartNumber() const { return m_run.startNumber; }

private:
    RunRecord m_run;
    uint32_t m_startTick = 0;
    bool m_running = false;
};
