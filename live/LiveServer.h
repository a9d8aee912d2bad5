#pragma once

#include "live/LiveServerLimits.h"
#include "live/LiveSnapshot.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>

class LiveServerWorker;

/// How starting the results server went.
struct LiveStartResult {
    enum class Error : uint8_t {
        None,
        PortInUse,    ///< another program (or another Vantro) listens on the port
        AccessDenied, ///< ports below 1024 need rights the program does not have
        Other
    };
    Error error = Error::None;
    QString detail;   ///< the system's words, for the message
    quint16 port = 0; ///< the port listened on

    bool ok() const { return error == Error::None; }
};

/// The message for a failed start, German; empty when it went well.
QString liveStartErrorText(const LiveStartResult& result, quint16 port);

/// Figures of a running server.
struct LiveServerStats {
    int connections = 0;   ///< open connections, push clients included
    int pushClients = 0;   ///< WebSocket clients
    quint64 refused = 0;   ///< connections refused because too many were open
    quint64 dropped = 0;   ///< push clients dropped (not reading, or not answering pings)
    quint64 httpBytes = 0; ///< bytes of page files and API answers written
    quint64 pushBytes = 0; ///< bytes of pushed state written
    quint64 pushes = 0;    ///< snapshots pushed
};

/// The live results server: the page, its files and the JSON API over HTTP, and the state pushed
/// over WebSocket to every open page. It runs on a thread of its own and only reads snapshots
/// handed to it; nothing a client sends changes anything. Create, start and stop it on one thread
/// (the GUI's); `setSnapshot` may be called from any thread.
class LiveServer : public QObject {
    Q_OBJECT

public:
    explicit LiveServer(LiveServerLimits limits = {}, QObject* parent = nullptr);
    /// Stops the server.
    ~LiveServer() override;

    /// Listens on `port` of `address` (0: a free port) and serves the latest snapshot. Returns once
    /// the server listens or has failed. A running server is stopped first.
    LiveStartResult start(quint16 port, const QHostAddress& address = QHostAddress::Any);
    /// Closes every connection and stops listening.
    void stop();
    /// True while listening.
    bool isRunning() const { return m_running; }
    /// The port listened on; 0 when stopped.
    quint16 port() const { return m_port; }

    /// Hands over the state to serve; pushed at once to every open page. Thread-safe; an older
    /// snapshot than the one held (by sequence) is ignored.
    void setSnapshot(std::shared_ptr<const LiveSnapshot> snapshot);
    /// The snapshot served now (never null).
    std::shared_ptr<const LiveSnapshot> snapshot() const;

    /// The figures now (zero when stopped). Thread-safe.
    LiveServerStats stats() const;

signals:
    /// The server started or stopped.
    void runningChanged(bool running);

private:
    friend class LiveServerWorker;

    LiveServerLimits m_limits;
    mutable std::mutex m_mutex;
    std::shared_ptr<const LiveSnapshot> m_snapshot;
    std::atomic<bool> m_publishQueued{false};
    QThread m_thread;
    LiveServerWorker* m_worker = nullptr;
    bool m_running = false;
    quint16 m_port = 0;

    // Written by the worker, read by anyone.
    std::atomic<int> m_connections{0};
    std::atomic<int> m_pushClients{0};
    std::atomic<quint64> m_refused{0};
    std::atomic<quint64> m_dropped{0};
    std::atomic<quint64> m_httpBytes{0};
    std::atomic<quint64> m_pushBytes{0};
    std::atomic<quint64> m_pushes{0};
};
