#pragma once

#include "event/EventData.h"
#include "event/EventWriteItem.h"

#include <vector>

// An event whose every field differs from its default, to see each one survive a round trip.
inline EventData sampleEvent() {
    EventData d;
    d.info = {QStringLiteral("Kartslalom Ölberg"), QDate(2026, 5, 17), QStringLiteral("Großenhain")};
    d.rules.scoring = Scoring::SumBestN;
    d.rules.bestN = 3;
    d.rules.conePenaltyMs = 3000;
    d.rules.gatePenaltyMs = 15000;
    d.rules.firstRunIsTraining = true;
    d.rules.classTable = {{QStringLiteral("K1"), 2016, 2018}, {QStringLiteral("K2"), 2013, 2015}};
    d.rules.teams = {true, 3, true, TeamScoring::SumOfClassPlaces};
    d.rules.minRunTimeMs = 20000;
    d.rules.maxRunTimeMs = 120000;
    d.rules.maxSpeed = 85500;

    Competitor c;
    c.id = 1;
    c.startNumber = 65535;
    c.firstName = QStringLiteral("Jörg");
    c.lastName = QStringLiteral("Maaß-Ünal");
    c.className = QStringLiteral("K2");
    c.club = QStringLiteral("MSC Nord e.V.");
    c.vehicle = QStringLiteral("Kart 7");
    c.yearOfBirth = 2014;
    c.sex = Sex::Male;
    c.deleted = true;
    d.competitors = {c};

    RunRecord r;
    r.id = 1;
    r.startNumber = 65535;
    r.runNumber = 2;
    r.startTime = QDateTime(QDate(2026, 5, 17), QTime(10, 15, 30, 125));
    r.runTimeMs = 45678;
    r.lapTimeMs = 20001;
    r.speed = 51234;
    r.status = RunStatus::Disqualified;
    r.disqualifyReason = QStringLiteral("Frühstart");
    r.cones = 2;
    r.gates = 1;
    r.training = true;
    r.voided = true;
    r.deleted = true;
    r.needsCheck = true;
    r.correction = QStringLiteral("Protest angenommen");
    RunRecord empty; // no times, no start time
    empty.id = 2;
    empty.startNumber = 3;
    empty.status = RunStatus::DidNotStart;
    d.runs = {r, empty};

    AuditEntry a;
    a.id = 1;
    a.time = QDateTime(QDate(2026, 5, 17), QTime(11, 0, 0, 5));
    a.action = AuditAction::Undo;
    a.runId = 1;
    a.what = QStringLiteral("Strafen");
    a.oldValue = QStringLiteral("Pylonen 0, Tore 0");
    a.newValue = QStringLiteral("Pylonen 2, Tore 1");
    a.reason = QStringLiteral("Videobeweis");
    AuditEntry b = a;
    b.id = 2;
    b.action = AuditAction::Redo;
    b.runId = 0;
    b.competitorId = 1;
    d.audit = {a, b};
    return d;
}

// The records of an event in the order the writer takes them.
inline std::vector<EventWriteItem> itemsOf(const EventData& d) {
    std::vector<EventWriteItem> items{d.info, d.rules};
    for (const Competitor& c : d.competitors)
        items.emplace_back(c);
    for (const RunRecord& r : d.runs)
        items.emplace_back(r);
    for (const AuditEntry& a : d.audit)
        items.emplace_back(a);
    return items;
}
