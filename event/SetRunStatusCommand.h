#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Sets how a run ended: finished, DNF, DNS, or DSQ with the reason of the disqualification.
class SetRunStatusCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(SetRunStatusCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    SetRunStatusCommand(EventModel& model, int64_t runId, RunStatus status, QString disqualifyReason,
                        QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    RunStatus m_oldStatus, m_status;
    QString m_oldDisqualifyReason, m_disqualifyReason;
};
