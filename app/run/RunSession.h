#pragma once

#include "app/run/ProtocolLine.h"

#include <QList>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>
#include <variant>

/// Where the run of one competitor stands.
enum class RunPhase { Idle, Running, Lapped, Stopped };

/// The four actions of a run.
enum class RunAction { Start, Lap, Stop, Reset };

/// Which run controls are enabled; the window mirrors this onto its buttons and menu items.
struct RunEnables {
    bool start = false;
    bool lap = false;
    bool stop = false;
    bool reset = false;
    bool startNumber = false; ///< the start-number field
    bool clock = false;       ///< the run clock is running

    bool operator==(const RunEnables&) const = default;
};

/// What START produces.
struct StartResult {
    QList<ProtocolLine> lines; ///< "  Nr.:" and "Start:"
};

/// What LAP produces.
struct LapResult {
    int32_t time = 0; ///< milliseconds from START, for the time row
    ProtocolLine line;
};

/// What STOP produces.
struct StopResult {
    int32_t time = 0;  ///< milliseconds from START, for the time row
    int64_t speed = 0; ///< thousandths of km/h for the speed row (0 when not measured)
    ProtocolLine line;
};

/// What RESET produces.
struct ResetResult {
    int startNumber = 1; ///< the next competitor's number
    ProtocolLine line;   ///< the separator line "-"
};

/// What an action produced, whichever it was.
using RunResult = std::variant<StartResult, LapResult, StopResult, ResetResult>;

/// The run of one competitor without any window: its phase, its three ticks, which actions are
/// enabled and what each action produces. An action that is not enabled changes nothing and
/// produces nothing. Ticks are the caller's (the counter's or a light-barrier edge's).
class RunSession {
public:
    static constexpr int StartNumberMin = 1;
    static constexpr int StartNumberMax = 65535;

    /// The current phase.
    RunPhase Phase() const { return m_phase; }
    /// Tick of the last START.
    uint32_t StartTick() const { return m_startTick; }
    /// Tick of the last LAP; 0 from START until LAP.
    uint32_t LapTick() const { return m_lapTick; }
    /// Tick of the last STOP.
    uint32_t StopTick() const { return m_stopTick; }

    /// Distance in metres between the LAP and the STOP pass.
    int LenLuch() const { return m_lenLuch; }
    /// Sets the distance in metres.
    void setLenLuch(int metres) { m_lenLuch = metres; }
    /// Resolution of the time texts: 2 hundredths, 1 tenths, 0 whole seconds.
    int Acc() const { return m_acc; }
    /// Sets the resolution of the time texts (the caller clamps it).
    void setAcc(int acc) { m_acc = acc; }

    /// True while `action` may run.
    bool IsEnabled(RunAction action) const;
    /// The enabled state of every run control.
    RunEnables Enables() const;
    /// The action a light-barrier pass runs: the first enabled of START, STOP, LAP; none otherwise.
    std::optional<RunAction> NextBarrierAction() const;
    /// The control that takes the focus after `action`: the one of the next expected action.
    static RunAction FocusAfter(RunAction action);
    /// The start number proposed after a protocol that holds `lines`: one past the number of its
    /// last "  Nr.:" line, as RESET proposes it; nothing when that line holds no number.
    static std::optional<int> NextStartNumber(const QList<ProtocolLine>& lines);

    /// START at `tick`. `startNumberText` is the start-number field's text (not a number reads as
    /// the minimum), `name` the competitor's, `timeOfDay` the local time for the "Start:" line.
    std::optional<StartResult> Start(uint32_t tick, const QString& startNumberText, const QString& name,
                                     const QTime& timeOfDay);
    /// LAP at `tick`. STOP stays disabled until `CompleteLap`, so that nothing waiting while the
    /// display repaints can stop the run.
    std::optional<LapResult> Lap(uint32_t tick);
    /// Ends the LAP begun last: true (and STOP enabled) if that LAP is still the run's current
    /// step, false if a RESET or another action has run since.
    bool CompleteLap();
    /// STOP at `tick`, with the speed over `LenLuch` between LAP and STOP written with
    /// `decimalPoint`. LAP and STOP within the same tick give the line without a speed ("-").
    std::optional<StopResult> Stop(uint32_t tick, const QString& decimalPoint);
    /// RESET: back to idle with LAP and STOP off; `startNumber` is the current start number.
    std::optional<ResetResult> Reset(int startNumber);

    /// Milliseconds from START to `now`, for the running clock.
    int32_t Elapsed(uint32_t now) const;

private:
    RunPhase m_phase = RunPhase::Idle;
    bool m_lapPending = false; ///< LAP taken, STOP not yet enabled
    uint32_t m_startTick = 0;
    uint32_t m_lapTick = 0;
    uint32_t m_stopTick = 0;
    int m_lenLuch = 10;
    int m_acc = 2;
};
