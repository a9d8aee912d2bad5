#include "event/ResultsSheet.h"

#include "event/AuditTexts.h"
#include "event/EventTexts.h"
#include "event/ResultTexts.h"

#include <QCoreApplication>
#include <QHash>

namespace {

SheetCell textCell(const QString& text) {
    SheetCell c;
    c.text = text;
    return c;
}

SheetCell numberCell(int n) {
    SheetCell c;
    c.text = QString::number(n);
    c.value = n;
    return c;
}

SheetCell timeCell(int64_t ms, int resolution) {
    SheetCell c;
    c.text = formatResultTime(ms, resolution);
    c.value = resultSeconds(ms, resolution);
    c.decimals = std::clamp(resolution, 0, 2);
    return c;
}

SheetCell runCell(const RunCell& run, int resolution) {
    SheetCell c =
        run.resultMs ? timeCell(*run.resultMs, resolution) : textCell(runStatusCode(run.run.status));
    if (!run.resultMs && c.text.isEmpty())
        c.text = QStringLiteral("–");
    c.note = runRemark(run);
    if (run.training)
        c.marks << QStringLiteral("training");
    if (run.dropped)
        c.marks << QStringLiteral("dropped");
    if (run.run.voided)
        c.marks << QStringLiteral("void");
    if (!run.run.correction.trimmed().isEmpty())
        c.marks << QStringLiteral("corrected");
    if (run.run.status == RunStatus::Disqualified)
        c.marks << QStringLiteral("dsq");
    return c;
}

QString classTitle(const QString& name) {
    return name.isEmpty() ? QCoreApplication::translate("ResultsSheet", "ohne Klasse")
                          : QCoreApplication::translate("ResultsSheet", "Klasse %1").arg(name);
}

SheetSection rankingSection(const QString& title, const QList<StandingRow>& rows, int resolution) {
    SheetSection s;
    s.title = title;
    qsizetype runs = 0;
    for (const StandingRow& r : rows)
        runs = std::max(runs, r.runs.size());
    s.headings << QCoreApplication::translate("ResultsSheet", "Platz")
               << QCoreApplication::translate("ResultsSheet", "Nr.")
               << QCoreApplication::translate("ResultsSheet", "Name")
               << QCoreApplication::translate("ResultsSheet", "Klasse")
               << QCoreApplication::translate("ResultsSheet", "Verein");
    for (qsizetype i = 0; i < runs; ++i)
        s.headings << QCoreApplication::translate("ResultsSheet", "Lauf %1").arg(i + 1);
    s.headings << QCoreApplication::translate("ResultsSheet", "Ergebnis")
               << QCoreApplication::translate("ResultsSheet", "Abstand")
               << QCoreApplication::translate("ResultsSheet", "Abstand zum Vorderen")
               << QCoreApplication::translate("ResultsSheet", "Bemerkung");
    for (const StandingRow& r : rows) {
        QList<SheetCell> line;
        line << (r.place > 0 ? numberCell(r.place) : textCell(QString()))
             << numberCell(r.competitor.startNumber) << textCell(r.competitor.displayName())
             << textCell(r.className) << textCell(r.competitor.club);
        for (qsizetype i = 0; i < runs; ++i)
            line << (i < r.runs.size() ? runCell(r.runs[i], resolution) : textCell(QString()));
        line << (r.resultMs ? timeCell(*r.resultMs, resolution) : textCell(resultText(r, resolution)));
        for (const std::optional<int64_t>& gap : {r.gapToLeaderMs, r.gapToAheadMs}) {
            SheetCell c = gap ? timeCell(*gap, resolution) : textCell(QString());
            c.text = formatGap(gap, resolution);
            line << c;
        }
        line << textCell(rowRemark(r));
        s.rows.append(line);
    }
    return s;
}

} // namespace

QList<SheetSection> resultSections(const Standings& standings, int resolution) {
    QList<SheetSection> sections;
    for (const ClassRanking& c : standings.classes)
        sections << rankingSection(classTitle(c.className), c.rows, resolution);
    if (standings.classes.size() > 1)
        sections << rankingSection(QCoreApplication::translate("ResultsSheet", "Gesamtwertung"),
                                   standings.overall, resolution);

    QHash<int, const StandingRow*> byNumber;
    for (const StandingRow& r : standings.overall)
        byNumber.insert(r.competitor.startNumber, &r);
    auto who = [&](int number) {
        const StandingRow* r = byNumber.value(number);
        const QString name = r ? r->competitor.displayName() : QString();
        return name.isEmpty() ? QCoreApplication::translate("ResultsSheet", "Nr. %1").arg(number)
                              : QStringLiteral("%1 (%2)").arg(name).arg(number);
    };

    if (!standings.teams.isEmpty()) {
        SheetSection s;
        s.title = QCoreApplication::translate("ResultsSheet", "Mannschaftswertung");
        s.headings << QCoreApplication::translate("ResultsSheet", "Platz")
                   << QCoreApplication::translate("ResultsSheet", "Verein")
                   << QCoreApplication::translate("ResultsSheet", "Fahrer")
                   << QCoreApplication::translate("ResultsSheet", "Ergebnis")
                   << QCoreApplication::translate("ResultsSheet", "Bemerkung");
        const bool places = standings.teamScoring == TeamScoring::SumOfClassPlaces;
        for (const TeamRow& t : standings.teams) {
            QStringList members;
            for (int n : t.memberNumbers)
                members << who(n);
            SheetCell result = places ? numberCell(int(t.result)) : timeCell(t.result, resolution);
            s.rows.append(
                {numberCell(t.place), textCell(t.club), textCell(members.join(QStringLiteral(", "))), result,
                 textCell(t.complete ? QString()
                                     : QCoreApplication::translate("ResultsSheet", "unvollständig"))});
        }
        sections << s;
    }

    if (!standings.honours.fastestGirl.isEmpty() || !standings.honours.fastestBoy.isEmpty()) {
        SheetSection s;
        s.title = QCoreApplication::translate("ResultsSheet", "Ehrungen");
        s.headings << QCoreApplication::translate("ResultsSheet", "Ehrung")
                   << QCoreApplication::translate("ResultsSheet", "Nr.")
                   << QCoreApplication::translate("ResultsSheet", "Name")
                   << QCoreApplication::translate("ResultsSheet", "Klasse")
                   << QCoreApplication::translate("ResultsSheet", "Ergebnis");
        auto add = [&](const QString& title, const QList<int>& numbers) {
            for (int n : numbers) {
                const StandingRow* r = byNumber.value(n);
                if (!r)
                    continue;
                s.rows.append({textCell(title), numberCell(n), textCell(r->competitor.displayName()),
                               textCell(r->className), timeCell(*r->resultMs, resolution)});
            }
        };
        add(QCoreApplication::translate("ResultsSheet", "schnellstes Mädchen"),
            standings.honours.fastestGirl);
        add(QCoreApplication::translate("ResultsSheet", "schnellster Junge"), standings.honours.fastestBoy);
        sections << s;
    }
    return sections;
}

QStringList resultTitleLines(const EventInfo& info) {
    QStringList lines{QCoreApplication::translate("ResultsSheet", "Ergebnisliste")};
    if (!info.name.trimmed().isEmpty())
        lines << info.name.trimmed();
    QStringList when;
    if (info.date.isValid())
        when << info.date.toString(QStringLiteral("dd.MM.yyyy"));
    if (!info.place.trimmed().isEmpty())
        when << info.place.trimmed();
    if (!when.isEmpty())
        lines << when.join(QStringLiteral(", "));
    return lines;
}

SheetSection auditSection(const EventData& data) {
    SheetSection s;
    s.title = QCoreApplication::translate("ResultsSheet", "Änderungsprotokoll");
    s.headings << QCoreApplication::translate("ResultsSheet", "Zeit")
               << QCoreApplication::translate("ResultsSheet", "Art")
               << QCoreApplication::translate("ResultsSheet", "Betrifft")
               << QCoreApplication::translate("ResultsSheet", "Was")
               << QCoreApplication::translate("ResultsSheet", "alt")
               << QCoreApplication::translate("ResultsSheet", "neu")
               << QCoreApplication::translate("ResultsSheet", "Grund");
    QHash<int64_t, const RunRecord*> runs;
    for (const RunRecord& r : data.runs)
        runs.insert(r.id, &r);
    QHash<int64_t, const Competitor*> competitors;
    for (const Competitor& c : data.competitors)
        competitors.insert(c.id, &c);
    for (const AuditEntry& e : data.audit) {
        const QString kind =
            e.action == AuditAction::Undo   ? QCoreApplication::translate("ResultsSheet", "rückgängig")
            : e.action == AuditAction::Redo ? QCoreApplication::translate("ResultsSheet", "wiederholt")
                                            : QCoreApplication::translate("ResultsSheet", "Änderung");
        QString subject;
        if (const RunRecord* r = runs.value(e.runId))
            subject = QCoreApplication::translate("ResultsSheet", "Lauf %1 von Nr. %2")
                          .arg(r->runNumber)
                          .arg(r->startNumber);
        else if (const Competitor* c = competitors.value(e.competitorId))
            subject = QCoreApplication::translate("ResultsSheet", "Nr. %1 %2")
                          .arg(c->startNumber)
                          .arg(c->displayName());
        s.rows.append({textCell(e.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))), textCell(kind),
                       textCell(subject), textCell(auditText(e.what)), textCell(auditText(e.oldValue)),
                       textCell(auditText(e.newValue)), textCell(e.reason)});
    }
    return s;
}
