// Times the event store: one finished run handed over and committed to disk (the GUI thread's
// cost for the hand-over, and the time until the commit returned), and opening an event of
// 10,000 runs into memory (the store's part; the ranking is timed by its own benchmark), with the
// memory the loaded event takes.
//
//   event_bench [folder]   (default: a temporary folder in the current one, so on its disk;
//                           run from a Release build)

#include "event/EventModel.h"
#include "event/EventStore.h"
#include "event/EventWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// CPU time of the calling thread: what a step costs apart from waiting for a busy machine.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long rssKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

RunRecord runOf(int64_t i) {
    RunRecord r;
    r.startNumber = int(i % 1000) + 1;
    r.startTime = QDateTime(QDate(2026, 5, 17), QTime(8, 0)).addMSecs(i * 30000);
    r.runTimeMs = int32_t(35000 + i % 20000);
    r.lapTimeMs = int32_t(15000 + i % 9000);
    r.speed = 40000 + i % 30000;
    r.cones = int(i % 3);
    r.gates = i % 17 == 0;
    return r;
}

// Writes an event of `runs` runs by 1,000 competitors in 5 classes, with an audit entry per 20 runs.
void makeEvent(const QString& path, int runs) {
    StoreError error;
    auto store = EventStore::create(path, {QStringLiteral("Benchmark"), QDate(2026, 5, 17), {}}, error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message));
        std::exit(1);
    }
    std::vector<EventWriteItem> items;
    for (int n = 1; n <= 1000; ++n) {
        Competitor c;
        c.id = n;
        c.startNumber = n;
        c.firstName = QStringLiteral("Vorname%1").arg(n);
        c.lastName = QStringLiteral("Nachname-Mustermann %1").arg(n);
        c.className = QStringLiteral("K%1").arg(n % 5 + 1);
        c.club = QStringLiteral("MSC Nord e.V.");
        c.vehicle = QStringLiteral("Kart %1").arg(n % 12);
        items.emplace_back(c);
    }
    for (int i = 1; i <= runs; ++i) {
        RunRecord r = runOf(i);
        r.id = i;
        r.runNumber = (i - 1) / 1000 + 1;
        items.emplace_back(r);
        if (i % 20 == 0) {
            AuditEntry a;
            a.id = i / 20;
            a.time = r.startTime.addSecs(60);
            a.runId = i;
            a.what = QStringLiteral("Strafen");
            a.oldValue = QStringLiteral("Pylonen 0, Tore 0");
            a.newValue = QStringLiteral("Pylonen 1, Tore 0");
            items.emplace_back(a);
        }
    }
    if (StoreError e = store->write(items)) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/event_bench-XXXXXX")
                               : QDir::currentPath() + QStringLiteral("/event_bench-XXXXXX"));
    if (!dir.isValid())
        return 1;

    // Opening: the event of 10,000 runs, read and put into the model the windows show.
    const QString big = dir.filePath("big.vantro");
    makeEvent(big, 10000);
    malloc_trim(0);
    const long before = rssKiB();
    std::unique_ptr<EventModel> kept; // so the memory is measured with the model alive
    std::vector<double> openMs, checkMs, loadMs, modelMs, cpuMs;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        const double cpuStart = threadCpuMs();
        StoreError error;
        auto store = EventStore::open(big, error);
        const qint64 opened = t.nsecsElapsed();
        EventData data;
        if (!store || store->load(data))
            return 1;
        const qint64 loaded = t.nsecsElapsed();
        auto model = std::make_unique<EventModel>(std::move(data));
        openMs.push_back(double(t.nsecsElapsed()) / 1e6);
        cpuMs.push_back(threadCpuMs() - cpuStart);
        checkMs.push_back(double(opened) / 1e6);
        loadMs.push_back(double(loaded - opened) / 1e6);
        modelMs.push_back(double(t.nsecsElapsed() - loaded) / 1e6);
        if (i == 0) {
            kept = std::move(model);
            std::printf("BENCH event.open_10000_runs.memory %.1f MiB\n", double(rssKiB() - before) / 1024.0);
        }
    }
    std::printf("BENCH event.open_10000_runs.median %.1f ms\n", percentile(openMs, 0.5));
    std::printf("BENCH event.open_10000_runs.cpu %.1f ms\n", percentile(cpuMs, 0.5));
    std::printf("BENCH event.open_10000_runs.open_and_check %.1f ms\n", percentile(checkMs, 0.5));
    std::printf("BENCH event.open_10000_runs.load %.1f ms\n", percentile(loadMs, 0.5));
    std::printf("BENCH event.open_10000_runs.model %.1f ms\n", percentile(modelMs, 0.5));

    // Storing: one run at a time handed over by the model (as STOP will), committed by the writer.
    StoreError error;
    auto store = EventStore::open(big, error);
    if (!store)
        return 1;
    EventWriter writer(*store);
    std::mutex mutex;
    std::condition_variable cv;
    uint64_t committed = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 committedAt = 0;
    writer.OnCommitted = [&](uint64_t upTo) {
        std::lock_guard lock(mutex);
        committed = upTo;
        committedAt = clock.nsecsElapsed();
        cv.notify_all();
    };
    EventModel model(kept->data(), &writer);
    kept.reset();
    std::vector<double> handOverMs, commitMs;
    for (int i = 0; i < 400; ++i) {
        const qint64 start = clock.nsecsElapsed();
        model.addRun(runOf(20000 + i));
        const qint64 handedOver = clock.nsecsElapsed();
        const uint64_t target = writer.enqueued();
        std::unique_lock lock(mutex);
        cv.wait(lock, [&] { return committed >= target; });
        handOverMs.push_back(double(handedOver - start) / 1e6);
        commitMs.push_back(double(committedAt - start) / 1e6);
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // karts start seconds apart
    }
    std::printf("BENCH event.hand_over.p50 %.4f ms\n", percentile(handOverMs, 0.5));
    std::printf("BENCH event.hand_over.p99 %.4f ms\n", percentile(handOverMs, 0.99));
    std::printf("BENCH event.store_run.p50 %.2f ms\n", percentile(commitMs, 0.5));
    std::printf("BENCH event.store_run.p99 %.2f ms\n", percentile(commitMs, 0.99));
    return 0;
}
