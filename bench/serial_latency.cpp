// How late does the program learn the moment of a light-barrier edge while the GUI thread is busy?
// Drives a port with a few hundred DSR edges, keeps the GUI thread busy for 30 ms per event-loop
// turn, and compares each edge's own timestamp with
//   - the tick the watcher handed over with the event (what START, LAP and STOP use), and
//   - a tick read on the GUI thread when the handler runs (what reading the counter there would give).
// The tick counter is replaced by a microsecond counter so the figures show more than whole
// milliseconds. Runs on the fake device and on the simulator socket, each without and with the
// protocol journal (every edge and a protocol line per edge journalled and fsync'd on its worker),
// then with the journal and the event (every second edge ends a run that the event's writer thread
// commits to its file), and reports what appending one journal line costs the GUI thread. With
// --live-clients N it runs both devices once more with the live results server serving N WebSocket
// clients (in a process of their own) while one run finishes per second, to set those figures
// beside the ones without.
#include "app/journal/ProtocolJournal.h"
#include "bench/LiveCrowd.h"
#include "event/EventModel.h"
#include "event/EventStore.h"
#include "event/EventWriter.h"
#include "platform/SystemClock.h"
#include "serial/ComTypes.h"
#include "serial/EComHandle.h"
#include "serial/EComState.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "serial/TComPort.h"
#include "serial/TComThread.h"
#include "testing/FakeSerialDevice.h"
#include "tests/live/LiveTestEvent.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <random>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class MicrosecondClock : public platform::SystemClock {
public:
    uint32_t tickCount() const override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
    }
    QDateTime localDateTime() const override { return QDateTime::currentDateTime(); }
};

struct Figures {
    double median, p99, max;
};

Figures figures(std::vector<int64_t> v) {
    std::sort(v.begin(), v.end());
    auto at = [&](double q) {
        return double(v[std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5))]);
    };
    return {at(0.5), at(0.99), double(v.back())};
}

struct Result {
    std::vector<int64_t> handed;  ///< edges that found the watcher waiting
    std::vector<int64_t> guiRead; ///< the same edges, tick read on the GUI thread
    std::vector<int64_t> behind;  ///< edges that came while the previous hand-over was still pending
};

// Runs `edges` DSR edges through `raise` and returns the latencies in µs.
Result measure(TComPort& port, int edges, const std::function<void(bool)>& raise, ProtocolJournal* journal,
               EventModel* event) {
    std::mutex mutex;
    std::vector<uint32_t> stamps;
    std::vector<bool> pendingAtEdge;
    std::vector<int64_t> handed, guiRead;
    port.OnDSR = [&](QObject*, uint32_t, uint32_t tick) {
        const uint32_t now = GetTickCount();
        std::lock_guard lock(mutex);
        const size_t i = handed.size();
        if (i >= stamps.size())
            return;
        handed.push_back(int32_t(tick - stamps[i]));
        guiRead.push_back(int32_t(now - stamps[i]));
        if (journal) {
            // What the window journals for a pass: the edge and the protocol line it produced.
            journal->Edge(tick, EdgeOutcome::Lap);
            journal->Line(
                ProtocolLine{QStringLiteral("  Lap:"), QStringLiteral("  4,00"), QString(), QString()});
        }
        if (event && i % 2 == 1) {
            // What STOP hands the event: a finished run, queued for the writer thread.
            RunRecord run;
            run.startNumber = int(i / 2 % 100) + 1;
            run.startTime = QDateTime::currentDateTime();
            run.runTimeMs = 4720;
            run.lapTimeMs = 4000;
            run.speed = 50000;
            event->addRun(run);
        }
    };

    // The busy GUI: 30 ms of work per event-loop turn.
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
        while (std::chrono::steady_clock::now() < end) {
        }
    });
    busy.start(0);

    std::thread driver([&] {
        // The driver stands for the hardware: it must not be preempted between its stamp and its edge.
        sched_param param{};
        param.sched_priority = 20;
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> gap(40, 90); // a pass holds the beam for tens of ms
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (int i = 0; i < edges; ++i) {
            {
                std::lock_guard lock(mutex);
                pendingAtEdge.push_back(port.HandOverPending());
                stamps.push_back(GetTickCount());
            }
            raise(i % 2 == 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(gap(rng)));
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::lock_guard lock(mutex);
        if (int(handed.size()) >= edges || std::chrono::steady_clock::now() > deadline)
            break;
    }
    busy.stop();
    driver.join();
    Result r;
    for (size_t i = 0; i < handed.size(); ++i) {
        if (pendingAtEdge[i]) {
            r.behind.push_back(handed[i]);
        } else {
            r.handed.push_back(handed[i]);
            r.guiRead.push_back(guiRead[i]);
        }
    }
    return r;
}

void report(const char* name, const Result& r, int edges) {
    const size_t arrived = r.handed.size() + r.behind.size();
    if (arrived < size_t(edges))
        std::printf("%s: only %zu of %d edges arrived\n", name, arrived, edges);
    if (r.handed.empty())
        return;
    const Figures h = figures(r.handed);
    const Figures g = figures(r.guiRead);
    std::printf("%-10s %4zu edges  handed-over tick: median %7.0f us  p99 %7.0f us  max %7.0f us\n", name,
                r.handed.size(), h.median, h.p99, h.max);
    std::printf("%-10s %4s         tick read on GUI: median %7.0f us  p99 %7.0f us  max %7.0f us\n", "", "",
                g.median, g.p99, g.max);
    // Machine-readable lines for bench/run-all.sh.
    std::printf("BENCH serial.%s.handed_median %.0f us\nBENCH serial.%s.handed_p99 %.0f us\n", name, h.median,
                name, h.p99);
    if (!r.behind.empty()) {
        const Figures b = figures(r.behind);
        std::printf("%-10s %4zu edges came while the previous hand-over was pending; their handed-over tick: "
                    "median %7.0f us  max %7.0f us\n",
                    "", r.behind.size(), b.median, b.max);
    }
}

// Appends `lines` protocol lines on this thread while the worker writes them; the cost per call.
void journalCost(const QString& dir, int lines) {
    ProtocolJournal journal(dir);
    if (!journal.Begin({}).isEmpty()) {
        std::printf("journal: cannot write %s\n", qPrintable(dir));
        return;
    }
    std::vector<int64_t> ns;
    ns.reserve(size_t(lines));
    const ProtocolLine line{QStringLiteral("Stopp:"), QStringLiteral("  4,72"), QStringLiteral("    50"),
                            QStringLiteral("10m/0,72c")};
    for (int i = 0; i < lines; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        journal.Line(line);
        const auto t1 = std::chrono::steady_clock::now();
        ns.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(t1 - t0).count());
        if (i % 20 == 19)
            std::this_thread::sleep_for(std::chrono::milliseconds(1)); // let the worker sync batches
    }
    journal.Close();
    const Figures f = figures(ns);
    std::printf("journal line on the GUI thread: %d lines  median %.1f us  p99 %.1f us  max %.1f us\n", lines,
                f.median / 1000.0, f.p99 / 1000.0, f.max / 1000.0);
}

} // namespace

// The two devices once, the fake one and the simulator's socket, with `journal` and `event` (either
// may be null) taking every action: `suffix` names the figures. False when the simulator cannot listen.
bool measureBoth(int edges, const QString& suffix, ProtocolJournal* journal = nullptr,
                 EventModel* event = nullptr) {
    {
        platform::FakeSerial fake;
        TComPort port;
        port.setEvents({TEvent::evDSR});
        port.Open();
        fake.line().waitUntilWaiting();
        report(qPrintable(QStringLiteral("fake") + suffix),
               measure(
                   port, edges, [&](bool on) { fake.line().changeLines(on ? platform::MS_DSR_ON : 0); },
                   journal, event),
               edges);
    }
    const std::string path = (QDir::tempPath() + "/vantro-bench-lbsim.sock").toStdString();
    platform::SerialSimServer server;
    if (server.start(path) != 0) {
        std::printf("simulator: cannot listen at %s\n", path.c_str());
        return false;
    }
    platform::setComDeviceOverride(16, path);
    TComPort port;
    port.setPort(16);
    port.setEvents({TEvent::evDSR});
    port.Open();
    server.waitForClient(2000);
    report(qPrintable(QStringLiteral("simulator") + suffix),
           measure(
               port, edges, [&](bool on) { server.setLines(platform::MS_DSR_ON, on); }, journal, event),
           edges);
    port.Close();
    return true;
}

// The same without and with the live results serving `clients` pages, one run finished per second.
int liveComparison(int edges, int clients) {
    std::printf("--- live results: without, then with %d WebSocket clients ---\n", clients);
    measureBoth(edges, QString());
    EventModel model(livetest::generatedEvent(5, 30, 1));
    livebench::Crowd crowd;
    if (!crowd.start(model.data(), clients, 3600)) {
        std::printf("the %d clients did not connect\n", clients);
        return 1;
    }
    int i = 0;
    QTimer runs; // on the GUI thread, as the window commits runs
    QObject::connect(&runs, &QTimer::timeout, [&] {
        RunRecord r;
        r.startNumber = 1 + (i * 37) % 150;
        r.startTime = QDateTime::currentDateTime();
        r.runTimeMs = 38000 + (i * 733) % 9000;
        ++i;
        model.addRun(r);
        crowd.stampCommit();
        crowd.feed().setEvent(model.data());
        crowd.feed().setRun({LivePhase::Finished, r.startNumber, {}, 0, *r.runTimeMs});
    });
    runs.start(1000);
    measureBoth(edges, QStringLiteral("+live%1").arg(clients));
    runs.stop();
    const livebench::Percentiles p = livebench::percentiles(crowd.finish());
    std::printf(
        "meanwhile %d runs pushed to %d clients: commit to client p50 %.1f ms  p99 %.1f ms  max %.1f ms\n", i,
        clients, p.p50, p.p99, p.max);
    return 0;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int liveClients = 0;
    if (const qsizetype at = args.indexOf(QStringLiteral("--live-clients")); at >= 0) {
        liveClients = args.value(at + 1).toInt();
        args.remove(at, std::min<qsizetype>(2, args.size() - at));
    }
    const int edges = !args.isEmpty() ? std::max(2, args[0].toInt()) : 400;
    // The journal's folder; a real disk shows what fsync costs (the default is beside the program).
    const QString journalBase = args.size() > 1 ? args[1] : QDir::currentPath();
    QTemporaryDir journalDir(journalBase + QStringLiteral("/vantro-bench-journal-XXXXXX"));
    std::printf("uid %d, journal in %s\n", int(::getuid()), qPrintable(journalDir.path()));

    MicrosecondClock clock;
    platform::setSystemClock(&clock);
    if (liveClients > 0) {
        const int status = liveComparison(edges, liveClients);
        platform::setSystemClock(nullptr);
        return status;
    }

    enum class Mode { Plain, Journal, JournalAndEvent };
    for (const Mode mode : {Mode::Plain, Mode::Journal, Mode::JournalAndEvent}) {
        const bool withJournal = mode != Mode::Plain;
        std::unique_ptr<ProtocolJournal> journal;
        std::unique_ptr<EventStore> store;
        std::unique_ptr<EventWriter> writer;
        std::unique_ptr<EventModel> event;
        if (mode == Mode::JournalAndEvent) {
            StoreError error;
            store = EventStore::create(journalDir.filePath(QStringLiteral("latency.vantro")),
                                       {QStringLiteral("Latenz"), QDate::currentDate(), {}}, error);
            if (!store) {
                std::printf("event: %s\n", qPrintable(error.message));
                return 1;
            }
            writer = std::make_unique<EventWriter>(*store);
            event = std::make_unique<EventModel>(EventData{}, writer.get());
        }
        if (withJournal) {
            journal = std::make_unique<ProtocolJournal>(journalDir.path() + QStringLiteral("/run"));
            if (!journal->Begin({}).isEmpty()) {
                std::printf("journal: cannot write\n");
                return 1;
            }
        }
        std::printf("--- journal %s%s ---\n", withJournal ? "on" : "off",
                    mode == Mode::JournalAndEvent ? ", event on" : "");
        if (!measureBoth(edges, QString(), journal.get(), event.get()))
            return 1;
        if (writer) {
            const bool idle = writer->waitForIdle(std::chrono::seconds(30));
            std::printf("event: %llu runs committed%s\n",
                        static_cast<unsigned long long>(writer->committed()),
                        idle ? "" : " (writer still busy after 30 s)");
        }
    }
    platform::setSystemClock(nullptr);
    // Last: its 2000 synced lines leave the disk busy for a while, which the first latency figures
    // would otherwise pay for.
    journalCost(journalDir.path() + QStringLiteral("/cost"), 2000);
    return 0;
}
