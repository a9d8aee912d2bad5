#include "live/LiveServer.h"

#include "live/LiveConnectionGuard.h"
#include "live/LiveJson.h"
#include "live/LivePage.h"
#include "live/LiveServerWorker.h"
#include "platform/SystemClock.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QWebSocket>

#include <algorithm>

namespace {

QByteArray methodName(QHttpServerRequest::Method method) {
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return QByteArrayLiteral("GET");
    case QHttpServerRequest::Method::Put:
        return QByteArrayLiteral("PUT");
    case QHttpServerRequest::Method::Delete:
        return QByteArrayLiteral("DELETE");
    case QHttpServerRequest::Method::Post:
        return QByteArrayLiteral("POST");
    case QHttpServerRequest::Method::Head:
        return QByteArrayLiteral("HEAD");
    case QHttpServerRequest::Method::Options:
        return QByteArrayLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch:
        return QByteArrayLiteral("PATCH");
    case QHttpServerRequest::Method::Connect:
        return QByteArrayLiteral("CONNECT");
    case QHttpServerRequest::Method::Trace:
        return QByteArrayLiteral("TRACE");
    default:
        break;
    }
    return QByteArrayLiteral("UNKNOWN");
}

} // namespace

QString liveStartErrorText(const LiveStartResult& result, quint16 port) {
    switch (result.error) {
    case LiveStartResult::Error::None:
        return {};
    case LiveStartResult::Error::PortInUse:
        return LiveServer::tr(
                   "Port %1 ist schon belegt (ein anderes Programm nutzt ihn). Bitte einen anderen "
                   "Port wählen, z. B. %2.")
            .arg(port)
            .arg(port == 8080 ? 8081 : 8080);
    case LiveStartResult::Error::AccessDenied:
        return LiveServer::tr("Port %1 darf dieses Programm nicht öffnen (Ports unter 1024 brauchen "
                              "Administratorrechte). Bitte einen Port ab 1024 wählen.")
            .arg(port);
    case LiveStartResult::Error::Other:
        break;
    }
    return LiveServer::tr("Der Ergebnis-Server konnte Port %1 nicht öffnen: %2").arg(port).arg(result.detail);
}

// ---- the worker, on the server's thread

LiveServerWorker::LiveServerWorker(LiveServer& owner, LiveAssets assets)
    : m_owner(owner), m_assets(std::move(assets)), m_ping(this), m_alive(this), m_counts(this) {
    m_clock.start();
    connect(&m_ping, &QTimer::timeout, this, &LiveServerWorker::ping);
    connect(&m_alive, &QTimer::timeout, this, &LiveServerWorker::sayAlive);
    connect(&m_counts, &QTimer::timeout, this, &LiveServerWorker::updateCounts);
}

LiveServerWorker::~LiveServerWorker() {
    close();
}

LiveStartResult LiveServerWorker::listen(const QHostAddress& address, quint16 port) {
    close();
    const LiveServerLimits& limits = m_owner.m_limits;
    auto http = std::make_unique<QHttpServer>();
    auto* guard = new LiveConnectionGuard(limits);
    LiveStartResult result;
    if (!guard->listen(address, port)) {
        switch (guard->serverError()) {
        case QAbstractSocket::AddressInUseError:
            result.error = LiveStartResult::Error::PortInUse;
            break;
        case QAbstractSocket::SocketAccessError:
            result.error = LiveStartResult::Error::AccessDenied;
            break;
        default:
            result.error = LiveStartResult::Error::Other;
            break;
        }
        result.detail = guard->errorString();
        delete guard;
        return result;
    }
    result.port = guard->serverPort();
    // Every request goes to one function; no route of the HTTP server's own answers anything.
    http->setMissingHandler([this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
        answer(request, std::move(responder));
    });
    // This HTTP server hands a WebSocket request over only when a route took it (and wrote nothing).
    http->route(
        QStringLiteral("/ws"), [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            const bool upgrade =
                request.value(QByteArrayLiteral("Upgrade")).compare("websocket", Qt::CaseInsensitive) == 0 &&
                request.value(QByteArrayLiteral("Connection")).toLower().contains("upgrade");
            if (!upgrade)
                answer(request, std::move(responder));
        });
    connect(http.get(), &QAbstractHttpServer::newWebSocketConnection, this,
            &LiveServerWorker::takeWebSockets);
    http->bind(guard); // the HTTP server takes the guard as its child
    m_http = std::move(http);
    m_guard = guard;
    m_ping.start(limits.pingIntervalMs);
    m_alive.start(limits.aliveIntervalMs);
    m_counts.start(200);
    return result;
}

void LiveServerWorker::close() {
    m_ping.stop();
    m_alive.stop();
    m_counts.stop();
    std::vector<Client> clients = std::move(m_clients);
    m_clients.clear();
    for (Client& c : clients) {
        c.socket->disconnect(this);
        c.socket->abort();
    }
    m_guard = nullptr;
    m_http.reset();
    m_pushedSequence = 0;
    m_message.clear();
    m_messageMadeAt = -1;
    m_owner.m_connections = 0;
    m_owner.m_pushClients = 0;
}

void LiveServerWorker::answer(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    LiveRequest r;
    r.method = methodName(request.method());
    const QUrl url = request.url();
    r.path = url.path(QUrl::FullyEncoded).toUtf8();
    r.query = url.query(QUrl::FullyEncoded).toUtf8();
    r.ifNoneMatch = request.value(QByteArrayLiteral("If-None-Match"));
    const LiveReply reply = answerLiveRequest(r, *m_owner.snapshot(), GetTickCount(), m_assets);
    responder.writeStatusLine(QHttpServerResponder::StatusCode(reply.status));
    for (const auto& [name, value] : reply.headers)
        responder.writeHeader(name, value);
    if (!reply.contentType.isEmpty())
        responder.writeHeader(QByteArrayLiteral("Content-Type"), reply.contentType);
    if (reply.status != 304)
        responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(reply.body.size()));
    responder.writeBody(reply.body);
}

void LiveServerWorker::takeWebSockets() {
    const LiveServerLimits& limits = m_owner.m_limits;
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http->nextPendingWebSocketConnection();
        if (!socket)
            break;
        if (socket->requestUrl().path() != QStringLiteral("/ws") ||
            int(m_clients.size()) >= limits.maxConnections) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            socket.release()->deleteLater();
            continue;
        }
        m_guard->markUpgraded(socket->peerAddress(), socket->peerPort());
        QWebSocket* raw = socket.get();
        // A page has nothing to say; what it sends is dropped unread, and anything large closes it.
        raw->setMaxAllowedIncomingMessageSize(quint64(limits.maxIncomingMessageBytes));
        raw->setMaxAllowedIncomingFrameSize(quint64(limits.maxIncomingMessageBytes));
        connect(raw, &QWebSocket::disconnected, this, [this, raw] { dropClient(raw, false); });
        connect(raw, &QWebSocket::pong, this, [this, raw] {
            if (Client* c = find(raw))
                c->lastPong = m_clock.elapsed();
        });
        connect(raw, &QWebSocket::bytesWritten, this, [this, raw] { onWritten(raw); });
        m_clients.push_back(Client{std::move(socket), m_clock.elapsed()});
        sendState(m_clients.back());
        m_owner.m_pushClients = int(m_clients.size());
    }
}

LiveServerWorker::Client* LiveServerWorker::find(QWebSocket* socket) {
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [socket](const Client& c) { return c.socket.get() == socket; });
    return it == m_clients.end() ? nullptr : &*it;
}

const QString& LiveServerWorker::stateMessage() {
    const std::shared_ptr<const LiveSnapshot> s = m_owner.snapshot();
    const qint64 now = m_clock.elapsed();
    // The running time in the document is counted up to the moment it is made, and a page counts on
    // from when it arrives: while a run is under way an older document is made again, so that no
    // page's clock runs late by more than a few milliseconds.
    const bool stale = s->current.phase == LivePhase::Running && now - m_messageMadeAt > 10;
    if (m_messageMadeAt < 0 || s->sequence != m_messageSequence || stale) {
        const QByteArray json = liveStateJson(*s, GetTickCount());
        m_message = QString::fromUtf8(json);
        m_messageBytes = json.size();
        m_messageSequence = s->sequence;
        m_messageMadeAt = now;
    }
    return m_message;
}

void LiveServerWorker::sendState(Client& client) {
    // Made once and shared: a client that was behind (or has just come) takes the same document as
    // the others instead of one made for it alone.
    const QString& message = stateMessage();
    if (!sendNow(client, message, m_messageBytes))
        client.behind = true;
}

bool LiveServerWorker::sendNow(Client& client, const QString& message, qint64 bytes) {
    if (client.socket->bytesToWrite() > 0) {
        // Still taking in the last one: the newest state goes next, nothing piles up.
        if (client.stalledSince < 0)
            client.stalledSince = m_clock.elapsed();
        return false;
    }
    client.socket->sendTextMessage(message);
    client.stalledSince = m_clock.elapsed();
    m_owner.m_pushBytes += quint64(bytes);
    return true;
}

void LiveServerWorker::onWritten(QWebSocket* socket) {
    Client* c = find(socket);
    if (!c)
        return;
    if (socket->bytesToWrite() > 0) {
        c->stalledSince = m_clock.elapsed(); // it reads, if slowly
        return;
    }
    c->stalledSince = -1;
    if (c->behind) {
        c->behind = false;
        sendState(*c);
    }
}

void LiveServerWorker::dropClient(QWebSocket* socket, bool counted) {
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [socket](const Client& c) { return c.socket.get() == socket; });
    if (it == m_clients.end())
        return;
    std::unique_ptr<QWebSocket> gone = std::move(it->socket);
    m_clients.erase(it);
    gone->disconnect(this);
    if (counted) {
        ++m_owner.m_dropped;
        gone->abort();
    }
    gone.release()->deleteLater();
    m_owner.m_pushClients = int(m_clients.size());
}

void LiveServerWorker::publish() {
    m_owner.m_publishQueued = false;
    const std::shared_ptr<const LiveSnapshot> s = m_owner.snapshot();
    if (!m_http || s->sequence <= m_pushedSequence)
        return;
    const QString message = stateMessage();
    m_pushedSequence = m_messageSequence; // the snapshot may have moved on meanwhile
    broadcast(message, m_messageBytes, true);
    ++m_owner.m_pushes;
}

void LiveServerWorker::broadcast(const QString& message, qint64 bytes, bool state) {
    for (Client& c : m_clients)
        if (!sendNow(c, message, bytes) && state)
            c.behind = true;
}

void LiveServerWorker::ping() {
    const qint64 now = m_clock.elapsed();
    std::vector<QWebSocket*> silent;
    for (Client& c : m_clients) {
        if (now - c.lastPong > 3 * qint64(m_owner.m_limits.pingIntervalMs))
            silent.push_back(c.socket.get());
        else
            c.socket->ping();
    }
    for (QWebSocket* socket : silent)
        dropClient(socket, true);
}

void LiveServerWorker::sayAlive() {
    const QString message = QStringLiteral("{\"type\":\"alive\",\"seq\":%1}").arg(m_pushedSequence);
    broadcast(message, message.size(), false);
}

void LiveServerWorker::dropStalled() {
    const qint64 now = m_clock.elapsed();
    std::vector<QWebSocket*> stalled;
    for (const Client& c : m_clients)
        if (c.stalledSince >= 0 && c.socket->bytesToWrite() > 0 &&
            now - c.stalledSince > m_owner.m_limits.stallTimeoutMs)
            stalled.push_back(c.socket.get());
    for (QWebSocket* socket : stalled)
        dropClient(socket, true);
}

void LiveServerWorker::updateCounts() {
    if (!m_guard)
        return;
    dropStalled();
    m_owner.m_connections = m_guard->connectionCount();
    m_owner.m_refused = m_guard->refusedCount();
    m_owner.m_httpBytes = m_guard->bytesWritten();
}

// ---- the server, on the thread that made it

LiveServer::LiveServer(LiveServerLimits limits, QObject* parent)
    : QObject(parent), m_limits(limits), m_snapshot(std::make_shared<const LiveSnapshot>()) {
    m_thread.setObjectName(QStringLiteral("live results"));
}

LiveServer::~LiveServer() {
    stop();
}

LiveStartResult LiveServer::start(quint16 port, const QHostAddress& address) {
    stop();
    auto* worker = new LiveServerWorker(*this, livePageAssets());
    worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_thread.start();
    LiveStartResult result;
    QMetaObject::invokeMethod(
        worker, [&] { result = worker->listen(address, port); }, Qt::BlockingQueuedConnection);
    {
        std::lock_guard lock(m_mutex);
        m_worker = worker;
        m_publishQueued = false;
    }
    if (!result.ok()) {
        stop();
        return result;
    }
    m_port = result.port;
    m_running = true;
    emit runningChanged(true);
    // A snapshot handed over before the start is pushed to the first clients as they come.
    return result;
}

void LiveServer::stop() {
    LiveServerWorker* worker = nullptr;
    {
        std::lock_guard lock(m_mutex);
        std::swap(worker, m_worker);
    }
    if (!worker)
        return;
    QMetaObject::invokeMethod(
        worker, [worker] { worker->close(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait(); // the worker is deleted as the thread ends
    const bool was = m_running;
    m_running = false;
    m_port = 0;
    if (was)
        emit runningChanged(false);
}

void LiveServer::setSnapshot(std::shared_ptr<const LiveSnapshot> snapshot) {
    if (!snapshot)
        return;
    {
        std::lock_guard lock(m_mutex);
        if (snapshot->sequence < m_snapshot->sequence)
            return;
        m_snapshot = std::move(snapshot);
        if (!m_worker || m_publishQueued.exchange(true))
            return;
        // The worker pointer is read under the lock: stop() clears it only after the worker is gone.
        QMetaObject::invokeMethod(m_worker, &LiveServerWorker::publish, Qt::QueuedConnection);
    }
}

std::shared_ptr<const LiveSnapshot> LiveServer::snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}

LiveServerStats LiveServer::stats() const {
    LiveServerStats s;
    s.connections = m_connections;
    s.pushClients = m_pushClients;
    s.refused = m_refused;
    s.dropped = m_dropped;
    s.httpBytes = m_httpBytes;
    s.pushBytes = m_pushBytes;
    s.pushes = m_pushes;
    return s;
}
