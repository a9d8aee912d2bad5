// Benchmarks of the live results.
//   live_bench push [clients=200] [seconds=60]
//       The results server with `clients` WebSocket clients on loopback (bench/live_ws_clients in a
//       process of its own) while one run finishes per second: from the run's commit to each client
//       having the new state (p50, p99, max), and the processor time of the server's thread and of
//       the snapshot thread per update.
//   live_bench page [runs=5]
//       The page's first load in headless Chromium (phone-sized window, empty cache each time):
//       bytes transferred (page, style, script and the first state) and the time from the start of
//       loading to the first results on the page, for a club event (60 competitors) and a large one
//       (150 competitors).
//   live_bench serve [port=8080] [seconds=600]
//       Serves a simulated event on loopback (a run every 12 s) to look at the page by hand.
// Figures are printed as "BENCH <name> <value> <unit>".
#include "bench/LiveCrowd.h"
#include "event/EventModel.h"
#include "live/LiveJson.h"
#include "live/LiveSnapshotBuilder.h"
#include "platform/SystemClock.h"
#include "tests/live/LiveTestEvent.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <thread>

using namespace livebench;

namespace {

// Runs the event loop, sleeping between events as the program's own loop does. (Calling
// processEvents in a loop instead keeps a processor busy, which the server then lacks.)
void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(std::max(0, ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void runEventsUntil(const QElapsedTimer& clock, qint64 at) {
    runEventsFor(int(at - clock.elapsed()));
}

// Processor time of the whole process so far, in ns.
int64_t processCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// One finished run of `number`, as the run session hands it to the event.
RunRecord finishedRun(int number, int32_t ms) {
    RunRecord r;
    r.startNumber = number;
    r.startTime = QDateTime::currentDateTime();
    r.runTimeMs = ms;
    return r;
}

int pushBench(int clients, int seconds) {
    const EventData base = livetest::generatedEvent(5, 30, 1);
    EventModel model(base);
    Crowd crowd;
    if (!crowd.start(model.data(), clients, seconds + 60)) {
        std::printf("the %d clients did not connect\n", clients);
        return 1;
    }
    runEventsFor(2000);
    const QByteArray sample = liveStateJson(*crowd.server().snapshot(), 0);
    std::printf("%d clients connected; state %lld bytes; %d runs, one per second\n", clients,
                static_cast<long long>(sample.size()), seconds);

    // Nothing happens: what the connected pages cost (alive messages, pings, the guard's sweep).
    {
        const int idleMs = 10000;
        const int64_t server0 = threadCpuNs("live results");
        const int64_t process0 = processCpuNs();
        runEventsFor(idleMs);
        const double server = double(threadCpuNs("live results") - server0) / 1e6;
        const double process = double(processCpuNs() - process0) / 1e6;
        std::printf("idle with %d clients for %d s: server thread %.1f ms, whole process %.1f ms (%.2f %% of "
                    "one processor)\n",
                    clients, idleMs / 1000, server, process, 100.0 * process / idleMs);
        std::printf("BENCH live.idle_cpu %.3f %%\n", 100.0 * process / idleMs);
    }

    const int64_t serverCpu0 = threadCpuNs("live results");
    const int64_t feedCpu0 = threadCpuNs("live snapshots");
    const LiveServerStats before = crowd.server().stats();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < seconds; ++i) {
        const int number = 1 + (i * 37) % 150;
        const int32_t time = 38000 + (i * 733) % 9000;
        // START half a second before: the page shows the run under way.
        runEventsUntil(clock, qint64(i) * 1000 + 500);
        crowd.feed().setRun({LivePhase::Running, number, {}, GetTickCount(), 0});
        // STOP: the run is committed to the event, then the event and the ended run handed over.
        runEventsUntil(clock, qint64(i + 1) * 1000);
        model.addRun(finishedRun(number, time));
        crowd.stampCommit();
        crowd.feed().setEvent(model.data());
        crowd.feed().setRun({LivePhase::Finished, number, {}, 0, time});
    }
    runEventsFor(3000);
    const int64_t serverCpu = threadCpuNs("live results") - serverCpu0;
    const int64_t feedCpu = threadCpuNs("live snapshots") - feedCpu0;
    const LiveServerStats after = crowd.server().stats();
    const std::vector<double> latencies = crowd.finish();
    const Percentiles p = percentiles(latencies);
    const quint64 pushes = after.pushes - before.pushes;
    const size_t expected = crowd.stampedStates() * size_t(clients);
    std::printf("commit to client: %zu of %zu (client, run) pairs  p50 %.1f ms  p99 %.1f ms  max %.1f ms\n",
                p.count, expected, p.p50, p.p99, p.max);
    std::printf("updates pushed %llu; server thread %.2f ms per update (%.1f us per client); snapshot thread "
                "%.2f ms per update; pushed %.1f MB; clients dropped %llu\n",
                static_cast<unsigned long long>(pushes), double(serverCpu) / 1e6 / double(pushes),
                double(serverCpu) / 1e3 / double(pushes) / clients, double(feedCpu) / 1e6 / double(pushes),
                double(after.pushBytes - before.pushBytes) / 1e6,
                static_cast<unsigned long long>(after.dropped - before.dropped));
    std::printf("BENCH live.push.p50 %.1f ms\nBENCH live.push.p99 %.1f ms\nBENCH live.push.max %.1f ms\n",
                p.p50, p.p99, p.max);
    std::printf("BENCH live.push.arrived %.3f ratio\n", expected ? double(p.count) / double(expected) : 0.0);
    std::printf("BENCH live.server_cpu_per_update %.2f ms\n", double(serverCpu) / 1e6 / double(pushes));
    std::printf("BENCH live.snapshot_cpu_per_update %.2f ms\n", double(feedCpu) / 1e6 / double(pushes));
    return 0;
}

// ---- the page in Chromium, through its remote debugging protocol

class DevTools {
public:
    bool open(const QString& url) {
        QEventLoop loop;
        QObject::connect(&m_socket, &QWebSocket::connected, &loop, &QEventLoop::quit);
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains(QStringLiteral("id")))
                m_replies[o[QStringLiteral("id")].toInt()] = o;
        });
        m_socket.open(QUrl(url));
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return m_socket.state() == QAbstractSocket::ConnectedState;
    }

    QJsonObject call(const QString& method, const QJsonObject& params = {}, const QString& session = {}) {
        const int id = ++m_lastId;
        QJsonObject message{{QStringLiteral("id"), id},
                            {QStringLiteral("method"), method},
                            {QStringLiteral("params"), params}};
        if (!session.isEmpty())
            message.insert(QStringLiteral("sessionId"), session);
        m_socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
        if (!m_replies.count(id)) {
            // Waits without keeping a processor busy: the browser needs both.
            QEventLoop loop;
            const QMetaObject::Connection replied =
                QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &loop, [&] {
                    if (m_replies.count(id))
                        loop.quit();
                });
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            QObject::disconnect(replied);
        }
        return m_replies[id].value(QStringLiteral("result")).toObject();
    }

    QJsonValue evaluate(const QString& expression, const QString& session) {
        return call(QStringLiteral("Runtime.evaluate"),
                    {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}},
                    session)
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }

private:
    QWebSocket m_socket;
    int m_lastId = 0;
    std::map<int, QJsonObject> m_replies;
};

struct PageLoad {
    double firstRenderMs = -1;
    double firstPaintMs = -1;
    qint64 httpBytes = 0; ///< as the browser counts them (headers included)
    qint64 pushBytes = 0; ///< the first state over the WebSocket, as the server counts it
    bool ok = false;
};

PageLoad loadOnce(const QString& chromium, LiveServer& server) {
    PageLoad result;
    QTemporaryDir profile;
    QProcess browser;
    browser.setProgram(chromium);
    browser.setArguments(
        {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
         QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--no-first-run"),
         QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"),
         QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
         QStringLiteral("--disable-sync"), QStringLiteral("--window-size=390,844"),
         QStringLiteral("--remote-debugging-port=0"), QStringLiteral("--remote-allow-origins=*"),
         QStringLiteral("about:blank")});
    browser.setProcessChannelMode(QProcess::MergedChannels); // the endpoint is announced on stderr
    browser.start();
    browser.waitForStarted(10000);
    QString endpoint;
    QElapsedTimer clock;
    clock.start();
    QByteArray err;
    while (endpoint.isEmpty() && clock.elapsed() < 30000 && browser.state() == QProcess::Running) {
        browser.waitForReadyRead(100);
        err += browser.readAllStandardOutput();
        const qsizetype at = err.indexOf("ws://127.0.0.1:");
        if (at >= 0 && err.indexOf('\n', at) > at)
            endpoint = QString::fromLatin1(err.mid(at, err.indexOf('\n', at) - at).trimmed());
    }
    const auto stop = qScopeGuard([&] {
        browser.kill();
        browser.waitForFinished(5000);
    });
    DevTools tools;
    if (endpoint.isEmpty() || !tools.open(endpoint)) {
        std::printf("no DevTools connection (%s); Chromium said: %s\n", qPrintable(endpoint),
                    err.right(300).constData());
        return result;
    }
    const QString target = tools
                               .call(QStringLiteral("Target.createTarget"),
                                     {{QStringLiteral("url"), QStringLiteral("about:blank")}})
                               .value(QStringLiteral("targetId"))
                               .toString();
    const QString session =
        tools
            .call(QStringLiteral("Target.attachToTarget"),
                  {{QStringLiteral("targetId"), target}, {QStringLiteral("flatten"), true}})
            .value(QStringLiteral("sessionId"))
            .toString();
    const LiveServerStats before = server.stats();
    tools.call(QStringLiteral("Page.navigate"),
               {{QStringLiteral("url"), QStringLiteral("http://127.0.0.1:%1/").arg(server.port())}}, session);
    clock.restart();
    QJsonValue rendered;
    while (clock.elapsed() < 20000) {
        rendered = tools.evaluate(
            QStringLiteral("document.documentElement.getAttribute('data-first-render-ms')"), session);
        if (rendered.isString())
            break;
        runEventsFor(20);
    }
    if (!rendered.isString()) {
        std::printf("the page drew no results (target %s, session %s)\n", qPrintable(target),
                    qPrintable(session));
        return result;
    }
    runEventsFor(500); // the rest of the load settles
    const QJsonObject figures =
        QJsonDocument::fromJson(
            tools
                .evaluate(
                    QStringLiteral(
                        "JSON.stringify({nav: performance.getEntriesByType('navigation')[0].transferSize,"
                        " res: performance.getEntriesByType('resource').map(e => e.transferSize),"
                        " fcp: (performance.getEntriesByName('first-contentful-paint')[0] || "
                        "{}).startTime})"),
                    session)
                .toString()
                .toUtf8())
            .object();
    result.firstRenderMs = rendered.toString().toDouble();
    result.firstPaintMs = figures.value(QStringLiteral("fcp")).toDouble(-1);
    result.httpBytes = figures.value(QStringLiteral("nav")).toInteger();
    for (const QJsonValue v : figures.value(QStringLiteral("res")).toArray())
        result.httpBytes += v.toInteger();
    result.pushBytes = qint64(server.stats().pushBytes - before.pushBytes);
    result.ok = true;
    return result;
}

int pageBench(int runs) {
    QString chromium;
    for (const char* name : {"chromium", "chromium-browser"})
        if (chromium.isEmpty())
            chromium = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (chromium.isEmpty()) {
        std::printf("Chromium is not installed\n");
        return 1;
    }
    const struct {
        const char* name;
        EventData event;
    } events[] = {{"club", livetest::generatedEvent(4, 15, 2)},
                  {"large", livetest::generatedEvent(5, 30, 2)}};
    for (const auto& e : events) {
        LiveServer server;
        server.setSnapshot(std::make_shared<const LiveSnapshot>(
            makeLiveSnapshot(e.event, {LivePhase::Running, 7, {}, GetTickCount(), 0}, 2, 1)));
        if (!server.start(0, QHostAddress::LocalHost).ok())
            return 1;
        std::vector<double> render, paint, bytes;
        qint64 http = 0, push = 0;
        for (int i = 0; i < runs; ++i) {
            const PageLoad load = loadOnce(chromium, server);
            if (!load.ok) {
                std::printf("%s: load %d failed\n", e.name, i + 1);
                continue;
            }
            render.push_back(load.firstRenderMs);
            paint.push_back(load.firstPaintMs);
            bytes.push_back(double(load.httpBytes + load.pushBytes));
            http = load.httpBytes;
            push = load.pushBytes;
            std::printf("%s: load %d  first results %.0f ms  first paint %.0f ms  %lld + %lld bytes\n",
                        e.name, i + 1, load.firstRenderMs, load.firstPaintMs,
                        static_cast<long long>(load.httpBytes), static_cast<long long>(load.pushBytes));
        }
        const Percentiles r = percentiles(render);
        std::printf(
            "%s (%lld competitors): %.0f bytes (HTTP %lld, first state %lld); first results median %.0f ms, "
            "max %.0f ms\n",
            e.name, static_cast<long long>(e.event.competitors.size()), bytes.empty() ? 0.0 : bytes.back(),
            static_cast<long long>(http), static_cast<long long>(push), r.p50, r.max);
        std::printf("BENCH live.page.%s.bytes %.0f B\nBENCH live.page.%s.first_render %.0f ms\n", e.name,
                    bytes.empty() ? 0.0 : bytes.back(), e.name, r.p50);
    }
    return 0;
}

// ---- a simulated event to look at

int serve(quint16 port, int seconds) {
    EventModel model(livetest::generatedEvent(4, 15, 1));
    LiveFeed feed;
    LiveServer server;
    QObject::connect(&feed, &LiveFeed::snapshotReady, &server, &LiveServer::setSnapshot,
                     Qt::DirectConnection);
    feed.setEvent(model.data());
    const LiveStartResult started = server.start(port, QHostAddress::LocalHost);
    if (!started.ok()) {
        std::printf("%s\n", qPrintable(liveStartErrorText(started, port)));
        return 1;
    }
    std::printf("serving http://127.0.0.1:%d/ for %d s\n", server.port(), seconds);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; clock.elapsed() < qint64(seconds) * 1000; ++i) {
        const int number = 1 + (i * 7) % 60;
        feed.setRun({LivePhase::Running, number, {}, GetTickCount(), 0});
        runEventsFor(8000);
        const int32_t time = 38000 + (i * 733) % 9000;
        RunRecord r = finishedRun(number, time);
        r.cones = i % 3 == 0 ? 1 : 0;
        model.addRun(r);
        feed.setEvent(model.data());
        feed.setRun({LivePhase::Finished, number, {}, 0, time});
        runEventsFor(4000);
        feed.setRun({});
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("push");
    const int a = argc > 2 ? std::atoi(argv[2]) : 0;
    const int b = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mode == "push")
        return pushBench(a > 0 ? a : 200, b > 0 ? b : 60);
    if (mode == "page")
        return pageBench(a > 0 ? a : 5);
    if (mode == "serve")
        return serve(quint16(a > 0 ? a : 8080), b > 0 ? b : 600);
    std::printf("usage: %s push [clients] [seconds] | page [runs] | serve [port] [seconds]\n", argv[0]);
    return 2;
}
