#include "event/SetPenaltiesCommand.h"

#include "event/AuditTexts.h"

SetPenaltiesCommand::SetPenaltiesCommand(EventModel& model, int64_t runId, int cones, int gates,
                                         QString reason)
    : RunChangeCommand(model, runId, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Strafen")),
                       std::move(reason)),
      m_oldCones(initial() ? initial()->cones : 0), m_oldGates(initial() ? initial()->gates : 0),
      m_cones(cones), m_gates(gates) {}

void SetPenaltiesCommand::apply(RunRecord& run, bool toNew) const {
    run.cones = toNew ? m_cones : m_oldCones;
    run.gates = toNew ? m_gates : m_oldGates;
}

QString SetPenaltiesCommand::valueText(bool newValue) const {
    return storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Pylonen %1, Tore %2"))
        .arg(newValue ? m_cones : m_oldCones)
        .arg(newValue ? m_gates : m_oldGates);
}
