#include "testing/FakeClock.h"

namespace platform {

FakeClock::FakeClock(uint32_t tick, QDateTime now) : m_tick(tick), m_now(std::move(now)) {
    setSystemClock(this);
}

FakeClock::~FakeClock() {
    setSystemClock(nullptr);
}

void FakeClock::advance(uint32_t ms) {
    m_tick.fetch_add(ms);
    m_now = m_now.addMSecs(ms);
}

} // namespace platform
