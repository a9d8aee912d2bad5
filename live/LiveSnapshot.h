#pragma once

#include "event/EventInfo.h"
#include "event/Standings.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

/// Where the run on the track stands, as the live results show it.
enum class LivePhase : uint8_t {
    Idle,    ///< nobody on the track
    Running, ///< started, the clock runs
    Finished ///< stopped; the final time is known
};

/// The run on the track as the timing window knows it: what the live results need besides the event.
struct LiveRunState {
    LivePhase phase = LivePhase::Idle;
    int startNumber = 0;     ///< the competitor's start number (0: none typed)
    QString name;            ///< as typed at START; used when the number is not on the start list
    uint32_t startTick = 0;  ///< the tick of START (the tick counter's milliseconds), while running
    int32_t finalTimeMs = 0; ///< START to STOP, once finished

    bool operator==(const LiveRunState&) const = default;
};

/// The run under way, with the competitor looked up in the event.
struct LiveCurrent {
    LivePhase phase = LivePhase::Idle;
    int startNumber = 0;
    QString name;
    QString className;
    uint32_t startTick = 0;        ///< while running: the page and the spectator screen count from it
    std::optional<int32_t> timeMs; ///< once finished
    int classPlace = 0;            ///< once finished: the competitor's place in the class now (0: none)

    bool operator==(const LiveCurrent&) const = default;
};

/// One recorded run as the live results list it.
struct LiveRun {
    int64_t id = 0;
    int startNumber = 0;
    QString name;
    QString className;
    int runNumber = 0;
    QDateTime startTime;
    std::optional<int32_t> timeMs; ///< START to STOP; empty unless finished
    int cones = 0;
    int gates = 0;
    int64_t penaltyMs = 0;
    std::optional<int64_t> resultMs; ///< time plus penalties; empty unless finished
    QString status;                  ///< "", "DNF", "DNS", "DSQ"
    QString remark;                  ///< "Training", "2 Pylonen", ... as the results sheet says it
    bool counts = false;             ///< part of the competitor's counting result
    int classPlace = 0;              ///< the competitor's place in the class now (0: none)

    bool operator==(const LiveRun&) const = default;
};

/// One line of a class ranking.
struct LiveRankRow {
    int place = 0; ///< 0: no place (no result yet, DNF, DNS, DSQ)
    int startNumber = 0;
    QString name;
    QString club;
    QString vehicle;
    ResultKind kind = ResultKind::NoRun;
    std::optional<int64_t> resultMs;
    std::optional<int64_t> gapToLeaderMs;
    std::optional<int64_t> gapToAheadMs;
    int runs = 0;   ///< shown runs
    QString remark; ///< as the results sheet says it ("Lauf 2: 1 Pylone")

    bool operator==(const LiveRankRow&) const = default;
};

/// The ranking of one class.
struct LiveClass {
    QString name;  ///< empty: competitors without a class
    QString title; ///< "Klasse A", "ohne Klasse"
    QList<LiveRankRow> rows;

    bool operator==(const LiveClass&) const = default;
};

/// Everything the live results show at one moment: a plain value, made on one thread and read on
/// others; never changed once made.
struct LiveSnapshot {
    uint64_t sequence = 0; ///< grows with every snapshot, so a reader can tell the newer one
    EventInfo info;
    int resolution = 2; ///< decimals of the times shown (2 hundredths, 1 tenths, 0 seconds)
    LiveCurrent current;
    QList<LiveRun> runs;      ///< every shown run, the last recorded first
    QList<LiveClass> classes; ///< in the results' class order

    /// The class with the name, or null.
    const LiveClass* findClass(const QString& name) const {
        for (const LiveClass& c : classes)
            if (c.name == name)
                return &c;
        return nullptr;
    }

    bool operator==(const LiveSnapshot&) const = default;
};
