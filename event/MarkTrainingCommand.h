#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Marks a run as a training run (timed, never counted) or as a counting run.
class MarkTrainingCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(MarkTrainingCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    MarkTrainingCommand(EventModel& model, int64_t runId, bool training, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    bool m_old, m_new;
};
