// Filtering of the protocol grid: rows that the filter rejects are kept in the cell storage right
// behind the visible rows (the hidden block, HiddenCount rows from position RowCount on).
#include "sortgrid/TSortGrid.h"

#include "core/TStringList.h"
#include "grids/TSparseList.h"

#include <QScopeGuard>

void TSortGrid::setFiltered(bool v) {
    const bool old = m_filtered;
    m_filtered = v;
    if (v && m_hiddenCount == 0 && (RowCount() < 2 || IsRowEmpty(1)))
        return;
    if (!v && m_hiddenCount == 0)
        return;

    const bool wasModified = m_modified;
    const bool startUpdate = !NowUpdating();
    if (startUpdate)
        BeginUpdate();
    try {
        if (v) {
            // Filtering again while rows are hidden filters every row afresh, the hidden ones too.
            if (m_hiddenCount > 0)
                ShowHiddenRows();
            if (RowCount() > 1 && !IsRowEmpty(1))
                ApplyFilter();
        } else {
            ShowHiddenRows();
            SortByColumn(m_sortOptions.SortCol());
        }
    } catch (...) {
        m_filtered = old;
        if (startUpdate)
            EndUpdate();
        throw;
    }
    if (startUpdate)
        EndUpdate();
    SetModified(wasModified);
}

void TSortGrid::ApplyFilter() {
    const int32_t rows = RowCount();
    const int32_t cols = ColCount();
    std::vector<int32_t> accepted, rejected;
    accepted.reserve(size_t(rows));
    rejected.reserve(size_t(rows));
    // Without a handler no row is accepted; a handler that does nothing rejects every row.
    TStringList list;
    for (int32_t i = 1; i < rows; ++i) {
        bool accept = false;
        if (OnSetFilter) {
            list.Clear();
            for (int32_t c = 0; c < cols; ++c)
                list.Add(Cells(c, i));
            OnSetFilter(&list, accept);
        }
        (accept ? accepted : rejected).push_back(i - 1);
    }

    std::vector<int32_t> order = accepted;
    order.insert(order.end(), rejected.begin(), rejected.end());
    PermuteDataRows(order);
    m_hiddenCount = int32_t(rejected.size());
    if (accepted.empty()) {
        // An empty row stands in for the accepted ones; the first rejected row goes to the end of
        // the hidden block. What was stored there before (a deleted row) must not show.
        RowStore().Swap(1, rows);
        BlankStoredRow(1);
        setRowCount(2);
    } else {
        setRowCount(rows - m_hiddenCount);
        SortByColumn(m_sortOptions.SortCol());
    }
    MoveTo(0, 1, true);
}

void TSortGrid::ShowHiddenRows() {
    const int32_t hidden = m_hiddenCount;
    m_hiddenCount = 0;
    setRowCount(RowCount() + hidden);
    // The empty stand-in of a filter that accepted nothing (or any empty first row).
    if (IsRowEmpty(1))
        DeleteRow(1);
}

void TSortGrid::AddRowFiltered(const TStrings& Strings) {
    bool accept = true;
    if (OnSetFilter) {
        TStringList row;
        row.Assign(Strings);
        OnSetFilter(&row, accept);
    }
    int32_t target = 0;
    bool appended = false;
    if (!accept) {
        ++m_hiddenCount;
        target = RowCount() - 1 + m_hiddenCount;
        BlankStoredRow(target);
        // Not shown, but a new row of the protocol all the same.
        SetModified(true);
    } else if (RowCount() > 1 && IsRowEmpty(1)) {
        target = 1;
    } else {
        // The first hidden row moves to the free place behind the block, which frees the place
        // right after the visible rows.
        if (m_hiddenCount > 0)
            RowStore().Swap(RowCount(), RowCount() + m_hiddenCount);
        target = AppendStoredRow();
        appended = true;
    }
    for (int i = 0; i < Strings.Count(); ++i)
        setCells(i, target, Strings.Strings(i));
    if (appended && m_sortOptions.UpdateOnSizeChange() && !NowUpdating())
        SortByColumn(m_sortOptions.SortCol());
}
