#pragma once

#include <cstdint>
#include <optional>

namespace platform {

/// The light barrier's test mode without a window: fed the tick of every pass, it keeps the count,
/// the time since the previous pass and the shortest such time, and proposes a dead time from the
/// double edges it saw. Ticks are the wrapping millisecond counter; an interval is the difference
/// modulo 2^32, so a wrap between two passes does not matter.
class PassIntervalMeter {
public:
    /// Intervals shorter than this count as a double edge of one pass rather than two passes.
    static constexpr uint32_t DoubleEdgeLimit = 500;

    /// Records a pass at `tick`.
    void addPass(uint32_t tick);
    /// Forgets every pass.
    void reset();

    /// Passes recorded.
    int count() const { return m_count; }
    /// Milliseconds between the last two passes; none before the second pass.
    std::optional<uint32_t> lastInterval() const { return m_last; }
    /// The shortest interval seen; none before the second pass.
    std::optional<uint32_t> shortestInterval() const { return m_shortest; }
    /// The longest interval below DoubleEdgeLimit; none while no double edge was seen.
    std::optional<uint32_t> longestDoubleEdge() const { return m_longestDoubleEdge; }
    /// A dead time in ms that swallows every double edge seen: the longest one plus half of it,
    /// rounded up to whole 10 ms and at least 10 ms; 0 while no double edge was seen.
    int proposedDeadTime() const;

private:
    int m_count = 0;
    uint32_t m_previous = 0;
    std::optional<uint32_t> m_last;
    std::optional<uint32_t> m_shortest;
    std::optional<uint32_t> m_longestDoubleEdge;
};

} // namespace platform
