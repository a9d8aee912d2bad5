#pragma once

#include <QString>
#include <QTime>
#include <cstdint>

/// The time from tick `from` to tick `to` in milliseconds: the difference modulo 2^32 read as a
/// signed 32-bit number, so an interval that spans the counter's wrap still measures right.
int32_t TickInterval(uint32_t from, uint32_t to);

/// The protocol's text of a run time: whole seconds padded to three characters, a comma and the
/// decimals that `acc` asks for (2 hundredths, 1 tenths, 0 none). Never rounds up.
QString FormatRunTime(int64_t ms, int acc);

/// The time of day of the "Start:" line: hour as needed, minute and second with two digits (9:05.07).
QString FormatTimeOfDay(const QTime& time);

/// `hundredths` / 100 in the shortest plain decimal form with `decimalPoint` ("36,5", "50", "36,51").
QString FormatHundredths(int64_t hundredths, const QString& decimalPoint);

/// The outcome of the speed measurement between the LAP and the STOP pass.
struct SpeedResult {
    /// False when the LAP-to-STOP time was not positive, so no speed could be computed.
    bool measured = false;
    /// The speed in thousandths of km/h for the speed row (0 when not measured).
    int64_t value = 0;
    /// The "Speed" cell of the "Stopp:" line, padded at the front to six characters.
    QString speedText;
    /// The "Note" cell: distance, "m/", LAP-to-STOP seconds, "c" (10m/0,36c).
    QString noteText;
};

/// The text shown in the speed cell when no speed could be measured.
inline constexpr char NoSpeedText[] = "-";

/// Speed over `lenLuch` metres covered in `lapToStopMs` milliseconds, with the texts of the
/// "Stopp:" line; `decimalPoint` is the locale's decimal separator.
SpeedResult ComputeSpeed(int32_t lenLuch, int32_t lapToStopMs, const QString& decimalPoint);
