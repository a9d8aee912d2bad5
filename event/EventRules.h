#pragma once

#include <QList>
#include <QString>

#include <cstdint>

/// How a competitor's counting result is formed from the runs.
enum class Scoring : uint8_t {
    BestRun, ///< the best single run (default)
    SumAll,  ///< the sum of all counting runs
    SumBestN ///< the sum of the best N of the counting runs ("Summe der besten N von M")
};

/// One line of the class table: competitors born in [fromYear, toYear] get `className`.
struct ClassBand {
    QString className;
    int fromYear = 0;
    int toYear = 0;

    bool operator==(const ClassBand&) const = default;
};

/// What a team's result is.
enum class TeamScoring : uint8_t {
    SumOfResults,    ///< the sum of the members' counting results
    SumOfClassPlaces ///< the sum of the members' places in their classes
};

/// How teams are formed and ranked.
struct TeamRules {
    bool enabled = false;
    int maxMembers = 4; ///< at most this many drivers of one club count
    bool membersFromDifferentClasses = false;
    TeamScoring scoring = TeamScoring::SumOfResults;

    bool operator==(const TeamRules&) const = default;
};

/// The rules of one event; every value has a usable default.
struct EventRules {
    Scoring scoring = Scoring::BestRun;
    int bestN = 2;                   ///< N for Scoring::SumBestN
    int32_t conePenaltyMs = 2000;    ///< per pylon ("Pylone")
    int32_t gatePenaltyMs = 10000;   ///< per missed gate or task ("Tor")
    bool firstRunIsTraining = false; ///< each competitor's first run is a training run
    QList<ClassBand> classTable;     ///< year of birth -> class, for competitors without a class
    TeamRules teams;
    int32_t minRunTimeMs = 0; ///< plausibility: shorter runs are flagged "prüfen" (0: off)
    int32_t maxRunTimeMs = 0; ///< plausibility: longer runs are flagged (0: off)
    int64_t maxSpeed = 0;     ///< plausibility: thousandths of km/h (0: off)

    bool operator==(const EventRules&) const = default;
};
