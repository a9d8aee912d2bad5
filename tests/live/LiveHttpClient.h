#pragma once

// A bare client for the server tests: sends bytes as given (well-formed or not) and reads what
// comes back, on the test's thread while the server runs on its own.
#include <QByteArray>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <optional>

namespace livetest {

struct RawResponse {
    int status = 0; ///< 0: no status line came
    QByteArray head;
    QByteArray body;
    bool closed = false; ///< the server closed the connection
};

/// Reads one response from `socket` (or what came before it closed), within `timeoutMs`.
inline RawResponse readResponse(QTcpSocket& socket, int timeoutMs = 5000) {
    RawResponse r;
    QByteArray data;
    QElapsedTimer clock;
    clock.start();
    std::optional<qsizetype> length;
    while (clock.elapsed() < timeoutMs) {
        data += socket.readAll();
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end >= 0 && !length) {
            r.head = data.left(end);
            const QList<QByteArray> lines = r.head.split('\n');
            const QList<QByteArray> first = lines.value(0).split(' ');
            r.status = first.value(1).toInt();
            length = 0;
            for (const QByteArray& line : lines)
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
        }
        if (length && data.size() >= r.head.size() + 4 + *length) {
            r.body = data.mid(r.head.size() + 4, *length);
            return r;
        }
        if (socket.state() != QAbstractSocket::ConnectedState) {
            r.closed = true;
            break;
        }
        socket.waitForReadyRead(50);
    }
    if (length)
        r.body = data.mid(r.head.size() + 4);
    if (socket.state() != QAbstractSocket::ConnectedState)
        r.closed = true;
    return r;
}

/// Connects to the loopback port, sends `request` and reads the response.
inline RawResponse exchange(quint16 port, const QByteArray& request, int timeoutMs = 5000) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(2000))
        return {};
    socket.write(request);
    socket.waitForBytesWritten(2000);
    return readResponse(socket, timeoutMs);
}

/// A GET request for `target`.
inline QByteArray getRequest(const QByteArray& target, const QByteArray& extraHeaders = {}) {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeaders + "\r\n";
}

} // namespace livetest
