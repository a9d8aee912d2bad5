#pragma once

#include "event/RunChangeCommand.h"

#include <QCoreApplication>

/// Sets a run's penalty counts: pylons and missed gates.
class SetPenaltiesCommand : public RunChangeCommand {
    Q_DECLARE_TR_FUNCTIONS(SetPenaltiesCommand)

public:
    /// Changes the run with key `runId` of `model`; `reason` goes to the audit entries.
    SetPenaltiesCommand(EventModel& model, int64_t runId, int cones, int gates, QString reason = {});

protected:
    void apply(RunRecord& run, bool toNew) const override;
    QString valueText(bool newValue) const override;

private:
    int m_oldCones, m_oldGates, m_cones, m_gates;
};
