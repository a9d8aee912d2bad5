// Filtering of the protocol grid: rows that the filter rejects are kept in the cell storage right
// behind the visible rows (the hidden block, HiddenCount rows from position RowCount on).
#include "sortgrid/TSortGrid.h"

#include "core/EListError.h"
#include "core/TStringList.h"
#include "grids/PackedRow.h"
#include "grids/TSparseList.h"
#include "sortgrid/RowPrefetch.h"

#include <QScopeGuard>

namespace {

// The row the filter handler looks at: a string list with one entry per column that reads the
// grid's texts only when the handler asks for them, and copies the row the first time the handler
// changes the list (which then stays the handler's own, as with a copy from the start). Copying
// every row up front cost more than the rest of filtering together.
class FilterRowList final : public TStringList {
public:
    // The columns (of the first 64) whose texts the handler has read so far: what is worth
    // loading ahead for the next rows.
    uint64_t ReadColumns() const { return m_readCols; }
    // Shows the texts of a stored row (null: an empty row) with `cols` entries.
    void ShowRow(const PackedRow* cells, int cols) {
        m_cells = cells;
        m_cols = cols;
        if (m_copied) {
            m_copied = false;
            Silently([this] { TStringList::Clear(); });
        }
    }

    void Insert(int i, const QString& s) override {
        Copy();
        TStringList::Insert(i, s);
    }
    void Delete(int i) override {
        Copy();
        TStringList::Delete(i);
    }
    void Clear() override {
        Copy();
        TStringList::Clear();
    }
    void Exchange(int a, int b) override {
        Copy();
        TStringList::Exchange(a, b);
    }
    void Move(int from, int to) override {
        Copy();
        TStringList::Move(from, to);
    }

protected:
    QString Get(int i) const override {
        if (m_copied)
            return TStringList::Get(i);
        CheckIndex(i);
        if (i < 64)
            m_readCols |= uint64_t(1) << i;
        return m_cells ? m_cells->text(i).toString() : QString();
    }
    int GetCount() const override { return m_copied ? TStringList::GetCount() : m_cols; }
    void Put(int i, const QString& s) override {
        Copy();
        TStringList::Put(i, s);
    }
    void* GetObject(int i) const override {
        if (m_copied)
            return TStringList::GetObject(i);
        CheckIndex(i);
        return nullptr;
    }
    void PutObject(int i, void* o) override {
        Copy();
        TStringList::PutObject(i, o);
    }

private:
    void CheckIndex(int i) const {
        if (i < 0 || i >= m_cols)
            throw EListError::IndexOutOfBounds(i);
    }
    // Filling the copy is no change the handler made.
    template <typename F> void Silently(F f) {
        TChangeEvent saved = std::move(OnChange);
        OnChange = nullptr;
        auto restore = qScopeGuard([&] { OnChange = std::move(saved); });
        f();
    }
    void Copy() {
        if (m_copied)
            return;
        Silently([this] {
            for (int c = 0; c < m_cols; ++c)
                TStringList::Insert(c, m_cells ? m_cells->text(c).toString() : QString());
        });
        m_copied = true;
    }

    const PackedRow* m_cells = nullptr;
    int m_cols = 0;
    bool m_copied = false;
    mutable uint64_t m_readCols = 0;
};

} // namespace

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
    FilterRowList list;
    std::vector<const PackedRow*> stored;
    if (OnSetFilter) {
        stored.resize(size_t(std::max(0, rows - 1)));
        for (int32_t i = 1; i < rows; ++i)
            stored[size_t(i - 1)] = StoredRow(i);
    }
    for (int32_t i = 1; i < rows; ++i) {
        bool accept = false;
        if (OnSetFilter) {
            PrefetchRowsAhead(stored, size_t(i - 1), list.ReadColumns());
            list.ShowRow(stored[size_t(i - 1)], cols);
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
