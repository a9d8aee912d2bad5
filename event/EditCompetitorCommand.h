#pragma once

#include "event/Competitor.h"

#include <QCoreApplication>
#include <QUndoCommand>

class EventModel;

/// Changes one start-list entry (numbers, names, class, club, vehicle, year, or the deleted
/// mark), undoable, with an audit entry for each step listing the fields before and after.
class EditCompetitorCommand : public QUndoCommand {
    Q_DECLARE_TR_FUNCTIONS(EditCompetitorCommand)

public:
    /// `entry` is the whole new entry; its key names the one changed.
    EditCompetitorCommand(EventModel& model, Competitor entry, QString reason = {});

    /// Why the change cannot be made (unknown entry, a start number outside 1..65535 or taken by
    /// another entry), in German; empty when it can. A command with a problem changes nothing.
    QString problem() const { return m_problem; }

    void redo() override;
    void undo() override;

private:
    void change(const Competitor& from, const Competitor& to, int action);
    QString describe(const Competitor& entry, const Competitor& other) const;

    EventModel& m_model;
    Competitor m_old;
    Competitor m_new;
    QString m_reason;
    QString m_problem;
    bool m_done = false;
};
