#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Marks a run void ("ungültig, Wiederholung": the competitor drives again) or valid again.
class VoidRunCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(VoidRunCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    VoidRunCommand(EventModel& model, int64_t runId, bool voided, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    bool m_old, m_new;
};
