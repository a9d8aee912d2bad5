#include "app/results/CompetitorTableModel.h"

#include "app/results/EventDocument.h"
#include "event/EditCompetitorCommand.h"
#include "event/Ranking.h"

#include <QUndoStack>

#include <algorithm>

CompetitorTableModel::CompetitorTableModel(EventDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    connect(&document, &EventDocument::eventReplaced, this, &CompetitorTableModel::rebuild);
    // Undo and redo change entries behind the table's back.
    connect(&document, &EventDocument::modelChanged, this, [this](EventChange what, qint64) {
        if (what == EventChange::Competitor && rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    });
    rebuild();
}

void CompetitorTableModel::rebuild() {
    beginResetModel();
    m_ids.clear();
    QList<const Competitor*> shown;
    if (const EventModel* model = m_document.model())
        for (const Competitor& c : model->data().competitors)
            if (!c.deleted)
                shown.append(&c);
    std::stable_sort(shown.begin(), shown.end(), [](const Competitor* a, const Competitor* b) {
        return a->startNumber < b->startNumber;
    });
    for (const Competitor* c : shown)
        m_ids.append(c->id);
    endResetModel();
}

int64_t CompetitorTableModel::competitorId(int row) const {
    return row >= 0 && row < m_ids.size() ? m_ids[row] : 0;
}

int CompetitorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ids.size());
}

int CompetitorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CompetitorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[ColumnCount] = {
        QT_TR_NOOP("Nr."),    QT_TR_NOOP("Vorname"),  QT_TR_NOOP("Nachname"), QT_TR_NOOP("Klasse"),
        QT_TR_NOOP("Verein"), QT_TR_NOOP("Fahrzeug"), QT_TR_NOOP("Jahrgang"), QT_TR_NOOP("Geschlecht")};
    return tr(titles[section]);
}

Qt::ItemFlags CompetitorTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant CompetitorTableModel::data(const QModelIndex& index, int role) const {
    const EventModel* model = m_document.model();
    const Competitor* c = model ? model->competitor(competitorId(index.row())) : nullptr;
    if (!c || (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole))
        return {};
    switch (index.column()) {
    case Number:
        return c->startNumber;
    case FirstName:
        return c->firstName;
    case LastName:
        return c->lastName;
    case Class:
        // A class from the class table shows in brackets: it follows the year of birth.
        if (c->className.isEmpty() && role == Qt::DisplayRole) {
            const QString derived = classForYear(c->yearOfBirth, model->data().rules.classTable);
            return derived.isEmpty() ? QString() : QStringLiteral("(%1)").arg(derived);
        }
        return c->className;
    case Club:
        return c->club;
    case Vehicle:
        return c->vehicle;
    case Year:
        return c->yearOfBirth > 0 ? QVariant(c->yearOfBirth) : QVariant(QString());
    case Gender:
        return c->sex == Sex::Female ? tr("w") : c->sex == Sex::Male ? tr("m") : QString();
    }
    return {};
}

bool CompetitorTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    EventModel* model = m_document.model();
    const Competitor* current = model ? model->competitor(competitorId(index.row())) : nullptr;
    if (!current || role != Qt::EditRole)
        return false;
    Competitor c = *current;
    const QString text = value.toString().trimmed();
    auto refuse = [this](const QString& why) {
        if (OnRefused)
            OnRefused(why);
        return false;
    };
    switch (index.column()) {
    case Number: {
        bool ok = false;
        c.startNumber = text.toInt(&ok);
        if (!ok)
            return refuse(tr("„%1“ ist keine Startnummer.").arg(text));
        break;
    }
    case FirstName:
        c.firstName = text;
        break;
    case LastName:
        c.lastName = text;
        break;
    case Class:
        c.className = text;
        break;
    case Club:
        c.club = text;
        break;
    case Vehicle:
        c.vehicle = text;
        break;
    case Year: {
        bool ok = text.isEmpty();
        c.yearOfBirth = text.isEmpty() ? 0 : text.toInt(&ok);
        if (!ok || (c.yearOfBirth != 0 && (c.yearOfBirth < 1900 || c.yearOfBirth > 2100)))
            return refuse(tr("„%1“ ist kein Jahrgang.").arg(text));
        break;
    }
    case Gender: {
        const QString s = text.toLower();
        if (s.isEmpty())
            c.sex = Sex::Unknown;
        // The German letters are read in every language, as the start list reads them.
        else if (s == QLatin1String("w") || s == QLatin1String("weiblich") || s == tr("w").toLower())
            c.sex = Sex::Female;
        else if (s == QLatin1String("m") || s == QLatin1String("männlich") || s == tr("m").toLower())
            c.sex = Sex::Male;
        else
            return refuse(tr("Geschlecht: bitte „w“ oder „m“ eingeben."));
        break;
    }
    default:
        return false;
    }
    if (c == *current)
        return true;
    auto* command = new EditCompetitorCommand(*model, c);
    if (!command->problem().isEmpty()) {
        const QString why = command->problem();
        delete command;
        return refuse(why);
    }
    m_document.undoStack()->push(command);
    if (index.column() == Number)
        rebuild();
    return true;
}
