#include "event/SetRunStatusCommand.h"

#include "event/AuditTexts.h"
#include "event/EventTexts.h"

SetRunStatusCommand::SetRunStatusCommand(EventModel& model, int64_t runId, RunStatus status,
                                         QString disqualifyReason, QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Status")),
                       std::move(reason)),
      m_oldStatus(initial() ? initial()->status : RunStatus::Finished), m_status(status),
      m_oldDisqualifyReason(initial() ? initial()->disqualifyReason : QString()),
      m_disqualifyReason(status == RunStatus::Disqualified ? std::move(disqualifyReason) : QString()) {}

void SetRunStatusCommand::apply(RunRecord& run, bool toNew) const {
    run.status = toNew ? m_status : m_oldStatus;
    run.disqualifyReason = toNew ? m_disqualifyReason : m_oldDisqualifyReason;
}

QString SetRunStatusCommand::valueText(bool newValue) const {
    const RunStatus status = newValue ? m_status : m_oldStatus;
    const QString& why = newValue ? m_disqualifyReason : m_oldDisqualifyReason;
    QString text = status == RunStatus::Finished
                       ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "gewertet"))
                       : runStatusStoredText(status);
    if (!why.isEmpty())
        text += QStringLiteral(" (%1)").arg(why);
    return text;
}
