#include "sortgrid/TSortGrid.h"

#include "core/EInvalidGridOperation.h"
#include "grids/GridCanvas.h"
#include "grids/GridMessages.h"
#include "grids/PackedRow.h"
#include "platform/Dialogs.h"
#include "sortgrid/TComboDropDown.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>

namespace {

using gridmsg::kIndexOutOfRange;

QString RowText(int32_t row) {
    return QString::number(row);
}

} // namespace

class TSortGrid::EditorSuspension {
public:
    explicit EditorSuspension(TSortGrid& grid)
        : m_grid(grid), m_had(grid.Options().testFlag(goAlwaysShowEditor)) {
        if (m_had)
            m_grid.setOptions(m_grid.Options() & ~TGridOptions(goAlwaysShowEditor));
    }
    ~EditorSuspension() {
        if (m_had)
            m_grid.setOptions(m_grid.Options() | goAlwaysShowEditor);
    }
    EditorSuspension(const EditorSuspension&) = delete;
    EditorSuspension& operator=(const EditorSuspension&) = delete;

private:
    TSortGrid& m_grid;
    bool m_had;
};

TSortGrid::TSortGrid(QWidget* parent)
    : TMyStringGrid(parent), m_userSettings(std::make_unique<TStringList>()) {
    SetModified(false);
    setFixedCols(0);
    RememberEditCell();
    ResizeFormatList(m_columnFormats, ColCount());
    ResizeFormatList(m_rowFormats, RowCount());
    m_anchorRows.Add(RowText(Row()));
    m_selectedRows.Add(RowText(Row()));
    m_dropDown = new TComboDropDown(this);
    m_dropDown->OnCloseUp = [this] { DropDownCloseUp(); };
    // Right-button releases come to the grid, which shows its own popup menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

TSortGrid::~TSortGrid() {
    // The drop-down lives on the grid's window while it is open.
    if (m_dropDown && m_dropDown->parent() != this)
        delete m_dropDown;
}

// --- properties ----------------------------------------------------------------------------

void TSortGrid::setHideRows(bool v) {
    m_hideRows = v;
    if (RowCount() > 1)
        setRow(1);
    RedrawGrid();
}

void TSortGrid::setMultiSelect(bool v) {
    if (v == m_multiSelect)
        return;
    m_multiSelect = v;
    if (v)
        setOptions(Options() | goRowSelect);
}

void TSortGrid::setUserSettings(TStrings* list) {
    if (list != m_userSettings.get()) {
        if (list)
            m_userSettings.reset(list);
        else
            m_userSettings = std::make_unique<TStringList>();
    }
    SetModified(true);
}

void TSortGrid::setAlignmentHorz(TAlignment v) {
    if (v == m_alignmentHorz)
        return;
    m_alignmentHorz = v;
    RedrawGrid();
}

void TSortGrid::setAlignmentVert(TVertAlignment v) {
    if (v == m_alignmentVert)
        return;
    m_alignmentVert = v;
    RedrawGrid();
}

void TSortGrid::setBevelStyle(TCellBevelStyle v) {
    if (v == m_bevelStyle)
        return;
    m_bevelStyle = v;
    RedrawGrid();
}

void TSortGrid::setProportionalScrollBars(bool v) {
    if (v == m_proportionalScrollBars)
        return;
    m_proportionalScrollBars = v;
    UpdateProportionalScrollBars();
}

// --- modified flag -------------------------------------------------------------------------

void TSortGrid::SetModified(bool Value) {
    if (m_modifiedLock)
        return;
    m_modified = Value;
    if (Value && OnModified)
        OnModified(this);
}

// --- selection lists -----------------------------------------------------------------------

void TSortGrid::ClearSelection() {
    for (int i = 0; i < m_selectedRows.Count(); ++i) {
        bool ok = false;
        const int32_t row = m_selectedRows.Strings(i).toInt(&ok);
        if (ok && row >= 0 && row < RowCount())
            RedrawRow(row);
    }
    m_selectedRows.Clear();
    while (m_anchorRows.Count() > 1)
        m_anchorRows.Delete(m_anchorRows.Count() - 1);
    if (m_anchorRows.Count() == 0)
        m_anchorRows.Add(QString());
    else
        m_anchorRows.setStrings(0, QString());
}

bool TSortGrid::IsRowSelected(int32_t ARow) const {
    return m_selectedRows.IndexOf(RowText(ARow)) >= 0;
}

// --- rows ----------------------------------------------------------------------------------

void TSortGrid::AddRow(const TStrings& Strings) {
    if (m_filtered) {
        AddRowFiltered(Strings);
        return;
    }
    const bool append = !IsRowEmpty(RowCount() - 1);
    const int32_t target = append ? AppendStoredRow() : RowCount() - 1;
    for (int i = 0; i < Strings.Count(); ++i)
        setCells(i, target, Strings.Strings(i));
    // A re-sort on the count change waits until the row holds its texts (sorting the empty row
    // first would put the texts over another row).
    if (append && m_sortOptions.UpdateOnSizeChange() && !NowUpdating())
        SortByColumn(m_sortOptions.SortCol());
}

int32_t TSortGrid::AppendStoredRow() {
    // A deleted row stays stored past the end; a new row must not show its old texts.
    BlankStoredRow(RowCount());
    const bool resort = m_sortOptions.UpdateOnSizeChange();
    m_sortOptions.setUpdateOnSizeChange(false);
    auto restore = qScopeGuard([&] { m_sortOptions.setUpdateOnSizeChange(resort); });
    setRowCount(RowCount() + 1);
    return RowCount() - 1;
}

void TSortGrid::AddRow(const QStringList& Strings) {
    TStringList list;
    for (const QString& s : Strings)
        list.Add(s);
    AddRow(list);
}

bool TSortGrid::IsRowEmpty(int32_t ARow) const {
    for (int32_t c = 0; c < ColCount(); ++c)
        if (!CellText(c, ARow).isEmpty())
            return false;
    return true;
}

void TSortGrid::BlankStoredRow(int32_t ARow) {
    const PackedRow* cells = StoredRow(ARow);
    if (!cells)
        return;
    for (int32_t c = cells->count() - 1; c >= 0; --c)
        if (!Cells(c, ARow).isEmpty())
            setCells(c, ARow, QString());
}

void TSortGrid::BlankStoredColumn(int32_t ACol) {
    // Rows past RowCount (earlier rows, rows hidden by the filter) get the column too, so they are
    // blanked as well.
    for (int32_t r = RowData().Count() - 1; r >= 0; --r)
        if (!Cells(ACol, r).isEmpty())
            setCells(ACol, r, QString());
}

void TSortGrid::Clear() {
    BeginUpdate();
    try {
        m_columnFormats.Clear();
        m_rowFormats.Clear();
        // A grid left with the header alone has no row 1 to make current; the counts only get
        // stored during the update, so this adds nothing but that row.
        if (RowCount() < 2)
            setRowCount(2);
        setRow(1);
        m_selectedRows.Add(RowText(1));
        ClearSelection();
        m_anchorRows.setStrings(0, RowText(1));
        // The rows hidden by the filter go too; they would otherwise come back into the new protocol.
        for (int32_t r = 1; r < RowCount() + m_hiddenCount; ++r)
            BlankStoredRow(r);
        m_hiddenCount = 0;
        m_modified = false;
        setRowCount(2);
        AutoSizeColumns(true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    if (OnRowSelected)
        OnRowSelected(this);
}

void TSortGrid::InsertRow(int32_t ARow) {
    if (ARow < 0 || ARow > RowCount())
        throw EInvalidGridOperation(kIndexOutOfRange);
    // The hidden block moves down by one so that the new row does not land on its first row.
    if (m_hiddenCount > 0)
        RowStore().MoveItem(RowCount() + m_hiddenCount, RowCount());
    {
        // A re-sort during the count change would move the new empty row away from the end, and the
        // move below would take another row.
        const bool resort = m_sortOptions.UpdateOnSizeChange();
        m_sortOptions.setUpdateOnSizeChange(false);
        auto restore = qScopeGuard([&] { m_sortOptions.setUpdateOnSizeChange(resort); });
        setRowCount(RowCount() + 1);
    }
    int32_t pos = RowCount() - 1;
    if (ARow < RowCount() - 2) {
        MoveRow(RowCount() - 1, ARow);
        pos = ARow;
    }
    BlankStoredRow(pos);
    setRow(pos);
    ClearSelection();
    m_anchorRows.setStrings(0, RowText(pos));
    m_selectedRows.Add(RowText(pos));
    if (OnRowInsert)
        OnRowInsert(this, pos);
}

void TSortGrid::DeleteRow(int32_t ARow) {
    if (RowCount() > 2 && (ARow < 0 || ARow >= RowCount()))
        throw EInvalidGridOperation(kIndexOutOfRange);
    SetModified(true);
    {
        EditorSuspension suspend(*this);
        if (RowCount() > 2) {
            TMyStringGrid::DeleteRow(ARow);
            // The deleted row now stands where the hidden block starts; it goes behind the block.
            if (m_hiddenCount > 0)
                RowStore().MoveItem(RowCount(), RowCount() + m_hiddenCount);
        } else {
            BlankStoredRow(1);
        }
        if (ARow >= 0 && ARow < m_rowFormats.Count())
            m_rowFormats.Delete(ARow);
    }
    if (OnRowDelete)
        OnRowDelete(this, ARow);
}

void TSortGrid::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    {
        EditorSuspension suspend(*this);
        TMyStringGrid::MoveRow(FromIndex, ToIndex);
    }
    // The settings move like the rows, so every row keeps its own setting.
    if (FromIndex != ToIndex && FromIndex < m_rowFormats.Count() && ToIndex < m_rowFormats.Count())
        m_rowFormats.Move(FromIndex, ToIndex);
}

void TSortGrid::ExchangeRows(int32_t A, int32_t B) {
    if (A < B) {
        MoveRow(B, A);
        MoveRow(A + 1, B);
    } else if (B < A) {
        MoveRow(A, B);
        MoveRow(B + 1, A);
    }
}

// --- columns -------------------------------------------------------------------------------

void TSortGrid::InsertColumn(int32_t ACol) {
    if (ACol < 0 || ACol > ColCount())
        throw EInvalidGridOperation(kIndexOutOfRange);
    setColCount(ColCount() + 1);
    MoveColumn(ColCount() - 1, ACol);
    BlankStoredColumn(ACol);
    setCol(ACol);
    if (OnColumnInsert)
        OnColumnInsert(this, ACol);
}

void TSortGrid::DeleteColumn(int32_t ACol) {
    if (ACol < 0 || ACol >= ColCount())
        throw EInvalidGridOperation(kIndexOutOfRange);
    BlankStoredColumn(ACol);
    {
        EditorSuspension suspend(*this);
        TMyStringGrid::DeleteColumn(ACol);
    }
    if (OnColumnDelete)
        OnColumnDelete(this, ACol);
}

void TSortGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex) {
    EditorSuspension suspend(*this);
    TMyStringGrid::MoveColumn(FromIndex, ToIndex);
}

void TSortGrid::ColumnMoved(int32_t FromIndex, int32_t ToIndex) {
    if (FromIndex != ToIndex && FromIndex < m_columnFormats.Count() && ToIndex < m_columnFormats.Count())
        m_columnFormats.Move(FromIndex, ToIndex);
    SetModified(true);
    const int32_t sortCol = m_sortOptions.SortCol();
    if (FromIndex == sortCol)
        m_sortOptions.setSortCol(ToIndex);
    else if (ToIndex <= sortCol && sortCol < FromIndex)
        m_sortOptions.setSortCol(sortCol + 1);
    else if (FromIndex < sortCol && sortCol <= ToIndex)
        m_sortOptions.setSortCol(sortCol - 1);
    TMyStringGrid::ColumnMoved(FromIndex, ToIndex);
}

// --- sizes (text widths and column sizing: TSortGridSize.cpp) ----------------------------

void TSortGrid::SizeChanged(int32_t OldColCount, int32_t OldRowCount) {
    TMyStringGrid::SizeChanged(OldColCount, OldRowCount);
    // The foundation lowers the fixed rows when the grid shrinks to one row; the header row is
    // fixed again as soon as there is a data row.
    if (RowCount() >= 2 && TMyStringGrid::FixedRows() != 1)
        setFixedRows(1);
    SetModified(true);
    UpdateProportionalScrollBars();
    if (m_sortOptions.UpdateOnSizeChange())
        SortByColumn(m_sortOptions.SortCol());
    if (!NowUpdating()) {
        try {
            MoveTo(0, 1, true);
        } catch (...) {
            // Jumping to the first data row is a convenience; a grid without one stays as it is.
        }
    }
    if (!m_formatListsReplaced) {
        ResizeFormatList(m_columnFormats, ColCount() - OldColCount);
        ResizeFormatList(m_rowFormats, RowCount() - OldRowCount);
    }
    if (RowCount() < 2)
        platform::dialogs().showMessage(QStringLiteral("Rowsize too small"));
    if (OnSizeChanged)
        OnSizeChanged(this, OldColCount, OldRowCount);
}

void TSortGrid::ColWidthsChanged() {
    TMyStringGrid::ColWidthsChanged();
    if (OnColumnWidthsChanged)
        OnColumnWidthsChanged(this);
    UpdateProportionalScrollBars();
}

void TSortGrid::RowHeightsChanged() {
    TMyStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged)
        OnRowHeightsChanged(this);
    UpdateProportionalScrollBars();
}

int ProportionalPageSize(double visibleLines, int32_t count, int rangeMin, int rangeMax) {
    if (count <= 0)
        return 1;
    const double exact = visibleLines / double(count) * double(rangeMax - rangeMin + 1);
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(exact);
    std::fesetround(saved);
    return std::max(1, int(rounded));
}

void TSortGrid::UpdateProportionalScrollBars() {
    if (!m_proportionalScrollBars)
        return;
    if (ScrollBars() == ssVertical || ScrollBars() == ssBoth)
        verticalScrollBar()->setPageStep(ProportionalPageSize(VisibleRowCount() + 1, RowCount(), 0,
                                                              ScrollRangeMax(TScrollBarKind::Vertical)));
    if (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth)
        horizontalScrollBar()->setPageStep(ProportionalPageSize(VisibleColCount(), ColCount(), 0,
                                                                ScrollRangeMax(TScrollBarKind::Horizontal)));
}

// --- bulk update ---------------------------------------------------------------------------

void TSortGrid::BeginUpdate() {
    TMyStringGrid::BeginUpdate();
    m_savedUpdateOnSizeChange = m_sortOptions.UpdateOnSizeChange();
    m_sortOptions.setUpdateOnSizeChange(false);
}

void TSortGrid::EndUpdate() {
    TMyStringGrid::EndUpdate();
    m_sortOptions.setUpdateOnSizeChange(m_savedUpdateOnSizeChange);
    if (OnEndUpdate)
        OnEndUpdate(this);
}

// --- current cell --------------------------------------------------------------------------

void TSortGrid::MoveTo(int32_t ACol, int32_t ARow, bool Scroll) {
    ACol = std::clamp(ACol, 0, std::max(0, ColCount() - 1));
    ARow = std::clamp(ARow, 1, std::max(1, RowCount() - 1));
    if (!CanSelectCell(ACol, ARow))
        return;

    // Only the grid changes here; suspending the whole window would repaint all of it (the digit
    // rows included) when updates come back, for every line the protocol appends.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    struct Unlock {
        QWidget* grid;
        bool enabled;
        ~Unlock() { grid->setUpdatesEnabled(enabled); }
    } unlock{this, updates};

    MoveCurrent(ACol, ARow, true, true);
    ClearSelection();
    m_selectedRows.Add(RowText(ARow));
    m_anchorRows.setStrings(0, RowText(ARow));
    setCol(ACol);
    setRow(ARow);
    RedrawGrid();
    if (Scroll)
        ScrollTo(ACol, ARow);
}

void TSortGrid::ScrollTo(int32_t ACol, int32_t ARow) {
    ACol = std::clamp(ACol, 0, std::max(0, ColCount() - 1));
    ARow = std::clamp(ARow, 1, std::max(1, RowCount() - 1));
    // Fixed columns never scroll, so the window cannot start left of them.
    const int32_t target = std::max(ACol, FixedCols());
    while (target > LeftCol() + VisibleColCount() - 1)
        setLeftCol(LeftCol() + 1);
    while (target < LeftCol())
        setLeftCol(LeftCol() - 1);
    int32_t top = std::max(1, RowCount() - VisibleRowCount());
    if (top >= ARow)
        top = ARow > 1 ? ARow - 1 : 1;
    setTopRow(top);
}

// --- cell formats --------------------------------------------------------------------------

TFormatOptions TSortGrid::GetCellFormat(int32_t ACol, int32_t ARow, bool& CheckBox, bool& Combobox,
                                        bool& Ellipsis) {
    TFormatOptions f;
    // While painting, the defaults are what the canvas holds for the cell (selection colours
    // included); otherwise the grid's own.
    if (const GridCanvas* canvas = Canvas()) {
        f.BrushColor = canvas->BrushColor();
        f.Font = canvas->Font();
        f.FontColor = canvas->FontColor();
    } else {
        f.BrushColor = ARow < FixedRows() ? FixedColor() : Color();
        f.Font = font();
        f.FontColor = clWindowText;
    }
    f.AlignmentHorz = m_alignmentHorz;
    f.AlignmentVert = m_alignmentVert;
    f.Bevel = m_bevelStyle;
    switch (m_bevelStyle) {
    case cbRaised:
        f.HighlightColor = clBtnHighlight;
        f.ShadowColor = clBtnShadow;
        break;
    case cbLowered:
        f.HighlightColor = clBtnShadow;
        f.ShadowColor = clBtnHighlight;
        break;
    case cbNone:
        f.HighlightColor = clWindow;
        f.ShadowColor = clWindow;
        break;
    }
    f.HideText = false;
    CheckBox = Combobox = Ellipsis = false;
    if (OnGetCellFormat) {
        TGridDrawState state;
        if (ARow == 0)
            state |= gdFixed;
        if (hasFocus() && ACol == Col() && ARow == Row())
            state |= gdFocused;
        const TGridRect sel = Selection();
        if (ACol >= sel.Left && ACol <= sel.Right && ARow >= sel.Top && ARow <= sel.Bottom)
            state |= gdSelected;
        OnGetCellFormat(this, ACol, ARow, state, f, CheckBox, Combobox, Ellipsis);
    }
    return f;
}

// --- editing and validation ----------------------------------------------------------------

void TSortGrid::SetEditText(int32_t ACol, int32_t ARow, const QString& Value) {
    if (Value != Cells(ACol, ARow))
        SetModified(true);
    TMyStringGrid::SetEditText(ACol, ARow, Value);
}

void TSortGrid::RememberEditCell() {
    if (!EditorMode())
        return;
    m_validateCell = {Col(), Row()};
    m_validateText = Cells(Col(), Row());
    m_validateModified = m_modified;
}

void TSortGrid::ValidateCell() {
    if (!EditorMode())
        return;
    const TGridCoord c = m_validateCell;
    if (c.X >= 0 && c.Y >= 0 && c.X < ColCount() && c.Y < RowCount()) {
        const QString now = Cells(c.X, c.Y);
        if (now != m_validateText) {
            QString newValue = now;
            bool valid = true;
            if (OnCellValidate)
                OnCellValidate(this, c.X, c.Y, m_validateText, newValue, valid);
            if (valid) {
                if (newValue != Cells(c.X, c.Y))
                    setCells(c.X, c.Y, newValue);
            } else {
                setCells(c.X, c.Y, newValue != now ? newValue : m_validateText);
                SetModified(m_validateModified);
            }
        }
    }
    RememberEditCell();
}

void TSortGrid::Click() {
    ValidateCell();
    if (OnClick)
        OnClick(this);
}

void TSortGrid::focusInEvent(QFocusEvent* e) {
    TMyStringGrid::focusInEvent(e);
    RememberEditCell();
}

void TSortGrid::focusOutEvent(QFocusEvent* e) {
    // Switching to another window or opening a menu does not leave the grid within its form.
    if (e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason)
        Click();
    TMyStringGrid::focusOutEvent(e);
}

void TSortGrid::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        ValidateCell();
    TMyStringGrid::keyPressEvent(e);
}
