#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Moves a run to another start number (the wrong number was typed); the run numbers of both follow.
class MoveRunCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(MoveRunCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    MoveRunCommand(EventModel& model, int64_t runId, int startNumber, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    int m_oldNumber, m_number;
};
