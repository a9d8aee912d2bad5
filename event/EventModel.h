#pragma once

#include "event/EventData.h"

#include <QDateTime>
#include <QHash>

#include <functional>

class EventWriter;

/// What part of the event changed.
enum class EventChange : uint8_t { Info, Rules, Run, Competitor, Audit };

/// The event as the windows show it: the loaded values, kept in memory and changed only through
/// this class, which hands every changed record to the event writer. Keeps the run numbers
/// (1st, 2nd, ... run of a start number) in order of start.
class EventModel {
public:
    using Clock = std::function<QDateTime()>;

    /// Takes the loaded event; changes go to `writer` (none: kept in memory only). `now` gives the
    /// audit entries' time (default: the local time).
    explicit EventModel(EventData data, EventWriter* writer = nullptr, Clock now = {});

    /// The whole event.
    const EventData& data() const { return m_data; }
    /// The run with the key, or null.
    const RunRecord* run(int64_t id) const;
    /// The start-list entry with the key, or null.
    const Competitor* competitor(int64_t id) const;
    /// The entry (not marked deleted) with the start number, or null.
    const Competitor* competitorByNumber(int startNumber) const;
    /// The writer changes go to from now on (none: kept in memory only). Records stored before are
    /// not handed over again; the caller enqueues the whole event when the writer is new.
    void setWriter(EventWriter* writer) { m_writer = writer; }
    /// The time for an audit entry.
    QDateTime now() const { return m_now ? m_now() : QDateTime::currentDateTime(); }

    /// Sets name, date and place and stores them.
    void setInfo(const EventInfo& info);
    /// Sets the rules and stores them.
    void setRules(const EventRules& rules);
    /// Adds a finished (or ended) run: gives it its key and run number and stores it, flagged
    /// "prüfen" when it breaks the rules' plausibility limits. Returns the key.
    int64_t addRun(RunRecord run);
    /// Replaces the run with the same key; run numbers of the start numbers concerned follow.
    void setRun(const RunRecord& run);
    /// Adds a start-list entry and stores it; returns its key.
    int64_t addCompetitor(Competitor competitor);
    /// Replaces the entry with the same key.
    void setCompetitor(const Competitor& competitor);
    /// Adds an audit entry (its key given here) and stores it.
    void addAudit(AuditEntry entry);

    /// Called after each change with what changed and its key.
    std::function<void(EventChange, int64_t)> OnChanged;

private:
    void renumber(int startNumber);
    void changed(EventChange what, int64_t id);

    EventData m_data;
    EventWriter* m_writer;
    Clock m_now;
    QHash<int64_t, qsizetype> m_runIndex;
    QHash<int64_t, qsizetype> m_competitorIndex;
    QHash<int, QList<qsizetype>> m_runsOfNumber; ///< positions in m_data.runs per start number
    int64_t m_lastRunId = 0;
    int64_t m_lastCompetitorId = 0;
    int64_t m_lastAuditId = 0;
};
