#include "serial/SerialModemChanges.h"

namespace platform {

namespace {
// A line that changed level must have changed an odd number of times; trust the levels
// when the counter disagrees (a counter can miss an edge, a level read cannot be wrong).
uint32_t consistentCount(uint32_t count, bool levelChanged) {
    if (count == 0)
        return levelChanged ? 1 : 0;
    if ((count % 2 == 1) != levelChanged)
        ++count;
    return count;
}
} // namespace

std::vector<SerialEvent> expandModemChanges(uint32_t before, uint32_t after, const ModemLineCounts& counts,
                                            uint32_t eventMask, uint32_t maxDsrEdges) {
    uint32_t others = 0;
    if (consistentCount(counts.cts, (before ^ after) & MS_CTS_ON))
        others |= EV_CTS;
    if (consistentCount(counts.ring, (before ^ after) & MS_RING_ON))
        others |= EV_RING;
    if (consistentCount(counts.rlsd, (before ^ after) & MS_RLSD_ON))
        others |= EV_RLSD;
    others &= eventMask;

    uint32_t dsrEdges = (eventMask & EV_DSR) ? consistentCount(counts.dsr, (before ^ after) & MS_DSR_ON) : 0;
    if (dsrEdges > maxDsrEdges)
        dsrEdges = maxDsrEdges - (dsrEdges - maxDsrEdges) % 2; // keep the parity

    std::vector<SerialEvent> events;
    if (dsrEdges == 0) {
        if (others)
            events.push_back({others, after});
        return events;
    }
    const bool finalDsr = after & MS_DSR_ON;
    for (uint32_t i = 0; i < dsrEdges; ++i) {
        // Walking back from the final level, the edges alternate.
        const bool level = ((dsrEdges - 1 - i) % 2 == 0) ? finalDsr : !finalDsr;
        const uint32_t status = (after & ~MS_DSR_ON) | (level ? MS_DSR_ON : 0);
        events.push_back({EV_DSR | (i == 0 ? others : 0), status});
    }
    return events;
}

} // namespace platform
