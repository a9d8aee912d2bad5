#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

/// How a run ended.
enum class RunStatus : uint8_t {
    Finished,     ///< STOP reached: the run has a time
    DidNotFinish, ///< "Abbruch": ended by RESET without STOP
    DidNotStart,  ///< "nicht gestartet", set by hand
    Disqualified, ///< "disqualifiziert", set by hand with a reason
};

/// One run of one competitor, as the event records it. Times are milliseconds computed from the
/// ticks of the run session (the light-barrier edge's own tick), never read back from protocol text.
struct RunRecord {
    int64_t id = 0;                   ///< the store's key; 0 until stored
    int startNumber = 0;              ///< the competitor it belongs to (moved runs change this)
    int runNumber = 0;                ///< 1st, 2nd, ... run of that competitor, in order of start
    QDateTime startTime;              ///< time of day of START (local)
    std::optional<int32_t> runTimeMs; ///< START to STOP; empty unless finished
    std::optional<int32_t> lapTimeMs; ///< START to LAP; empty without LAP
    std::optional<int64_t> speed;     ///< thousandths of km/h between LAP and STOP
    RunStatus status = RunStatus::Finished;
    QString disqualifyReason; ///< with RunStatus::Disqualified
    int cones = 0;            ///< pylons moved or knocked over
    int gates = 0;            ///< gates or tasks missed or driven wrongly
    bool training = false;    ///< "Trainingslauf": timed and shown, never counted
    bool voided = false;      ///< "ungültig, Wiederholung": the competitor drives again
    bool deleted = false;     ///< marked as removed; never deleted from the record
    bool needsCheck = false;  ///< "prüfen": outside the plausible range until confirmed
    QString correction;       ///< why the run was corrected after the fact (protest), if it was

    bool operator==(const RunRecord&) const = default;
};
