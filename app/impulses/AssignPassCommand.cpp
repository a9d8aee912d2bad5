#include "app/impulses/AssignPassCommand.h"

#include "event/EventModel.h"
#include "event/SetRunTimingCommand.h"

#include <QCoreApplication>
#include <cstdlib>

namespace {

// The event records START's local time when the run is handed over; the journal's pass time is
// taken a moment earlier. A few seconds tell runs of one start number apart with room to spare.
constexpr qint64 StartMatchMs = 5000;

bool isEmpty(const ProtocolLine& line) {
    return line.who.isEmpty() && line.time.isEmpty() && line.speed.isEmpty() && line.note.isEmpty();
}

} // namespace

int ProtocolRowFor(const QList<ProtocolLine>& lines, const ImpulseRun& run, PassRole role) {
    const int count = int(lines.size());
    for (int i = count - 1; i >= 0; --i) {
        if (lines[i].who != QLatin1String("  Nr.:") || lines[i].time.trimmed().toInt() != run.startNumber)
            continue;
        if (!run.startText.isEmpty() && (i + 1 >= count || lines[i + 1].who != QLatin1String("Start:") ||
                                         lines[i + 1].note != run.startText))
            continue;
        int row = i + 1;
        while (row < count) {
            const QString& who = lines[row].who;
            if (who == QLatin1String("  Nr.:") || who == QLatin1String("-") || isEmpty(lines[row]))
                break;
            if (role == PassRole::Lap && who == QLatin1String("Stopp:"))
                break;
            ++row;
        }
        return row;
    }
    // The grid keeps an empty last row that the next line fills; the line goes where it would.
    int end = count;
    while (end > 0 && isEmpty(lines[end - 1]))
        --end;
    return end;
}

int64_t FindEventRun(const EventData& data, int startNumber, const QDateTime& startAt) {
    int64_t best = 0;
    qint64 bestDistance = StartMatchMs + 1;
    for (const RunRecord& r : data.runs) {
        if (r.deleted || r.startNumber != startNumber || !r.startTime.isValid())
            continue;
        const qint64 distance = std::llabs(r.startTime.msecsTo(startAt));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = r.id;
        }
    }
    return best;
}

AssignPassCommand::AssignPassCommand(ImpulseLog& log, PassAssignment assignment, ProtocolLineTarget* protocol,
                                     EventModel* event)
    : m_log(log), m_assignment(std::move(assignment)), m_protocol(protocol) {
    setText(QCoreApplication::translate("ImpulseLog", "Impuls als %1")
                .arg(m_assignment.role == PassRole::Lap ? QStringLiteral("LAP") : QStringLiteral("STOP")));
    if (!event || m_assignment.run < 0 || m_assignment.run >= log.Runs().size())
        return;
    const ImpulseRun& run = log.Runs()[m_assignment.run];
    m_eventRun = FindEventRun(event->data(), run.startNumber, run.startAt);
    const RunRecord* record = event->run(m_eventRun);
    if (!record)
        return;
    RunTiming timing = SetRunTimingCommand::timingOf(*record);
    timing.lapTimeMs = m_assignment.lapTimeMs;
    timing.runTimeMs = m_assignment.runTimeMs;
    timing.speed = m_assignment.speed;
    // A run that has its STOP now is finished, whatever ended it before (RESET gave "Abbruch").
    if (m_assignment.runTimeMs)
        timing.status = RunStatus::Finished;
    const QString at = m_assignment.pass >= 0 && m_assignment.pass < log.Impulses().size()
                           ? log.Impulses()[m_assignment.pass].at.toString(QStringLiteral("HH:mm:ss.zzz"))
                           : QString();
    m_eventChange = std::make_unique<SetRunTimingCommand>(
        *event, m_eventRun, timing, text(),
        QCoreApplication::translate("ImpulseLog", "Impuls von %1").arg(at));
}

AssignPassCommand::~AssignPassCommand() = default;

void AssignPassCommand::redo() {
    m_log.Assign(m_assignment);
    if (m_protocol) {
        const ImpulseRun& run = m_log.Runs()[m_assignment.run];
        m_row = ProtocolRowFor(m_protocol->Lines(), run, m_assignment.role);
        m_protocol->InsertLine(m_row, m_assignment.line);
    }
    if (m_eventChange)
        m_eventChange->redo();
}

void AssignPassCommand::undo() {
    if (m_eventChange)
        m_eventChange->undo();
    if (m_protocol) {
        // The line goes where it is now; an operator's edits meanwhile may have moved it.
        const QList<ProtocolLine> lines = m_protocol->Lines();
        int row = m_row >= 0 && m_row < lines.size() && lines[m_row] == m_assignment.line ? m_row : -1;
        for (int i = int(lines.size()) - 1; row < 0 && i >= 0; --i)
            if (lines[i] == m_assignment.line)
                row = i;
        if (row >= 0)
            m_protocol->RemoveLine(row);
    }
    m_log.Unassign(m_assignment);
}
