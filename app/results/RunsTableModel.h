#pragma once

#include "event/Standings.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

#include <functional>
#include <optional>

class EventDocument;

/// The runs of the open event as a table, newest first. Penalties, status, start number, the
/// training and void marks and the correction are edited in place; each edit is an undoable
/// command on the event's undo stack with its audit entry. New runs come in as rows at the top, so
/// an editor open on an older run stays open while the next competitor is timed.
class RunsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Number,
        Name,
        Class,
        Run,
        Start,
        Time,
        Cones,
        Gates,
        Result,
        Status,
        Training,
        Void,
        Remark,
        Correction,
        ColumnCount
    };

    explicit RunsTableModel(EventDocument& document, QObject* parent = nullptr);

    /// Time resolution of the texts: 2 hundredths, 1 tenths, 0 seconds.
    void setResolution(int resolution);
    /// Asks the reason of a disqualification; empty optional: the change is cancelled.
    std::function<std::optional<QString>()> AskDisqualifyReason;
    /// Told when an edit is refused, with the German reason.
    std::function<void(const QString&)> OnRefused;

    /// The key of the run in `row`, 0 if none.
    int64_t runId(int row) const;
    /// The row of the run with the key, -1 if it is not shown.
    int rowOf(int64_t runId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void refresh();
    void rebuild();
    void takeCells();

    EventDocument& m_document;
    QList<int64_t> m_ids;            ///< newest first
    QHash<int64_t, RunCell> m_cells; ///< what the standings made of each run
    int m_resolution = 2;
};
