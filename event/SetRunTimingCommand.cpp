#include "event/SetRunTimingCommand.h"

#include "event/AuditTexts.h"

#include "event/EventModel.h"
#include "event/EventTexts.h"
#include "event/Plausibility.h"
#include "event/ResultTexts.h"

#include <QStringList>

SetRunTimingCommand::SetRunTimingCommand(EventModel& model, int64_t runId, RunTiming timing, QString what,
                                         QString reason)
    : RunChangeCommand(model, runId, std::move(what), std::move(reason)), m_rules(model.data().rules),
      m_new(timing) {
    if (const RunRecord* run = initial()) {
        m_old = timingOf(*run);
        m_oldNeedsCheck = run->needsCheck;
    }
}

RunTiming SetRunTimingCommand::timingOf(const RunRecord& run) {
    return RunTiming{run.lapTimeMs, run.runTimeMs, run.speed, run.status};
}

void SetRunTimingCommand::apply(RunRecord& run, bool toNew) const {
    const RunTiming& t = toNew ? m_new : m_old;
    run.lapTimeMs = t.lapTimeMs;
    run.runTimeMs = t.runTimeMs;
    run.speed = t.speed;
    run.status = t.status;
    // New times are judged afresh; a confirmation given to the old ones does not carry over.
    run.needsCheck = toNew ? isImplausible(run, m_rules) : m_oldNeedsCheck;
}

QString SetRunTimingCommand::valueText(bool newValue) const {
    const RunTiming& t = newValue ? m_new : m_old;
    QStringList parts;
    if (t.status != RunStatus::Finished)
        parts << runStatusStoredText(t.status);
    if (t.lapTimeMs)
        parts << storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Zwischenzeit %1 s"))
                     .arg(formatResultTime(*t.lapTimeMs, 2));
    if (t.runTimeMs)
        parts << storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Laufzeit %1 s"))
                     .arg(formatResultTime(*t.runTimeMs, 2));
    if (t.speed && *t.speed > 0)
        parts
            << storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "%1 km/h")).arg(formatResultTime(*t.speed, 2));
    return parts.join(QStringLiteral(", "));
}
