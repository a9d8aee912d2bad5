#include "app/run/RunTexts.h"

#include <cmath>

int32_t TickInterval(uint32_t from, uint32_t to) {
    return static_cast<int32_t>(to - from);
}

namespace {

QString padFront(QString text, int width) {
    if (text.size() < width)
        text.prepend(QString(width - text.size(), QLatin1Char(' ')));
    return text;
}

// Division that truncates toward zero like the original integer arithmetic, for non-negative input;
// negative input never reaches here in a real run, but must not produce garbage digits either.
int64_t nonNegative(int64_t v) {
    return v < 0 ? 0 : v;
}

} // namespace

QString FormatRunTime(int64_t ms, int acc) {
    const int64_t h = nonNegative(ms) / 10;
    const QString s = padFront(QString::number(h / 100), 3);
    if (acc <= 0)
        return s;
    if (acc == 1)
        return s + QLatin1Char(',') + QString::number((h / 10) % 10);
    return s + QLatin1Char(',') + QStringLiteral("%1").arg(h % 100, 2, 10, QLatin1Char('0'));
}

QString FormatTimeOfDay(const QTime& time) {
    QString text = QString::asprintf("%d:%2d.%2d", time.hour(), time.minute(), time.second());
    text.replace(QLatin1Char(' '), QLatin1Char('0'));
    return text;
}

QString FormatHundredths(int64_t hundredths, const QString& decimalPoint) {
    const bool negative = hundredths < 0;
    const int64_t a = negative ? -hundredths : hundredths;
    QString text = QString::number(a / 100);
    const int64_t frac = a % 100;
    if (frac != 0) {
        text += decimalPoint;
        text += QString::number(frac / 10);
        if (frac % 10 != 0)
            text += QString::number(frac % 10);
    }
    return negative ? QLatin1Char('-') + text : text;
}

SpeedResult ComputeSpeed(int32_t lenLuch, int32_t lapToStopMs, const QString& decimalPoint) {
    SpeedResult r;
    // The note's seconds use the same half-even rounding as the speed.
    const int64_t noteHundredths = static_cast<int64_t>(std::nearbyint(lapToStopMs / 10.0));
    r.noteText = QString::number(lenLuch) + QStringLiteral("m/") +
                 FormatHundredths(noteHundredths, decimalPoint) + QLatin1Char('c');
    if (lapToStopMs <= 0) {
        // Two passes within one tick (or a counter going backwards): dividing would be undefined.
        r.speedText = padFront(QString::fromLatin1(NoSpeedText), 6);
        return r;
    }
    // The product is taken in 32-bit integers, as the stored distance always was.
    const int32_t product = static_cast<int32_t>(static_cast<uint32_t>(lenLuch) * 36000u);
    const double raw = static_cast<double>(product) / static_cast<double>(lapToStopMs);
    r.measured = true;
    r.value = static_cast<int64_t>(std::nearbyint(raw * 100.0));
    r.speedText = padFront(FormatHundredths(r.value / 10, decimalPoint), 6);
    return r;
}
