#pragma once

#include "platform/AlarmSound.h"

/// An alarm that only counts how often it was played; installs itself while it lives.
class FakeAlarmSound : public platform::AlarmSound {
public:
    FakeAlarmSound() { platform::setAlarmSound(this); }
    ~FakeAlarmSound() override { platform::setAlarmSound(nullptr); }
    FakeAlarmSound(const FakeAlarmSound&) = delete;
    FakeAlarmSound& operator=(const FakeAlarmSound&) = delete;

    void Play() override { ++m_plays; }
    /// How often the alarm was played.
    int plays() const { return m_plays; }

private:
    int m_plays = 0;
};
