#include "grids/TMyStringGrid.h"

#include "grids/GridCanvas.h"

#include <QScopedValueRollback>

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
        delete static_cast<TStringSparseList*>(p);
        return 0;
    });
    m_rowData.reset();
}

TStringSparseList* TMyStringGrid::RowCellsIfAny(int32_t ARow) const {
    return static_cast<TStringSparseList*>(m_rowData->ItemAt(ARow));
}

TStringSparseList* TMyStringGrid::RowCellsFor(int32_t ARow) {
    if (TStringSparseList* cells = RowCellsIfAny(ARow))
        return cells;
    auto cells = std::make_unique<TStringSparseList>(quantumFor(ColCount() > 512));
    m_rowData->SetItemAt(ARow, cells.get());
    return cells.release();
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
    const TStringSparseList* cells = RowCellsIfAny(ARow);
    return cells ? cells->Strings(ACol) : QString();
}

void* TMyStringGrid::Objects(int32_t ACol, int32_t ARow) const {
    const TStringSparseList* cells = RowCellsIfAny(ARow);
    return cells ? cells->Objects(ACol) : nullptr;
}

void TMyStringGrid::setCells(int32_t ACol, int32_t ARow, const QString& Value) {
    RowCellsFor(ARow)->setStrings(ACol, Value);
    ViewFor(ACol, true);
    ViewFor(ARow, false);
    CellChanged(ACol, ARow);
}

void TMyStringGrid::FillRowTexts(int32_t ARow, QStringList&& Texts) {
    // setCells for each text, with the row's storage looked up once.
    TStringSparseList* cells = nullptr;
    for (qsizetype i = 0; i < Texts.size(); ++i) {
        QString& text = Texts[i];
        if (text.isEmpty())
            continue;
        const auto col = int32_t(i);
        if (!cells)
            cells = RowCellsFor(ARow);
        cells->TakeText(col, std::move(text));
        ViewFor(col, true);
        CellChanged(col, ARow);
    }
}

void TMyStringGrid::setObjects(int32_t ACol, int32_t ARow, void* Value) {
    RowCellsFor(ARow)->setObjects(ACol, Value);
    ViewFor(ACol, true);
    ViewFor(ARow, false);
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
    m_rowData->ForEach([&](int32_t, void* p) {
        static_cast<TStringSparseList*>(p)->Move(FromIndex, ToIndex);
        return 0;
    });
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
