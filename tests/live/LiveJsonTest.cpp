#include "live/LiveJson.h"
#include "LiveTestEvent.h"
#include "live/LiveSnapshotBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace livetest;

namespace {

const QJsonObject parse(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json.left(200).constData();
    return doc.object();
}

EventData smallEvent() {
    EventData e;
    e.info = {QStringLiteral("Sommerpokal"), QDate(2026, 6, 13), QStringLiteral("Riesa")};
    e.competitors = {competitor(7, "Anna", "Berg", "A"), competitor(8, "Ben", "Cord", "A")};
    for (int i = 0; i < 12; ++i)
        run(e, i % 2 ? 7 : 8, 40000 + i * 10, i == 11 ? 2 : 0);
    run(e, 7, 0, 0, 0, RunStatus::DidNotFinish);
    return e;
}

} // namespace

TEST(LiveJson, StateCarriesEventRunUnderWayLastTenRunsAndRankings) {
    const LiveSnapshot s = makeLiveSnapshot(smallEvent(), {LivePhase::Running, 8, {}, 1000, 0}, 2, 42);
    const QJsonObject o = parse(liveStateJson(s, 4321));
    EXPECT_EQ(o["type"].toString(), "state");
    EXPECT_EQ(o["seq"].toInteger(), 42);
    EXPECT_EQ(o["resolution"].toInt(), 2);
    EXPECT_EQ(o["event"]["name"].toString(), "Sommerpokal");
    EXPECT_EQ(o["event"]["date"].toString(), "2026-06-13");

    const QJsonObject cur = o["current"].toObject();
    EXPECT_EQ(cur["phase"].toString(), "running");
    EXPECT_EQ(cur["startNumber"].toInt(), 8);
    EXPECT_EQ(cur["name"].toString(), "Ben Cord");
    EXPECT_EQ(cur["class"].toString(), "A");
    EXPECT_EQ(cur["elapsedMs"].toInt(), 3321);

    const QJsonArray runs = o["lastRuns"].toArray();
    ASSERT_EQ(runs.size(), LiveLastRunsShown);
    EXPECT_EQ(runs[0]["status"].toString(), "DNF");
    EXPECT_EQ(runs[0]["result"].toString(), "");
    EXPECT_TRUE(runs[0]["resultMs"].isNull());
    const QJsonObject penalised = runs[1].toObject();
    EXPECT_EQ(penalised["time"].toString(), "40,11");
    EXPECT_EQ(penalised["penalty"].toString(), "+4,00");
    EXPECT_EQ(penalised["result"].toString(), "44,11");
    EXPECT_EQ(penalised["resultMs"].toInteger(), 44110);
    EXPECT_EQ(penalised["remark"].toString(), "2 Pylonen");

    const QJsonArray classes = o["classes"].toArray();
    ASSERT_EQ(classes.size(), 1);
    const QJsonArray rows = classes[0]["rows"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]["place"].toInt(), 1);
    EXPECT_EQ(rows[0]["result"].toString(), "40,00");
    EXPECT_EQ(rows[0]["gap"].toString(), "");
    EXPECT_EQ(rows[1]["gap"].toString(), "+0,01");
    EXPECT_EQ(rows[1]["gapMs"].toInteger(), 10);
    // The pushed state leaves out what the page does not show; the ranking document has it.
    EXPECT_FALSE(rows[1].toObject().contains("gapAhead"));
    const QJsonObject full = parse(*liveRankingJson(s, QStringLiteral("A")))["class"]["rows"][1].toObject();
    EXPECT_EQ(full["gapAhead"].toString(), "+0,01");
    EXPECT_TRUE(full.contains("vehicle"));
    EXPECT_TRUE(full.contains("remark"));
}

TEST(LiveJson, RunningTimeSurvivesTheTickCounterWrapping) {
    LiveSnapshot s;
    s.current.phase = LivePhase::Running;
    s.current.startTick = 0xFFFFFF00u;
    EXPECT_EQ(parse(liveStateJson(s, 0x100))["current"]["elapsedMs"].toInt(), 0x200);
    // A tick before the start (the clock was set back) shows zero, never a negative time.
    s.current.startTick = 5000;
    EXPECT_EQ(parse(liveStateJson(s, 4000))["current"]["elapsedMs"].toInt(), 0);
}

TEST(LiveJson, FinishedRunShowsItsTimeAndPlaceAtTheResolution) {
    const LiveSnapshot s = makeLiveSnapshot(smallEvent(), {LivePhase::Finished, 8, {}, 0, 40129}, 1, 1);
    const QJsonObject cur = parse(liveStateJson(s, 0))["current"].toObject();
    EXPECT_EQ(cur["phase"].toString(), "finished");
    EXPECT_EQ(cur["time"].toString(), "40,1");
    EXPECT_EQ(cur["timeMs"].toInt(), 40129);
    EXPECT_EQ(cur["classPlace"].toInt(), 1);
    EXPECT_FALSE(cur.contains("elapsedMs"));
}

TEST(LiveJson, RankingByClassAndRunsList) {
    const LiveSnapshot s = makeLiveSnapshot(smallEvent(), {}, 2, 3);
    EXPECT_EQ(parse(*liveRankingJson(s, std::nullopt))["classes"].toArray().size(), 1);
    EXPECT_EQ(parse(*liveRankingJson(s, QStringLiteral("A")))["class"]["title"].toString(), "Klasse A");
    EXPECT_FALSE(liveRankingJson(s, QStringLiteral("B")));
    EXPECT_FALSE(liveRankingJson(s, QString())); // nobody without a class here
    EXPECT_EQ(parse(liveRunsJson(s))["runs"].toArray().size(), 13);
}

TEST(LiveJson, TextsFromTheEventStayTextInTheDocument) {
    EventData e;
    const QString script = QStringLiteral("<script>alert(1)</script>");
    const QString img = QStringLiteral("\"><img src=x onerror=alert(1)>");
    e.competitors = {competitor(1, script, img, QStringLiteral("</script><b>"))};
    run(e, 1, 40000);
    const QByteArray json = liveStateJson(makeLiveSnapshot(e, {}, 2, 1), 0);
    const QJsonObject o = parse(json);
    EXPECT_EQ(o["lastRuns"][0]["name"].toString(), script + u' ' + img);
    EXPECT_EQ(o["classes"][0]["name"].toString(), QStringLiteral("</script><b>"));
}
