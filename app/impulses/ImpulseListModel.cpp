#include "app/impulses/ImpulseListModel.h"

#include "app/impulses/ImpulseLog.h"

#include <QBrush>
#include <QFont>

ImpulseListModel::ImpulseListModel(ImpulseLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log), m_rows(int(log.Impulses().size())) {
    m_log.OnChanged = [this](int first, int count) {
        if (count > 0) {
            beginInsertRows({}, m_rows, int(m_log.Impulses().size()) - 1);
            m_rows = int(m_log.Impulses().size());
            endInsertRows();
            return;
        }
        // A role changed: the pass itself and those its run's texts depend on ("LAP, ersetzt").
        emit dataChanged(index(0, OutcomeColumn), index(m_rows - 1, OutcomeColumn));
        Q_UNUSED(first);
    };
}

int ImpulseListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ImpulseListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ImpulseListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows)
        return {};
    const Impulse& p = m_log.Impulses()[index.row()];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case TimeColumn:
            return p.at.toString(QStringLiteral("HH:mm:ss.zzz"));
        case TickColumn:
            return QString::number(p.tick);
        case OutcomeColumn:
            return m_log.OutcomeText(index.row());
        case RunColumn:
            return p.run >= 0 ? m_log.RunText(p.run) : QStringLiteral("–");
        }
    } else if (role == Qt::ForegroundRole && p.ignored() && !p.assigned) {
        return QBrush(Qt::darkGray);
    } else if (role == Qt::FontRole && p.assigned) {
        QFont font;
        font.setBold(true);
        return font;
    } else if (role == Qt::TextAlignmentRole && index.column() == TickColumn) {
        return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant ImpulseListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn:
        return tr("Uhrzeit");
    case TickColumn:
        return tr("Tick");
    case OutcomeColumn:
        return tr("Wirkung");
    case RunColumn:
        return tr("Lauf");
    }
    return {};
}
