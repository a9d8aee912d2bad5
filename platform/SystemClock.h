#pragma once

#include <QDateTime>
#include <cstdint>

namespace platform {

/// Source of the millisecond tick counter and the local date and time.
/// The program reads both through the installed clock so tests can set them.
class SystemClock {
public:
    virtual ~SystemClock() = default;
    /// Milliseconds since boot, wrapping at 2^32 (about 49.7 days).
    virtual uint32_t tickCount() const = 0;
    /// The local date and time.
    virtual QDateTime localDateTime() const = 0;
};

/// The clock of the machine: CLOCK_BOOTTIME in milliseconds, which keeps counting through a suspend.
class RealClock : public SystemClock {
public:
    uint32_t tickCount() const override;
    QDateTime localDateTime() const override;
};

/// The clock in force: the real one unless a test installed another. Safe to call from any thread.
SystemClock& systemClock();

/// Installs `clock` as the clock in force; nullptr restores the real one. The caller keeps ownership.
void setSystemClock(SystemClock* clock);

} // namespace platform

/// The millisecond tick counter of the clock in force (32 bits, wrapping).
uint32_t GetTickCount();
