#include "app/run/RunSession.h"

#include "app/run/RunTexts.h"

#include <algorithm>

bool RunSession::IsEnabled(RunAction action) const {
    switch (action) {
    case RunAction::Start:
        return m_phase == RunPhase::Idle;
    case RunAction::Lap:
        return m_phase == RunPhase::Running;
    case RunAction::Stop:
        return m_phase == RunPhase::Lapped && !m_lapPending;
    case RunAction::Reset:
        return m_phase != RunPhase::Idle;
    }
    return false;
}

RunEnables RunSession::Enables() const {
    RunEnables e;
    e.start = IsEnabled(RunAction::Start);
    e.lap = IsEnabled(RunAction::Lap);
    e.stop = IsEnabled(RunAction::Stop);
    e.reset = IsEnabled(RunAction::Reset);
    e.startNumber = m_phase == RunPhase::Idle;
    e.clock = m_phase == RunPhase::Running || m_phase == RunPhase::Lapped;
    return e;
}

std::optional<RunAction> RunSession::NextBarrierAction() const {
    // STOP before LAP: the order the barrier has always tested them in.
    for (RunAction a : {RunAction::Start, RunAction::Stop, RunAction::Lap})
        if (IsEnabled(a))
            return a;
    return std::nullopt;
}

RunAction RunSession::FocusAfter(RunAction action) {
    switch (action) {
    case RunAction::Start:
        return RunAction::Lap;
    case RunAction::Lap:
        return RunAction::Stop;
    case RunAction::Stop:
        return RunAction::Reset;
    case RunAction::Reset:
        return RunAction::Start;
    }
    return RunAction::Start;
}

std::optional<int> RunSession::NextStartNumber(const QList<ProtocolLine>& lines) {
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->who != QLatin1String("  Nr.:"))
            continue;
        bool ok = false;
        const qlonglong number = it->time.trimmed().toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        return int(std::clamp<qlonglong>(number + 1, StartNumberMin, StartNumberMax));
    }
    return std::nullopt;
}

std::optional<StartResult> RunSession::Start(uint32_t tick, const QString& startNumberText,
                                             const QString& name, const QTime& timeOfDay) {
    if (!IsEnabled(RunAction::Start))
        return std::nullopt;
    m_startTick = tick;
    m_lapTick = 0;
    m_phase = RunPhase::Running;
    bool ok = false;
    int number = startNumberText.toInt(&ok);
    if (!ok)
        number = StartNumberMin;
    StartResult r;
    r.lines.append(ProtocolLine{QStringLiteral("  Nr.:"), QString::number(number), name, QString()});
    r.lines.append(ProtocolLine{QStringLiteral("Start:"), QStringLiteral("  0,00"), QString(),
                                FormatTimeOfDay(timeOfDay)});
    return r;
}

std::optional<LapResult> RunSession::Lap(uint32_t tick) {
    if (!IsEnabled(RunAction::Lap))
        return std::nullopt;
    m_lapTick = tick;
    m_phase = RunPhase::Lapped;
    m_lapPending = true;
    LapResult r;
    r.time = TickInterval(m_startTick, m_lapTick);
    r.line = ProtocolLine{QStringLiteral("  Lap:"), FormatRunTime(r.time, m_acc), QString(), QString()};
    return r;
}

bool RunSession::CompleteLap() {
    if (m_phase != RunPhase::Lapped || !m_lapPending)
        return false;
    m_lapPending = false;
    return true;
}

std::optional<StopResult> RunSession::Stop(uint32_t tick, const QString& decimalPoint) {
    if (!IsEnabled(RunAction::Stop))
        return std::nullopt;
    m_stopTick = tick;
    m_phase = RunPhase::Stopped;
    StopResult r;
    r.time = TickInterval(m_startTick, m_stopTick);
    const SpeedResult speed = ComputeSpeed(m_lenLuch, TickInterval(m_lapTick, m_stopTick), decimalPoint);
    r.speed = speed.value;
    r.line =
        ProtocolLine{QStringLiteral("Stopp:"), FormatRunTime(r.time, m_acc), speed.speedText, speed.noteText};
    return r;
}

std::optional<ResetResult> RunSession::Reset(int startNumber) {
    if (!IsEnabled(RunAction::Reset))
        return std::nullopt;
    m_phase = RunPhase::Idle;
    m_lapPending = false;
    ResetResult r;
    r.startNumber = std::clamp(startNumber + 1, StartNumberMin, StartNumberMax);
    r.line = ProtocolLine{QStringLiteral("-"), QString(), QString(), QString()};
    return r;
}

int32_t RunSession::Elapsed(uint32_t now) const {
    return TickInterval(m_startTick, now);
}
