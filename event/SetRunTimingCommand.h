#pragma once

#include "event/EventRules.h"
#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// The timed values of a run: what START, LAP and STOP gave.
struct RunTiming {
    std::optional<int32_t> lapTimeMs; ///< START to LAP
    std::optional<int32_t> runTimeMs; ///< START to STOP
    std::optional<int64_t> speed;     ///< thousandths of km/h between LAP and STOP
    RunStatus status = RunStatus::Finished;

    bool operator==(const RunTiming&) const = default;
};

/// Gives a run new timed values after the fact, for instance when a light-barrier pass that was
/// ignored is taken as the run's LAP or STOP. The run is judged again by the plausibility rules:
/// a time outside them is flagged "prüfen", one inside clears the flag. Undo restores the values
/// and the flag as they were.
class SetRunTimingCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(SetRunTimingCommand)

public:
    /// Changes the run with key `runId` of `model`, judged by the model's rules; `what` names the
    /// change in the audit list ("Impuls als STOP"), `reason` goes to the audit entries.
    SetRunTimingCommand(EventModel& model, int64_t runId, RunTiming timing, QString what,
                        QString reason = {});

    /// The timed values of `run`.
    static RunTiming timingOf(const RunRecord& run);

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    EventRules m_rules;
    RunTiming m_old, m_new;
    bool m_oldNeedsCheck = false;
};
