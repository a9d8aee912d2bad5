// Keys, mouse, wheel and resizing of the protocol grid: single and multiple row selection, the
// row and column keys, cell widgets, dragging rows out, the popup menu, the header click and the
// stretched last column.
#include "sortgrid/TSortGrid.h"

#include "platform/DragSource.h"
#include "sortgrid/CellWidgetGeometry.h"
#include "sortgrid/SortGridGeometry.h"
#include "sortgrid/TComboDropDown.h"

#include <QMenu>
#include <QResizeEvent>
#include <QScopeGuard>
#include <algorithm>

namespace {

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

QString RowText(int32_t row) {
    return QString::number(row);
}

} // namespace

// --- selection ------------------------------------------------------------------------------

bool TSortGrid::CanSelectCell(int32_t ACol, int32_t ARow) {
    bool answer;
    if (EditorMode()) {
        bool checkBox = false, combobox = false, ellipsis = false;
        GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
        if (combobox) {
            ShowComboBox(ACol, ARow);
            // Tab passes over a combobox cell to the next column.
            if (m_tabDown && ACol < ColCount() - 2 && TMyStringGrid::CanSelectCell(ACol + 1, ARow))
                setCol(ACol + 1);
        }
        answer = combobox || checkBox ? false : TMyStringGrid::CanSelectCell(ACol, ARow);
    } else {
        answer = TMyStringGrid::CanSelectCell(ACol, ARow);
    }
    if (answer && m_singleSelect) {
        ClearSelection();
        m_selectedRows.Add(RowText(ARow));
        m_anchorRows.setStrings(0, RowText(ARow));
        if (OnRowSelected)
            OnRowSelected(this);
    }
    RedrawRow(Row());
    if (ARow >= 0 && ARow < RowCount())
        RedrawRow(ARow);
    return answer;
}

void TSortGrid::SelectRowsOfSelection() {
    ClearSelection();
    if (m_anchorRows.Count() > 0)
        m_anchorRows.Delete(0);
    const TGridRect sel = Selection();
    for (int32_t r = sel.Top; r <= sel.Bottom; ++r) {
        m_selectedRows.Add(RowText(r));
        m_anchorRows.Add(RowText(r));
    }
}

// --- keys -----------------------------------------------------------------------------------

void TSortGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    if (Key == Qt::Key_Tab)
        m_tabDown = true;
    const bool editing = EditorMode();
    if (m_multiSelect && !editing) {
        m_singleSelect = false;
        if (Key == Qt::Key_Shift) {
            setOptions(Options() | goRangeSelect);
            ClearSelection();
        } else if (Shift.testFlag(Qt::ShiftModifier)) {
            m_anchorRows.setStrings(0, RowText(Row()));
        } else if (IsNavigationKey(Key)) {
            m_singleSelect = true;
        }
    }
    if (m_extendedKeys && !editing) {
        if (Shift == Qt::ControlModifier) {
            if (Key == Qt::Key_Insert)
                InsertRow(Row());
            else if (Key == Qt::Key_Delete && RowCount() > 2)
                DeleteRow(Row());
        } else if (Shift == (Qt::ShiftModifier | Qt::ControlModifier)) {
            if (Key == Qt::Key_Insert)
                InsertColumn(Col());
            else if (Key == Qt::Key_Delete && ColCount() > 1)
                DeleteColumn(Col());
        }
    }
    TMyStringGrid::KeyDown(Key, Shift);
}

void TSortGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift) {
    TMyStringGrid::KeyUp(Key, Shift);
    if (Key == Qt::Key_Tab)
        m_tabDown = false;
    if (Key == Qt::Key_Space)
        CellWidgetAction(Col(), Row(), nullptr);
    if (!m_multiSelect || EditorMode())
        return;
    m_singleSelect = true;
    if (Key == Qt::Key_Shift && m_selectedRows.Count() == 0)
        SelectRowsOfSelection();
    if (IsNavigationKey(Key) && !Shift.testFlag(Qt::ShiftModifier)) {
        SelectRowsOfSelection();
        setOptions(Options() & ~TGridOptions(goRangeSelect));
    }
    if (OnRowSelected)
        OnRowSelected(this);
}

void TSortGrid::KeyPress(QChar& Key) {
    if (!EditorMode() && !Key.isNull()) {
        SearchFirstChar(Key);
        if (Key >= QLatin1Char('a') && Key <= QLatin1Char('z'))
            Key = Key.toUpper();
    }
    TMyStringGrid::KeyPress(Key);
}

// --- cell widgets ---------------------------------------------------------------------------

void TSortGrid::CellWidgetAction(int32_t ACol, int32_t ARow, const QPoint* click) {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        return;
    bool checkBox = false, combobox = false, ellipsis = false;
    GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
    if (combobox) {
        if (!ShowComboBox(ACol, ARow))
            HideComboBox();
    } else if (checkBox) {
        SetChecked(ACol, ARow, !GetChecked(ACol, ARow));
    } else if (ellipsis && OnSetEllipsis) {
        if (!click || HitsCellButton(CellRect(ACol, ARow), *click))
            OnSetEllipsis(this, ACol, ARow);
    }
}

bool TSortGrid::ShowComboBox(int32_t ACol, int32_t ARow) {
    bool checkBox = false, combobox = false, ellipsis = false;
    GetCellFormat(ACol, ARow, checkBox, combobox, ellipsis);
    if (!combobox || !OnGetComboBox)
        return false;
    TStringList items;
    int w = 0, h = 0;
    bool sorted = true;
    OnGetComboBox(this, ACol, ARow, &items, w, h, sorted);
    if (items.Count() == 0)
        return false;

    QStringList texts;
    for (int i = 0; i < items.Count(); ++i)
        texts << items.Strings(i);
    if (sorted)
        std::stable_sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });

    QWidget* form = window();
    if (m_dropDown->parentWidget() != form) {
        m_dropDown->setParent(form);
        m_dropDown->hide();
    }
    m_dropDown->clear();
    m_dropDown->addItems(texts);
    const int current = std::max<qsizetype>(0, texts.indexOf(Cells(ACol, ARow)));
    m_dropDown->setCurrentRow(current);
    const int itemHeight = std::max(1, m_dropDown->sizeHintForRow(0));
    const QRect cell = CellRect(ACol, ARow).translated(form == this ? QPoint() : mapTo(form, QPoint(0, 0)));
    m_dropDown->setGeometry(DropDownRect(cell, w, h, int(texts.size()), itemHeight));
    m_dropDownCell = {ACol, ARow};
    m_dropDown->show();
    m_dropDown->raise();
    m_dropDown->setFocus(Qt::OtherFocusReason);
    return true;
}

TComboDropDown* TSortGrid::ComboDropDown() const {
    return m_dropDown;
}

void TSortGrid::HideComboBox() {
    if (m_dropDown)
        m_dropDown->Cancel();
}

void TSortGrid::DropDownCloseUp() {
    // The choice goes into the cell the list was opened for, wherever the list stands now.
    const TGridCoord cell = m_dropDownCell;
    const QListWidgetItem* item = m_dropDown->currentItem();
    const QString text = item ? item->text() : QString();
    const bool valid = item && cell.X >= 0 && cell.X < ColCount() && cell.Y >= 0 && cell.Y < RowCount();
    if (valid)
        setCells(cell.X, cell.Y, text);
    m_dropDown->hide();
    if (valid)
        RedrawCol(cell.X);
    setFocus(Qt::OtherFocusReason);
    if (valid && OnSetComboBox)
        OnSetComboBox(this, cell.X, cell.Y, text);
}

// --- mouse ----------------------------------------------------------------------------------

void TSortGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, bool DoubleClick, int X,
                          int Y) {
    HideComboBox();
    TGridCoord cell = CellAtPoint(X, Y);
    // The popup menu acts on the line pressed: a right press makes it the current, selected line
    // first. A grid that selects several lines keeps them when one of them is pressed; one that
    // selects single lines has no use for a block (a finished run's lines) in its menu. A press
    // below the last line selects nothing.
    const bool editing = EditorMode();
    if (Button == Qt::RightButton && cell.Y >= 0 && IsDataRow(cell.Y) && !editing) {
        const TGridRect sel = Selection();
        const bool selected =
            m_multiSelect ? IsRowSelected(cell.Y) : cell.Y == sel.Top && cell.Y == sel.Bottom;
        if (!selected) {
            MoveTo(cell.X, cell.Y, false);
            if (m_multiSelect && OnRowSelected)
                OnRowSelected(this);
        }
    }
    if (cell.Y < 0)
        cell.Y = RowCount() - 1;
    m_pressCell = cell;
    const bool plainLeft = Button == Qt::LeftButton && Shift == Qt::NoModifier;
    if (IsDataRow(cell.Y) && m_multiSelect && plainLeft && !IsRowSelected(cell.Y) && !editing) {
        setOptions(Options() & ~TGridOptions(goRangeSelect));
        setRow(cell.Y);
        ClearSelection();
        m_anchorRows.setStrings(0, RowText(cell.Y));
        m_selectedRows.Add(RowText(cell.Y));
        if (OnRowSelected)
            OnRowSelected(this);
    }
    // Only a grid that selects several rows drags them out.
    if (m_multiSelect && IsDataRow(cell.Y) && IsRowSelected(cell.Y))
        m_dragStart = {X, Y};
    if (DoubleClick && Button == Qt::LeftButton)
        AutoSizeAtHeaderEdge(X, Y);
    const bool rangeClick =
        Options().testFlag(goRangeSelect) && Button == Qt::LeftButton && Shift == Qt::ShiftModifier;
    if (!m_multiSelect || rangeClick || editing || cell.Y == 0) {
        TMyStringGrid::MouseDown(Button, Shift, DoubleClick, X, Y);
    } else {
        // The foundation's handling is skipped, but a double click is still reported.
        if (DoubleClick && Button == Qt::LeftButton)
            DblClick();
        if (OnMouseDown)
            OnMouseDown(this, Button, Shift, X, Y);
    }
}

void TSortGrid::MouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (m_dragStart.x() >= 0 && Buttons == Qt::LeftButton && Shift == Qt::NoModifier &&
        PastDragThreshold(m_dragStart, QPoint(X, Y))) {
        m_dragStart = {-1, -1};
        // The foundation may be selecting; the drag ends that without a further step.
        if (GridState() == gsSelecting)
            CancelMode();
        m_dragging = true;
        const auto done = qScopeGuard([this] { m_dragging = false; });
        platform::dragSource().dragText(this, SelectedRowsText());
    }
    TMyStringGrid::MouseMove(Buttons, Shift, X, Y);
}

QString TSortGrid::SelectedRowsText() {
    std::vector<int32_t> rows;
    for (int i = 0; i < m_selectedRows.Count(); ++i) {
        bool ok = false;
        const int32_t r = m_selectedRows.Strings(i).toInt(&ok);
        if (ok && IsDataRow(r))
            rows.push_back(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList lines;
    for (int32_t r : rows) {
        QStringList cells;
        for (int32_t c = 0; c < ColCount(); ++c)
            cells << Cells(c, r);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TSortGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    if (m_dragging)
        return;
    m_dragStart = {-1, -1};
    const bool wasSizing = GridState() == gsColSizing || GridState() == gsRowSizing;
    if (focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    TMyStringGrid::MouseUp(Button, Shift, X, Y);
    const TGridCoord cell = CellAtPoint(X, Y);

    if (Button == Qt::RightButton && cell.Y != 0 && m_popupMenu)
        m_popupMenu->popup(viewport()->mapToGlobal(QPoint(X, Y)));

    const bool editing = EditorMode();
    if (cell == m_pressCell && IsDataRow(cell.Y)) {
        const QPoint click(X, Y);
        CellWidgetAction(cell.X, cell.Y, &click);
    }
    if (cell.Y == 0 && cell.X >= 0 && m_pressCell.Y == 0 && cell.X == m_pressCell.X && !wasSizing) {
        const QRect r = CellRect(cell.X, 0);
        if ((Button == Qt::LeftButton || Button == Qt::RightButton) &&
            IsHeaderSortZone(X, r.left(), r.left() + r.width()))
            HeaderClick(cell.X, Button);
    } else {
        const int32_t row = cell.Y < 0 ? RowCount() - 1 : cell.Y;
        if (IsDataRow(row) && IsDataRow(m_pressCell.Y) && m_multiSelect && !editing &&
            Button == Qt::LeftButton) {
            if (Shift.testFlag(Qt::ControlModifier)) {
                if (!IsRowSelected(row)) {
                    m_selectedRows.Add(RowText(row));
                    m_anchorRows.Add(RowText(row));
                    setRow(row);
                    RedrawRow(row);
                } else if (m_selectedRows.Count() > 1) {
                    const int s = m_selectedRows.IndexOf(RowText(row));
                    if (s >= 0)
                        m_selectedRows.Delete(s);
                    const int a = m_anchorRows.IndexOf(RowText(row));
                    if (a >= 0)
                        m_anchorRows.Delete(a);
                    if (m_anchorRows.Count() > 0) {
                        bool ok = false;
                        const int32_t back = m_anchorRows.Strings(m_anchorRows.Count() - 1).toInt(&ok);
                        if (ok && IsDataRow(back))
                            setRow(back);
                    }
                    RedrawRow(row);
                }
                setOptions(Options() & ~TGridOptions(goRangeSelect));
            } else if (Shift.testFlag(Qt::ShiftModifier)) {
                SelectRowsOfSelection();
            } else {
                setOptions(Options() & ~TGridOptions(goRangeSelect));
                setRow(row);
                ClearSelection();
                m_anchorRows.setStrings(0, RowText(row));
                m_selectedRows.Add(RowText(row));
            }
            if (OnRowSelected)
                OnRowSelected(this);
        }
    }
}

bool TSortGrid::DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled)
        ScrollTo(Col(), TopRow() + 2);
    return true;
}

bool TSortGrid::DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled)
        ScrollTo(Col(), TopRow() - 2);
    return true;
}

// --- size -----------------------------------------------------------------------------------

void TSortGrid::resizeEvent(QResizeEvent* e) {
    TMyStringGrid::resizeEvent(e);
    StretchLastColumn();
    RedrawGrid();
    UpdateProportionalScrollBars();
}

void TSortGrid::StretchLastColumn() {
    const int32_t last = ColCount() - 1;
    if (LeftCol() + VisibleColCount() != ColCount() || last < FixedCols())
        return;
    // The columns before the last take their widths and lines; the last gets what remains of the
    // client width, so it ends at the client's right edge and stays wholly visible.
    const TGridDrawInfo info = CalcDrawInfo();
    int64_t used = info.Horz.FixedBoundary;
    for (int32_t c = LeftCol(); c < last; ++c)
        used += info.Horz.Extent(c) + info.Horz.EffectiveLineWidth;
    const int64_t w = int64_t(ClientWidth()) - used;
    if (w > 0 && w != ColWidths(last))
        setColWidths(last, int32_t(w));
}
