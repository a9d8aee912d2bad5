#include "grids/TMyStringGrid.h"

#include <QScopeGuard>

#include "core/EListError.h"
#include "grids/GridCanvas.h"

#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QVarLengthArray>
#include <algorithm>
#include <utility>
#include <vector>

namespace {
TSparseQuantum quantumFor(bool large) {
    return large ? TSparseQuantum::QuantumLarge : TSparseQuantum::QuantumSmall;
}
} // namespace

TMyStringGrid::TMyStringGrid(QWidget* parent) : TMyDrawGrid(parent) {
    // The section size is chosen once, from the counts at creation.
    if (!m_colViews)
        m_colViews = std::make_unique<TSparseList>(quantumFor(ColCount() > 512));
    if (!m_rowViews)
        m_rowViews = std::make_unique<TSparseList>(quantumFor(RowCount() > 256));
    if (!m_rowData)
        m_rowData = std::make_unique<TSparseList>(quantumFor(RowCount() > 256));
}

TMyStringGrid::~TMyStringGrid() {
    auto freeViews = [](int32_t, void* p) {
        delete static_cast<TMyStringGridStrings*>(p);
        return 0;
    };
    m_rowViews->ForEach(freeViews);
    m_rowViews.reset();
    m_colViews->ForEach(freeViews);
    m_colViews.reset();
    m_rowData->ForEach([](int32_t, void* p) {
        PackedRow::destroy(static_cast<PackedRow*>(p));
        return 0;
    });
    m_rowData.reset();
}

namespace {
// The highest column a row stores, as many as a sparse list with large sections can hold.
constexpr int32_t MaxStoredCol = 65535 * 256 - 1;

void CheckCol(int32_t ACol) {
    if (ACol < 0 || ACol > MaxStoredCol)
        throw EListError::IndexOutOfBounds(ACol);
}
} // namespace

PackedRow* TMyStringGrid::RowCellsFor(int32_t ARow) {
    if (auto* cells = static_cast<PackedRow*>(m_rowData->ItemAt(ARow)))
        return cells;
    PackedRow* cells = PackedRow::create();
    try {
        m_rowData->SetItemAt(ARow, cells);
    } catch (...) {
        PackedRow::destroy(cells);
        throw;
    }
    return cells;
}

void TMyStringGrid::StoreRow(int32_t ARow, PackedRow* before, PackedRow* after) {
    if (after != before)
        m_rowData->SetItemAt(ARow, after);
}

TMyStringGridStrings* TMyStringGrid::ViewFor(int32_t i, bool isCol) {
    TSparseList& views = isCol ? *m_colViews : *m_rowViews;
    if (auto* view = static_cast<TMyStringGridStrings*>(views.ItemAt(i)))
        return view;
    auto view = std::make_unique<TMyStringGridStrings>(this, isCol ? -(i + 1) : i + 1);
    views.SetItemAt(i, view.get());
    return view.release();
}

QString TMyStringGrid::Cells(int32_t ACol, int32_t ARow) const {
    return CellText(ACol, ARow).toString();
}

QStringView TMyStringGrid::CellText(int32_t ACol, int32_t ARow) const {
    const PackedRow* cells = StoredRow(ARow);
    if (!cells)
        return {};
    if (ACol < 0)
        throw EListError::IndexOutOfBounds(ACol);
    return cells->text(ACol);
}

void* TMyStringGrid::Objects(int32_t ACol, int32_t ARow) const {
    const PackedRow* cells = StoredRow(ARow);
    if (!cells)
        return nullptr;
    if (ACol < 0)
        throw EListError::IndexOutOfBounds(ACol);
    return cells->object(ACol);
}

void TMyStringGrid::setCells(int32_t ACol, int32_t ARow, const QString& Value) {
    // Views of the row and column are made when they are asked for (Rows, Cols), not per write.
    PackedRow* cells = RowCellsFor(ARow);
    CheckCol(ACol);
    StoreRow(ARow, cells, PackedRow::setText(cells, ACol, Value));
    CellChanged(ACol, ARow);
}

void TMyStringGrid::FillRowTexts(int32_t ARow, QStringList&& Texts) {
    // setCells for each text; a row without storage gets its block in one piece.
    if (!StoredRow(ARow)) {
        if (std::all_of(Texts.cbegin(), Texts.cend(), [](const QString& t) { return t.isEmpty(); }))
            return;
        std::vector<QStringView> views(Texts.cbegin(), Texts.cend());
        PackedRow* cells = PackedRow::fromTexts(views);
        try {
            m_rowData->SetItemAt(ARow, cells);
        } catch (...) {
            PackedRow::destroy(cells);
            throw;
        }
    } else {
        PackedRow* cells = RowCellsFor(ARow);
        for (qsizetype i = 0; i < Texts.size(); ++i) {
            if (Texts[i].isEmpty())
                continue;
            CheckCol(int32_t(i));
            PackedRow* changed = PackedRow::setText(cells, int32_t(i), Texts[i]);
            StoreRow(ARow, cells, changed);
            cells = changed;
        }
    }
    for (qsizetype i = 0; i < Texts.size(); ++i)
        if (!Texts[i].isEmpty())
            CellChanged(int32_t(i), ARow);
}

void TMyStringGrid::FillRowTexts(int32_t ARow, PackedRow* Cells) {
    auto free = qScopeGuard([&] { PackedRow::destroy(Cells); });
    // Which cells change, taken before the block may become the row's own.
    QVarLengthArray<int32_t, 16> changed;
    for (int32_t i = 0; i < Cells->count(); ++i)
        if (!Cells->text(i).isEmpty())
            changed.append(i);
    if (!StoredRow(ARow)) {
        if (changed.isEmpty())
            return;
        m_rowData->SetItemAt(ARow, Cells);
        free.dismiss();
    } else {
        PackedRow* cells = RowCellsFor(ARow);
        for (const int32_t i : changed) {
            CheckCol(i);
            PackedRow* after = PackedRow::setText(cells, i, Cells->text(i));
            StoreRow(ARow, cells, after);
            cells = after;
        }
    }
    for (const int32_t i : changed)
        CellChanged(i, ARow);
}

void TMyStringGrid::setObjects(int32_t ACol, int32_t ARow, void* Value) {
    PackedRow* cells = RowCellsFor(ARow);
    CheckCol(ACol);
    StoreRow(ARow, cells, PackedRow::setObject(cells, ACol, Value));
    CellChanged(ACol, ARow);
}

TStrings* TMyStringGrid::Rows(int32_t ARow) {
    return ViewFor(ARow, false);
}

void TMyStringGrid::setRows(int32_t ARow, const TStrings& Value) {
    ViewFor(ARow, false)->Assign(Value);
}

TStrings* TMyStringGrid::Cols(int32_t ACol) {
    return ViewFor(ACol, true);
}

void TMyStringGrid::setCols(int32_t ACol, const TStrings& Value) {
    ViewFor(ACol, true)->Assign(Value);
}

TGridRect TMyStringGrid::ChangedCellArea(int32_t ACol, int32_t ARow) const {
    return TGridRect{ACol, ARow, ACol, ARow};
}

void TMyStringGrid::CellChanged(int32_t ACol, int32_t ARow) {
    if (m_bulkUpdate)
        m_needsRepaint = true;
    else if (const TGridRect area = ChangedCellArea(ACol, ARow); area.Left == area.Right)
        RedrawCell(ACol, ARow);
    else
        RedrawRect(area);
    if (ACol == Col() && ARow == Row() && m_editRefreshLock == 0)
        InvalidateEditor();
}

void TMyStringGrid::SetBulkUpdate(bool Updating) {
    m_bulkUpdate = Updating;
    if (!Updating && m_needsRepaint) {
        RedrawGrid();
        m_needsRepaint = false;
    }
}

QString TMyStringGrid::GetEditText(int32_t ACol, int32_t ARow) {
    QString value = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TMyStringGrid::SetEditText(int32_t ACol, int32_t ARow, const QString& Value) {
    {
        // The cell changes under the editor that holds its text: no reload of the editor.
        const QScopedValueRollback<int32_t> lock(m_editRefreshLock, m_editRefreshLock + 1);
        if (Value != Cells(ACol, ARow))
            setCells(ACol, ARow, Value);
    }
    TMyDrawGrid::SetEditText(ACol, ARow, Value);
}

void TMyStringGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    // Collected first: storing a moved block changes the list being walked.
    std::vector<std::pair<int32_t, PackedRow*>> rows;
    m_rowData->ForEach([&](int32_t r, void* p) {
        rows.emplace_back(r, static_cast<PackedRow*>(p));
        return 0;
    });
    // As a string list's move: a bad target first, then a bad source.
    if (!rows.empty() && FromIndex != ToIndex && (FromIndex < 0 || ToIndex < 0))
        throw EListError::IndexOutOfBounds(ToIndex < 0 ? ToIndex : FromIndex);
    for (auto& [r, cells] : rows)
        StoreRow(r, cells, PackedRow::moveCell(cells, FromIndex, ToIndex));
    RedrawGrid();
    TMyDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TMyStringGrid::RowMoved(int32_t FromIndex, int32_t ToIndex) {
    m_rowData->MoveItem(FromIndex, ToIndex);
    RedrawGrid();
    TMyDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TMyStringGrid::DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing()) {
        Canvas()->TextRect(ARect, ARect.left() + 2, ARect.top() + 2, Cells(ACol, ARow));
    }
    TMyDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}
