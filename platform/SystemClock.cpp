#include "SystemClock.h"

#include <atomic>
#include <ctime>

namespace platform {

namespace {
RealClock g_realClock;
std::atomic<SystemClock*> g_clock{&g_realClock};
} // namespace

uint32_t RealClock::tickCount() const {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    // Truncation to 32 bits is the wrap-around the run arithmetic expects.
    const uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

QDateTime RealClock::localDateTime() const {
    return QDateTime::currentDateTime();
}

SystemClock& systemClock() {
    return *g_clock.load(std::memory_order_acquire);
}

void setSystemClock(SystemClock* clock) {
    g_clock.store(clock ? clock : &g_realClock, std::memory_order_release);
}

} // namespace platform

uint32_t GetTickCount() {
    return platform::systemClock().tickCount();
}
