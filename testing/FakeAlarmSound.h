#pragma once

#include "platform/AlarmSound.h"

/// An alarm that only counts how often it was played; installs itself while it lives and then puts
/// back the one it replaced. Every test program has one for its whole run (the test main), so no
/// test plays through the machine's sound output.
class FakeAlarmSound : public platform::AlarmSound {
public:
    FakeAlarmSound() : m_previous(platform::setAlarmSound(this)) {}
    ~FakeAlarmSound() override { platform::setAlarmSound(m_previous); }
    FakeAlarmSound(const FakeAlarmSound&) = delete;
    FakeAlarmSound& operator=(const FakeAlarmSound&) = delete;

    void Play() override { ++m_plays; }
    /// How often the alarm was played.
    int plays() const { return m_plays; }

private:
    platform::AlarmSound* m_previous = nullptr;
    int m_plays = 0;
};
