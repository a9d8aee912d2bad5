#include "app/results/AuditTableModel.h"

#include "app/results/EventDocument.h"
#include "event/AuditTexts.h"

AuditTableModel::AuditTableModel(EventDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    connect(&document, &EventDocument::refreshed, this, &AuditTableModel::refresh);
    connect(&document, &EventDocument::eventReplaced, this, &AuditTableModel::rebuild);
    rebuild();
}

void AuditTableModel::rebuild() {
    beginResetModel();
    m_shown = m_document.model() ? int(m_document.model()->data().audit.size()) : 0;
    endResetModel();
}

void AuditTableModel::refresh() {
    const int total = m_document.model() ? int(m_document.model()->data().audit.size()) : 0;
    if (total < m_shown) {
        rebuild();
        return;
    }
    // Entries are only added: the new ones come in at the top.
    if (total > m_shown) {
        beginInsertRows({}, 0, total - m_shown - 1);
        m_shown = total;
        endInsertRows();
    }
}

int AuditTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shown;
}

int AuditTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AuditTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[ColumnCount] = {
        QT_TR_NOOP("Zeit"), QT_TR_NOOP("Art"), QT_TR_NOOP("Betrifft"), QT_TR_NOOP("Was"),
        QT_TR_NOOP("alt"),  QT_TR_NOOP("neu"), QT_TR_NOOP("Grund")};
    return tr(titles[section]);
}

QVariant AuditTableModel::data(const QModelIndex& index, int role) const {
    const EventModel* model = m_document.model();
    if (!model || role != Qt::DisplayRole || index.row() >= m_shown)
        return {};
    const QList<AuditEntry>& audit = model->data().audit;
    const AuditEntry& e = audit[m_shown - 1 - index.row()];
    switch (index.column()) {
    case Time:
        return e.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    case Action:
        switch (e.action) {
        case AuditAction::Edit:
            return tr("Änderung");
        case AuditAction::Undo:
            return tr("rückgängig");
        case AuditAction::Redo:
            return tr("wiederholt");
        }
        return {};
    case Subject:
        if (const RunRecord* run = model->run(e.runId))
            return tr("Lauf %1 von Nr. %2").arg(run->runNumber).arg(run->startNumber);
        if (const Competitor* c = model->competitor(e.competitorId))
            return tr("Nr. %1 %2").arg(c->startNumber).arg(c->displayName());
        return {};
    case What:
        return auditText(e.what);
    case Old:
        return auditText(e.oldValue);
    case New:
        return auditText(e.newValue);
    case Reason:
        return e.reason;
    }
    return {};
}
