#include "event/SetCorrectionCommand.h"

#include "event/AuditTexts.h"

SetCorrectionCommand::SetCorrectionCommand(EventModel& model, int64_t runId, QString correction,
                                           QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Korrekturgrund")),
                       std::move(reason)),
      m_old(initial() ? initial()->correction : QString()), m_new(std::move(correction)) {}

void SetCorrectionCommand::apply(RunRecord& run, bool toNew) const {
    run.correction = toNew ? m_new : m_old;
}

QString SetCorrectionCommand::valueText(bool newValue) const {
    return newValue ? m_new : m_old;
}
