#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Marks a run deleted, or takes the mark away; the run stays in the record.
class MarkRunDeletedCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(MarkRunDeletedCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    MarkRunDeletedCommand(EventModel& model, int64_t runId, bool deleted, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    bool m_old, m_new;
};
