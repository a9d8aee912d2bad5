#pragma once

#include <QtGlobal>

/// What the results server allows each client and all of them together.
struct LiveServerLimits {
    /// Open connections at once (page loads, API calls and pushes together); one more is answered
    /// 503 and closed.
    int maxConnections = 500;
    /// Bytes of one request (request line and headers; no request has a body); more is answered 431
    /// and the connection closed.
    qint64 maxRequestBytes = 16 * 1024;
    /// A connection must complete a request within this time after it opened or was last answered;
    /// otherwise it is closed (a client that connects and sends nothing, or sends very slowly).
    int requestTimeoutMs = 10000;
    /// A push client gets one state at a time: while one is still being sent, newer ones wait
    /// (only the latest is sent next). One that takes nothing in for this long is dropped (it does
    /// not read), so it neither holds up the others nor fills the memory.
    int stallTimeoutMs = 20000;
    /// Push clients are pinged this often; one that has not answered for three intervals is dropped
    /// (a phone that left the network).
    int pingIntervalMs = 15000;
    /// Every page gets a short "alive" message this often, so it notices a connection that went
    /// quiet (the laptop's Wi-Fi dropped) and replaces it.
    int aliveIntervalMs = 5000;
    /// Largest message a push client may send (it has nothing to say; anything larger closes it).
    qint64 maxIncomingMessageBytes = 1024;
};
