#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Sets why a run was corrected after the fact (a protest, a timing fault).
class SetCorrectionCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(SetCorrectionCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    SetCorrectionCommand(EventModel& model, int64_t runId, QString correction, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    QString m_old, m_new;
};
