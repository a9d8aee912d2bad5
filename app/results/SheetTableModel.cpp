#include "app/results/SheetTableModel.h"

#include <QBrush>
#include <QFont>

void SheetTableModel::setSection(const SheetSection& section) {
    const bool sameShape =
        section.headings == m_section.headings && section.rows.size() == m_section.rows.size();
    if (sameShape) {
        m_section = section;
        if (!m_section.rows.isEmpty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        return;
    }
    beginResetModel();
    m_section = section;
    endResetModel();
}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_section.rows.size());
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_section.headings.size());
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_section.rows.size())
        return {};
    const QList<SheetCell>& row = m_section.rows[index.row()];
    if (index.column() >= row.size())
        return {};
    const SheetCell& cell = row[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        // A run's penalties and marks under its time, as on the printed list.
        return cell.note.isEmpty() ? cell.text : cell.text + QStringLiteral("\n") + cell.note;
    case Qt::ToolTipRole:
        return cell.note.isEmpty() ? QVariant() : QVariant(cell.note);
    case Qt::TextAlignmentRole:
        return cell.value ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (cell.marks.contains(QStringLiteral("training")) ||
            cell.marks.contains(QStringLiteral("dropped")) || cell.marks.contains(QStringLiteral("void")))
            return QBrush(Qt::gray);
        if (cell.marks.contains(QStringLiteral("dsq")))
            return QBrush(Qt::darkRed);
        return {};
    case Qt::FontRole:
        if (cell.marks.contains(QStringLiteral("dropped")) ||
            cell.marks.contains(QStringLiteral("training"))) {
            QFont f;
            f.setItalic(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_section.headings.size())
        return m_section.headings[section];
    return {};
}
