#include "event/MarkTrainingCommand.h"

MarkTrainingCommand::MarkTrainingCommand(EventModel& model, int64_t runId, bool training, QString reason)
    : RunChangeCommand(model, runId, tr("Trainingslauf"), std::move(reason)),
      m_old(initial() && initial()->training), m_new(training) {}

void MarkTrainingCommand::apply(RunRecord& run, bool toNew) const {
    run.training = toNew ? m_new : m_old;
}

QString MarkTrainingCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? tr("ja") : tr("nein");
}
