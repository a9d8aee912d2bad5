#include "event/EventModel.h"

#include "event/EventWriter.h"
#include "event/Plausibility.h"

#include <algorithm>
#include <vector>

EventModel::EventModel(EventData data, EventWriter* writer, Clock now)
    : m_data(std::move(data)), m_writer(writer), m_now(std::move(now)) {
    for (qsizetype i = 0; i < m_data.runs.size(); ++i) {
        m_runIndex.insert(m_data.runs[i].id, i);
        m_runsOfNumber[m_data.runs[i].startNumber].append(i);
        m_lastRunId = std::max(m_lastRunId, m_data.runs[i].id);
    }
    for (qsizetype i = 0; i < m_data.competitors.size(); ++i) {
        m_competitorIndex.insert(m_data.competitors[i].id, i);
        m_lastCompetitorId = std::max(m_lastCompetitorId, m_data.competitors[i].id);
    }
    for (const AuditEntry& a : m_data.audit)
        m_lastAuditId = std::max(m_lastAuditId, a.id);
}

const RunRecord* EventModel::run(int64_t id) const {
    const auto it = m_runIndex.constFind(id);
    return it == m_runIndex.cend() ? nullptr : &m_data.runs[*it];
}

const Competitor* EventModel::competitor(int64_t id) const {
    const auto it = m_competitorIndex.constFind(id);
    return it == m_competitorIndex.cend() ? nullptr : &m_data.competitors[*it];
}

const Competitor* EventModel::competitorByNumber(int startNumber) const {
    for (const Competitor& c : m_data.competitors)
        if (c.startNumber == startNumber && !c.deleted)
            return &c;
    return nullptr;
}

void EventModel::changed(EventChange what, int64_t id) {
    if (OnChanged)
        OnChanged(what, id);
}

// Counting runs of a start number get the numbers 1, 2, ... in order of start; a void or deleted
// run keeps the number it had, so its repeat takes the same number.
void EventModel::renumber(int startNumber) {
    std::vector<qsizetype> counting;
    for (qsizetype i : m_runsOfNumber.value(startNumber)) {
        const RunRecord& r = m_data.runs[i];
        if (!r.voided && !r.deleted)
            counting.push_back(i);
    }
    std::stable_sort(counting.begin(), counting.end(), [this](qsizetype a, qsizetype b) {
        const RunRecord& ra = m_data.runs[a];
        const RunRecord& rb = m_data.runs[b];
        if (ra.startTime != rb.startTime)
            return ra.startTime < rb.startTime;
        return ra.id < rb.id;
    });
    for (size_t n = 0; n < counting.size(); ++n) {
        RunRecord& r = m_data.runs[counting[n]];
        if (r.runNumber == int(n + 1))
            continue;
        r.runNumber = int(n + 1);
        if (m_writer)
            m_writer->enqueue(r);
        changed(EventChange::Run, r.id);
    }
}

void EventModel::setInfo(const EventInfo& info) {
    if (m_data.info == info)
        return;
    m_data.info = info;
    if (m_writer)
        m_writer->enqueue(info);
    changed(EventChange::Info, 0);
}

void EventModel::setRules(const EventRules& rules) {
    if (m_data.rules == rules)
        return;
    m_data.rules = rules;
    if (m_writer)
        m_writer->enqueue(rules);
    changed(EventChange::Rules, 0);
}

int64_t EventModel::addRun(RunRecord run) {
    run.id = ++m_lastRunId;
    run.runNumber = 0;
    // Stored and flagged, never thrown away: the operator decides.
    run.needsCheck = run.needsCheck || isImplausible(run, m_data.rules);
    m_runIndex.insert(run.id, m_data.runs.size());
    m_runsOfNumber[run.startNumber].append(m_data.runs.size());
    m_data.runs.append(run);
    renumber(run.startNumber);
    const RunRecord& added = m_data.runs[m_runIndex.value(run.id)];
    // A void or deleted run gets no number from renumber(); it is still stored.
    if (m_writer && (added.voided || added.deleted))
        m_writer->enqueue(added);
    changed(EventChange::Run, run.id);
    return run.id;
}

void EventModel::setRun(const RunRecord& run) {
    const auto it = m_runIndex.constFind(run.id);
    if (it == m_runIndex.cend())
        return;
    RunRecord& current = m_data.runs[*it];
    if (current == run)
        return;
    const int oldNumber = current.startNumber;
    current = run;
    if (oldNumber != run.startNumber) {
        m_runsOfNumber[oldNumber].removeOne(*it);
        m_runsOfNumber[run.startNumber].append(*it);
    }
    if (m_writer)
        m_writer->enqueue(current);
    changed(EventChange::Run, run.id);
    renumber(run.startNumber);
    if (oldNumber != run.startNumber)
        renumber(oldNumber);
}

int64_t EventModel::addCompetitor(Competitor competitor) {
    competitor.id = ++m_lastCompetitorId;
    m_competitorIndex.insert(competitor.id, m_data.competitors.size());
    m_data.competitors.append(competitor);
    if (m_writer)
        m_writer->enqueue(competitor);
    changed(EventChange::Competitor, competitor.id);
    return competitor.id;
}

void EventModel::setCompetitor(const Competitor& competitor) {
    const auto it = m_competitorIndex.constFind(competitor.id);
    if (it == m_competitorIndex.cend() || m_data.competitors[*it] == competitor)
        return;
    m_data.competitors[*it] = competitor;
    if (m_writer)
        m_writer->enqueue(competitor);
    changed(EventChange::Competitor, competitor.id);
}

void EventModel::addAudit(AuditEntry entry) {
    entry.id = ++m_lastAuditId;
    if (!entry.time.isValid())
        entry.time = now();
    m_data.audit.append(entry);
    if (m_writer)
        m_writer->enqueue(entry);
    changed(EventChange::Audit, entry.id);
}
