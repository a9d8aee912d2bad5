#include "event/VoidRunCommand.h"

VoidRunCommand::VoidRunCommand(EventModel& model, int64_t runId, bool voided, QString reason)
    : RunChangeCommand(model, runId, tr("ungültig, Wiederholung"), std::move(reason)),
      m_old(initial() && initial()->voided), m_new(voided) {}

void VoidRunCommand::apply(RunRecord& run, bool toNew) const {
    run.voided = toNew ? m_new : m_old;
}

QString VoidRunCommand::valueText(bool newValue) const {
    return (newValue ? m_new : m_old) ? tr("ja") : tr("nein");
}
