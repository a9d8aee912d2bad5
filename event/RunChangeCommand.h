#pragma once

#include "event/AuditEntry.h"
#include "event/RunRecord.h"

#include <QUndoCommand>

class EventModel;

/// A change by hand to one run, undoable: each of redo and undo changes the run in the model
/// (and so in the store) and writes an audit entry with the value before and after.
/// Subclasses say which fields change and how the values read in the audit list.
class RunChangeCommand : public QUndoCommand {
public:
    void redo() override;
    void undo() override;

protected:
    /// `what` names the change in the audit list; `reason` is the person's optional reason.
    RunChangeCommand(EventModel& model, int64_t runId, QString what, QString reason);

    /// Sets the new value (`toNew`) or the old one in `run`.
    virtual void apply(RunRecord& run, bool toNew) const = 0;
    /// The new or the old value as the audit list shows it.
    virtual QString valueText(bool newValue) const = 0;

    /// The run as it is when the command is made, for the old values; null if there is none.
    const RunRecord* initial() const;

private:
    void change(bool toNew, AuditAction action);

    EventModel& m_model;
    int64_t m_runId;
    QString m_what;
    QString m_reason;
    bool m_done = false;
};
