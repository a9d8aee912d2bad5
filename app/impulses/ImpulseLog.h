#pragma once

#include "app/journal/JournalFormat.h"
#include "app/run/ProtocolLine.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

/// The role a light-barrier pass is taken for by hand.
enum class PassRole { Lap, Stop };

/// One light-barrier pass as the journal recorded it.
struct Impulse {
    QDateTime at;      ///< local time it was handled, to the millisecond
    uint32_t tick = 0; ///< the edge's own tick
    EdgeOutcome outcome = EdgeOutcome::Start;
    int run = -1;                     ///< index into ImpulseLog::runs(); -1 when no run was under way
    std::optional<PassRole> assigned; ///< taken as LAP or STOP by hand

    /// Whether the pass ran no action (dead time, after STOP).
    bool ignored() const {
        return outcome == EdgeOutcome::IgnoredDeadTime || outcome == EdgeOutcome::IgnoredAfterStop;
    }
};

/// One run as the journal shows it: its protocol lines and the passes that timed it.
struct ImpulseRun {
    int startNumber = 0;               ///< from its "  Nr.:" line; 0 while unknown
    QString name;                      ///< the name on that line
    QString startText;                 ///< the note of its "Start:" line (time of day, "9:05.07")
    QDateTime startAt;                 ///< when it started
    std::optional<uint32_t> startTick; ///< START's tick; none when started by hand
    int lapPass = -1;                  ///< index of the pass that is its LAP now; -1 none
    int stopPass = -1;                 ///< index of the pass that is its STOP now; -1 none
};

/// What taking a pass as LAP or STOP gives the run.
struct PassAssignment {
    int pass = -1;
    PassRole role = PassRole::Stop;
    int run = -1;
    std::optional<int32_t> lapTimeMs; ///< START to LAP after the change
    std::optional<int32_t> runTimeMs; ///< START to STOP after the change
    std::optional<int64_t> speed;     ///< thousandths of km/h; set when LAP and STOP are known
    ProtocolLine line;                ///< the "  Lap:" or "Stopp:" line the run would have got
    int previousPass = -1;            ///< the pass that held the role before; -1 none
};

/// Every light-barrier pass of the day with what it did and the run it belongs to, built from the
/// protocol journal's own records: today's file at start, then each record as it is journalled.
/// No window; the impulse list shows it. A pass that ran nothing can be taken as its run's LAP or
/// STOP (PlanAssignment, then Assign); Unassign takes that back.
class ImpulseLog {
public:
    /// Reads the records of a journal file's contents (damaged lines are skipped).
    void Load(QByteArrayView contents);
    /// Takes one journal record: a pass (Edge), a protocol line, or the start of a session.
    void Add(const JournalRecord& record);

    /// The passes, oldest first.
    const QList<Impulse>& Impulses() const { return m_impulses; }
    /// The runs, oldest first.
    const QList<ImpulseRun>& Runs() const { return m_runs; }

    /// What taking pass `pass` as `role` would give, with `lenLuch` metres between LAP and STOP,
    /// time texts at resolution `acc` and `decimalPoint` in the speed; or the reason why it
    /// cannot be taken (in `why`).
    std::optional<PassAssignment> PlanAssignment(int pass, PassRole role, int lenLuch, int acc,
                                                 const QString& decimalPoint, QString* why = nullptr) const;
    /// Makes the planned pass the run's LAP or STOP.
    void Assign(const PassAssignment& assignment);
    /// Takes `assignment` back: the pass that held the role before holds it again.
    void Unassign(const PassAssignment& assignment);

    /// "START", "LAP", "STOP", "ignoriert (Sperrzeit)", "ignoriert (nach STOP)",
    /// "ignoriert (kein Lauf)", "als LAP übernommen", "LAP, ersetzt" ...
    QString OutcomeText(int pass) const;
    /// "Nr. 7 Anna Berg, Start 10:03.12"; "von Hand gestartet" is added when no pass started it.
    QString RunText(int run) const;

    /// Called after passes were added (first index and count) or a pass's role changed (count 0).
    std::function<void(int first, int count)> OnChanged;

private:
    void startRun(const QDateTime& at, std::optional<uint32_t> tick);

    QList<Impulse> m_impulses;
    QList<ImpulseRun> m_runs;
    int m_current = -1;            ///< the run the next passes belong to
    bool m_awaitingNumber = false; ///< a pass started m_current; its "  Nr.:" line is to come
    bool m_awaitingStart = false;  ///< the "  Nr.:" line came; its "Start:" line is to come
};
