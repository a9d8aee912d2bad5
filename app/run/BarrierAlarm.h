#pragma once

#include "app/run/BarrierLink.h"
#include "app/run/RunSession.h"

/// Decides when the loss of the light barrier is sounded: when the link goes from connected to
/// lost while a run is being timed (its STOP would be lost). A loss between runs shows only in
/// the status; a run started while the barrier is lost does not sound either (the status is red
/// already when START is pressed).
class BarrierAlarm {
public:
    /// Whether the alarm sounds at all (the operator can switch it off).
    bool Enabled() const { return m_enabled; }
    /// Switches the alarm on or off.
    void setEnabled(bool on) { m_enabled = on; }

    /// The link is now in `state` and the run in `phase`; true when the alarm is to sound now.
    bool LinkChanged(BarrierState state, RunPhase phase);

private:
    bool m_enabled = true;
    BarrierState m_state = BarrierState::NoPort;
};
