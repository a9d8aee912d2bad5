#include "grids/TMyCustomDrawGrid.h"

TMyCustomDrawGrid::TMyCustomDrawGrid(QWidget* parent) : TMyCustomGrid(parent) {}

void TMyCustomDrawGrid::DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) {
    if (OnDrawCell) {
        QRect r = ARect;
        OnDrawCell(this, ACol, ARow, r, AState);
    }
}

void TMyCustomDrawGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    TMyCustomGrid::ColumnMoved(FromIndex, ToIndex);
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TMyCustomDrawGrid::RowMoved(int32_t FromIndex, int32_t ToIndex) {
    TMyCustomGrid::RowMoved(FromIndex, ToIndex);
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

QString TMyCustomDrawGrid::GetEditMask(int32_t ACol, int32_t ARow) {
    QString value = TMyCustomGrid::GetEditMask(ACol, ARow);
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

QString TMyCustomDrawGrid::GetEditText(int32_t ACol, int32_t ARow) {
    QString value = TMyCustomGrid::GetEditText(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TMyCustomDrawGrid::SetEditText(int32_t ACol, int32_t ARow, const QString& Value) {
    TMyCustomGrid::SetEditText(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

bool TMyCustomDrawGrid::CanSelectCell(int32_t ACol, int32_t ARow) {
    bool canSelect = TMyCustomGrid::CanSelectCell(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TMyCustomDrawGrid::TopLeftChanged() {
    TMyCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}
