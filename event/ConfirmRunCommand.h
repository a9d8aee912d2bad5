#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// The operator confirms a run flagged "prüfen" (outside the plausible range): the flag clears.
/// Undo flags it again.
class ConfirmRunCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(ConfirmRunCommand)

public:
    /// Confirms the run with key `runId` of `model`; `reason` goes to the audit entries.
    ConfirmRunCommand(EventModel& model, int64_t runId, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    bool m_old;
};
