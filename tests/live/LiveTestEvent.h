#pragma once

// Small events for the live results' tests, benchmarks and screenshots.
#include "event/EventData.h"

#include <QStringList>

namespace livetest {

inline Competitor competitor(int number, const QString& first, const QString& last, const QString& className,
                             const QString& club = {}) {
    Competitor c;
    c.id = number;
    c.startNumber = number;
    c.firstName = first;
    c.lastName = last;
    c.className = className;
    c.club = club;
    return c;
}

/// A finished run (or one with `status`), recorded in the order of the calls.
inline RunRecord run(EventData& event, int number, int32_t timeMs, int cones = 0, int gates = 0,
                     RunStatus status = RunStatus::Finished) {
    RunRecord r;
    r.id = event.runs.size() + 1;
    r.startNumber = number;
    int previous = 0;
    for (const RunRecord& other : event.runs)
        if (other.startNumber == number)
            ++previous;
    r.runNumber = previous + 1;
    r.startTime = QDateTime(QDate(2026, 6, 13), QTime(9, 0).addSecs(int(event.runs.size()) * 90));
    if (status == RunStatus::Finished)
        r.runTimeMs = timeMs;
    r.status = status;
    r.cones = cones;
    r.gates = gates;
    event.runs.append(r);
    return r;
}

/// An event of `classes` classes ("A", "B", ...) with `perClass` competitors each and `runsEach`
/// finished runs per competitor, with a pylon now and then; names and times vary but repeat
/// exactly for the same arguments.
inline EventData generatedEvent(int classes, int perClass, int runsEach) {
    static const QStringList firsts = {
        QStringLiteral("Anna"), QStringLiteral("Ben"),   QStringLiteral("Clara"), QStringLiteral("David"),
        QStringLiteral("Emma"), QStringLiteral("Felix"), QStringLiteral("Greta"), QStringLiteral("Hannes"),
        QStringLiteral("Ida"),  QStringLiteral("Jonas"), QStringLiteral("Lea"),   QStringLiteral("Mats")};
    static const QStringList lasts = {
        QStringLiteral("Müller"),   QStringLiteral("Schmidt"), QStringLiteral("Schneider"),
        QStringLiteral("Fischer"),  QStringLiteral("Weber"),   QStringLiteral("Meyer"),
        QStringLiteral("Wagner"),   QStringLiteral("Becker"),  QStringLiteral("Schulz"),
        QStringLiteral("Hoffmann"), QStringLiteral("Koch"),    QStringLiteral("Richter")};
    EventData e;
    e.info = {QStringLiteral("Jugend-Kartslalom Sommerpokal"), QDate(2026, 6, 13),
              QStringLiteral("Großenhain")};
    int number = 1;
    for (int c = 0; c < classes; ++c)
        for (int i = 0; i < perClass; ++i, ++number)
            e.competitors.append(competitor(number, firsts[(number * 7) % firsts.size()],
                                            lasts[(number * 5) % lasts.size()], QString(QChar('A' + c)),
                                            QStringLiteral("MSC %1").arg(QChar('A' + (number % 4)))));
    for (int r = 0; r < runsEach; ++r)
        for (const Competitor& c : e.competitors)
            run(e, c.startNumber, 38000 + ((c.startNumber * 7919 + r * 104729) % 9000),
                (c.startNumber + r) % 5 == 0 ? 1 : 0);
    return e;
}

} // namespace livetest
