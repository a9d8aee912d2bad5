// Times the program's start-up: from starting the process to the main window's first frame, once
// with no event and once with the day's event of 1,000 runs in the events folder, which the window
// opens (store opened and checked, loaded, ranked) before it shows. Each start runs this program
// afresh as a child process, with empty settings, state and data folders of its own, so nothing is
// warm in the process itself (the files are in the system's cache after the first round, as on a
// machine that started the program before). The two kinds of start are taken in turns.
//
//   startup_bench [runs] [rounds]     (default 1000 runs, 7 rounds; run from a Release build)
//
// The times are wall times from just before the child is started to the child's first frame, read
// on the system's monotonic clock, and the child's own processor time (all its threads).

#include "app/results/EventDocument.h"
#include "app/window/SmokeRun.h"
#include "app/window/TApplication.h"
#include "app/window/TFormMain.h"
#include "event/EventFiles.h"
#include "event/EventModel.h"
#include "event/EventStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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
    auto store = EventStore::create(path, {QStringLiteral("Benchmark"), QDate::currentDate(), {}}, error);
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
        r.startTime = QDateTime(QDate::currentDate(), QTime(8, 0)).addMSecs(int64_t(i) * 30000);
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

// The child: the program's own start (as main.cpp) up to the window's first frame. With
// `runs` > 0 the window must have opened the day's event with that many runs.
int child(int argc, char** argv, int runs) {
    TApplication app(argc, argv);
    TFormMain form;
    form.CreateDialogs();
    int64_t shown = 0, shownCpu = 0;
    int exitCode = 1;
    SmokeRun smoke(&form, 60000, [&](int code) {
        shown = monotonicNs();
        shownCpu = processCpuNs();
        const EventModel* model = form.Event()->model();
        const qsizetype found = model ? model->data().runs.size() : 0;
        exitCode = code == 0 && found == runs ? 0 : 1;
        if (exitCode != 0)
            std::fprintf(stderr, "the window shows an event of %lld runs, not %d\n",
                         static_cast<long long>(found), runs);
        app.exit(exitCode);
    });
    form.show();
    app.exec();
    std::printf("marks %lld %lld\n", static_cast<long long>(shown), static_cast<long long>(shownCpu));
    std::fflush(stdout);
    return exitCode;
}

struct Start {
    double wallMs = 0;
    double cpuMs = 0;
};

// Starts the child in `home` (settings, state and data folders below it); false when it failed.
bool startChild(const char* self, const QString& home, int runs, Start& result) {
    for (const char* sub : {"config", "state", "data"})
        QDir().mkpath(home + '/' + sub);
    qputenv("XDG_CONFIG_HOME", (home + "/config").toLocal8Bit());
    qputenv("XDG_STATE_HOME", (home + "/state").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + "/data").toLocal8Bit());

    int fds[2];
    if (pipe(fds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string program = self;
    std::string runsText = std::to_string(runs);
    char childFlag[] = "--child";
    char* childArgv[] = {program.data(), childFlag, runsText.data(), nullptr};
    const int64_t start = monotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        std::fprintf(stderr, "cannot start %s\n", self);
        return false;
    }
    std::string out;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long shown = 0, shownCpu = 0;
    const size_t at = out.find("marks ");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos ||
        std::sscanf(out.c_str() + at, "marks %lld %lld", &shown, &shownCpu) != 2) {
        std::fprintf(stderr, "start failed (status %d): %s\n", status, out.c_str());
        return false;
    }
    result.wallMs = double(shown - start) / 1e6;
    result.cpuMs = double(shownCpu) / 1e6;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, std::atoi(argv[2]));

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

    std::vector<double> plainMs, plainCpuMs, eventMs, eventCpuMs;
    for (int round = 0; round < rounds; ++round) {
        // Settings, journal and data of a first start, every time; the event where the program
        // looks for the day's event.
        const QString plainHome = dir.filePath(QStringLiteral("plain%1").arg(round));
        const QString eventHome = dir.filePath(QStringLiteral("event%1").arg(round));
        const QString events = eventHome + QStringLiteral("/data/vantro/events");
        QDir().mkpath(events);
        const QString dayEvent =
            events + '/' + QDate::currentDate().toString(Qt::ISODate) + QLatin1String(EventFileExtension);
        if (!QFile::copy(eventPath, dayEvent)) {
            std::fprintf(stderr, "cannot copy the event to %s\n", qPrintable(dayEvent));
            return 1;
        }
        Start plain, withEvent;
        if (!startChild(argv[0], plainHome, 0, plain) || !startChild(argv[0], eventHome, runs, withEvent))
            return 1;
        plainMs.push_back(plain.wallMs);
        plainCpuMs.push_back(plain.cpuMs);
        eventMs.push_back(withEvent.wallMs);
        eventCpuMs.push_back(withEvent.cpuMs);
        std::printf("round %d: window shown %.1f ms (processor time %.1f ms); with the event %.1f ms "
                    "(processor time %.1f ms)\n",
                    round + 1, plain.wallMs, plain.cpuMs, withEvent.wallMs, withEvent.cpuMs);
    }
    std::printf("median of %d starts each: window shown %.1f ms, with an event of %d runs %.1f ms\n", rounds,
                median(plainMs), runs, median(eventMs));
    std::printf("processor time (all threads of the child): %.1f ms, with the event %.1f ms\n",
                median(plainCpuMs), median(eventCpuMs));
    std::printf("BENCH startup.window_shown %.1f ms\n", median(plainMs));
    std::printf("BENCH startup.window_shown_cpu %.1f ms\n", median(plainCpuMs));
    std::printf("BENCH startup.with_event.%d %.1f ms\n", runs, median(eventMs));
    std::printf("BENCH startup.with_event_cpu.%d %.1f ms\n", runs, median(eventCpuMs));
    return 0;
}
