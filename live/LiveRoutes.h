#pragma once

#include "live/LiveSnapshot.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <cstdint>

/// A request as the HTTP server hands it over: method, path and query as sent (still
/// percent-encoded), and the validator the client holds for a page file.
struct LiveRequest {
    QByteArray method;      ///< "GET", "POST", ...
    QByteArray path;        ///< "/api/ranking"
    QByteArray query;       ///< "class=A" (without the "?")
    QByteArray ifNoneMatch; ///< the If-None-Match header, if any
};

/// The page's own files, served as they are.
struct LiveAssets {
    QByteArray html;
    QByteArray css;
    QByteArray js;
};

/// The answer to one request.
struct LiveReply {
    int status = 200;
    QByteArray contentType; ///< empty without a body
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers; ///< besides Content-Type and Content-Length
};

/// Limits of what a request may name.
struct LiveRequestLimits {
    static constexpr int MaxPath = 256;
    static constexpr int MaxQuery = 512;
    static constexpr int MaxClassName = 200;
};

/// The one place that decides what a request gets. Only GET is answered (anything else: 405); only
/// the page's files and the API are served: "/", "/index.html", "/live.css", "/live.js",
/// "/api/state", "/api/runs", "/api/ranking?class=<name>" ("class" absent: every class; present
/// and empty: those without a class). "/ws" answers 426 to anything but a WebSocket upgrade.
/// A path that is too long gets 414; one with "..", a backslash, an encoded character, a doubled
/// slash or a control character 400; an unknown one 404; a malformed query 400; an unknown class
/// 404. The JSON is made from `snapshot` (`nowTick` for the running time). A pure function.
LiveReply answerLiveRequest(const LiveRequest& request, const LiveSnapshot& snapshot, uint32_t nowTick,
                            const LiveAssets& assets);

/// The ETag a page file is served with.
QByteArray liveAssetTag(const QByteArray& content);
