#pragma once

#include "live/LiveServerLimits.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include <atomic>
#include <list>

class QTcpSocket;

/// The listening socket in front of the HTTP server. It accepts each connection, counts it, and
/// hands it on; what the HTTP server itself does not limit, it does: the number of open connections,
/// the bytes of one request and the time a request may take. It reads no request: it only counts
/// bytes and watches the clock, and answers a client over a limit with a fixed response.
class LiveConnectionGuard : public QTcpServer {
    Q_OBJECT

public:
    /// The kernel's send buffer of each connection: a state of a large event (150 competitors,
    /// about 26 kB) fits whole.
    static constexpr int SendBufferBytes = 64 * 1024;

    /// Checks its connections every `sweepMs` milliseconds.
    explicit LiveConnectionGuard(const LiveServerLimits& limits, QObject* parent = nullptr,
                                 int sweepMs = 250);

    /// Connections open now, push connections included.
    int connectionCount();
    /// The connection from `address`:`port` became a push connection: no more request limits.
    void markUpgraded(const QHostAddress& address, quint16 port);
    /// Connections refused since the start because too many were open.
    quint64 refusedCount() const { return m_refused.load(); }
    /// Bytes written on plain connections (page files, API answers) since the start.
    quint64 bytesWritten() const { return m_bytesWritten.load(); }

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Tracked {
        QPointer<QTcpSocket> socket;
        QElapsedTimer since; ///< opened, or last answered
        qint64 received = 0; ///< bytes since then
        bool upgraded = false;
        bool closing = false;
    };

    void onReadyRead(Tracked& t);
    void refuseTooLarge(Tracked& t);
    void sweep();
    void prune();

    LiveServerLimits m_limits;
    std::list<Tracked> m_tracked;
    QTimer m_sweep;
    std::atomic<quint64> m_refused{0};
    std::atomic<quint64> m_bytesWritten{0};
};
