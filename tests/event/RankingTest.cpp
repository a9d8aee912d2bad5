#include "event/Ranking.h"

#include <gtest/gtest.h>

namespace {

RunRecord run(int nr, int runNo, std::optional<int32_t> ms, RunStatus status = RunStatus::Finished,
              int cones = 0, int gates = 0) {
    RunRecord r;
    r.startNumber = nr;
    r.runNumber = runNo;
    r.runTimeMs = ms;
    r.status = ms ? status : (status == RunStatus::Finished ? RunStatus::DidNotFinish : status);
    r.cones = cones;
    r.gates = gates;
    return r;
}

RunRecord dnf(int nr, int runNo) {
    return run(nr, runNo, std::nullopt, RunStatus::DidNotFinish);
}

Competitor driver(int nr, QString cls = {}, QString club = {}, int year = 0, Sex sex = Sex::Unknown) {
    Competitor c;
    c.startNumber = nr;
    c.lastName = QStringLiteral("Fahrer %1").arg(nr);
    c.className = cls;
    c.club = club;
    c.yearOfBirth = year;
    c.sex = sex;
    return c;
}

// A ranking as compact lines: "place #nr result [runs]", runs as seconds or status code with
// "*" counting, "~" dropped, "T" training, "V" voided; place "-" without one.
QStringList lines(const QList<StandingRow>& rows) {
    QStringList out;
    for (const StandingRow& r : rows) {
        QStringList runs;
        for (const RunCell& c : r.runs) {
            QString s = c.resultMs ? QString::number(double(*c.resultMs) / 1000.0) : QStringLiteral("X");
            if (c.counts)
                s += u'*';
            if (c.dropped)
                s += u'~';
            if (c.training)
                s += u'T';
            if (c.run.voided)
                s += u'V';
            runs << s;
        }
        const char* kinds[] = {"", "partial", "DNF", "DNS", "DSQ", "none"};
        const QString result = r.resultMs ? QString::number(double(*r.resultMs) / 1000.0) : QString();
        out << QStringLiteral("%1 #%2 %3%4 [%5]")
                   .arg(r.place > 0 ? QString::number(r.place) : QStringLiteral("-"))
                   .arg(r.competitor.startNumber)
                   .arg(result, QString::fromLatin1(kinds[int(r.kind)]))
                   .arg(runs.join(u' '));
    }
    return out;
}

struct ScoringCase {
    const char* what;
    EventRules rules;
    QList<RunRecord> runs;
    QStringList expected;
};

EventRules rulesWith(Scoring scoring, bool firstRunIsTraining = false, int bestN = 2) {
    EventRules r;
    r.scoring = scoring;
    r.firstRunIsTraining = firstRunIsTraining;
    r.bestN = bestN;
    return r;
}

} // namespace

TEST(Ranking, ScoresEveryModeWithPenaltiesTiesStatusesAndMarks) {
    RunRecord voided = run(1, 1, 30000);
    voided.voided = true;
    RunRecord deleted = run(1, 3, 20000);
    deleted.deleted = true;
    RunRecord marked = run(2, 2, 10000);
    marked.training = true;
    RunRecord dsq = run(5, 2, std::nullopt, RunStatus::Disqualified);
    RunRecord dsqTraining = run(6, 1, std::nullopt, RunStatus::Disqualified);
    dsqTraining.training = true;

    const std::vector<ScoringCase> cases = {
        {"best run: penalties added (2 s per cone, 10 s per gate), equal results share a place",
         rulesWith(Scoring::BestRun),
         {run(1, 1, 40000, RunStatus::Finished, 1), run(1, 2, 45000), run(2, 1, 42000),
          run(3, 1, 41000, RunStatus::Finished, 0, 1), run(3, 2, 43000), run(4, 1, 44000)},
         {"1 #1 42 [42* 45]", "1 #2 42 [42*]", "3 #3 43 [51 43*]", "4 #4 44 [44*]"}},
        {"finishers first, then DNF, DNS, DSQ (a DSQ run disqualifies), then not driven",
         rulesWith(Scoring::BestRun),
         {run(5, 1, 30000), dsq, run(4, 1, std::nullopt, RunStatus::DidNotStart), dnf(3, 1),
          run(3, 2, std::nullopt, RunStatus::DidNotStart), run(2, 1, 50000), dsqTraining, run(6, 2, 55000),
          run(7, 1, std::nullopt, RunStatus::DidNotStart), dnf(8, 1), run(8, 2, 60000)},
         {"1 #2 50 [50*]", "2 #6 55 [XT 55*]", "3 #8 60 [X 60*]", "- #3 DNF [X X]", "- #4 DNS [X]",
          "- #7 DNS [X]", "- #5 DSQ [30 X]"}},
        {"voided runs are shown and never count, deleted runs are not shown, marked training never counts",
         rulesWith(Scoring::BestRun),
         {voided, run(1, 2, 40000), deleted, run(2, 1, 41000), marked},
         {"1 #1 40 [30V 40*]", "2 #2 41 [41* 10T]"}},
        {"first run is training: each competitor's first not-voided run",
         rulesWith(Scoring::BestRun, true),
         {voided, run(1, 2, 40000), run(1, 3, 42000), run(2, 1, 35000), run(2, 2, 41000), run(3, 1, 30000)},
         {"1 #2 41 [35T 41*]", "2 #1 42 [30V 40T 42*]", "- #3 none [30T]"}},
        {"sum of all: fewer finished runs than the most scored ranks after full results",
         rulesWith(Scoring::SumAll),
         {run(1, 1, 40000), run(1, 2, 41000), run(2, 1, 38000), dnf(2, 2), run(3, 1, 39000), run(3, 2, 42000),
          dnf(4, 1)},
         {"1 #1 81 [40* 41*]", "1 #3 81 [39* 42*]", "3 #2 38partial [38* X]", "- #4 DNF [X]"}},
        {"best 2 of 3: the worst or an unfinished run is dropped; equal runs drop the later one",
         rulesWith(Scoring::SumBestN),
         {run(1, 1, 40000), dnf(1, 2), run(1, 3, 41000), run(2, 1, 39000), run(2, 2, 42000), run(2, 3, 40000),
          run(3, 1, 40500), run(3, 2, 40500), run(3, 3, 40500), dnf(4, 1), dnf(4, 2), run(4, 3, 45000)},
         {"1 #2 79 [39* 42~ 40*]", "2 #1 81 [40* X~ 41*]", "2 #3 81 [40.5* 40.5* 40.5~]",
          "4 #4 45partial [X X~ 45*]"}},
        {"best 2 with first run training: the training run is neither counted nor dropped",
         rulesWith(Scoring::SumBestN, true),
         {run(1, 1, 30000), run(1, 2, 40000), run(1, 3, 44000), run(1, 4, 41000)},
         {"1 #1 81 [30T 40* 44~ 41*]"}},
    };
    for (const ScoringCase& c : cases) {
        QList<Competitor> start;
        for (int nr = 1; nr <= 8; ++nr)
            start << driver(nr);
        QList<StandingRow> rows = rankEvent(start, c.runs, c.rules).overall;
        // Competitors of the start list who never drove are listed last; they are not part of the cases.
        rows.removeIf([&](const StandingRow& r) { return r.runs.isEmpty(); });
        EXPECT_EQ(lines(rows), c.expected) << c.what;
    }
}

TEST(Ranking, GapsAreToTheLeaderAndTheOneAheadAndOnlyForFullResults) {
    const QList<RunRecord> runs{run(1, 1, 40000), run(2, 1, 40000), run(3, 1, 41500), run(4, 1, 43000),
                                dnf(5, 1)};
    Competitor removed = driver(4);
    removed.deleted = true;
    const QList<StandingRow> rows = rankEvent({removed}, runs, EventRules{}).overall;
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[3].competitor.displayName(), QStringLiteral("Fahrer 4"))
        << "a removed competitor's runs keep the name";
    EXPECT_FALSE(rows[0].gapToLeaderMs);
    EXPECT_EQ(rows[1].gapToLeaderMs, 0);
    EXPECT_EQ(rows[2].gapToLeaderMs, 1500);
    EXPECT_EQ(rows[2].gapToAheadMs, 1500);
    EXPECT_EQ(rows[3].gapToLeaderMs, 3000);
    EXPECT_EQ(rows[3].gapToAheadMs, 1500);
    EXPECT_FALSE(rows[4].gapToLeaderMs);
    EXPECT_TRUE(rows[0].competitor.displayName().isEmpty()) << "a number not on the start list has no name";
}

TEST(Ranking, ClassesComeFromTheYearOfBirthAndRankSeparately) {
    EventRules rules;
    rules.classTable = {{QStringLiteral("K1"), 2016, 2018}, {QStringLiteral("K2"), 2013, 2015}};
    EXPECT_EQ(classForYear(2018, rules.classTable), QStringLiteral("K1"));
    EXPECT_EQ(classForYear(2016, rules.classTable), QStringLiteral("K1"));
    EXPECT_EQ(classForYear(2015, rules.classTable), QStringLiteral("K2"));
    EXPECT_EQ(classForYear(2013, rules.classTable), QStringLiteral("K2"));
    EXPECT_EQ(classForYear(2012, rules.classTable), QString());
    EXPECT_EQ(classForYear(2019, rules.classTable), QString());
    EXPECT_EQ(classForYear(0, rules.classTable), QString());

    const QList<Competitor> start{driver(1, {}, {}, 2014), driver(2, {}, {}, 2017),
                                  driver(3, QStringLiteral("K1"), {}, 2010), driver(4),
                                  driver(5, QStringLiteral("Gast"))};
    const QList<RunRecord> runs{run(1, 1, 50000), run(2, 1, 45000), run(3, 1, 47000), run(4, 1, 40000),
                                run(5, 1, 30000)};
    const Standings s = rankEvent(start, runs, rules);
    QStringList classes;
    for (const ClassRanking& c : s.classes) {
        QStringList members;
        for (const StandingRow& r : c.rows)
            members << QStringLiteral("%1:%2").arg(r.competitor.startNumber).arg(r.place);
        classes << c.className + u'=' + members.join(u',');
    }
    // The table's order first, then other classes, "ohne Klasse" (empty) last; a given class wins.
    EXPECT_EQ(classes, QStringList({"K1=2:1,3:2", "K2=1:1", "Gast=5:1", "=4:1"}));
    ASSERT_EQ(s.overall.first().competitor.startNumber, 5);
    EXPECT_EQ(s.overall[2].competitor.startNumber, 2);
    EXPECT_EQ(s.overall[2].place, 3);
    EXPECT_EQ(s.overall[2].classPlace, 1);
}

TEST(Ranking, TeamsCountTheirBestMembersAndIncompleteTeamsRankLast) {
    // Club A: three drivers (best two count); B ties A; C has one driver; D's second driver has no
    // full result; club names match without case or blanks.
    const QList<Competitor> start{
        driver(1, "K1", "A"), driver(2, "K1", "a "), driver(3, "K2", "A"), driver(4, "K1", "B"),
        driver(5, "K2", "B"), driver(6, "K2", "C"),  driver(7, "K1", "D"), driver(8, "K2", "D"),
    };
    const QList<RunRecord> runs{run(1, 1, 40000), run(2, 1, 41000), run(3, 1, 42000), run(4, 1, 40500),
                                run(5, 1, 40500), run(6, 1, 30000), run(7, 1, 39000), dnf(8, 1)};
    auto summary = [](const QList<TeamRow>& teams) {
        QStringList out;
        for (const TeamRow& t : teams) {
            QStringList members;
            for (int n : t.memberNumbers)
                members << QString::number(n);
            out << QStringLiteral("%1 %2 %3 [%4]%5")
                       .arg(t.place)
                       .arg(t.club)
                       .arg(t.result)
                       .arg(members.join(u','))
                       .arg(t.complete ? "" : " incomplete");
        }
        return out;
    };
    EventRules rules;
    rules.teams.enabled = true;
    rules.teams.maxMembers = 2;
    EXPECT_EQ(summary(rankEvent(start, runs, rules).teams),
              QStringList({"1 A 81000 [1,2]", "1 B 81000 [4,5]", "3 C 30000 [6] incomplete",
                           "4 D 39000 [7] incomplete"}));

    rules.teams.membersFromDifferentClasses = true;
    EXPECT_EQ(summary(rankEvent(start, runs, rules).teams).mid(0, 2),
              QStringList({"1 B 81000 [4,5]", "2 A 82000 [1,3]"}));

    rules.teams.membersFromDifferentClasses = false;
    rules.teams.scoring = TeamScoring::SumOfClassPlaces;
    // Class places: K1 7:1 1:2 4:3 2:4; K2 6:1 5:2 3:3.
    EXPECT_EQ(summary(rankEvent(start, runs, rules).teams),
              QStringList({"1 A 5 [1,3]", "1 B 5 [5,4]", "3 C 1 [6] incomplete", "3 D 1 [7] incomplete"}));

    rules.teams.enabled = false;
    EXPECT_TRUE(rankEvent(start, runs, rules).teams.isEmpty());
}

TEST(Ranking, HonoursNameTheFastestGirlAndBoyOrNobody) {
    QList<Competitor> start{driver(1, "K1", {}, 0, Sex::Female), driver(2, "K2", {}, 0, Sex::Female),
                            driver(3, "K1", {}, 0, Sex::Male), driver(4, "K1", {}, 0, Sex::Unknown)};
    const QList<RunRecord> runs{run(1, 1, 45000), run(2, 1, 45000), run(3, 1, 47000), run(4, 1, 30000)};
    Honours h = rankEvent(start, runs, EventRules{}).honours;
    EXPECT_EQ(h.fastestGirl, QList<int>({1, 2})) << "a tie names both";
    EXPECT_EQ(h.fastestBoy, QList<int>({3}));

    start[2].sex = Sex::Female;
    h = rankEvent(start, runs, EventRules{}).honours;
    EXPECT_TRUE(h.fastestBoy.isEmpty());
    EXPECT_EQ(h.fastestGirl, QList<int>({1, 2}));
    h = rankEvent(start, {dnf(1, 1)}, EventRules{}).honours;
    EXPECT_TRUE(h.fastestGirl.isEmpty()) << "no full result, no honour";
}
