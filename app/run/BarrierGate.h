#pragma once

#include "app/run/RunSession.h"

#include <cstdint>
#include <optional>

/// What a light-barrier pass did.
enum class EdgeOutcome {
    Start,            ///< ran START
    Lap,              ///< ran LAP
    Stop,             ///< ran STOP
    IgnoredAfterStop, ///< nothing was enabled (the run is stopped)
    IgnoredDeadTime,  ///< came within the dead time after a pass that ran an action
};

/// Decides what a light-barrier pass does: the run's next barrier action, unless the pass comes
/// within the dead time after the last pass that ran an action. A kart's body, wheels and driver
/// break the beam several times within milliseconds; the dead time makes that one pass. Measured
/// between the passes' own ticks (wrapping), not the moments they are handled. Keys and buttons
/// do not pass through here and are never blocked.
class BarrierGate {
public:
    /// Largest dead time in milliseconds.
    static constexpr int DeadTimeMax = 5000;

    /// Dead time in milliseconds; 0 (off) lets the run state alone decide.
    int DeadTime() const { return m_deadTime; }
    /// Sets the dead time, clamped to 0..DeadTimeMax.
    void setDeadTime(int ms);

    /// What a pass at `tick` does with `session` as it stands; a pass that runs an action starts
    /// the dead time at `tick`. The caller runs the action.
    EdgeOutcome Decide(const RunSession& session, uint32_t tick);

private:
    int m_deadTime = 0;
    std::optional<uint32_t> m_lastActionTick;
};
