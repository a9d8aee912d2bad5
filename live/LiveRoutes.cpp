#include "live/LiveRoutes.h"

#include "live/LiveJson.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

#include <cctype>

#include <optional>

namespace {

const QByteArray Nosniff = QByteArrayLiteral("nosniff");

LiveReply textReply(int status, const char* text) {
    LiveReply r;
    r.status = status;
    r.contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    r.body = QByteArray(text) + '\n';
    r.headers = {{QByteArrayLiteral("X-Content-Type-Options"), Nosniff},
                 {QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")}};
    return r;
}

LiveReply jsonReply(int status, QByteArray body) {
    LiveReply r;
    r.status = status;
    r.contentType = QByteArrayLiteral("application/json; charset=utf-8");
    r.body = std::move(body);
    // Public, read-only data: tools on other origins may read it.
    r.headers = {{QByteArrayLiteral("X-Content-Type-Options"), Nosniff},
                 {QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store")},
                 {QByteArrayLiteral("Access-Control-Allow-Origin"), QByteArrayLiteral("*")}};
    return r;
}

LiveReply jsonError(int status, const QString& message) {
    return jsonReply(
        status,
        QJsonDocument(QJsonObject{{QStringLiteral("error"), message}}).toJson(QJsonDocument::Compact));
}

LiveReply assetReply(const LiveRequest& request, const QByteArray& content, const char* type) {
    const QByteArray tag = liveAssetTag(content);
    LiveReply r;
    r.headers = {{QByteArrayLiteral("X-Content-Type-Options"), Nosniff},
                 {QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache")},
                 {QByteArrayLiteral("ETag"), tag},
                 {QByteArrayLiteral("Referrer-Policy"), QByteArrayLiteral("no-referrer")}};
    if (qstrcmp(type, "text/html; charset=utf-8") == 0)
        // Only the program's own script and style run; a name that slipped through as markup could
        // neither load nor run anything.
        r.headers.append({QByteArrayLiteral("Content-Security-Policy"),
                          QByteArrayLiteral("default-src 'none'; script-src 'self'; style-src 'self'; "
                                            "img-src 'self' data:; connect-src 'self' ws: wss:; "
                                            "base-uri 'none'; form-action 'none'; frame-ancestors 'none'")});
    for (const QByteArray& held : request.ifNoneMatch.split(','))
        if (held.trimmed() == tag) {
            r.status = 304;
            return r;
        }
    r.contentType = type;
    r.body = content;
    return r;
}

bool pathIsClean(const QByteArray& path) {
    if (!path.startsWith('/') || path.contains("//") || path.contains("..") || path.contains('\\') ||
        path.contains('%'))
        return false;
    for (const char c : path)
        if (uchar(c) < 0x20 || uchar(c) >= 0x7f)
            return false;
    return true;
}

struct QueryError {};

// The value of the one parameter `name`; nothing when absent. Throws QueryError for a malformed
// query: a parameter given twice, a bad escape or text that is not UTF-8.
std::optional<QString> queryValue(const QByteArray& query, const QByteArray& name) {
    std::optional<QString> found;
    if (query.isEmpty())
        return found;
    for (const QByteArray& part : query.split('&')) {
        if (part.isEmpty())
            continue;
        const qsizetype eq = part.indexOf('=');
        const QByteArray key = eq < 0 ? part : part.left(eq);
        if (key != name)
            continue;
        if (found)
            throw QueryError{};
        QByteArray raw = eq < 0 ? QByteArray() : part.mid(eq + 1);
        raw.replace('+', ' ');
        for (qsizetype i = raw.indexOf('%'); i >= 0; i = raw.indexOf('%', i + 1))
            if (i + 2 >= raw.size() || !isxdigit(uchar(raw[i + 1])) || !isxdigit(uchar(raw[i + 2])))
                throw QueryError{};
        const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            throw QueryError{};
        for (const QChar c : text)
            if (c.unicode() < 0x20)
                throw QueryError{};
        found = std::move(text);
    }
    return found;
}

} // namespace

QByteArray liveAssetTag(const QByteArray& content) {
    return '"' + QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex().left(16) + '"';
}

LiveReply answerLiveRequest(const LiveRequest& request, const LiveSnapshot& snapshot, uint32_t nowTick,
                            const LiveAssets& assets) {
    if (request.method != "GET") {
        LiveReply r = textReply(405, "405 Methode nicht erlaubt: nur GET");
        r.headers.append({QByteArrayLiteral("Allow"), QByteArrayLiteral("GET")});
        return r;
    }
    if (request.path.size() > LiveRequestLimits::MaxPath ||
        request.query.size() > LiveRequestLimits::MaxQuery)
        return textReply(414, "414 Adresse zu lang");
    if (!pathIsClean(request.path))
        return textReply(400, "400 Ungültige Adresse");

    const QByteArray& path = request.path;
    if (path == "/" || path == "/index.html")
        return assetReply(request, assets.html, "text/html; charset=utf-8");
    if (path == "/live.css")
        return assetReply(request, assets.css, "text/css; charset=utf-8");
    if (path == "/live.js")
        return assetReply(request, assets.js, "text/javascript; charset=utf-8");
    if (path == "/ws")
        return textReply(426, "426 Nur für WebSocket-Verbindungen");
    if (path == "/api/state")
        return jsonReply(200, liveStateJson(snapshot, nowTick));
    if (path == "/api/runs")
        return jsonReply(200, liveRunsJson(snapshot));
    if (path == "/api/ranking") {
        std::optional<QString> className;
        try {
            className = queryValue(request.query, QByteArrayLiteral("class"));
        } catch (const QueryError&) {
            return jsonError(400, QStringLiteral("Ungültiger Parameter class"));
        }
        if (className && className->size() > LiveRequestLimits::MaxClassName)
            return jsonError(400, QStringLiteral("Ungültiger Parameter class"));
        if (std::optional<QByteArray> body = liveRankingJson(snapshot, className))
            return jsonReply(200, std::move(*body));
        return jsonError(404, QStringLiteral("Keine solche Klasse"));
    }
    return textReply(404, "404 Nicht gefunden");
}
