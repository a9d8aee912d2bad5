#include "event/MarkTrainingCommand.h"

#include "event/AuditTexts.h"

MarkTrainingCommand::MarkTrainingCommand(EventModel& model, int64_t runId, bool training, QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Trainingslauf")),
                       std::move(reason)),
      m_old(initial() && initial()->training), m_new(training) {}

void MarkTrainingCommand::apply(RunRecord& run, bool toNew) const {
    run.training = toNew ? m_new : m_old;
}

QString MarkTrainingCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "ja"))
                                      : storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "nein"));
}
