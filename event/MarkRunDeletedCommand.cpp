#include "event/MarkRunDeletedCommand.h"

#include "event/AuditTexts.h"

MarkRunDeletedCommand::MarkRunDeletedCommand(EventModel& model, int64_t runId, bool deleted, QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "gelöscht")),
                       std::move(reason)),
      m_old(initial() && initial()->deleted), m_new(deleted) {}

void MarkRunDeletedCommand::apply(RunRecord& run, bool toNew) const {
    run.deleted = toNew ? m_new : m_old;
}

QString MarkRunDeletedCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "ja"))
                                      : storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "nein"));
}
