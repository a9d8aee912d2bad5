#include "event/EditCompetitorCommand.h"

#include "event/AuditTexts.h"

#include "event/EventModel.h"

EditCompetitorCommand::EditCompetitorCommand(EventModel& model, Competitor entry, QString reason)
    : m_model(model), m_new(std::move(entry)), m_reason(std::move(reason)) {
    setText(tr("Startliste ändern"));
    if (const Competitor* current = model.competitor(m_new.id))
        m_old = *current;
    else
        m_problem = tr("Diesen Eintrag gibt es in der Startliste nicht.");
    if (m_problem.isEmpty() && (m_new.startNumber < 1 || m_new.startNumber > 65535))
        m_problem = tr("Die Startnummer %1 liegt nicht zwischen 1 und 65535.").arg(m_new.startNumber);
    const Competitor* holder = model.competitorByNumber(m_new.startNumber);
    if (m_problem.isEmpty() && !m_new.deleted && holder && holder->id != m_new.id)
        m_problem = tr("Die Startnummer %1 hat schon %2.").arg(m_new.startNumber).arg(holder->displayName());
    if (!m_problem.isEmpty())
        setObsolete(true);
}

void EditCompetitorCommand::redo() {
    if (!m_problem.isEmpty())
        return;
    change(m_old, m_new, int(m_done ? AuditAction::Redo : AuditAction::Edit));
    m_done = true;
}

void EditCompetitorCommand::undo() {
    if (m_problem.isEmpty())
        change(m_new, m_old, int(AuditAction::Undo));
}

void EditCompetitorCommand::change(const Competitor& from, const Competitor& to, int action) {
    m_model.setCompetitor(to);
    AuditEntry entry;
    entry.action = AuditAction(action);
    entry.competitorId = to.id;
    entry.what = storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Startliste Nr. %1")).arg(from.startNumber);
    entry.oldValue = describe(from, to);
    entry.newValue = describe(to, from);
    entry.reason = m_reason;
    m_model.addAudit(entry);
}

// The fields of `entry` that differ from `other`, "Name: Anna Berg; Klasse: K2".
QString EditCompetitorCommand::describe(const Competitor& entry, const Competitor& other) const {
    QStringList parts;
    auto add = [&parts](bool differs, const QString& label, const QString& value) {
        if (differs)
            parts << label + QStringLiteral(": ") + value;
    };
    add(entry.startNumber != other.startNumber, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Nr.")),
        QString::number(entry.startNumber));
    add(entry.displayName() != other.displayName() || entry.firstName != other.firstName,
        storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Name")), entry.displayName());
    add(entry.className != other.className, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Klasse")),
        entry.className);
    add(entry.club != other.club, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Verein")), entry.club);
    add(entry.vehicle != other.vehicle, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Fahrzeug")),
        entry.vehicle);
    add(entry.yearOfBirth != other.yearOfBirth, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Jahrgang")),
        entry.yearOfBirth ? QString::number(entry.yearOfBirth) : QString());
    add(entry.sex != other.sex, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "Geschlecht")),
        entry.sex == Sex::Female ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "w"))
        : entry.sex == Sex::Male ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "m"))
                                 : QString());
    add(entry.deleted != other.deleted, storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "gelöscht")),
        entry.deleted ? storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "ja"))
                      : storedAuditText(QT_TRANSLATE_NOOP("AuditTexts", "nein")));
    return parts.join(QStringLiteral("; "));
}
