// The live results' request rules: any method, path, query and validator either get one of the
// page's files (only at their own paths, only for GET), valid JSON from the API, or an error status
// without the page in it.
#include "FuzzCheck.h"
#include "live/LiveRoutes.h"
#include "live/LiveSnapshotBuilder.h"

#include <QJsonDocument>
#include <QSet>

namespace {

const LiveSnapshot& snapshot() {
    static const LiveSnapshot s = [] {
        EventData e;
        Competitor c;
        c.id = 1;
        c.startNumber = 7;
        c.firstName = QStringLiteral("Anna");
        c.className = QStringLiteral("A");
        Competitor d = c;
        d.id = 2;
        d.startNumber = 8;
        d.className = QStringLiteral("Ü 18");
        Competitor n = c;
        n.id = 3;
        n.startNumber = 9;
        n.className.clear();
        e.competitors = {c, d, n};
        RunRecord r;
        r.id = 1;
        r.startNumber = 7;
        r.runNumber = 1;
        r.runTimeMs = 40000;
        e.runs = {r};
        return makeLiveSnapshot(e, {LivePhase::Running, 8, {}, 5, 0}, 2, 1);
    }();
    return s;
}

const LiveAssets Assets{"<html>PAGE</html>", "CSS{}", "SCRIPT;"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // method \n path \n query \n If-None-Match
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    const LiveRequest request{parts.value(0), parts.value(1), parts.value(2), parts.value(3)};
    const LiveReply reply = answerLiveRequest(request, snapshot(), 1000, Assets);

    static const QSet<int> statuses = {200, 304, 400, 404, 405, 414, 426};
    FUZZ_CHECK(statuses.contains(reply.status), "a known status");
    if (request.method != "GET")
        FUZZ_CHECK(reply.status == 405, "only GET is answered");
    static const QSet<QByteArray> files = {"/", "/index.html", "/live.css", "/live.js"};
    static const QSet<QByteArray> api = {"/api/state", "/api/runs", "/api/ranking"};
    const bool servesFile = reply.body == Assets.html || reply.body == Assets.css || reply.body == Assets.js;
    if (servesFile)
        FUZZ_CHECK(reply.status == 200 && request.method == "GET" && files.contains(request.path),
                   "page files only at their own paths");
    if (reply.status == 200 || reply.status == 304)
        FUZZ_CHECK(files.contains(request.path) || api.contains(request.path),
                   "success only for known paths");
    if (reply.contentType.startsWith("application/json")) {
        QJsonParseError error;
        QJsonDocument::fromJson(reply.body, &error);
        FUZZ_CHECK(error.error == QJsonParseError::NoError, "the API answers valid JSON");
    }
    if (reply.status >= 400)
        FUZZ_CHECK(!reply.body.contains("PAGE") && !reply.body.contains("SCRIPT"),
                   "errors carry no page file");
    return 0;
}
