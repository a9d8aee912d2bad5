#include "platform/AlarmSound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <utility>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace platform {

QByteArray alarmSamples() {
    // Synthesised here rather than shipped as a file: the sound is ours and cannot go missing.
    constexpr double Tones[2] = {1760.0, 1320.0};
    constexpr int ToneMs = 160;
    constexpr int GapMs = 40;
    constexpr int Repeats = 3;
    constexpr int FadeSamples = AlarmSampleRate / 200; // 5 ms
    constexpr double Level = 0.6 * 32767;
    const int toneSamples = AlarmSampleRate * ToneMs / 1000;
    const int gapSamples = AlarmSampleRate * GapMs / 1000;

    QByteArray pcm;
    pcm.reserve(Repeats * 2 * (toneSamples + gapSamples) * 2);
    const auto append = [&pcm](int16_t value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        pcm.append(bytes, 2);
    };
    for (int r = 0; r < Repeats; ++r) {
        for (double frequency : Tones) {
            for (int i = 0; i < toneSamples; ++i) {
                const double fade =
                    std::min({1.0, double(i) / FadeSamples, double(toneSamples - 1 - i) / FadeSamples});
                const double s = std::sin(2.0 * std::numbers::pi * frequency * i / AlarmSampleRate);
                append(int16_t(std::lround(Level * fade * s)));
            }
            for (int i = 0; i < gapSamples; ++i)
                append(0);
        }
    }
    return pcm;
}

namespace {

class QtAlarmSound : public AlarmSound {
public:
    void Play() override {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        QAudioFormat format;
        format.setSampleRate(AlarmSampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return;
        if (m_sink)
            m_sink->stop();
        m_buffer = std::make_unique<QBuffer>();
        m_buffer->setData(alarmSamples());
        m_buffer->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->start(m_buffer.get());
    }

private:
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
};

AlarmSound* installed = nullptr;

} // namespace

AlarmSound& alarmSound() {
    if (installed)
        return *installed;
    static QtAlarmSound real;
    return real;
}

AlarmSound* setAlarmSound(AlarmSound* sound) {
    return std::exchange(installed, sound);
}

} // namespace platform
