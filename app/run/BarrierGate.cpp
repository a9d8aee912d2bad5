#include "app/run/BarrierGate.h"

#include <algorithm>

void BarrierGate::setDeadTime(int ms) {
    ms = std::clamp(ms, 0, DeadTimeMax);
    if (ms == m_deadTime)
        return;
    m_deadTime = ms;
}

EdgeOutcome BarrierGate::Decide(const RunSession& session, uint32_t tick) {
    if (m_deadTime > 0 && m_lastActionTick) {
        // Modulo 2^32 and read signed: passes either side of the counter's wrap are close.
        const int32_t since = static_cast<int32_t>(tick - *m_lastActionTick);
        if (since >= 0 && since < m_deadTime)
            return EdgeOutcome::IgnoredDeadTime;
    }
    const std::optional<RunAction> next = session.NextBarrierAction();
    if (!next)
        return EdgeOutcome::IgnoredAfterStop;
    m_lastActionTick = tick;
    switch (*next) {
    case RunAction::Start:
        return EdgeOutcome::Start;
    case RunAction::Lap:
        return EdgeOutcome::Lap;
    case RunAction::Stop:
        return EdgeOutcome::Stop;
    case RunAction::Reset:
        break;
    }
    return EdgeOutcome::IgnoredAfterStop;
}
