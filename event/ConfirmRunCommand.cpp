#include "event/ConfirmRunCommand.h"

#include "event/AuditTexts.h"

ConfirmRunCommand::ConfirmRunCommand(EventModel& model, int64_t runId, QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Prüfen")),
                       std::move(reason)),
      m_old(initial() && initial()->needsCheck) {}

void ConfirmRunCommand::apply(RunRecord& run, bool toNew) const {
    run.needsCheck = toNew ? false : m_old;
}

QString ConfirmRunCommand::valueText(bool newValue) const {
    return (newValue ? false : m_old) ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "prüfen"))
                                      : storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "bestätigt"));
}
