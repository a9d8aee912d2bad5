#include "app/results/EventFeed.h"

#include "app/run/RunTexts.h"

std::optional<RunRecord> EventFeed::take(RunAction action, const RunSession& session, int startNumber,
                                         const QDateTime& now) {
    switch (action) {
    case RunAction::Start:
        m_run = RunRecord{};
        m_run.startNumber = startNumber;
        m_run.startTime = now;
        m_startTick = session.StartTick();
        m_running = true;
        return std::nullopt;
    case RunAction::Lap:
        if (m_running)
            m_run.lapTimeMs = TickInterval(m_startTick, session.LapTick());
        return std::nullopt;
    case RunAction::Stop: {
        if (!m_running)
            return std::nullopt;
        m_running = false;
        RunRecord run = m_run;
        run.status = RunStatus::Finished;
        run.runTimeMs = TickInterval(m_startTick, session.StopTick());
        // The same speed the display shows: over the distance between the LAP and the STOP pass.
        if (run.lapTimeMs) {
            const SpeedResult speed = ComputeSpeed(
                session.LenLuch(), TickInterval(session.LapTick(), session.StopTick()), QStringLiteral(","));
            if (speed.measured)
                run.speed = speed.value;
        }
        return run;
    }
    case RunAction::Reset: {
        if (!m_running)
            return std::nullopt;
        m_running = false;
        RunRecord run = m_run;
        run.status = RunStatus::DidNotFinish;
        return run;
    }
    }
    return std::nullopt;
}
