#pragma once

#include "live/LiveRoutes.h"
#include "live/LiveServer.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class LiveConnectionGuard;
class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QWebSocket;

/// The part of the results server that lives on its thread: the HTTP server behind its guard, the
/// push clients and their pings. Used only by LiveServer.
class LiveServerWorker : public QObject {
    Q_OBJECT

public:
    LiveServerWorker(LiveServer& owner, LiveAssets assets);
    ~LiveServerWorker() override;

    /// Listens; on the worker's thread.
    LiveStartResult listen(const QHostAddress& address, quint16 port);
    /// Closes everything; on the worker's thread.
    void close();
    /// Pushes the owner's snapshot to every client if it is newer than the last one pushed.
    void publish();

private:
    struct Client {
        std::unique_ptr<QWebSocket> socket;
        qint64 lastPong = 0;      ///< ms of m_clock
        qint64 stalledSince = -1; ///< ms of m_clock since which nothing was taken in; -1: all sent
        bool behind = false;      ///< a newer state waits until the last one is sent
    };

    void answer(const QHttpServerRequest& request, QHttpServerResponder&& responder);
    void takeWebSockets();
    Client* find(QWebSocket* socket);
    /// The state document of the snapshot served now, made once for every client.
    const QString& stateMessage();
    void sendState(Client& client);
    bool sendNow(Client& client, const QString& message, qint64 bytes);
    void broadcast(const QString& message, qint64 bytes, bool state);
    void onWritten(QWebSocket* socket);
    void dropStalled();
    void dropClient(QWebSocket* socket, bool counted);
    void ping();
    void sayAlive();
    void updateCounts();

    LiveServer& m_owner;
    LiveAssets m_assets;
    std::unique_ptr<QHttpServer> m_http;
    LiveConnectionGuard* m_guard = nullptr; ///< owned by m_http
    std::vector<Client> m_clients;
    QTimer m_ping;
    QTimer m_alive;
    QTimer m_counts;
    QElapsedTimer m_clock;
    uint64_t m_pushedSequence = 0;
    QString m_message;              ///< the state document last made
    qint64 m_messageBytes = 0;      ///< its size in UTF-8
    uint64_t m_messageSequence = 0; ///< the snapshot it was made of
    qint64 m_messageMadeAt = -1;    ///< ms of m_clock; -1: none made yet
};
