#include "event/MarkRunDeletedCommand.h"

MarkRunDeletedCommand::MarkRunDeletedCommand(EventModel& model, int64_t runId, bool deleted, QString reason)
    : RunChangeCommand(model, runId, tr("gelöscht"), std::move(reason)),
      m_old(initial() && initial()->deleted), m_new(deleted) {}

void MarkRunDeletedCommand::apply(RunRecord& run, bool toNew) const {
    run.deleted = toNew ? m_new : m_old;
}

QString MarkRunDeletedCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? tr("ja") : tr("nein");
}
