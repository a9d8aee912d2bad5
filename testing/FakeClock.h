#pragma once

#include "platform/SystemClock.h"

#include <atomic>

namespace platform {

/// A clock that tests set by hand. Installs itself while it lives.
class FakeClock : public SystemClock {
public:
    /// Installs the fake as the clock in force.
    explicit FakeClock(uint32_t tick = 0, QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)));
    /// Restores the real clock.
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    uint32_t tickCount() const override { return m_tick.load(); }
    QDateTime localDateTime() const override { return m_now; }

    /// Sets the tick counter.
    void setTick(uint32_t tick) { m_tick.store(tick); }
    /// Advances the tick counter by `ms` (wrapping) and the local time by the same amount.
    void advance(uint32_t ms);
    /// Sets the local date and time.
    void setNow(const QDateTime& now) { m_now = now; }

private:
    std::atomic<uint32_t> m_tick;
    QDateTime m_now;
};

} // namespace platform
