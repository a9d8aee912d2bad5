#include "event/ResultTexts.h"

#include "event/EventTexts.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace {

int64_t unitsOf(int resolution) {
    return resolution >= 2 ? 10 : resolution == 1 ? 100 : 1000;
}

} // namespace

QString formatResultTime(int64_t ms, int resolution) {
    const bool negative = ms < 0;
    const int64_t a = negative ? -ms : ms;
    QString text = QString::number(a / 1000);
    if (resolution >= 2)
        text += QStringLiteral(",%1").arg((a % 1000) / 10, 2, 10, QLatin1Char('0'));
    else if (resolution == 1)
        text += QStringLiteral(",%1").arg((a % 1000) / 100);
    return negative ? QLatin1Char('-') + text : text;
}

double resultSeconds(int64_t ms, int resolution) {
    const int64_t unit = unitsOf(resolution);
    const int64_t cut = (ms < 0 ? -((-ms) / unit) : ms / unit) * unit;
    return double(cut) / 1000.0;
}

QString formatGap(const std::optional<int64_t>& ms, int resolution) {
    if (!ms)
        return {};
    return (*ms >= 0 ? QStringLiteral("+") : QString()) + formatResultTime(*ms, resolution);
}

QString penaltyText(const RunRecord& run) {
    QStringList parts;
    if (run.cones > 0)
        parts << (run.cones == 1 ? QCoreApplication::translate("ResultTexts", "%1 Pylone")
                                 : QCoreApplication::translate("ResultTexts", "%1 Pylonen"))
                     .arg(run.cones);
    if (run.gates > 0)
        parts << (run.gates == 1 ? QCoreApplication::translate("ResultTexts", "%1 Tor")
                                 : QCoreApplication::translate("ResultTexts", "%1 Tore"))
                     .arg(run.gates);
    return parts.join(QStringLiteral(", "));
}

QString runRemark(const RunCell& cell) {
    QStringList parts;
    if (cell.run.needsCheck)
        parts << QCoreApplication::translate("ResultTexts", "prüfen");
    if (cell.run.voided)
        parts << QCoreApplication::translate("ResultTexts", "ungültig");
    if (cell.training)
        parts << QCoreApplication::translate("ResultTexts", "Training");
    if (cell.dropped)
        parts << QCoreApplication::translate("ResultTexts", "Streicher");
    if (cell.run.status != RunStatus::Finished) {
        QString status = runStatusText(cell.run.status);
        if (cell.run.status == RunStatus::Disqualified && !cell.run.disqualifyReason.trimmed().isEmpty())
            status += QStringLiteral(" (%1)").arg(cell.run.disqualifyReason.trimmed());
        parts << status;
    }
    const QString penalties = penaltyText(cell.run);
    if (!penalties.isEmpty())
        parts << penalties;
    if (!cell.run.correction.trimmed().isEmpty())
        parts << QCoreApplication::translate("ResultTexts", "korrigiert: %1")
                     .arg(cell.run.correction.trimmed());
    return parts.join(QStringLiteral(", "));
}

QString resultText(const StandingRow& row, int resolution) {
    switch (row.kind) {
    case ResultKind::Full:
    case ResultKind::Partial:
        return formatResultTime(*row.resultMs, resolution);
    case ResultKind::DidNotFinish:
        return runStatusCode(RunStatus::DidNotFinish);
    case ResultKind::DidNotStart:
        return runStatusCode(RunStatus::DidNotStart);
    case ResultKind::Disqualified:
        return runStatusCode(RunStatus::Disqualified);
    case ResultKind::NoRun:
        break;
    }
    return {};
}

QString rowRemark(const StandingRow& row) {
    QStringList parts;
    if (row.kind == ResultKind::Partial)
        parts << (row.countedRuns == 1
                      ? QCoreApplication::translate("ResultTexts", "unvollständig (%1 Lauf gewertet)")
                      : QCoreApplication::translate("ResultTexts", "unvollständig (%1 Läufe gewertet)"))
                     .arg(row.countedRuns);
    for (qsizetype i = 0; i < row.runs.size(); ++i) {
        const QString remark = runRemark(row.runs[i]);
        if (!remark.isEmpty())
            parts << QCoreApplication::translate("ResultTexts", "Lauf %1: %2").arg(i + 1).arg(remark);
    }
    return parts.join(QStringLiteral(" / "));
}
