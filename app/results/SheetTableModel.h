#pragma once

#include "event/ResultsSheet.h"

#include <QAbstractTableModel>

/// One section of the results (a class, the overall ranking, the teams, the honours) as a
/// read-only table: the same cells the printed list and the files show.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Shows `section`.
    void setSection(const SheetSection& section);
    /// The section shown.
    const SheetSection& section() const { return m_section; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    SheetSection m_section;
};
