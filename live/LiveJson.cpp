#include "live/LiveJson.h"

#include "event/ResultTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString kindName(ResultKind kind) {
    switch (kind) {
    case ResultKind::Full:
        return QStringLiteral("full");
    case ResultKind::Partial:
        return QStringLiteral("partial");
    case ResultKind::DidNotFinish:
        return QStringLiteral("dnf");
    case ResultKind::DidNotStart:
        return QStringLiteral("dns");
    case ResultKind::Disqualified:
        return QStringLiteral("dsq");
    case ResultKind::NoRun:
        break;
    }
    return QStringLiteral("none");
}

// Optional milliseconds as a number and as the German text at the snapshot's resolution.
void putTime(QJsonObject& o, const QString& key, const std::optional<int64_t>& ms, int resolution) {
    o.insert(key + QStringLiteral("Ms"), ms ? QJsonValue(qint64(*ms)) : QJsonValue());
    o.insert(key, ms ? formatResultTime(*ms, resolution) : QString());
}

QJsonObject eventObject(const LiveSnapshot& s) {
    return QJsonObject{
        {QStringLiteral("name"), s.info.name},
        {QStringLiteral("date"), s.info.date.isValid() ? s.info.date.toString(Qt::ISODate) : QString()},
        {QStringLiteral("place"), s.info.place}};
}

QJsonObject runObject(const LiveRun& r, int resolution) {
    QJsonObject o{
        {QStringLiteral("id"), qint64(r.id)},
        {QStringLiteral("startNumber"), r.startNumber},
        {QStringLiteral("name"), r.name},
        {QStringLiteral("class"), r.className},
        {QStringLiteral("run"), r.runNumber},
        {QStringLiteral("startTime"),
         r.startTime.isValid() ? r.startTime.toString(QStringLiteral("HH:mm:ss")) : QString()},
        {QStringLiteral("cones"), r.cones},
        {QStringLiteral("gates"), r.gates},
        {QStringLiteral("penaltyMs"), qint64(r.penaltyMs)},
        {QStringLiteral("penalty"), r.penaltyMs > 0 ? formatGap(r.penaltyMs, resolution) : QString()},
        {QStringLiteral("status"), r.status},
        {QStringLiteral("remark"), r.remark},
        {QStringLiteral("counts"), r.counts},
        {QStringLiteral("classPlace"), r.classPlace}};
    putTime(o, QStringLiteral("time"), r.timeMs ? std::optional<int64_t>(*r.timeMs) : std::nullopt,
            resolution);
    putTime(o, QStringLiteral("result"), r.resultMs, resolution);
    return o;
}

// What a ranking line carries: everything in the ranking API; in the state that every page gets
// pushed, only what the page shows (it goes to every phone after every run).
enum class RowDetail : uint8_t { Full, Page };

QJsonObject rowObject(const LiveRankRow& r, int resolution, RowDetail detail) {
    QJsonObject o{{QStringLiteral("place"), r.place},         {QStringLiteral("startNumber"), r.startNumber},
                  {QStringLiteral("name"), r.name},           {QStringLiteral("club"), r.club},
                  {QStringLiteral("kind"), kindName(r.kind)}, {QStringLiteral("runs"), r.runs}};
    putTime(o, QStringLiteral("result"), r.resultMs, resolution);
    // A result without a time shows its status code instead.
    if (!r.resultMs && r.kind != ResultKind::NoRun)
        o.insert(QStringLiteral("result"), kindName(r.kind).toUpper());
    o.insert(QStringLiteral("gapMs"), r.gapToLeaderMs ? QJsonValue(qint64(*r.gapToLeaderMs)) : QJsonValue());
    o.insert(QStringLiteral("gap"), formatGap(r.gapToLeaderMs, resolution));
    if (detail == RowDetail::Page)
        return o;
    o.insert(QStringLiteral("vehicle"), r.vehicle);
    o.insert(QStringLiteral("remark"), r.remark);
    o.insert(QStringLiteral("gapAheadMs"),
             r.gapToAheadMs ? QJsonValue(qint64(*r.gapToAheadMs)) : QJsonValue());
    o.insert(QStringLiteral("gapAhead"), formatGap(r.gapToAheadMs, resolution));
    return o;
}

QJsonObject classObject(const LiveClass& c, int resolution, RowDetail detail = RowDetail::Full) {
    QJsonArray rows;
    for (const LiveRankRow& r : c.rows)
        rows.append(rowObject(r, resolution, detail));
    return QJsonObject{
        {QStringLiteral("name"), c.name}, {QStringLiteral("title"), c.title}, {QStringLiteral("rows"), rows}};
}

QJsonObject currentObject(const LiveCurrent& c, uint32_t nowTick, int resolution) {
    QJsonObject o{{QStringLiteral("phase"), livePhaseName(c.phase)}};
    if (c.phase == LivePhase::Idle)
        return o;
    o.insert(QStringLiteral("startNumber"), c.startNumber);
    o.insert(QStringLiteral("name"), c.name);
    o.insert(QStringLiteral("class"), c.className);
    if (c.phase == LivePhase::Running) {
        // The tick counter wraps; the difference read as signed is the elapsed time either way.
        const int32_t elapsed = int32_t(nowTick - c.startTick);
        o.insert(QStringLiteral("elapsedMs"), std::max<int32_t>(0, elapsed));
    } else {
        putTime(o, QStringLiteral("time"), c.timeMs ? std::optional<int64_t>(*c.timeMs) : std::nullopt,
                resolution);
        o.insert(QStringLiteral("classPlace"), c.classPlace);
    }
    return o;
}

QByteArray compact(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

QString livePhaseName(LivePhase phase) {
    switch (phase) {
    case LivePhase::Running:
        return QStringLiteral("running");
    case LivePhase::Finished:
        return QStringLiteral("finished");
    case LivePhase::Idle:
        break;
    }
    return QStringLiteral("idle");
}

QByteArray liveStateJson(const LiveSnapshot& s, uint32_t nowTick) {
    QJsonArray lastRuns;
    for (qsizetype i = 0; i < s.runs.size() && i < LiveLastRunsShown; ++i)
        lastRuns.append(runObject(s.runs[i], s.resolution));
    QJsonArray classes;
    for (const LiveClass& c : s.classes)
        classes.append(classObject(c, s.resolution, RowDetail::Page));
    return compact(QJsonObject{{QStringLiteral("type"), QStringLiteral("state")},
                               {QStringLiteral("seq"), qint64(s.sequence)},
                               {QStringLiteral("event"), eventObject(s)},
                               {QStringLiteral("resolution"), s.resolution},
                               {QStringLiteral("current"), currentObject(s.current, nowTick, s.resolution)},
                               {QStringLiteral("lastRuns"), lastRuns},
                               {QStringLiteral("classes"), classes}});
}

QByteArray liveRunsJson(const LiveSnapshot& s) {
    QJsonArray runs;
    for (const LiveRun& r : s.runs)
        runs.append(runObject(r, s.resolution));
    return compact(QJsonObject{{QStringLiteral("seq"), qint64(s.sequence)}, {QStringLiteral("runs"), runs}});
}

std::optional<QByteArray> liveRankingJson(const LiveSnapshot& s, const std::optional<QString>& className) {
    if (!className) {
        QJsonArray classes;
        for (const LiveClass& c : s.classes)
            classes.append(classObject(c, s.resolution));
        return compact(
            QJsonObject{{QStringLiteral("seq"), qint64(s.sequence)}, {QStringLiteral("classes"), classes}});
    }
    const LiveClass* c = s.findClass(*className);
    if (!c)
        return std::nullopt;
    return compact(QJsonObject{{QStringLiteral("seq"), qint64(s.sequence)},
                               {QStringLiteral("class"), classObject(*c, s.resolution)}});
}
