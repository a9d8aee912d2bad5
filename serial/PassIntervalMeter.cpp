#include "serial/PassIntervalMeter.h"

#include <algorithm>

namespace platform {

void PassIntervalMeter::addPass(uint32_t tick) {
    if (m_count > 0) {
        const uint32_t interval = tick - m_previous; // modulo 2^32: right across the wrap
        m_last = interval;
        m_shortest = std::min(interval, m_shortest.value_or(interval));
        if (interval < DoubleEdgeLimit)
            m_longestDoubleEdge = std::max(interval, m_longestDoubleEdge.value_or(interval));
    }
    m_previous = tick;
    ++m_count;
}

void PassIntervalMeter::reset() {
    *this = PassIntervalMeter();
}

int PassIntervalMeter::proposedDeadTime() const {
    if (!m_longestDoubleEdge)
        return 0;
    // Half again as long: bounces vary from pass to pass, and the longest one seen is rarely the longest.
    const uint32_t withMargin = *m_longestDoubleEdge + (*m_longestDoubleEdge + 1) / 2;
    // The gate ignores a pass only while less than the dead time has gone by, so even a 0 ms double
    // edge needs a dead time above zero.
    return std::max(10, int((withMargin + 9) / 10 * 10));
}

} // namespace platform
