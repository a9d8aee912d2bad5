#include "live/LiveConnectionGuard.h"

#include <QTcpSocket>

namespace {

QByteArray fixedResponse(const char* status, const char* text) {
    const QByteArray body = QByteArray(text) + '\n';
    return QByteArray("HTTP/1.1 ") + status +
           "\r\nContent-Type: text/plain; charset=utf-8\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace

LiveConnectionGuard::LiveConnectionGuard(const LiveServerLimits& limits, QObject* parent, int sweepMs)
    : QTcpServer(parent), m_limits(limits) {
    // Many phones at once after a run: let the kernel keep their connections until accepted.
    setListenBacklogSize(std::max(64, limits.maxConnections));
    connect(&m_sweep, &QTimer::timeout, this, &LiveConnectionGuard::sweep);
    m_sweep.start(sweepMs);
}

void LiveConnectionGuard::prune() {
    m_tracked.remove_if([](const Tracked& t) { return t.socket.isNull(); });
}

int LiveConnectionGuard::connectionCount() {
    prune();
    return int(m_tracked.size());
}

void LiveConnectionGuard::markUpgraded(const QHostAddress& address, quint16 port) {
    for (Tracked& t : m_tracked)
        if (t.socket && t.socket->peerPort() == port && t.socket->peerAddress().isEqual(address)) {
            t.upgraded = true;
            return;
        }
}

void LiveConnectionGuard::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    // A state goes out as one write: room for a whole one in the kernel's buffer (instead of the
    // first 16 KiB and a wait until the socket can be written again), and no waiting for the
    // acknowledgement of the last piece before the end of a message leaves.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, SendBufferBytes);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (connectionCount() >= m_limits.maxConnections) {
        ++m_refused;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(fixedResponse("503 Service Unavailable", "503 Zu viele Verbindungen"));
        socket->disconnectFromHost();
        // A peer that never reads must not keep even this one.
        QTimer::singleShot(2000, socket, [socket] { socket->abort(); });
        return;
    }
    Tracked& t = m_tracked.emplace_back();
    t.socket = socket;
    t.since.start();
    // Connected before the HTTP server connects its own: the bytes are counted before it reads them.
    connect(socket, &QTcpSocket::readyRead, this, [this, &t] { onReadyRead(t); });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, &t](qint64 n) {
        m_bytesWritten += quint64(n);
        if (t.closing)
            return;
        // An answer went out: the next request gets the full time and size again.
        t.since.restart();
        t.received = 0;
    });
    addPendingConnection(socket);
}

void LiveConnectionGuard::onReadyRead(Tracked& t) {
    if (t.upgraded || t.closing || !t.socket)
        return;
    t.received += t.socket->bytesAvailable();
    if (t.received > m_limits.maxRequestBytes)
        refuseTooLarge(t);
}

void LiveConnectionGuard::refuseTooLarge(Tracked& t) {
    t.closing = true;
    QTcpSocket* socket = t.socket;
    // What is buffered is dropped unread, so the HTTP server sees nothing of it.
    socket->skip(socket->bytesAvailable());
    socket->write(fixedResponse("431 Request Header Fields Too Large", "431 Anfrage zu groß"));
    socket->disconnectFromHost();
    t.since.restart();
}

void LiveConnectionGuard::sweep() {
    prune();
    for (Tracked& t : m_tracked) {
        if (t.upgraded || t.since.elapsed() < m_limits.requestTimeoutMs)
            continue;
        QTcpSocket* socket = t.socket;
        if (t.closing || t.received == 0) {
            // Idle, or answered and still not gone: closed without a word. Whoever holds the
            // connection (the HTTP server, or the WebSocket side) deletes it as it closes.
            socket->abort();
            continue;
        }
        t.closing = true;
        t.since.restart();
        socket->write(fixedResponse("408 Request Timeout", "408 Zeit abgelaufen"));
        socket->disconnectFromHost();
    }
}
