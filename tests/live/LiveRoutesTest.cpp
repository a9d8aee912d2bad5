#include "live/LiveRoutes.h"
#include "LiveTestEvent.h"
#include "live/LiveSnapshotBuilder.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace livetest;

namespace {

const LiveAssets Assets{"<html>page</html>", "body{}", "void 0;"};

LiveSnapshot snapshot() {
    EventData e;
    e.competitors = {competitor(1, "Anna", "Berg", "A"), competitor(2, "Ben", "Cord", QStringLiteral("Ü 18")),
                     competitor(3, "Nora", "Ohne", "")};
    run(e, 1, 40000);
    run(e, 2, 41000);
    return makeLiveSnapshot(e, {}, 2, 9);
}

LiveReply get(const QByteArray& path, const QByteArray& query = {}, const QByteArray& method = "GET") {
    return answerLiveRequest({method, path, query, {}}, snapshot(), 0, Assets);
}

QByteArray header(const LiveReply& r, const QByteArray& name) {
    for (const auto& [key, value] : r.headers)
        if (key == name)
            return value;
    return {};
}

} // namespace

TEST(LiveRoutes, ServesOnlyThePageFilesAndTheApi) {
    struct Case {
        QByteArray path;
        int status;
        QByteArray type;
    };
    const Case cases[] = {
        {"/", 200, "text/html; charset=utf-8"},
        {"/index.html", 200, "text/html; charset=utf-8"},
        {"/live.css", 200, "text/css; charset=utf-8"},
        {"/live.js", 200, "text/javascript; charset=utf-8"},
        {"/api/state", 200, "application/json; charset=utf-8"},
        {"/api/runs", 200, "application/json; charset=utf-8"},
        {"/api/ranking", 200, "application/json; charset=utf-8"},
        {"/ws", 426, "text/plain; charset=utf-8"},
        {"/api", 404, "text/plain; charset=utf-8"},
        {"/api/state/", 404, "text/plain; charset=utf-8"},
        {"/live.js.map", 404, "text/plain; charset=utf-8"},
        {"/LIVE.CSS", 404, "text/plain; charset=utf-8"},
        {"/etc/passwd", 404, "text/plain; charset=utf-8"},
    };
    for (const Case& c : cases) {
        const LiveReply r = get(c.path);
        EXPECT_EQ(r.status, c.status) << c.path.constData();
        EXPECT_EQ(r.contentType, c.type) << c.path.constData();
        EXPECT_EQ(header(r, "X-Content-Type-Options"), "nosniff") << c.path.constData();
    }
    EXPECT_EQ(get("/").body, Assets.html);
    EXPECT_EQ(get("/live.js").body, Assets.js);
    EXPECT_TRUE(header(get("/"), "Content-Security-Policy").contains("script-src 'self'"));
    EXPECT_EQ(header(get("/api/state"), "Cache-Control"), "no-store");
}

TEST(LiveRoutes, RefusesPathsThatTryToLeaveThePage) {
    const QByteArray longPath = "/" + QByteArray(LiveRequestLimits::MaxPath, 'a');
    const struct {
        QByteArray path;
        int status;
    } cases[] = {
        {"/../etc/passwd", 400}, {"/..", 400},          {"/api/../live.js", 400}, {"/%2e%2e/etc/passwd", 400},
        {"/api%2Fstate", 400},   {"/api%2fstate", 400}, {"/live.js%00", 400},     {"//etc/passwd", 400},
        {"/api//state", 400},    {"\\live.js", 400},    {"/live\\..\\x", 400},    {"", 400},
        {"live.js", 400},        {"/a\nb", 400},        {"/\xc3\xa4", 400},       {longPath, 414},
    };
    for (const auto& c : cases) {
        const LiveReply r = get(c.path);
        EXPECT_EQ(r.status, c.status) << c.path.left(40).constData();
        EXPECT_FALSE(r.body.contains("page")) << c.path.left(40).constData();
    }
}

TEST(LiveRoutes, AnswersOnlyGet) {
    for (const QByteArray method :
         {"POST", "PUT", "DELETE", "PATCH", "HEAD", "OPTIONS", "TRACE", "CONNECT", "UNKNOWN", "get"}) {
        for (const QByteArray path : {"/", "/api/state", "/nowhere"}) {
            const LiveReply r = get(path, {}, method);
            EXPECT_EQ(r.status, 405) << method.constData() << path.constData();
            EXPECT_EQ(header(r, "Allow"), "GET");
        }
    }
}

TEST(LiveRoutes, RankingOfOneClassByItsName) {
    auto title = [](const LiveReply& r) {
        return QJsonDocument::fromJson(r.body).object()["class"].toObject()["title"].toString();
    };
    EXPECT_EQ(title(get("/api/ranking", "class=A")), "Klasse A");
    EXPECT_EQ(title(get("/api/ranking", "class=%C3%9C+18")), QStringLiteral("Klasse Ü 18"));
    EXPECT_EQ(title(get("/api/ranking", "class=%C3%9C%2018&x=1")), QStringLiteral("Klasse Ü 18"));
    EXPECT_EQ(title(get("/api/ranking", "class=")), "ohne Klasse");
    EXPECT_EQ(title(get("/api/ranking", "class")), "ohne Klasse");
    const LiveReply unknown = get("/api/ranking", "class=Z");
    EXPECT_EQ(unknown.status, 404);
    EXPECT_EQ(QJsonDocument::fromJson(unknown.body).object()["error"].toString(), "Keine solche Klasse");
    for (const QByteArray query :
         {"class=A&class=A", "class=%", "class=%G1", "class=%C3", "class=%FF", "class=a%0Ab"}) {
        EXPECT_EQ(get("/api/ranking", query).status, 400) << query.constData();
    }
    EXPECT_EQ(get("/api/ranking", QByteArray(LiveRequestLimits::MaxQuery + 1, 'x')).status, 414);
}

TEST(LiveRoutes, PageFileUnchangedSinceTheLastLoadIsNotSentAgain) {
    const QByteArray tag = header(get("/live.js"), "ETag");
    ASSERT_FALSE(tag.isEmpty());
    const LiveReply again =
        answerLiveRequest({"GET", "/live.js", {}, "\"other\", " + tag}, snapshot(), 0, Assets);
    EXPECT_EQ(again.status, 304);
    EXPECT_TRUE(again.body.isEmpty());
    EXPECT_EQ(answerLiveRequest({"GET", "/live.js", {}, "\"other\""}, snapshot(), 0, Assets).status, 200);
    EXPECT_NE(liveAssetTag("a"), liveAssetTag("b"));
}
