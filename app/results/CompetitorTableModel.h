#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <functional>

class EventDocument;

/// The start list of the open event as an editable table, ordered by start number. Each edit is
/// an undoable command with its audit entry; an edit the start list cannot take (a number given
/// twice, out of range) is refused with the reason.
class CompetitorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, FirstName, LastName, Class, Club, Vehicle, Year, Gender, ColumnCount };

    explicit CompetitorTableModel(EventDocument& document, QObject* parent = nullptr);

    /// Told when an edit is refused, with the German reason.
    std::function<void(const QString&)> OnRefused;
    /// The key of the entry in `row`, 0 if none.
    int64_t competitorId(int row) const;
    /// Reads the start list again (after an import).
    void rebuild();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    EventDocument& m_document;
    QList<int64_t> m_ids;
};
