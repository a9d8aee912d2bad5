#include "event/MoveRunCommand.h"

#include "event/AuditTexts.h"

MoveRunCommand::MoveRunCommand(EventModel& model, int64_t runId, int startNumber, QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Startnummer")),
                       std::move(reason)),
      m_oldNumber(initial() ? initial()->startNumber : 0), m_number(startNumber) {}

void MoveRunCommand::apply(RunRecord& run, bool toNew) const {
    run.startNumber = toNew ? m_number : m_oldNumber;
}

QString MoveRunCommand::valueText(bool newValue) const {
    return QString::number(newValue ? m_number : m_oldNumber);
}
