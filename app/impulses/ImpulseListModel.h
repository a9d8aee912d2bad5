#pragma once

#include <QAbstractTableModel>

class ImpulseLog;

/// The impulse list's rows over an ImpulseLog: time of day to the millisecond, tick, what the
/// pass did and the run it belongs to. Follows the log as passes come and roles change.
class ImpulseListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, TickColumn, OutcomeColumn, RunColumn, ColumnCount };

    /// Shows `log` and takes its OnChanged.
    explicit ImpulseListModel(ImpulseLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ImpulseLog& m_log;
    int m_rows = 0;
};
