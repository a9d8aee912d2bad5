// Sorting of the protocol grid: the sort itself, style detection, header clicks and the search by
// first character.
#include "sortgrid/TSortGrid.h"

#include "core/CommaText.h"
#include "core/EListError.h"
#include "grids/PackedRow.h"
#include "grids/TSparseList.h"
#include "sortgrid/EConvertError.h"
#include "sortgrid/RowPrefetch.h"
#include "sortgrid/SortCompare.h"
#include "sortgrid/SortGridGeometry.h"

#include <algorithm>
#include <memory>

TSparseList& TSortGrid::RowStore() {
    // The string grid hands its row storage out read-only; sorting and filtering move whole rows,
    // which through cell-by-cell copies would cost a hundred times more on a large protocol. The
    // storage itself is not const, only the accessor.
    return const_cast<TSparseList&>(RowData());
}

void TSortGrid::PermuteDataRows(const std::vector<int32_t>& order) {
    TSparseList& store = RowStore();
    const int32_t n = int32_t(order.size());
    const int32_t cols = ColCount();
    struct TailCell {
        int32_t row;
        int32_t col;
        QString text;
        void* object;
    };
    std::vector<TailCell> tails;
    std::vector<void*> rows(static_cast<size_t>(n));
    for (int32_t p = 0; p < n; ++p)
        rows[size_t(p)] = store.ItemAt(p + 1);
    for (int32_t p = 0; p < n; ++p) {
        if (size_t(p) + 16 < rows.size() && rows[size_t(p) + 16])
            __builtin_prefetch(rows[size_t(p) + 16]);
        auto* cells = static_cast<PackedRow*>(rows[size_t(p)]);
        if (!cells || cells->count() <= cols)
            continue;
        // Cells past the last column belong to the position, not to the row's data.
        for (int32_t c = cells->count() - 1; c >= cols; --c) {
            QString text = cells->text(c).toString();
            void* object = cells->object(c);
            if (text.isEmpty() && !object)
                continue;
            tails.push_back({p + 1, c, text, object});
            cells = PackedRow::setObject(cells, c, nullptr);
            cells = PackedRow::setText(cells, c, {});
        }
        rows[size_t(p)] = cells;
    }
    for (int32_t p = 0; p < n; ++p)
        store.SetItemAt(p + 1, rows[size_t(order[size_t(p)])]);
    for (const TailCell& t : tails) {
        setCells(t.col, t.row, t.text);
        if (t.object)
            setObjects(t.col, t.row, t.object);
    }
    InvalidateEditor();
    RedrawGrid();
}

void TSortGrid::SortByColumn(int32_t ACol) {
    if (!m_sortOptions.CanSort())
        return;
    m_sortOptions.setSortCol(ACol);
    // Inside a bulk update that someone else started (filtering, loading) the sort must not end it:
    // update mode does not nest, and its end would also drop UpdateOnSizeChange.
    const bool startUpdate = !NowUpdating();
    if (startUpdate)
        BeginUpdate();
    try {
        SortRows(ACol);
    } catch (...) {
        m_sortOptions.setCustomCompare({});
        if (startUpdate)
            EndUpdate();
        throw;
    }
    if (startUpdate)
        EndUpdate();
}

void TSortGrid::SortRows(int32_t ACol) {
    int32_t col = ACol;
    if (OnBeforeSort)
        OnBeforeSort(this, col);

    std::vector<int32_t> selected;
    for (int i = 0; i < m_selectedRows.Count(); ++i) {
        bool ok = false;
        const int32_t r = m_selectedRows.Strings(i).toInt(&ok);
        if (ok)
            selected.push_back(r);
    }

    // The keys: the primary column, then the columns of SecondaryIndex in their order, each once.
    std::vector<int32_t> keys{col};
    for (const QString& entry : ParseCommaText(m_sortOptions.SecondaryIndex())) {
        int32_t k = 0;
        if (!TextToInt(entry, k))
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(entry));
        if (std::find(keys.begin(), keys.end(), k) == keys.end())
            keys.push_back(k);
    }
    for (int32_t k : keys)
        if (k < 0 || k >= ColCount())
            throw EListError::IndexOutOfBounds(k);

    // Styles are chosen from the least significant key to the primary one; the handler's style
    // variable carries over from one key to the next, and so does a detected style.
    const int32_t n = std::max(0, RowCount() - 1);
    const SortLocale loc = SortLocale::FromDefault();
    std::vector<std::unique_ptr<SortKeyColumn>> built(keys.size());
    TSortStyle handlerStyle = ssAutomatic;
    // The keys read the stored texts in place, through strings that only point at them: nothing
    // changes the rows until the keys are built.
    std::vector<QString> inPlace(static_cast<size_t>(n));
    std::vector<const QString*> texts(static_cast<size_t>(n));
    for (size_t i = keys.size(); i-- > 0;) {
        const int32_t k = keys[i];
        if (OnGetSortStyle) {
            OnGetSortStyle(this, k, handlerStyle);
            m_sortOptions.setSortStyle(handlerStyle);
        } else if (m_sortOptions.SortStyle() == ssAutomatic) {
            m_sortOptions.setSortStyle(DetectSortStyle(k));
        }
        std::vector<const PackedRow*> rows(static_cast<size_t>(n));
        for (int32_t r = 0; r < n; ++r)
            rows[size_t(r)] = StoredRow(r + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            PrefetchRowsAhead(rows, r, k);
            if (!rows[r]) {
                texts[r] = nullptr;
                continue;
            }
            const QStringView text = rows[r]->text(k);
            inPlace[r] = QString::fromRawData(text.data(), text.size());
            texts[r] = &inPlace[r];
        }
        built[i] = std::make_unique<SortKeyColumn>(
            texts, m_sortOptions.SortStyle(), m_sortOptions.SortDirection(),
            m_sortOptions.SortCaseSensitive(), m_sortOptions.CustomCompare(), loc);
    }
    std::vector<const SortKeyColumn*> keyList;
    for (const auto& k : built)
        keyList.push_back(k.get());
    const std::vector<int32_t> order = SortRowOrder(n, keyList);

    // Nothing has moved so far; from here on nothing can fail.
    PermuteDataRows(order);

    std::vector<int32_t> newPos(size_t(n) + 1, -1);
    for (int32_t p = 0; p < n; ++p)
        newPos[size_t(order[size_t(p)]) + 1] = p + 1;
    std::vector<int32_t> moved;
    for (int32_t r : selected)
        if (r >= 1 && r <= n && std::find(moved.begin(), moved.end(), newPos[size_t(r)]) == moved.end())
            moved.push_back(newPos[size_t(r)]);
    if (!moved.empty()) {
        std::sort(moved.begin(), moved.end());
        MoveCurrent(Col(), moved.front(), true, true);
        m_selectedRows.Clear();
        m_anchorRows.Clear();
        for (int32_t r : moved) {
            m_selectedRows.Add(QString::number(r));
            m_anchorRows.Add(QString::number(r));
        }
    }

    m_sortOptions.setCustomCompare({});
    if (OnAfterSort)
        OnAfterSort(this, col);
}

TSortStyle TSortGrid::DetectSortStyle(int32_t ACol) {
    const SortLocale loc = SortLocale::FromDefault();
    bool numeric = true, dateTime = true, time = true;
    for (int32_t r = 1; r < RowCount() && (numeric || dateTime || time); ++r) {
        const QString text = Cells(ACol, r);
        double v = 0;
        if (numeric && !TextToFloat(text, loc, v))
            numeric = false;
        if (dateTime && !TextToDateTime(text, loc, v))
            dateTime = false;
        if (time && !TextToTime(text, loc, v))
            time = false;
    }
    if (numeric)
        return ssNumeric;
    if (dateTime)
        return ssDateTime;
    if (time)
        return ssTime;
    return ssNormal;
}

// --- header and keys -----------------------------------------------------------------------

void TSortGrid::HeaderClick(int32_t ACol, Qt::MouseButton Button) {
    m_sortOptions.setSortDirection(
        HeaderClickDirection(m_sortOptions.SortDirection(), ACol == m_sortOptions.SortCol(), Button));
    SortByColumn(ACol);
}

bool TSortGrid::AutoSizeAtHeaderEdge(int X, int Y) {
    const TGridCoord cell = CellAtPoint(X, Y);
    if (cell.Y != 0 || cell.X < 0)
        return false;
    const QRect r = CellRect(cell.X, 0);
    const int32_t target =
        HeaderEdgeAutoSizeColumn(X, cell.X, r.left(), r.left() + r.width(), GridLineWidth());
    if (target < 0)
        return false;
    AutoSizeColumn(target, true);
    return true;
}

bool TSortGrid::SearchFirstChar(QChar Key) {
    const int32_t col = m_sortOptions.SortCol();
    if (col < 0)
        return false;
    const int32_t row = FindRowByFirstChar(Key, Row(), RowCount(), [&](int32_t r) { return Cells(col, r); });
    if (row < 0)
        return false;
    MoveTo(col, row, true);
    return true;
}
