#include "app/live/SpectatorContent.h"

#include "event/ResultTexts.h"
#include "live/LiveSnapshotBuilder.h"

#include <QCoreApplication>

namespace {

QString rowResult(const LiveRankRow& row, int resolution) {
    if (row.resultMs)
        return formatResultTime(*row.resultMs, resolution);
    switch (row.kind) {
    case ResultKind::DidNotFinish:
        return QStringLiteral("DNF");
    case ResultKind::DidNotStart:
        return QStringLiteral("DNS");
    case ResultKind::Disqualified:
        return QStringLiteral("DSQ");
    default:
        break;
    }
    return {};
}

QString numberAndName(int number, const QString& name) {
    return name.isEmpty() ? QString::number(number) : QStringLiteral("%1  %2").arg(number).arg(name);
}

} // namespace

SpectatorContent spectatorContent(const LiveSnapshot& s, int rotation) {
    SpectatorContent c;
    c.phase = s.current.phase;
    const LiveRun* last = s.runs.isEmpty() ? nullptr : &s.runs.first();
    int highlighted = 0;
    const LiveClass* shown = nullptr;
    if (s.current.phase != LivePhase::Idle) {
        c.startTick = s.current.startTick;
        c.finalTimeMs = s.current.timeMs.value_or(0);
        c.competitor = numberAndName(s.current.startNumber, s.current.name);
        c.competitorClass = liveClassTitle(s.current.className);
        highlighted = s.current.startNumber;
        shown = s.findClass(s.current.className);
    }
    if (last) {
        QString result = last->resultMs ? formatResultTime(*last->resultMs, s.resolution) : last->status;
        if (last->penaltyMs > 0)
            result += QStringLiteral(" (%1)").arg(formatGap(last->penaltyMs, s.resolution));
        c.lastWho = numberAndName(last->startNumber, last->name);
        c.lastResult = result;
        if (last->classPlace > 0)
            c.lastResult +=
                QCoreApplication::translate("SpectatorContent", "   Platz %1").arg(last->classPlace);
        if (!shown && rotation == 0) {
            shown = s.findClass(last->className);
            highlighted = last->startNumber;
        }
    }
    if (!shown && !s.classes.isEmpty())
        shown = &s.classes[((rotation % s.classes.size()) + s.classes.size()) % s.classes.size()];
    if (!shown)
        return c;
    c.tableTitle = shown->title;
    for (qsizetype i = 0; i < shown->rows.size() && i < SpectatorTableRows; ++i) {
        const LiveRankRow& r = shown->rows[i];
        c.rows.append({r.place > 0 ? QStringLiteral("%1.").arg(r.place) : QString(),
                       QString::number(r.startNumber), r.name, rowResult(r, s.resolution),
                       r.startNumber == highlighted});
    }
    return c;
}
