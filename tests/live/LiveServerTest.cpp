#include "live/LiveServer.h"
#include "LiveHttpClient.h"
#include "LiveTestEvent.h"
#include "LiveWait.h"
#include "live/LiveSnapshotBuilder.h"
#include "testing/FakeClock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

#include <gtest/gtest.h>

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace livetest;

namespace {

std::shared_ptr<const LiveSnapshot> snapshotOf(const EventData& e, uint64_t sequence) {
    return std::make_shared<const LiveSnapshot>(makeLiveSnapshot(e, {}, 2, sequence));
}

EventData smallEvent() {
    EventData e;
    e.info.name = QStringLiteral("Pokal");
    e.competitors = {competitor(1, "Anna", "Berg", "A")};
    run(e, 1, 40000);
    return e;
}

// A server on a free loopback port.
struct Running {
    explicit Running(LiveServerLimits limits = {}) : server(limits) {
        server.setSnapshot(snapshotOf(smallEvent(), 1));
        const LiveStartResult r = server.start(0, QHostAddress::LocalHost);
        EXPECT_TRUE(r.ok()) << qPrintable(r.detail);
        port = server.port();
    }
    LiveServer server;
    quint16 port = 0;
};

QString wsUrl(quint16 port, const char* path = "/ws") {
    return QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(QLatin1String(path));
}

} // namespace

TEST(LiveServer, ServesThePageAndTheApiOverHttp) {
    Running r;
    const RawResponse page = exchange(r.port, getRequest("/"));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("<script src=\"/live.js\""));
    EXPECT_TRUE(page.head.contains("Content-Security-Policy"));
    const RawResponse script = exchange(r.port, getRequest("/live.js"));
    EXPECT_EQ(script.status, 200);
    EXPECT_TRUE(script.body.contains("textContent"));
    const RawResponse state = exchange(r.port, getRequest("/api/state"));
    ASSERT_EQ(state.status, 200);
    EXPECT_EQ(QJsonDocument::fromJson(state.body).object().value("event").toObject().value("name").toString(),
              "Pokal");
    const RawResponse ranking = exchange(r.port, getRequest("/api/ranking?class=A"));
    EXPECT_EQ(ranking.status, 200);
    EXPECT_EQ(exchange(r.port, getRequest("/api/ranking?class=B")).status, 404);

    // Keep-alive: two requests on one connection.
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), r.port);
    ASSERT_TRUE(socket.waitForConnected(2000));
    for (int i = 0; i < 2; ++i) {
        socket.write(getRequest("/api/runs"));
        EXPECT_EQ(readResponse(socket).status, 200);
    }
}

TEST(LiveServer, AnswersBadRequestsOnTheWireWith4xx) {
    LiveServerLimits limits;
    limits.requestTimeoutMs = 1000;
    Running r(limits);
    const struct {
        QByteArray request;
        int status;
    } cases[] = {
        {"POST /api/state HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc", 405},
        {"PUT /live.js HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n", 405},
        {"DELETE /api/runs HTTP/1.1\r\nHost: x\r\n\r\n", 405},
        {"HEAD / HTTP/1.1\r\nHost: x\r\n\r\n", 405},
        {"BREW / HTTP/1.1\r\nHost: x\r\n\r\n", 405},
        {getRequest("/../etc/passwd"), 400},
        {getRequest("/api/../../etc/passwd"), 400},
        {getRequest("/%2e%2e/%2e%2e/etc/passwd"), 400},
        {getRequest("/api%2Fstate"), 400},
        {getRequest("/..%2F..%2Fetc%2Fpasswd"), 400},
        {getRequest("/index.html%00"), 400},
        {getRequest("/\x01"), 400},
        {getRequest("/" + QByteArray(1000, 'a')), 414},
        {getRequest("/api/ranking?class=" + QByteArray(2000, 'a')), 414},
        {getRequest("/", "X-Big: " + QByteArray(40000, 'b') + "\r\n"), 431},
        {getRequest("/", QByteArray("X-Many: 1\r\n").repeated(3000)), 431},
        {getRequest("/" + QByteArray(20000, 'a')), 431},
        {getRequest("/ws"), 426},
        {getRequest("/secret.txt"), 404},
        {getRequest("http://elsewhere.example/etc/passwd"), 404},
        // A request line that never ends (here the start of a TLS greeting) runs out of time.
        {QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", 11), 408},
    };
    for (const auto& c : cases) {
        const RawResponse reply = exchange(r.port, c.request);
        EXPECT_EQ(reply.status, c.status) << c.request.left(60).constData();
        EXPECT_FALSE(reply.body.contains("<html")) << c.request.left(60).constData();
    }
    // A request line the HTTP server cannot read at all: closed at once, nothing served.
    for (const QByteArray request :
         {"GET\r\n\r\n", "GET / FOO\r\nHost: x\r\n\r\n", "GET /a b HTTP/1.1\r\n\r\n"}) {
        QElapsedTimer clock;
        clock.start();
        const RawResponse reply = exchange(r.port, request);
        EXPECT_TRUE(reply.closed) << request.constData();
        EXPECT_TRUE(reply.head.isEmpty() && reply.body.isEmpty()) << request.constData();
        EXPECT_LT(clock.elapsed(), 1000);
    }
}

TEST(LiveServer, DropsClientsThatSendNothingOrTooSlowly) {
    LiveServerLimits limits;
    limits.requestTimeoutMs = 300;
    Running r(limits);
    QTcpSocket silent;
    silent.connectToHost(QStringLiteral("127.0.0.1"), r.port);
    ASSERT_TRUE(silent.waitForConnected(2000));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(silent.waitForDisconnected(3000));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(silent.readAll().isEmpty());

    // Half a request, then nothing: told so, then closed.
    QTcpSocket slow;
    slow.connectToHost(QStringLiteral("127.0.0.1"), r.port);
    ASSERT_TRUE(slow.waitForConnected(2000));
    slow.write("GET /api/state HTTP/1.1\r\nHost:");
    const RawResponse reply = readResponse(slow, 3000);
    EXPECT_EQ(reply.status, 408);
    EXPECT_TRUE(waitFor([&] { return r.server.stats().connections == 0; }));
}

TEST(LiveServer, RefusesConnectionsOverTheLimitAndServesAgainBelowIt) {
    LiveServerLimits limits;
    limits.maxConnections = 3;
    Running r(limits);
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->connectToHost(QStringLiteral("127.0.0.1"), r.port);
        ASSERT_TRUE(held.back()->waitForConnected(2000));
    }
    ASSERT_TRUE(waitFor([&] { return r.server.stats().connections == 3; }));
    EXPECT_EQ(exchange(r.port, getRequest("/api/state")).status, 503);
    EXPECT_TRUE(waitFor([&] { return r.server.stats().refused == 1u; }));
    held.pop_back();
    ASSERT_TRUE(waitFor([&] { return r.server.stats().connections == 2; }));
    EXPECT_EQ(exchange(r.port, getRequest("/api/state")).status, 200);
}

TEST(LiveServer, PushesEachNewSnapshotToEveryPage) {
    LiveServerLimits limits;
    limits.aliveIntervalMs = 200;
    Running r(limits);
    QWebSocket a, b;
    QSignalSpy gotA(&a, &QWebSocket::textMessageReceived);
    QSignalSpy gotB(&b, &QWebSocket::textMessageReceived);
    a.open(QUrl(wsUrl(r.port)));
    b.open(QUrl(wsUrl(r.port)));
    // On connecting: the state as it is.
    ASSERT_TRUE(waitFor([&] { return gotA.size() >= 1 && gotB.size() >= 1; }));
    EXPECT_EQ(QJsonDocument::fromJson(gotA[0][0].toString().toUtf8()).object()["seq"].toInt(), 1);
    EXPECT_EQ(r.server.stats().pushClients, 2);

    EventData e = smallEvent();
    run(e, 1, 39000);
    gotA.clear();
    gotB.clear();
    QElapsedTimer clock;
    clock.start();
    r.server.setSnapshot(snapshotOf(e, 2));
    auto stateWithSeq = [](const QSignalSpy& spy, int seq) {
        for (const QList<QVariant>& m : spy) {
            const QJsonObject o = QJsonDocument::fromJson(m[0].toString().toUtf8()).object();
            if (o["type"] == "state" && o["seq"].toInt() == seq)
                return true;
        }
        return false;
    };
    ASSERT_TRUE(waitFor([&] { return stateWithSeq(gotA, 2) && stateWithSeq(gotB, 2); }, 1000));
    EXPECT_LT(clock.elapsed(), 1000);
    // An older snapshot handed over late changes nothing.
    r.server.setSnapshot(snapshotOf(smallEvent(), 1));
    EXPECT_EQ(r.server.snapshot()->sequence, 2u);
    // Between changes the pages hear that the connection is alive.
    gotA.clear();
    ASSERT_TRUE(waitFor([&] {
        for (const QList<QVariant>& m : gotA)
            if (m[0].toString().contains("\"alive\""))
                return true;
        return false;
    }));
    EXPECT_FALSE(stateWithSeq(gotA, 1));
}

TEST(LiveServer, APageThatComesDuringARunCountsFromWhenItCame) {
    // The state document is made once for all pages, but while a run is under way its running time
    // must be the one of the moment each page gets it, not of when the first page got it.
    platform::FakeClock clock(10000);
    Running r;
    r.server.setSnapshot(std::make_shared<const LiveSnapshot>(
        makeLiveSnapshot(smallEvent(), {LivePhase::Running, 1, {}, 4000, 0}, 2, 2)));
    auto firstElapsed = [&](QWebSocket& socket) {
        QSignalSpy got(&socket, &QWebSocket::textMessageReceived);
        socket.open(QUrl(wsUrl(r.port)));
        EXPECT_TRUE(waitFor([&] { return got.size() >= 1; }));
        return got.isEmpty() ? -1
                             : QJsonDocument::fromJson(got[0][0].toString().toUtf8())
                                   .object()["current"]
                                   .toObject()["elapsedMs"]
                                   .toInt(-1);
    };
    QWebSocket a, b;
    EXPECT_EQ(firstElapsed(a), 6000);
    clock.advance(2500);
    QTest::qWait(30); // longer than a document is shared while the clock runs
    EXPECT_EQ(firstElapsed(b), 8500);
}

TEST(LiveServer, NothingAClientSendsChangesTheEvent) {
    Running r;
    const std::shared_ptr<const LiveSnapshot> before = r.server.snapshot();
    QWebSocket ws;
    QSignalSpy closed(&ws, &QWebSocket::disconnected);
    ws.open(QUrl(wsUrl(r.port)));
    ASSERT_TRUE(waitFor([&] { return ws.state() == QAbstractSocket::ConnectedState; }));
    ws.sendTextMessage(QStringLiteral("{\"type\":\"state\",\"seq\":99}"));
    for (const QByteArray method : {"POST", "PUT", "DELETE", "PATCH"})
        EXPECT_EQ(exchange(r.port, method + " /api/state HTTP/1.1\r\nHost: x\r\nContent-Length: 2\r\n\r\n{}")
                      .status,
                  405);
    QTest::qWait(100);
    EXPECT_EQ(r.server.snapshot(), before);
    EXPECT_TRUE(closed.isEmpty());
    // A page has nothing to say; a big message closes it.
    ws.sendTextMessage(QString(4096, u'x'));
    EXPECT_TRUE(waitFor([&] { return !closed.isEmpty(); }));
    EXPECT_EQ(r.server.snapshot(), before);
}

TEST(LiveServer, WebSocketOnlyAtItsOwnPath) {
    Running r;
    QWebSocket ws;
    QSignalSpy closed(&ws, &QWebSocket::disconnected);
    QSignalSpy got(&ws, &QWebSocket::textMessageReceived);
    ws.open(QUrl(wsUrl(r.port, "/api/state")));
    EXPECT_TRUE(waitFor([&] { return !closed.isEmpty(); }));
    EXPECT_TRUE(got.isEmpty());
}

TEST(LiveServer, SlowReaderIsDroppedWhileTheOthersGetTheLatestState) {
    LiveServerLimits limits;
    limits.stallTimeoutMs = 500;
    Running r(limits);                                // with a small state, which both take in
    const EventData big = generatedEvent(10, 150, 1); // a state of about 130 kB

    // The slow one: a plain socket with a small receive window (a phone on a bad network) that
    // upgrades by hand and then reads nothing.
    const int slow = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(slow, 0);
    const auto closeSlow = qScopeGuard([slow] { ::close(slow); });
    const int window = 4096;
    ::setsockopt(slow, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(r.port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(slow, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    const QByteArray upgrade =
        "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n";
    ASSERT_EQ(::write(slow, upgrade.constData(), size_t(upgrade.size())), upgrade.size());
    QWebSocket fast;
    int lastSeq = 0;
    int states = 0;
    QObject::connect(&fast, &QWebSocket::textMessageReceived, [&](const QString& m) {
        const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
        if (o["type"] == "state") {
            ++states;
            lastSeq = o["seq"].toInt();
        }
    });
    fast.open(QUrl(wsUrl(r.port)));
    // Generous limits: a sanitizer build on a busy machine takes seconds for what takes milliseconds.
    ASSERT_TRUE(waitFor([&] { return r.server.stats().pushClients == 2 && states == 1; }, 20000))
        << r.server.stats().pushClients << " clients, " << states << " states";

    // Far more than the buffers on the way hold for the one that does not read; each push is
    // taken in by the fast one before the next.
    const int pushes = 60;
    for (int i = 0; i < pushes; ++i) {
        r.server.setSnapshot(snapshotOf(big, uint64_t(2 + i)));
        ASSERT_TRUE(waitFor([&] { return lastSeq == 2 + i; }, 20000)) << i;
    }
    EXPECT_TRUE(waitFor([&] { return r.server.stats().dropped == 1; }, 20000));
    EXPECT_EQ(r.server.stats().pushClients, 1);
    EXPECT_EQ(fast.state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(states, 1 + pushes);
    EXPECT_GT(r.server.stats().pushBytes, 10'000'000u);
}

TEST(LiveServer, PortInUseIsSaidClearly) {
    Running first;
    LiveServer second;
    const LiveStartResult result = second.start(first.port, QHostAddress::LocalHost);
    EXPECT_EQ(result.error, LiveStartResult::Error::PortInUse);
    EXPECT_FALSE(second.isRunning());
    const QString text = liveStartErrorText(result, first.port);
    EXPECT_TRUE(text.contains(QString::number(first.port)));
    EXPECT_TRUE(text.contains(QStringLiteral("belegt")));
    // Another port works.
    EXPECT_TRUE(second.start(0, QHostAddress::LocalHost).ok());
}

TEST(LiveServer, StopClosesEveryConnectionAndStartServesAgain) {
    Running r;
    QSignalSpy running(&r.server, &LiveServer::runningChanged);
    QWebSocket ws;
    QSignalSpy closed(&ws, &QWebSocket::disconnected);
    ws.open(QUrl(wsUrl(r.port)));
    ASSERT_TRUE(waitFor([&] { return ws.state() == QAbstractSocket::ConnectedState; }));
    r.server.stop();
    EXPECT_FALSE(r.server.isRunning());
    EXPECT_EQ(r.server.port(), 0);
    EXPECT_TRUE(waitFor([&] { return !closed.isEmpty(); }));
    EXPECT_EQ(exchange(r.port, getRequest("/")).status, 0);
    ASSERT_TRUE(r.server.start(r.port, QHostAddress::LocalHost).ok());
    EXPECT_EQ(exchange(r.port, getRequest("/api/state")).status, 200);
    EXPECT_EQ(running.size(), 2);
}
