#pragma once

#include "serial/SerialDevice.h"

#include <cstdint>
#include <vector>

namespace platform {

/// How often each modem line changed during one wake-up (from the driver's interrupt counters,
/// or 1 for a line whose level differs when no counters are available).
struct ModemLineCounts {
    uint32_t cts = 0;
    uint32_t dsr = 0;
    uint32_t ring = 0;
    uint32_t rlsd = 0;
};

/// Turns the changes of one wake-up into events, oldest first. `before` and `after` are MS_
/// words; only events in `eventMask` are reported. Several DSR changes merged into one wake-up
/// (a pulse shorter than the wake-up) become one event per edge, with the DSR level of each
/// edge in its status word, so that no pass is lost; the other lines are reported once, in the
/// first event. A count whose parity contradicts the levels is raised by one; at most
/// `maxDsrEdges` DSR edges are reported (the latest ones).
std::vector<SerialEvent> expandModemChanges(uint32_t before, uint32_t after, const ModemLineCounts& counts,
                                            uint32_t eventMask, uint32_t maxDsrEdges = 16);

} // namespace platform
