#include "app/impulses/ImpulseLog.h"

#include <QCoreApplication>

#include "app/run/RunTexts.h"

namespace {

QString roleWord(PassRole role) {
    return role == PassRole::Lap ? QStringLiteral("LAP") : QStringLiteral("STOP");
}

} // namespace

void ImpulseLog::Load(QByteArrayView contents) {
    qsizetype begin = 0;
    while (begin < contents.size()) {
        qsizetype end = begin;
        while (end < contents.size() && contents[end] != '\n')
            ++end;
        if (const std::optional<JournalRecord> record = ParseJournalLine(contents.sliced(begin, end - begin)))
            Add(*record);
        begin = end + 1;
    }
}

void ImpulseLog::startRun(const QDateTime& at, std::optional<uint32_t> tick) {
    ImpulseRun run;
    run.startAt = at;
    run.startTick = tick;
    m_runs.append(run);
    m_current = int(m_runs.size() - 1);
}

void ImpulseLog::Add(const JournalRecord& record) {
    switch (record.kind) {
    case JournalKind::Open:
    case JournalKind::Closed:
        // A new session starts idle; nothing of a run under way before carries over.
        m_current = -1;
        m_awaitingNumber = m_awaitingStart = false;
        return;
    case JournalKind::Line: {
        const ProtocolLine& line = record.line;
        if (line.who == QLatin1String("  Nr.:")) {
            // The pass that ran START is journalled before the lines START writes; a START by
            // hand has no pass and its run begins here.
            if (!m_awaitingNumber || m_current < 0)
                startRun(record.at, std::nullopt);
            m_runs[m_current].startNumber = line.time.trimmed().toInt();
            m_runs[m_current].name = line.speed.trimmed();
            m_awaitingNumber = false;
            m_awaitingStart = true;
        } else if (line.who == QLatin1String("Start:") && m_awaitingStart && m_current >= 0) {
            m_runs[m_current].startText = line.note;
            m_awaitingStart = false;
        }
        return;
    }
    case JournalKind::Edge:
        break;
    default:
        return;
    }

    if (record.outcome == EdgeOutcome::Start) {
        startRun(record.at, record.tick);
        m_awaitingNumber = true;
        m_awaitingStart = false;
    }
    Impulse impulse;
    impulse.at = record.at;
    impulse.tick = record.tick;
    impulse.outcome = record.outcome;
    impulse.run = m_current;
    const int index = int(m_impulses.size());
    if (m_current >= 0) {
        if (record.outcome == EdgeOutcome::Lap)
            m_runs[m_current].lapPass = index;
        else if (record.outcome == EdgeOutcome::Stop)
            m_runs[m_current].stopPass = index;
    }
    m_impulses.append(impulse);
    if (OnChanged)
        OnChanged(index, 1);
}

std::optional<PassAssignment> ImpulseLog::PlanAssignment(int pass, PassRole role, int lenLuch, int acc,
                                                         const QString& decimalPoint, QString* why) const {
    const auto refuse = [why](const QString& text) -> std::optional<PassAssignment> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    if (pass < 0 || pass >= m_impulses.size())
        return refuse(
            QCoreApplication::translate("ImpulseLog", "Bitte zuerst einen Impuls in der Liste wählen."));
    const Impulse& p = m_impulses[pass];
    if (p.assigned)
        return refuse(
            QCoreApplication::translate("ImpulseLog", "Dieser Impuls ist bereits als %1 übernommen.")
                .arg(roleWord(*p.assigned)));
    if (!p.ignored())
        return refuse(QCoreApplication::translate(
                          "ImpulseLog", "Dieser Impuls hat %1 ausgelöst; übernommen werden können nur "
                                        "ignorierte Impulse.")
                          .arg(OutcomeText(pass)));
    if (p.run < 0)
        return refuse(QCoreApplication::translate("ImpulseLog", "Zu diesem Impuls gehört kein Lauf."));
    const ImpulseRun& run = m_runs[p.run];
    if (!run.startTick)
        return refuse(QCoreApplication::translate(
                          "ImpulseLog",
                          "%1 wurde von Hand gestartet: ohne den Impuls seines STARTs lässt sich "
                          "keine Zeit berechnen.")
                          .arg(RunText(p.run)));
    const int32_t fromStart = TickInterval(*run.startTick, p.tick);
    if (fromStart <= 0)
        return refuse(
            QCoreApplication::translate("ImpulseLog", "Der Impuls liegt nicht nach dem START des Laufs."));

    PassAssignment a;
    a.pass = pass;
    a.role = role;
    a.run = p.run;
    const auto speedOf = [&](int32_t lapToStop) {
        const SpeedResult s = ComputeSpeed(lenLuch, lapToStop, decimalPoint);
        return s;
    };
    if (role == PassRole::Lap) {
        a.previousPass = run.lapPass;
        a.lapTimeMs = fromStart;
        a.line = ProtocolLine{QStringLiteral("  Lap:"), FormatRunTime(fromStart, acc), QString(), QString()};
        if (run.stopPass >= 0) {
            const uint32_t stopTick = m_impulses[run.stopPass].tick;
            if (TickInterval(p.tick, stopTick) < 0)
                return refuse(QCoreApplication::translate(
                    "ImpulseLog", "Der Impuls liegt nach dem STOP des Laufs; als LAP kommt er "
                                  "nicht in Frage."));
            a.runTimeMs = TickInterval(*run.startTick, stopTick);
            a.speed = speedOf(TickInterval(p.tick, stopTick)).value;
        }
        return a;
    }
    if (run.lapPass < 0)
        return refuse(QCoreApplication::translate(
            "ImpulseLog", "Der Lauf hat keine Zwischenzeit (LAP): nehmen Sie zuerst einen Impuls "
                          "als LAP."));
    const uint32_t lapTick = m_impulses[run.lapPass].tick;
    const int32_t lapToStop = TickInterval(lapTick, p.tick);
    if (lapToStop < 0)
        return refuse(QCoreApplication::translate(
            "ImpulseLog", "Der Impuls liegt vor dem LAP des Laufs; als STOP kommt er nicht in Frage."));
    const SpeedResult speed = speedOf(lapToStop);
    a.previousPass = run.stopPass;
    a.lapTimeMs = TickInterval(*run.startTick, lapTick);
    a.runTimeMs = fromStart;
    a.speed = speed.value;
    a.line = ProtocolLine{QStringLiteral("Stopp:"), FormatRunTime(fromStart, acc), speed.speedText,
                          speed.noteText};
    return a;
}

void ImpulseLog::Assign(const PassAssignment& a) {
    if (a.pass < 0 || a.pass >= m_impulses.size() || a.run < 0 || a.run >= m_runs.size())
        return;
    m_impulses[a.pass].assigned = a.role;
    (a.role == PassRole::Lap ? m_runs[a.run].lapPass : m_runs[a.run].stopPass) = a.pass;
    if (OnChanged)
        OnChanged(a.pass, 0);
}

void ImpulseLog::Unassign(const PassAssignment& a) {
    if (a.pass < 0 || a.pass >= m_impulses.size() || a.run < 0 || a.run >= m_runs.size())
        return;
    m_impulses[a.pass].assigned.reset();
    (a.role == PassRole::Lap ? m_runs[a.run].lapPass : m_runs[a.run].stopPass) = a.previousPass;
    if (OnChanged)
        OnChanged(a.pass, 0);
}

QString ImpulseLog::OutcomeText(int pass) const {
    if (pass < 0 || pass >= m_impulses.size())
        return {};
    const Impulse& p = m_impulses[pass];
    const ImpulseRun* run = p.run >= 0 ? &m_runs[p.run] : nullptr;
    if (p.assigned) {
        const int holder = !run ? pass : *p.assigned == PassRole::Lap ? run->lapPass : run->stopPass;
        return QCoreApplication::translate("ImpulseLog", "als %1 übernommen%2")
            .arg(roleWord(*p.assigned),
                 holder == pass ? QString() : QCoreApplication::translate("ImpulseLog", ", ersetzt"));
    }
    switch (p.outcome) {
    case EdgeOutcome::Start:
        return QStringLiteral("START");
    case EdgeOutcome::Lap:
        return run && run->lapPass != pass ? QCoreApplication::translate("ImpulseLog", "LAP, ersetzt")
                                           : QStringLiteral("LAP");
    case EdgeOutcome::Stop:
        return run && run->stopPass != pass ? QCoreApplication::translate("ImpulseLog", "STOP, ersetzt")
                                            : QStringLiteral("STOP");
    case EdgeOutcome::IgnoredDeadTime:
        return QCoreApplication::translate("ImpulseLog", "ignoriert (Sperrzeit)");
    case EdgeOutcome::IgnoredAfterStop:
        return run ? QCoreApplication::translate("ImpulseLog", "ignoriert (nach STOP)")
                   : QCoreApplication::translate("ImpulseLog", "ignoriert (kein Lauf)");
    }
    return {};
}

QString ImpulseLog::RunText(int index) const {
    if (index < 0 || index >= m_runs.size())
        return {};
    const ImpulseRun& run = m_runs[index];
    QString text = run.startNumber > 0
                       ? QCoreApplication::translate("ImpulseLog", "Nr. %1").arg(run.startNumber)
                       : QCoreApplication::translate("ImpulseLog", "Lauf ohne Nummer");
    if (!run.name.isEmpty())
        text += QLatin1Char(' ') + run.name;
    if (!run.startText.isEmpty())
        text += QCoreApplication::translate("ImpulseLog", ", Start %1").arg(run.startText);
    if (!run.startTick)
        text += QCoreApplication::translate("ImpulseLog", " (von Hand gestartet)");
    return text;
}
