#include "app/run/BarrierAlarm.h"

bool BarrierAlarm::LinkChanged(BarrierState state, RunPhase phase) {
    const bool lostNow = state == BarrierState::Lost && m_state != BarrierState::Lost;
    m_state = state;
    const bool timing = phase == RunPhase::Running || phase == RunPhase::Lapped;
    return m_enabled && lostNow && timing;
}
