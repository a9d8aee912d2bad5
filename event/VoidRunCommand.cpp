#include "event/VoidRunCommand.h"

#include "event/AuditTexts.h"

VoidRunCommand::VoidRunCommand(EventModel& model, int64_t runId, bool voided, QString reason)
    : RunChangeCommand(model, runId,
                       storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "ungültig, Wiederholung")),
                       std::move(reason)),
      m_old(initial() && initial()->voided), m_new(voided) {}

void VoidRunCommand::apply(RunRecord& run, bool toNew) const {
    run.voided = toNew ? m_new : m_old;
}

QString VoidRunCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "ja"))
                                      : storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "nein"));
}
