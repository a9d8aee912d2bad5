#include "event/Plausibility.h"

#include "event/ResultTexts.h"

#include <QCoreApplication>
#include <QStringList>

QList<PlausibilityIssue> plausibilityIssues(const RunRecord& run, const EventRules& rules) {
    QList<PlausibilityIssue> issues;
    if (run.status != RunStatus::Finished || !run.runTimeMs)
        return issues;
    if (rules.minRunTimeMs > 0 && *run.runTimeMs < rules.minRunTimeMs)
        issues << PlausibilityIssue::TooShort;
    if (rules.maxRunTimeMs > 0 && *run.runTimeMs > rules.maxRunTimeMs)
        issues << PlausibilityIssue::TooLong;
    // A speed of 0 means "not measured" (LAP and STOP within one tick), never "standing still".
    if (rules.maxSpeed > 0 && run.speed && *run.speed > 0 && *run.speed > rules.maxSpeed)
        issues << PlausibilityIssue::TooFast;
    return issues;
}

bool isImplausible(const RunRecord& run, const EventRules& rules) {
    return !plausibilityIssues(run, rules).isEmpty();
}

namespace {

QString seconds(int64_t ms) {
    return formatResultTime(ms, 2) + QStringLiteral(" s");
}

QString kmh(int64_t thousandths) {
    return formatResultTime(thousandths, 2) + QStringLiteral(" km/h");
}

} // namespace

QString plausibilityText(const RunRecord& run, const EventRules& rules) {
    QStringList parts;
    for (PlausibilityIssue issue : plausibilityIssues(run, rules)) {
        switch (issue) {
        case PlausibilityIssue::TooShort:
            parts << QCoreApplication::translate("Plausibility", "Laufzeit %1 unter %2")
                         .arg(seconds(*run.runTimeMs), seconds(rules.minRunTimeMs));
            break;
        case PlausibilityIssue::TooLong:
            parts << QCoreApplication::translate("Plausibility", "Laufzeit %1 über %2")
                         .arg(seconds(*run.runTimeMs), seconds(rules.maxRunTimeMs));
            break;
        case PlausibilityIssue::TooFast:
            parts << QCoreApplication::translate("Plausibility", "%1 über %2")
                         .arg(kmh(*run.speed), kmh(rules.maxSpeed));
            break;
        }
    }
    return parts.join(QStringLiteral(", "));
}

QString runCheckNotice(const RunRecord& run, const EventRules& rules) {
    if (!run.needsCheck)
        return {};
    const QString text =
        run.runNumber > 0 ? QCoreApplication::translate("Plausibility", "Nr. %1, Lauf %2 prüfen")
                                .arg(run.startNumber)
                                .arg(run.runNumber)
                          : QCoreApplication::translate("Plausibility", "Nr. %1 prüfen").arg(run.startNumber);
    const QString why = plausibilityText(run, rules);
    return why.isEmpty() ? text : text + QStringLiteral(": ") + why;
}
