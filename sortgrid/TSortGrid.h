#pragma once

#include "core/NotifyEvent.h"
#include "core/TStringList.h"
#include "grids/CellTextOverflow.h"
#include "grids/TMyStringGrid.h"
#include "sortgrid/PrintLayout.h"
#include "sortgrid/ProtocolLoad.h"
#include "sortgrid/SortGridTypes.h"
#include "sortgrid/TFontList.h"
#include "sortgrid/TFormatOptions.h"
#include "sortgrid/TPrintOptions.h"
#include "sortgrid/TSortOptions.h"

#include <QFont>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class QMenu;
class TComboDropDown;
class QProgressDialog;
namespace platform {
class PrintCanvas;
}
struct ProtocolFileData;

/// The protocol grid: a string grid with one fixed header row and data rows below it. Adds a
/// modified flag, appending a row from a string list, clearing, inserting and deleting rows and
/// columns with events, column auto-sizing, jumping to a cell, per-column and per-row format settings,
/// free user settings and the options for sorting and printing.
class TSortGrid : public TMyStringGrid {
    Q_OBJECT

public:
    /// Creates the grid: no fixed columns, one fixed row, default options.
    explicit TSortGrid(QWidget* parent = nullptr);
    ~TSortGrid() override;

    // --- properties -------------------------------------------------------------------------

    /// The grid works with one fixed row, the header row 0; this always reads 1.
    int32_t FixedRows() const { return 1; }
    /// Menu shown on a right-button release over a data row (not owned).
    QMenu* PopupMenu() const { return m_popupMenu; }
    /// Sets the popup menu.
    void setPopupMenu(QMenu* m) { m_popupMenu = m; }
    /// The grid's sorting settings; change them field by field.
    TSortOptions* SortOptions() { return &m_sortOptions; }
    /// The grid's printing settings; change them field by field.
    TPrintOptions* PrintOptions() { return &m_printOptions; }
    /// True when data rows are painted blank.
    bool HideRows() const { return m_hideRows; }
    /// Stores the flag, makes row 1 current (column unchanged) and repaints.
    void setHideRows(bool v);
    /// True while rows rejected by `OnSetFilter` are hidden.
    bool Filtered() const { return m_filtered; }
    /// Switches the filter on (rows that `OnSetFilter` rejects move behind the visible rows, into the
    /// hidden block) or off (the hidden rows come back after the others and the grid sorts again).
    /// Switching it on again while rows are hidden filters all rows afresh. `Modified` keeps its value.
    void setFiltered(bool v);
    /// True when several rows can be selected.
    bool MultiSelect() const { return m_multiSelect; }
    /// Stores the flag; switching it on also adds goRowSelect to Options.
    void setMultiSelect(bool v);
    /// Free application strings stored in the protocol file.
    TStrings* UserSettings() const { return m_userSettings.get(); }
    /// Makes the grid use (and later free) `list` in place of its own list, and marks the grid
    /// modified. A null list stands for a new empty one.
    void setUserSettings(TStrings* list);
    /// Horizontal text position in cells.
    TAlignment AlignmentHorz() const { return m_alignmentHorz; }
    /// Sets the horizontal text position and repaints.
    void setAlignmentHorz(TAlignment v);
    /// Vertical text position in cells.
    TVertAlignment AlignmentVert() const { return m_alignmentVert; }
    /// Sets the vertical text position and repaints.
    void setAlignmentVert(TVertAlignment v);
    /// Bevel lines around data cells.
    TCellBevelStyle BevelStyle() const { return m_bevelStyle; }
    /// Sets the bevel lines and repaints.
    void setBevelStyle(TCellBevelStyle v);
    /// True when scroll-bar thumbs are sized to the visible part.
    bool ProportionalScrollBars() const { return m_proportionalScrollBars; }
    /// Sets proportional thumbs and updates the bars.
    void setProportionalScrollBars(bool v);
    /// True when Ctrl+Insert / Ctrl+Delete insert and delete rows and columns.
    bool ExtendedKeys() const { return m_extendedKeys; }
    /// Switches the row and column keys on or off.
    void setExtendedKeys(bool v) { m_extendedKeys = v; }
    /// True when an active column setting wins over an active row setting in drawing.
    bool ColumnFormatsFirst() const { return m_columnFormatsFirst; }
    /// Sets whether column settings win over row settings.
    void setColumnFormatsFirst(bool v) { m_columnFormatsFirst = v; }
    /// One format setting per column (may hold fewer entries than columns).
    TFontList* ColumnFormats() { return &m_columnFormats; }
    /// One format setting per row (may hold fewer entries than rows).
    TFontList* RowFormats() { return &m_rowFormats; }
    /// Number of rows hidden by the filter, stored past RowCount.
    int32_t HiddenCount() const { return m_hiddenCount; }

    // --- modified flag ----------------------------------------------------------------------

    /// True when the protocol changed since it was last cleared, loaded or reset.
    bool Modified() const { return m_modified; }
    /// Sets `Modified` and fires `OnModified` when set to true; does nothing while locked.
    void SetModified(bool Value);
    /// True while `SetModified` does nothing.
    bool ModifiedLock() const { return m_modifiedLock; }
    /// Locks or unlocks the modified flag.
    void setModifiedLock(bool v) { m_modifiedLock = v; }

    // --- selection lists --------------------------------------------------------------------

    /// Selected row numbers as decimal texts, in selection order.
    TStrings* SelectedRows() { return &m_selectedRows; }
    /// Entry 0 is the anchor row of a range selection.
    TStrings* AnchorRows() { return &m_anchorRows; }
    /// Repaints and forgets every selected row; the anchor list keeps one empty entry.
    void ClearSelection();
    /// True when `ARow` is in `SelectedRows`.
    bool IsRowSelected(int32_t ARow) const;

    // --- operations -------------------------------------------------------------------------

    /// Puts item i of `Strings` into column i of the last row when that row is empty, else of a new
    /// row appended at the end. Items past the last column are stored but not shown.
    void AddRow(const TStrings& Strings);
    /// Convenience form of `AddRow` for a plain list of texts.
    void AddRow(const QStringList& Strings);
    /// Back to the header row (kept) plus one empty data row.
    void Clear();
    /// True when every cell of the row in columns 0 .. ColCount − 1 is empty.
    bool IsRowEmpty(int32_t ARow) const;
    /// Inserts an empty row before `ARow` (or after the last row when `ARow` is the last row or
    /// beyond it), makes it current and selected and fires `OnRowInsert`.
    void InsertRow(int32_t ARow);
    /// Removes a row (blanks row 1 instead when it is the only data row) and fires `OnRowDelete`.
    void DeleteRow(int32_t ARow) override;
    /// Inserts an empty column at `ACol`, makes it current and fires `OnColumnInsert`.
    void InsertColumn(int32_t ACol);
    /// Removes a column and fires `OnColumnDelete`.
    void DeleteColumn(int32_t ACol) override;
    /// Moves a row and its format setting (the editor is kept hidden meanwhile).
    void MoveRow(int32_t FromIndex, int32_t ToIndex);
    /// Moves a column (the editor is kept hidden meanwhile); its format setting follows in
    /// `ColumnMoved`.
    void MoveColumn(int32_t FromIndex, int32_t ToIndex);
    /// Swaps two rows; all other rows stay in place.
    void ExchangeRows(int32_t A, int32_t B);
    /// Fits one column to its widest text; a hidden column (width −1) only with `Force`.
    void AutoSizeColumn(int32_t ACol, bool Force);
    /// Fits every column, inside one bulk update.
    void AutoSizeColumns(bool Force);
    /// Makes a cell current and its row the only selected row; optionally scrolls it into view.
    void MoveTo(int32_t ACol, int32_t ARow, bool Scroll);
    /// Scrolls so that the cell is visible; its row shows as the second visible row or on the last page.
    void ScrollTo(int32_t ACol, int32_t ARow);
    /// Sorts the data rows on a column, then on the columns of `SecondaryIndex`, then by their order
    /// before; equal keys keep their order in both directions. Rows move with their texts and
    /// objects (columns 0 .. ColCount − 1), and the selected rows stay selected where they went. Does
    /// nothing, not even set `SortCol`, while `SortOptions()->CanSort()` is false. A bad key column
    /// (not a number, or past the last column) raises before any row moves.
    void SortByColumn(int32_t ACol);
    /// The style that fits every data cell of a column: numeric, else date-time, else time, else
    /// normal text; numeric when there are no data rows.
    TSortStyle DetectSortStyle(int32_t ACol);
    /// A click on the header cell of `ACol` with `Button`: sets the direction by the header rule
    /// (also while sorting is off), then sorts on the column.
    void HeaderClick(int32_t ACol, Qt::MouseButton Button);
    /// A left double click at (X, Y): on the header within 3 pixels of a column's right edge, fits
    /// that column to its texts. Returns true when a column was sized.
    bool AutoSizeAtHeaderEdge(int X, int Y);
    /// Search by first character: makes current the next data row after the current one whose text
    /// in column `SortCol` starts with `Key` (A-Z compared without case), wrapping to row 1. `Key`
    /// itself is not changed. Returns true when a row was found.
    bool SearchFirstChar(QChar Key);
    /// True when a data row is painted blank: `HideRows` is set or the grid is in a bulk update.
    bool IsRowBlanked(int32_t ARow) const { return ARow > 0 && (m_hideRows || NowUpdating()); }
    /// The format of a cell: the grid's settings, then whatever `OnGetCellFormat` makes of them.
    TFormatOptions GetCellFormat(int32_t ACol, int32_t ARow, bool& CheckBox, bool& Combobox, bool& Ellipsis);

    // --- files (TSortGridFile.cpp) ----------------------------------------------------------

    /// Writes the protocol file (settings lines, layout line, one line per row), replacing the file
    /// only when every byte was written; a failure is shown as "Can't write to file:" and the name,
    /// with the reason on a line below. With `window` the layout line holds that window
    /// size and position around the column widths; without it every layout item is "-1".
    void saveProtocol(const QString& FileName, const std::optional<WindowLayout>& window);
    /// Reads a protocol file into the grid. With FileLayout::Use the layout line's column widths
    /// are applied and its window size and position come back for the caller's window to apply;
    /// with Skip the columns are sized to their texts. A file that cannot be read or is not a
    /// protocol file leaves the grid untouched and comes back with the reason.
    ProtocolLoad loadProtocol(const QString& FileName, FileLayout layout);
    /// saveProtocol with, when `WithLayout`, the layout of the window the grid is in.
    void SaveToFile(const QString& FileName, bool WithLayout);
    /// loadProtocol, applying a loaded window layout to the window the grid is in; false when the
    /// file was refused.
    bool LoadFromFile(const QString& FileName, bool WithLayout);
    /// Writes the rows as a semicolon-separated file; a failure is shown like `SaveToFile`'s.
    void SaveToCsvFile(const QString& FileName);
    /// The lines of the protocol file, with the layout of the window the grid is in when `WithLayout`.
    QStringList BuildFileLines(bool WithLayout);
    /// Replaces the grid's rows, formats and user settings by those of the protocol-file lines, then
    /// sizes the columns (or applies the stored layout to the columns and the window the grid is in)
    /// and sorts on column 0. False, with the grid untouched, when the lines are not a protocol file.
    bool ParseFileLines(const QStringList& Lines, bool WithLayout);

    // --- printing (TSortGridPrint.cpp) -------------------------------------------------------

    /// Prints rows `FromRow` .. `ToRow` of `PrintOptions` under the header row on the chosen
    /// printer (or PDF file), after turning the filter off; shows progress that can cancel the job.
    void Print();
    /// Lays out the pages of rows `FromRow` .. `ToRow` and draws them: every page on the printer
    /// (`Print`), page `PrintOptions()->PreviewPage()` alone on `Canvas` (`Preview`), or none
    /// (`Count`). Returns the number of pages.
    int RenderPages(platform::PrintCanvas& Canvas, TRenderMode Mode, int32_t FromRow, int32_t ToRow);
    /// The page layout of rows `FromRow` .. `ToRow` on the printer in force.
    PrintLayout MakePrintLayout(int32_t FromRow, int32_t ToRow);
    /// Asked after each printed page; without a handler `Print` shows a progress dialog.
    TPrintProgressEvent OnPrintProgress;

    /// Starts a bulk update and holds re-sorting on count changes until `EndUpdate`.
    void BeginUpdate() override;
    /// Ends a bulk update, restores re-sorting on count changes and fires `OnEndUpdate`.
    void EndUpdate() override;

    // --- events -----------------------------------------------------------------------------

    /// `SetModified(true)` while not locked.
    TNotifyEvent OnModified;
    /// The selection changed, and at the end of `Clear`.
    TNotifyEvent OnRowSelected;
    /// A row was inserted (with its final position).
    TUpdateGridEvent OnRowInsert;
    /// A row was deleted.
    TUpdateGridEvent OnRowDelete;
    /// A column was inserted (the column is passed as ARow).
    TUpdateGridEvent OnColumnInsert;
    /// A column was deleted (the column is passed as ARow).
    TUpdateGridEvent OnColumnDelete;
    /// Column widths changed.
    TNotifyEvent OnColumnWidthsChanged;
    /// Row heights changed.
    TNotifyEvent OnRowHeightsChanged;
    /// The counts changed (with the counts before).
    TSizeChangedEvent OnSizeChanged;
    /// End of every `EndUpdate`.
    TNotifyEvent OnEndUpdate;
    /// Asked for a cell's format.
    TFormatDrawCellEvent OnGetCellFormat;
    /// Asked whether a row passes the filter.
    TSetFilterEvent OnSetFilter;
    /// Asked for the comparison style of a sort key column.
    TGetSortStyleEvent OnGetSortStyle;
    /// Asked when the in-place editor changed a cell.
    TCellValidateEvent OnCellValidate;
    /// A check box cell was toggled.
    TSetChecked OnSetChecked;
    /// Asked for the items of a combobox cell.
    TGetCombobox OnGetComboBox;
    /// An item of a combobox cell was chosen.
    TSetCombobox OnSetComboBox;
    /// The ellipsis button of a cell was pressed.
    TSetEllipsis OnSetEllipsis;
    /// Called before a sort; may change the column used.
    TBeforeSortEvent OnBeforeSort;
    /// Called after a sort.
    TAfterSortEvent OnAfterSort;

    // --- cell widgets (TSortGridDraw.cpp, TSortGridInput.cpp) -------------------------------

    /// Checks (text "true") or unchecks (empty text) a check box cell, repaints its row and fires
    /// `OnSetChecked`. Cells that are no check box stay as they are.
    void SetChecked(int32_t ACol, int32_t ARow, bool State);
    /// True when the cell is a check box cell whose text is exactly "true".
    bool GetChecked(int32_t ACol, int32_t ARow);
    /// Opens the drop-down list of a combobox cell with the items `OnGetComboBox` gives; false (and
    /// nothing shown) for other cells, without a handler or without items. The choice goes into this
    /// cell whatever happens to the grid meanwhile.
    bool ShowComboBox(int32_t ACol, int32_t ARow);
    /// Closes the drop-down list without storing anything.
    void HideComboBox();
    /// The drop-down list of combobox cells (hidden while closed).
    TComboDropDown* ComboDropDown() const;

protected:
    void SizeChanged(int32_t OldColCount, int32_t OldRowCount) override;
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    void SetEditText(int32_t ACol, int32_t ARow, const QString& Value) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;

    /// Width of `text` in `font`; the measure of `AutoSizeColumn`.
    virtual int TextWidth(const QFont& font, const QString& text) const;
    /// A width that `TextWidth(font, text)` does not exceed, from the characters' own advances;
    /// negative when there is none to give. `AutoSizeColumn` skips texts whose bound cannot beat
    /// the widest; a descendant that changes `TextWidth` changes this too.
    virtual double TextWidthBound(const QFont& font, const QString& text) const;

    /// Remembers the current cell, its text and the modified flag (only in editor mode).
    void RememberEditCell();
    /// Checks the remembered cell against its remembered text and asks `OnCellValidate` about a
    /// change; then remembers the current cell again. Only in editor mode.
    void ValidateCell();
    /// The grid's click handling: validates the edited cell, then fires `OnClick`.
    void Click() override;
    /// Sets the page size of the scroll bars from the visible share while `ProportionalScrollBars`.
    void UpdateProportionalScrollBars();

    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

    // Drawing and input of the protocol grid (TSortGridDraw.cpp, TSortGridInput.cpp).
    void DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) override;
    /// A text may be drawn on into the empty cells after it: those are repainted with the cell.
    TGridRect ChangedCellArea(int32_t ACol, int32_t ARow) const override;
    bool CanSelectCell(int32_t ACol, int32_t ARow) override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void KeyUp(int& Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, bool DoubleClick, int X,
                   int Y) override;
    void MouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    bool DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint& MousePos) override;
    bool DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint& MousePos) override;
    void resizeEvent(QResizeEvent* e) override;
    /// Makes the last column fill the client width when the visible columns reach it.
    void StretchLastColumn();

private:
    using TMyStringGrid::setFixedRows;

    /// Takes goAlwaysShowEditor out of Options while alive and puts it back afterwards.
    class EditorSuspension;

    void BlankStoredRow(int32_t ARow);
    void BlankStoredColumn(int32_t ACol);
    void SortRows(int32_t ACol);
    void AddRowFiltered(const TStrings& Strings);
    void ApplyFilter();
    void ShowHiddenRows();
    int32_t AppendStoredRow();
    /// The stored rows, for moving whole rows at once.
    TSparseList& RowStore();
    /// Puts the data rows 1 .. n in a new order: row p + 1 takes the row that stood at order[p] + 1.
    /// Cells past the last column stay at their position.
    void PermuteDataRows(const std::vector<int32_t>& order);
    QStringList RowCells(int32_t ARow) const;
    /// Puts the texts of row ARow's columns into `cells` (emptied first).
    void RowCellsInto(int32_t ARow, QStringList& cells) const;
    /// Appends one line per row, written by `appendLine` from the row's cells and ended by CR LF;
    /// room for `bytesPerRow` characters a row is reserved first.
    void AppendRowLines(QString& text, qsizetype bytesPerRow,
                        void (*appendLine)(QString&, const QStringList&)) const;
    /// The protocol file's data without its rows: settings, user settings and layout.
    ProtocolFileData FileHeaderData(const std::optional<WindowLayout>& window);
    /// The protocol file's whole text, lines ended by CR LF.
    QString BuildFileText(const std::optional<WindowLayout>& window);
    /// The layout of the window the grid is in, when `WithLayout`.
    std::optional<WindowLayout> OwnWindowLayout(bool WithLayout) const;
    /// Puts parsed protocol-file data into the grid (see loadProtocol); the rows' texts are taken
    /// over, each row's list freed as soon as it is in the grid. Raises what fails.
    ProtocolLoad ApplyFileData(ProtocolFileData& data, FileLayout layout);
    /// AutoSizeColumns for a grid whose cells all have the grid's font.
    void AutoSizeAllColumns(bool Force);
    QFont PrintFont() const;
    bool PrintProgress(int done, int total);
    /// The format a cell is drawn in: GetCellFormat with the selection's and the settings' colours.
    TFormatOptions CellLook(int32_t ACol, int32_t ARow, bool& CheckBox, bool& Combobox, bool& Ellipsis);
    /// The cells FirstCol .. LastCol of a row on the screen, for texts that run on.
    std::vector<OverflowCell> ScreenOverflowRow(int32_t FirstCol, int32_t LastCol, int32_t ARow);
    /// Draws into the empty cell the part of a text from the left that runs on into it, on the
    /// cell's background `Brush`.
    void DrawRunOnText(int32_t ACol, int32_t ARow, const QRect& ARect, TColor Brush);

    QMenu* m_popupMenu = nullptr;
    TSortOptions m_sortOptions;
    TPrintOptions m_printOptions;
    bool m_hideRows = false;
    bool m_filtered = false;
    bool m_multiSelect = false;
    std::unique_ptr<TStrings> m_userSettings;
    TAlignment m_alignmentHorz = taLeftJustify;
    TVertAlignment m_alignmentVert = taTopJustify;
    TCellBevelStyle m_bevelStyle = cbNone;
    bool m_proportionalScrollBars = false;
    bool m_extendedKeys = false;
    bool m_columnFormatsFirst = false;
    TFontList m_columnFormats;
    TFontList m_rowFormats;
    /// Set while a load changes the counts whose format lists the file's lists replace afterwards.
    bool m_formatListsReplaced = false;
    int32_t m_hiddenCount = 0;

    bool m_modified = false;
    bool m_modifiedLock = false;
    TStringList m_selectedRows;
    TStringList m_anchorRows;
    bool m_savedUpdateOnSizeChange = false;

    // Input state (TSortGridInput.cpp).
    bool m_singleSelect = true;
    TGridCoord m_pressCell{-1, -1};
    QPoint m_dragStart{-1, -1};
    bool m_dragging = false;
    bool m_tabDown = false;
    QPointer<TComboDropDown> m_dropDown;
    TGridCoord m_dropDownCell{-1, -1};
    void DropDownCloseUp();
    void CellWidgetAction(int32_t ACol, int32_t ARow, const QPoint* click);
    void SelectRowsOfSelection();
    QString SelectedRowsText();
    bool IsDataRow(int32_t ARow) const { return ARow >= 1 && ARow < RowCount(); }

    TGridCoord m_validateCell{-1, -1};
    QString m_validateText;
    bool m_validateModified = false;

    mutable QFont m_charAdvancesFont;
    mutable std::unique_ptr<std::array<double, 256>> m_charAdvances;
    mutable bool m_charAdvancesFixed = false;
    /// The advance every character from ' ' to 0xFF has, or 0 when they differ.
    mutable double m_charAdvanceUniform = 0;

    QProgressDialog* m_printProgress = nullptr;
    bool m_printCancelled = false;
};

/// The page size a proportional scroll bar gets: the visible share of `count` lines applied to the
/// bar's range, rounded to the nearest integer (a half to the even neighbour), at least 1.
int ProportionalPageSize(double visibleLines, int32_t count, int rangeMin, int rangeMax);
