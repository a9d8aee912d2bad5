#pragma once

#include <QByteArray>

namespace platform {

/// Sample rate of the alarm's samples.
inline constexpr int AlarmSampleRate = 22050;

/// The program's own alarm: two falling tones, three times, about 1.2 s; 16-bit signed
/// little-endian mono samples at AlarmSampleRate, faded in and out so nothing clicks.
QByteArray alarmSamples();

/// Plays the alarm. Playing must never block or fail loudly: without a sound device it is silent.
class AlarmSound {
public:
    virtual ~AlarmSound() = default;
    /// Starts the alarm (again from its beginning, if it is playing).
    virtual void Play() = 0;
};

/// The alarm in force: the default sound output through Qt Multimedia, unless a test installed
/// another.
AlarmSound& alarmSound();

/// Installs `sound` as the alarm in force; nullptr restores the real one. The caller keeps ownership.
/// Returns the one installed before (nullptr: the real one), for the caller to put back.
AlarmSound* setAlarmSound(AlarmSound* sound);

} // namespace platform
