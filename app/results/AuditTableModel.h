#pragma once

#include <QAbstractTableModel>

class EventDocument;

/// The audit list of the open event, newest first: when, what kind (change, undone, redone),
/// which run or entry, what, old and new value, and the reason.
class AuditTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Action, Subject, What, Old, New, Reason, ColumnCount };

    explicit AuditTableModel(EventDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void refresh();
    void rebuild();

    EventDocument& m_document;
    int m_shown = 0;
};
