// Times the program's start-up: from starting the process to the main window's first frame, then
// on to an event of 1,000 runs opened (store opened and checked, loaded, put into the model the
// windows use) and ranked. Each round starts this program afresh as a child process, with empty
// settings, state and data folders of its own, so nothing is warm in the process itself (the files
// are in the system's cache after the first round, as on a machine that started the program before).
//
//   startup_bench [runs] [rounds]     (default 1000 runs, 7 rounds; run from a Release build)
//
// The times are wall times from just before the child is started to the child's own marks, read on
// the system's monotonic clock.

#include "app/window/SmokeRun.h"
#include "app/window/TApplication.h"
#include "app/window/TFormMain.h"
#include "event/EventModel.h"
#include "event/EventStore.h"
#include "event/Ranking.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Processor time of the whole process so far (all its threads), in nanoseconds.
int64_t processCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// An event of `runs` runs by 1,000 competitors in 5 classes, best two runs counting.
void makeEvent(const QString& path, int runs) {
    StoreError error;
    auto store = EventStore::create(path, {QStringLiteral("Benchmark"), QDate(2026, 5, 17), {}}, error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message));
        std::exit(1);
    }
    std::vector<EventWriteItem> items;
    EventRules rules;
    rules.scoring = Scoring::SumBestN;
    rules.bestN = 2;
    for (int k = 0; k < 5; ++k)
        rules.classTable.append({QStringLiteral("K%1").arg(k + 1), 2020 - 2 * k - 1, 2020 - 2 * k});
    items.emplace_back(rules);
    for (int n = 1; n <= 1000; ++n) {
        Competitor c;
        c.id = n;
        c.startNumber = n;
        c.firstName = QStringLiteral("Vorname%1").arg(n);
        c.lastName = QStringLiteral("Nachname-Mustermann %1").arg(n);
        c.className = QStringLiteral("K%1").arg(n % 5 + 1);
        c.club = QStringLiteral("MSC Nord e.V. %1").arg(n % 40);
        items.emplace_back(c);
    }
    for (int i = 1; i <= runs; ++i) {
        RunRecord r;
        r.id = i;
        r.startNumber = (i - 1) % 1000 + 1;
        r.runNumber = (i - 1) / 1000 + 1;
        r.startTime = QDateTime(QDate(2026, 5, 17), QTime(8, 0)).addMSecs(int64_t(i) * 30000);
        r.runTimeMs = int32_t(35000 + i % 20000);
        r.lapTimeMs = int32_t(15000 + i % 9000);
        r.speed = 40000 + i % 30000;
        r.cones = i % 3;
        items.emplace_back(r);
    }
    if (StoreError e = store->write(items)) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message));
        std::exit(1);
    }
}

// The child: the program's own start (as main.cpp), then the event.
int child(int argc, char** argv, const QString& eventPath) {
    TApplication app(argc, argv);
    TFormMain form;
    form.CreateDialogs();
    int64_t shown = 0, opened = 0, ranked = 0, shownCpu = 0, rankedCpu = 0;
    int exitCode = 1;
    SmokeRun smoke(&form, 60000, [&](int code) {
        shown = monotonicNs();
        shownCpu = processCpuNs();
        StoreError error;
        auto store = EventStore::open(eventPath, error);
        EventData data;
        if (code != 0 || !store || store->load(data)) {
            app.exit(1);
            return;
        }
        const EventModel model(std::move(data));
        opened = monotonicNs();
        const Standings standings =
            rankEvent(model.data().competitors, model.data().runs, model.data().rules);
        ranked = monotonicNs();
        rankedCpu = processCpuNs();
        exitCode = standings.overall.isEmpty() ? 1 : 0;
        app.exit(exitCode);
    });
    form.show();
    app.exec();
    std::printf("marks %lld %lld %lld %lld %lld\n", static_cast<long long>(shown),
                static_cast<long long>(opened), static_cast<long long>(ranked),
                static_cast<long long>(shownCpu), static_cast<long long>(rankedCpu));
    std::fflush(stdout);
    return exitCode;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    QTemporaryDir dir;
    QString eventPath;
    {
        QCoreApplication app(argc, argv);
        eventPath = dir.filePath("event.vantro");
        makeEvent(eventPath, runs);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    std::vector<double> shownMs, openMs, rankMs, totalMs, shownCpuMs, totalCpuMs;
    for (int round = 0; round < rounds; ++round) {
        // Settings, journal and data of a first start, every time.
        const QString home = dir.filePath(QStringLiteral("round%1").arg(round));
        for (const char* sub : {"config", "state", "data"})
            QDir().mkpath(home + '/' + sub);
        qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
        qputenv("XDG_STATE_HOME", (home + "/state").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home + "/data").toLocal8Bit());

        int fds[2];
        if (pipe(fds) != 0)
            return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        const QByteArray event = eventPath.toLocal8Bit();
        std::string self = argv[0];
        char childFlag[] = "--child";
        char* childArgv[] = {self.data(), childFlag, const_cast<char*>(event.constData()), nullptr};
        const int64_t start = monotonicNs();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, childArgv, environ) != 0) {
            std::fprintf(stderr, "cannot start %s\n", argv[0]);
            return 1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        std::string out;
        char buf[512];
        for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
            out.append(buf, size_t(n));
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        long long shown = 0, opened = 0, ranked = 0, shownCpu = 0, rankedCpu = 0;
        const size_t at = out.find("marks ");
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos ||
            std::sscanf(out.c_str() + at, "marks %lld %lld %lld %lld %lld", &shown, &opened, &ranked,
                        &shownCpu, &rankedCpu) != 5) {
            std::fprintf(stderr, "round %d failed (status %d): %s\n", round + 1, status, out.c_str());
            return 1;
        }
        const auto ms = [start](long long mark) { return double(mark - start) / 1e6; };
        shownMs.push_back(ms(shown));
        openMs.push_back(double(opened - shown) / 1e6);
        rankMs.push_back(double(ranked - opened) / 1e6);
        totalMs.push_back(ms(ranked));
        shownCpuMs.push_back(double(shownCpu) / 1e6);
        totalCpuMs.push_back(double(rankedCpu) / 1e6);
        std::printf("round %d: window shown %.1f ms, event opened +%.1f ms, ranked +%.1f ms, total %.1f ms; "
                    "processor time %.1f ms to the window, %.1f ms in all\n",
                    round + 1, ms(shown), openMs.back(), rankMs.back(), ms(ranked), shownCpuMs.back(),
                    totalCpuMs.back());
    }
    std::printf(
        "median of %d starts: window shown %.1f ms, event of %d runs opened +%.1f ms, ranked +%.1f ms, "
        "total %.1f ms\n",
        rounds, median(shownMs), runs, median(openMs), median(rankMs), median(totalMs));
    std::printf("processor time (all threads of the child): %.1f ms to the window, %.1f ms with the event\n",
                median(shownCpuMs), median(totalCpuMs));
    std::printf("BENCH startup.window_shown %.1f ms\n", median(shownMs));
    std::printf("BENCH startup.window_shown_cpu %.1f ms\n", median(shownCpuMs));
    std::printf("BENCH startup.with_event_cpu.%d %.1f ms\n", runs, median(totalCpuMs));
    std::printf("BENCH startup.event_open.%d %.1f ms\n", runs, median(openMs));
    std::printf("BENCH startup.event_rank.%d %.1f ms\n", runs, median(rankMs));
    std::printf("BENCH startup.with_event.%d %.1f ms\n", runs, median(totalMs));
    return 0;
}
