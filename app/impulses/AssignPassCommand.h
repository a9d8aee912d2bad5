#pragma once

#include "app/impulses/ImpulseLog.h"
#include "app/run/ProtocolLine.h"

#include <QDateTime>
#include <QList>
#include <QUndoCommand>
#include <memory>

class EventModel;
struct EventData;

/// The protocol as the assignment of a pass edits it: its data rows (no header row).
class ProtocolLineTarget {
public:
    virtual ~ProtocolLineTarget() = default;
    /// The data rows, top first.
    virtual QList<ProtocolLine> Lines() const = 0;
    /// Inserts `line` as data row `row`; `row` = the number of rows appends it.
    virtual void InsertLine(int row, const ProtocolLine& line) = 0;
    /// Removes data row `row`.
    virtual void RemoveLine(int row) = 0;
};

/// Where the line of a pass taken as `role` belongs in `lines`: inside the block of `run` (its
/// "  Nr.:" line with its number, followed by its "Start:" line), before the block's "Stopp:" line
/// for a LAP, before the block's end ("-", the next "  Nr.:", an empty row) for a STOP. The
/// protocol's end when the block is not there any more (cleared, loaded, sorted).
int ProtocolRowFor(const QList<ProtocolLine>& lines, const ImpulseRun& run, PassRole role);

/// The event's run that an impulse run is: same start number, not deleted, started within a few
/// seconds of it (the closest). 0 when there is none.
int64_t FindEventRun(const EventData& data, int startNumber, const QDateTime& startAt);

/// Takes an ignored light-barrier pass as the LAP or STOP of its run, undoably: the impulse list
/// shows the pass in its new role, the protocol gets the line the run would have got, and the
/// event's run (when there is an event and the run is in it) gets the new times, judged again by
/// the plausibility rules, with an audit entry.
class AssignPassCommand : public QUndoCommand {
public:
    /// `protocol` and `event` may be null (no protocol window, no event open).
    AssignPassCommand(ImpulseLog& log, PassAssignment assignment, ProtocolLineTarget* protocol,
                      EventModel* event);
    ~AssignPassCommand() override;

    void redo() override;
    void undo() override;

    /// The event's run changed; 0 when none was found.
    int64_t EventRunId() const { return m_eventRun; }

private:
    ImpulseLog& m_log;
    PassAssignment m_assignment;
    ProtocolLineTarget* m_protocol;
    int64_t m_eventRun = 0;
    std::unique_ptr<QUndoCommand> m_eventChange;
    int m_row = -1; ///< where the line went
};
