#include "event/RunChangeCommand.h"

#include "event/AuditTexts.h"
#include "event/EventModel.h"

RunChangeCommand::RunChangeCommand(EventModel& model, int64_t runId, QString what, QString reason)
    : m_model(model), m_runId(runId), m_what(std::move(what)), m_reason(std::move(reason)) {
    setText(auditText(m_what));
    if (!initial())
        setObsolete(true);
}

const RunRecord* RunChangeCommand::initial() const {
    return m_model.run(m_runId);
}

void RunChangeCommand::redo() {
    // The stack's first redo is the change itself; later ones make it again after an undo.
    change(true, m_done ? AuditAction::Redo : AuditAction::Edit);
    m_done = true;
}

void RunChangeCommand::undo() {
    change(false, AuditAction::Undo);
}

void RunChangeCommand::change(bool toNew, AuditAction action) {
    const RunRecord* current = m_model.run(m_runId);
    if (!current)
        return;
    RunRecord changed = *current;
    apply(changed, toNew);
    // A change to the value the run has already is no change: no audit entry, and the stack
    // drops the command.
    if (changed == *current && action == AuditAction::Edit) {
        setObsolete(true);
        return;
    }
    m_model.setRun(changed);
    AuditEntry entry;
    entry.action = action;
    entry.runId = m_runId;
    entry.what = m_what;
    entry.oldValue = valueText(!toNew);
    entry.newValue = valueText(toNew);
    entry.reason = m_reason;
    m_model.addAudit(entry);
}
