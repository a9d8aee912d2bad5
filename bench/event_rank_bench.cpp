// Times ranking an event: 1,000 competitors x 10 runs with penalties, DNFs, a training run each and
// best-2-of-N scoring in 5 classes, with the team ranking on. The figure is the median of several
// rankings of the same event (processor time of this thread; wall time printed beside it).
//
//   event_rank_bench [competitors] [runs]     (defaults 1000 and 10; run from a Release build)

#include "event/Ranking.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <time.h>
#include <vector>

namespace {

constexpr int Repeats = 15;

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int competitors = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int runsEach = argc > 2 ? std::atoi(argv[2]) : 10;

    EventRules rules;
    rules.scoring = Scoring::SumBestN;
    rules.bestN = 2;
    rules.firstRunIsTraining = true;
    rules.teams.enabled = true;
    rules.teams.membersFromDifferentClasses = true;
    for (int k = 0; k < 5; ++k)
        rules.classTable.append({QStringLiteral("K%1").arg(k + 1), 2020 - 2 * k - 1, 2020 - 2 * k});

    QList<Competitor> start;
    QList<RunRecord> runs;
    unsigned h = 12345;
    auto next = [&h] { return h = h * 1103515245u + 12345u; };
    for (int i = 1; i <= competitors; ++i) {
        Competitor c;
        c.startNumber = i;
        c.firstName = QStringLiteral("Vorname%1").arg(i);
        c.lastName = QStringLiteral("Nachname%1").arg(i);
        c.club = QStringLiteral("Verein %1").arg(i % 40);
        c.yearOfBirth = 2011 + int(next() % 10);
        c.sex = (next() & 1) ? Sex::Female : Sex::Male;
        start.append(c);
        for (int n = 1; n <= runsEach; ++n) {
            RunRecord r;
            r.id = runs.size() + 1;
            r.startNumber = i;
            r.runNumber = n;
            if (next() % 50 == 0)
                r.status = RunStatus::DidNotFinish;
            else
                r.runTimeMs = int32_t(35000 + next() % 20000);
            r.cones = int(next() % 4 == 0 ? next() % 3 : 0);
            r.gates = int(next() % 20 == 0);
            runs.append(r);
        }
    }
    // Runs arrive in the order they were driven, not grouped by competitor.
    std::sort(runs.begin(), runs.end(), [](const RunRecord& a, const RunRecord& b) {
        return a.runNumber != b.runNumber ? a.runNumber < b.runNumber : a.startNumber < b.startNumber;
    });

    std::vector<double> cpu, wall;
    qsizetype rows = 0;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer t;
        t.start();
        const double c0 = cpuMs();
        const Standings s = rankEvent(start, runs, rules);
        cpu.push_back(cpuMs() - c0);
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
        rows = s.overall.size() + s.classes.size() + s.teams.size();
    }
    std::printf("BENCH event.rank.%dx%d %.2f ms\nBENCH event.rank.%dx%d_wall %.2f ms\n", competitors,
                runsEach, median(cpu), competitors, runsEach, median(wall));
    return rows > 0 ? 0 : 1;
}
