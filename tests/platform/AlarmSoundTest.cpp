#include "platform/AlarmSound.h"
#include "testing/FakeAlarmSound.h"

#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace platform;

TEST(AlarmSound, OurOwnSoundIsShortLoudEnoughAndStartsAndEndsInSilence) {
    const QByteArray pcm = alarmSamples();
    ASSERT_EQ(pcm.size() % 2, 0);
    const auto samples = pcm.size() / 2;
    const double seconds = double(samples) / AlarmSampleRate;
    EXPECT_GT(seconds, 0.8);
    EXPECT_LT(seconds, 2.0);
    const auto at = [&](qsizetype i) { return qFromLittleEndian<int16_t>(pcm.constData() + 2 * i); };
    int peak = 0;
    for (qsizetype i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(at(i))));
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767) << "never clipped";
    // Faded in and out: no click at either end.
    EXPECT_LT(std::abs(int(at(1))), 1500);
    EXPECT_EQ(at(samples - 1), 0);
}

TEST(AlarmSound, ATestsSinkReplacesTheOneInForceWhileItLivesAndPutsItBack) {
    AlarmSound* before = &alarmSound();
    {
        FakeAlarmSound fake;
        EXPECT_EQ(&alarmSound(), &fake);
        alarmSound().Play();
        EXPECT_EQ(fake.plays(), 1);
    }
    EXPECT_EQ(&alarmSound(), before);
    // The test main's own keeps the machine's sound output out of every test.
    EXPECT_NE(dynamic_cast<FakeAlarmSound*>(before), nullptr);
}
