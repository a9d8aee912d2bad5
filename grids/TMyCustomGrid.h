#pragma once

#include "core/BorderStyle.h"
#include "core/Colors.h"
#include "core/NotifyEvent.h"
#include "grids/GridSizing.h"
#include "grids/GridTypes.h"
#include "grids/TGridAxisDrawInfo.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class GridCanvas;
class TInplaceEdit;

/// Reports a key going down or up; setting Key to 0 drops it.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;
/// Reports a typed character; setting Key to 0 drops it.
using TKeyPressEvent = std::function<void(QObject* Sender, QChar& Key)>;
/// Reports a mouse button going down or up at a client point.
using TMouseEvent =
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
/// Reports the pointer moving over the grid (or dragging from it) with the buttons held.
using TMouseMoveEvent =
    std::function<void(QObject* Sender, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y)>;
/// Reports one wheel notch; setting Handled skips the grid's own handling.
using TMouseWheelUpDownEvent =
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, const QPoint& MousePos, bool& Handled)>;

/// Base of the grid family: counts, fixed lines, sizes, cell-to-pixel geometry, the visible window
/// with its scroll bars, the current cell and selection, and painting. `DrawCell` is left to the
/// descendants. The cells are painted on the scroll area's viewport, whose size is the client size.
/// The implementation is split by concern: TMyCustomGrid.cpp (state, counts, sizes, geometry, moving
/// lines, bulk update, repainting), TMyCustomGridSelection.cpp, TMyCustomGridScroll.cpp,
/// TMyCustomGridPaint.cpp, TMyCustomGridKeys.cpp (the movement itself is `gridkeys::Move`),
/// TMyCustomGridMouse.cpp (selecting, sizing, moving, wheel) and TMyCustomGridEdit.cpp (editor, focus).
class TMyCustomGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// A largest size list length; longer lists are refused.
    static constexpr int32_t MaxListSize = 134217725;

    /// Creates a grid with 5 × 5 cells, one fixed column and row, sized 320 × 120.
    explicit TMyCustomGrid(QWidget* parent = nullptr);
    ~TMyCustomGrid() override;

    // --- counts and sizes ---------------------------------------------------------------------

    /// Number of columns (at least 1).
    int32_t ColCount() const { return m_colCount; }
    /// Sets the number of columns; values below 1 become 1.
    void setColCount(int32_t v);
    /// Number of rows (at least 1).
    int32_t RowCount() const { return m_rowCount; }
    /// Sets the number of rows; values below 1 become 1.
    void setRowCount(int32_t v);
    /// Leading columns that never scroll.
    int32_t FixedCols() const { return m_fixedCols; }
    /// Sets the fixed column count; must lie in 0 … ColCount − 1.
    void setFixedCols(int32_t v);
    /// Leading rows that never scroll.
    int32_t FixedRows() const { return m_fixedRows; }
    /// Sets the fixed row count; must lie in 0 … RowCount − 1.
    void setFixedRows(int32_t v);
    /// Width of columns without an individual width.
    int32_t DefaultColWidth() const { return m_defaultColWidth; }
    /// Sets the default width and discards every individual width.
    void setDefaultColWidth(int32_t w);
    /// Height of rows without an individual height.
    int32_t DefaultRowHeight() const { return m_defaultRowHeight; }
    /// Sets the default height and discards every individual height.
    void setDefaultRowHeight(int32_t h);
    /// Width of column `i` (−1 hides it, 0 leaves only its line).
    int32_t ColWidths(int32_t i) const;
    /// Sets the width of column `i`.
    void setColWidths(int32_t i, int32_t w);
    /// Height of row `i` (−1 hides it, 0 leaves only its line).
    int32_t RowHeights(int32_t i) const;
    /// Sets the height of row `i`.
    void setRowHeights(int32_t i, int32_t h);
    /// True while individual column widths are stored (they are then persisted).
    bool HasColWidths() const { return !m_colWidths.empty(); }
    /// True while individual row heights are stored.
    bool HasRowHeights() const { return !m_rowHeights.empty(); }
    /// Width of the grid lines in pixels.
    int32_t GridLineWidth() const { return m_gridLineWidth; }
    /// Sets the width of the grid lines.
    void setGridLineWidth(int32_t w);

    // --- look ---------------------------------------------------------------------------------

    /// The grid options.
    TGridOptions Options() const { return m_options; }
    /// Sets the grid options (goRowSelect drops goAlwaysShowEditor).
    void setOptions(TGridOptions o);
    /// Which scroll bars the grid may show.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    /// Sets which scroll bars the grid may show.
    void setScrollBars(TScrollStyle s);
    /// The frame around the grid.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    /// Sets the frame around the grid.
    void setBorderStyle(TBorderStyle b);
    /// Background of the fixed cells.
    TColor FixedColor() const { return m_fixedColor; }
    /// Sets the background of the fixed cells.
    void setFixedColor(TColor c);
    /// Background of the data cells and of the area outside the cells.
    TColor Color() const { return m_color; }
    /// Sets the background of the data cells.
    void setColor(TColor c);
    /// True when the grid fills cells, draws edges and focus rectangles around `DrawCell`.
    bool DefaultDrawing() const { return m_defaultDrawing; }
    /// Switches the grid's own cell drawing on or off.
    void setDefaultDrawing(bool on);
    /// True when Tab moves the keyboard focus onto the grid.
    bool TabStop() const { return m_tabStop; }
    /// Sets whether Tab moves the keyboard focus onto the grid.
    void setTabStop(bool on);

    // --- geometry -----------------------------------------------------------------------------

    /// Client width: the area the cells are painted on.
    int ClientWidth() const;
    /// Client height: the area the cells are painted on.
    int ClientHeight() const;
    /// Layout of both axes for the current client size.
    TGridDrawInfo CalcDrawInfo() const;
    /// Layout of both axes for a given client size.
    TGridDrawInfo CalcDrawInfoXY(int clientWidth, int clientHeight) const;
    /// Number of wholly visible scrolling columns (at least 1 by construction).
    int32_t VisibleColCount() const;
    /// Number of wholly visible scrolling rows.
    int32_t VisibleRowCount() const;
    /// Pixel rectangle of a cell without its grid lines; empty when the cell is not on screen.
    QRect CellRect(int32_t ACol, int32_t ARow) const;
    /// Pixel rectangle of a block of cells without the trailing grid lines.
    QRect BoxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) const;
    /// The cell at a client point; (-1, -1) where there is none.
    TGridCoord CellAtPoint(int X, int Y) const;
    /// The cell at a client point; (-1, -1) where there is none.
    void MouseToCell(int X, int Y, int32_t& ACol, int32_t& ARow) const;

    // --- lines --------------------------------------------------------------------------------

    /// Moves column `FromIndex` to position `ToIndex`; the columns between shift by one.
    void MoveColumn(int32_t FromIndex, int32_t ToIndex);
    /// Moves row `FromIndex` to position `ToIndex`; the rows between shift by one.
    void MoveRow(int32_t FromIndex, int32_t ToIndex);
    /// Removes column `ACol`.
    virtual void DeleteColumn(int32_t ACol);
    /// Removes row `ARow`.
    virtual void DeleteRow(int32_t ARow);

    // --- bulk update --------------------------------------------------------------------------

    /// Starts a bulk update: count changes are only stored, input and repainting are held.
    virtual void BeginUpdate();
    /// Ends a bulk update (does not count: one call ends any number of `BeginUpdate`s).
    virtual void EndUpdate();
    /// True between `BeginUpdate` and `EndUpdate`.
    bool NowUpdating() const { return m_nowUpdating; }
    /// Fired by every `BeginUpdate`.
    TNotifyEvent OnBeginUpdate;

    // --- repainting ---------------------------------------------------------------------------

    /// Repaints one cell with its grid lines.
    void RedrawCell(int32_t ACol, int32_t ARow);
    /// Repaints the visible part of a column.
    void RedrawCol(int32_t ACol);
    /// Repaints the visible part of a row.
    void RedrawRow(int32_t ARow);
    /// Repaints a block of cells with their grid lines.
    void RedrawRect(const TGridRect& r);
    /// Repaints the whole client area.
    void RedrawGrid();

    // --- current cell and selection -----------------------------------------------------------

    /// Current column.
    int32_t Col() const { return m_current.X; }
    /// Focuses column `v` of the current row.
    void setCol(int32_t v);
    /// Current row.
    int32_t Row() const { return m_current.Y; }
    /// Focuses row `v` in the current column.
    void setRow(int32_t v);
    /// The rectangle spanned by the current cell and the anchor.
    TGridRect Selection() const;
    /// Sets anchor (Left, Top) and current cell (Right, Bottom) without checks or scrolling.
    void setSelection(const TGridRect& r);
    /// Moves the current cell (the primitive move of keys, mouse and program).
    void MoveCurrent(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show);
    /// Moves the anchor end of the selection; the current cell stays.
    void MoveAnchor(const TGridCoord& NewAnchor);
    /// Moves the current cell, re-places the editor and fires `OnClick`.
    void FocusCell(int32_t ACol, int32_t ARow, bool MoveAnchor);
    /// What the mouse is doing.
    TGridState GridState() const { return m_gridState; }
    /// Fired when the current cell is set by `FocusCell` and at the end of a mouse selection.
    TNotifyEvent OnClick;
    /// Fired by a double click on the grid or its editor.
    TNotifyEvent OnDblClick;
    /// Fired first for every key that goes down while the grid (or its editor) has the focus.
    TKeyEvent OnKeyDown;
    /// Fired first for every character typed into the grid (or its editor).
    TKeyPressEvent OnKeyPress;
    /// Fired for every key that goes up.
    TKeyEvent OnKeyUp;
    /// Fired after the grid's own handling of a button press.
    TMouseEvent OnMouseDown;
    /// Fired after the grid's own handling of a pointer move.
    TMouseMoveEvent OnMouseMove;
    /// Fired after the grid's own handling of a button release.
    TMouseEvent OnMouseUp;
    /// Fired first for each wheel notch downward.
    TMouseWheelUpDownEvent OnMouseWheelDown;
    /// Fired first for each wheel notch upward.
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // --- visible window and scroll bars -------------------------------------------------------

    /// First scrolling column shown.
    int32_t LeftCol() const { return m_topLeft.X; }
    /// Scrolls so that column `v` is the first scrolling column shown (not clamped).
    void setLeftCol(int32_t v);
    /// First scrolling row shown.
    int32_t TopRow() const { return m_topLeft.Y; }
    /// Scrolls so that row `v` is the first scrolling row shown (not clamped).
    void setTopRow(int32_t v);
    /// Pixels by which the only column is scrolled when the grid has one column.
    int32_t ColOffset() const { return m_colOffset; }
    /// Moves the visible window to a new top-left cell, scrolling pixels where it can.
    void MoveTopLeft(int32_t ALeft, int32_t ATop);
    /// The smallest top-left cell that still shows `Start` wholly, per axis.
    TGridCoord MaxTopLeft(const TGridCoord& Start) const;
    /// Scrolls as little as needed to show cell `Cell` wholly.
    void ClampInView(const TGridCoord& Cell);
    /// Recomputes the scroll bars' ranges (and pulls the window back within them).
    void UpdateScrollRange();
    /// Writes the scroll bars' positions for the current window.
    void UpdateScrollPos();
    /// Handles a request of a scroll bar; `Pos` is the thumb position for the thumb requests.
    void ScrollRequest(TScrollBarKind Bar, TScrollCode Code, int Pos);
    /// Upper end of a scroll bar's range (0 when the bar cannot scroll).
    int ScrollRangeMax(TScrollBarKind Bar) const;
    /// Position of a scroll bar.
    int ScrollPos(TScrollBarKind Bar) const;

    // --- painting -----------------------------------------------------------------------------

    /// Paints the grid on `canvas` (what the paint handler calls; tests pass a recording canvas).
    void PaintGrid(GridCanvas& canvas);
    /// The canvas being painted on; only valid inside `DrawCell`.
    GridCanvas* Canvas() const { return m_canvas; }

    // --- editor -------------------------------------------------------------------------------

    /// True while the editor is wanted on the current cell.
    bool EditorMode() const { return m_editorMode; }
    /// Turns editor mode on (editor shown, caret at the end) or off (editor stored and hidden).
    void setEditorMode(bool on);
    /// The in-place editor; null until it is first needed.
    TInplaceEdit* InplaceEditor() const { return m_inplaceEdit; }
    /// True when the grid or its editor holds the focus of the grid's window.
    bool IsActiveControl() const;

protected:
    // --- hooks --------------------------------------------------------------------------------

    /// Draws one cell; every concrete grid provides it.
    virtual void DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) = 0;
    /// Called after a change of the counts, with the counts before it.
    virtual void SizeChanged(int32_t OldColCount, int32_t OldRowCount);
    /// Called after column widths changed.
    virtual void ColWidthsChanged();
    /// Called after row heights changed.
    virtual void RowHeightsChanged();
    /// Called after every move of the visible window.
    virtual void TopLeftChanged();
    /// Called after a column moved.
    virtual void ColumnMoved(int32_t FromIndex, int32_t ToIndex);
    /// Called after a row moved.
    virtual void RowMoved(int32_t FromIndex, int32_t ToIndex);
    /// Asked before a cell becomes current; false keeps the current cell.
    virtual bool CanSelectCell(int32_t ACol, int32_t ARow);
    /// Asked for every key; false drops it.
    virtual bool GridAcceptsKey(int Key, Qt::KeyboardModifiers Shift);
    /// Asked before a column drag starts; may refuse it.
    virtual bool BeginColumnDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// Asked before a row drag starts; may refuse it.
    virtual bool BeginRowDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// Asked for every new drop position of a column drag; may refuse or change it.
    virtual bool CheckColumnDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// Asked for every new drop position of a row drag; may refuse or change it.
    virtual bool CheckRowDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// Asked before a dragged column is moved; may refuse the move.
    virtual bool EndColumnDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// Asked before a dragged row is moved; may refuse the move.
    virtual bool EndRowDrag(int32_t& Origin, int32_t& Destination, const QPoint& MousePt);
    /// True when the editor may show on the current cell.
    virtual bool CanEditShow();
    /// True when the editor may change the current cell's text.
    virtual bool CanEditModify();
    /// Asked for each character typed into the editor.
    virtual bool EditAcceptsKey(QChar Key);
    /// Makes the editor object (a new TInplaceEdit); the grid sets its Grid and parent.
    virtual TInplaceEdit* CreateEditor();
    /// Text the editor loads for a cell.
    virtual QString GetEditText(int32_t ACol, int32_t ARow);
    /// Stores the editor's text into a cell.
    virtual void SetEditText(int32_t ACol, int32_t ARow, const QString& Value);
    /// Edit mask for a cell (kept for descendants; the editor ignores masks).
    virtual QString GetEditMask(int32_t ACol, int32_t ARow);
    /// Maximum text length in the editor: 0 no limit, −1 read-only.
    virtual int GetEditLimit();

    /// Places the editor on the current cell where it may show.
    void UpdateEdit();
    /// Stores the editor's text and hides it.
    void HideEdit();
    /// Forgets the editor's loaded cell and reloads it.
    void InvalidateEditor();
    /// Editor mode on and place the editor.
    void ShowEditor();
    /// Editor mode off and hide the editor.
    void HideEditor();
    /// Shows the editor and hands it `Ch` as a typed character once it is loaded.
    void ShowEditorChar(QChar Ch);

    // --- input --------------------------------------------------------------------------------

    /// The grid's click: fires `OnClick`.
    virtual void Click();
    /// The grid's double click: fires `OnDblClick`.
    virtual void DblClick();
    /// Key-down handling: `OnKeyDown`, then the navigation keys.
    virtual void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    /// Character handling: `OnKeyPress`, then Enter toggling editor mode and typing into the editor.
    virtual void KeyPress(QChar& Key);
    /// Key-up handling: `OnKeyUp`.
    virtual void KeyUp(int& Key, Qt::KeyboardModifiers Shift);
    /// Button press at client point (X, Y): selecting, sizing, moving or editing, then `OnMouseDown`.
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, bool DoubleClick, int X,
                           int Y);
    /// Pointer move: follows the selection, sizing or moving, then `OnMouseMove`.
    virtual void MouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y);
    /// Button release: ends what the press started, then `OnMouseUp`.
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    /// One wheel notch down: `OnMouseWheelDown`, else the next row; true when handled.
    virtual bool DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint& MousePos);
    /// One wheel notch up: `OnMouseWheelUp`, else the previous row; true when handled.
    virtual bool DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint& MousePos);
    /// One tick of the automatic scrolling while selecting or moving (every 60 ms).
    void TimerTick();
    /// Abandons a selection, sizing or move in progress.
    void CancelMode();
    /// What a left press at client point (X, Y) would start: gsColSizing, gsRowSizing or gsNormal.
    TGridState CalcSizingState(int X, int Y, const TGridDrawInfo& info, TGridSizingHit& hit) const;
    /// True while the automatic-scrolling timer runs.
    bool TimerActive() const { return m_scrollTimer.isActive(); }

    // --- window services (virtual so tests can watch them) ------------------------------------

    /// Marks a client rectangle for repainting.
    virtual void InvalidateRect(const QRect& r);
    /// Moves the pixels of client area `area` by (dx, dy) and marks the uncovered part for repainting.
    virtual void ScrollClient(int dx, int dy, const QRect& area);

    // --- feedback lines for sizing and moving -------------------------------------------------

    /// Toggles the sizing line at the current sizing position (drawing twice erases).
    void DrawSizingLine(const TGridDrawInfo& info);
    /// Toggles the move line at the current drop position (drawing twice erases).
    void DrawMoveLine();

    // --- state shared with the input handling -------------------------------------------------

    TGridState m_gridState = gsNormal;
    int32_t m_sizingIndex = 0;
    int32_t m_sizingPos = 0;
    int32_t m_sizingOfs = 0;
    int32_t m_moveIndex = 0;
    int32_t m_movePos = 0;

    // --- Qt ---------------------------------------------------------------------------------------

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    friend class TInplaceEdit;

    struct ScrollBarState {
        int max = 0;
        int pos = 0;
    };
    struct FeedbackLine {
        QPoint a, b;
        int width = 1;
    };

    // The column side (Qt::Horizontal) or the row side (Qt::Vertical) of the grid's state, so that
    // the row and column twins share one body.
    struct LineState {
        int32_t& count;
        int32_t& fixed;
        int32_t& defaultExtent;
        std::vector<int32_t>& extents;
    };
    LineState Lines(Qt::Orientation o);
    static int32_t& Along(TGridCoord& c, Qt::Orientation o) { return o == Qt::Horizontal ? c.X : c.Y; }

    void SetCount(Qt::Orientation o, int32_t v);
    void SetFixedCount(Qt::Orientation o, int32_t v);
    void SetDefaultExtent(Qt::Orientation o, int32_t v);
    int32_t Extent(Qt::Orientation o, int32_t i) const;
    void SetExtent(Qt::Orientation o, int32_t i, int32_t v);
    void ExtentsChanged(Qt::Orientation o);
    void MoveLine(Qt::Orientation o, int32_t FromIndex, int32_t ToIndex);
    void ChangeSize(int32_t NewColCount, int32_t NewRowCount);
    void SizeFollowUp(int32_t OldColCount, int32_t OldRowCount, const std::optional<TGridDrawInfo>& OldInfo,
                      const TGridCoord& OldTopLeft);
    void ResizeList(std::vector<int32_t>& list, int32_t n, int32_t def);
    void ResetPositions();
    void FillAxis(TGridAxisDrawInfo& a, Qt::Orientation o) const;
    QRect GridRectToScreenRect(const TGridRect& r, bool includeLine) const;
    void InvalidateGridRect(const TGridRect& r);
    void InvalidateSelectionChange(const TGridRect& oldSel);
    void ScrollData(const TGridDrawInfo& info, int dx, int dy);
    void TopLeftMoved(const TGridCoord& oldTopLeft);
    void SetScrollBar(TScrollBarKind bar, int max);
    void SetScrollPosition(TScrollBarKind bar, int pos);
    void SyncScrollBarWidgets();
    void ScrollSingleColumn(TScrollCode code, int pos);
    bool BarAllowed(TScrollBarKind bar) const;
    int ScrollBarThickness() const;
    void OnScrollBarAction(TScrollBarKind bar, int action);
    void OnScrollBarReleased(TScrollBarKind bar);
    void DrawLines(GridCanvas& canvas, const TGridDrawInfo& info, bool doHorz, bool doVert, int32_t startCol,
                   int32_t startRow, const QRect& bounds, TColor onColor, TColor offColor, int maxLines);
    void DrawCells(GridCanvas& canvas, const TGridDrawInfo& info, int32_t startCol, int32_t startRow,
                   int startX, int startY, int stopX, int stopY, TColor color, TGridDrawState passState,
                   bool hasActiveFocus);
    void ToggleFeedback(const FeedbackLine& line);
    void LoadEditor();
    void StoreEditorText();
    void EditorTextChanged();
    void FocusLost(Qt::FocusReason reason, QWidget* newFocus);
    void StartLineDrag(Qt::Orientation o, int32_t index, const QPoint& pt);
    void MoveAndScroll(Qt::Orientation o, int m, int32_t k, const QPoint& pt);
    void AutoScrollStep();
    void StartScrollTimer();
    void StopScrollTimer();
    void HandleKeyEvent(QKeyEvent* e);
    void WheelSteps(int delta, Qt::KeyboardModifiers Shift, const QPoint& pos);
    bool WantsKey(const QKeyEvent* e) const;

    int32_t m_colCount = 5;
    int32_t m_rowCount = 5;
    int32_t m_fixedCols = 1;
    int32_t m_fixedRows = 1;
    int32_t m_defaultColWidth = 64;
    int32_t m_defaultRowHeight = 24;
    std::vector<int32_t> m_colWidths;
    std::vector<int32_t> m_rowHeights;
    int32_t m_gridLineWidth = 1;
    TGridOptions m_options =
        TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    TScrollStyle m_scrollBars = ssBoth;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    TColor m_fixedColor = clBtnFace;
    TColor m_color = clWindow;
    bool m_defaultDrawing = true;
    bool m_tabStop = true;

    TGridCoord m_topLeft;
    TGridCoord m_current;
    TGridCoord m_anchor;
    int32_t m_colOffset = 0;

    bool m_nowUpdating = false;
    bool m_overrideCursor = false;
    bool m_editorMode = false;
    bool m_inScrollRange = false;
    bool m_syncingBars = false;

    ScrollBarState m_hBar;
    ScrollBarState m_vBar;
    std::optional<FeedbackLine> m_feedback;
    GridCanvas* m_canvas = nullptr;

    TInplaceEdit* m_inplaceEdit = nullptr;
    TGridCoord m_editCell{-1, -1};
    bool m_canEditModify = true;
    bool m_focusFromEditor = false;
    QBasicTimer m_scrollTimer;
    QPoint m_mousePos;
    int m_wheelRest = 0;
    bool m_paintFailureReported = false;
};

/// The character a key event types, as the grid's character handling sees it: Enter 13, Tab 9,
/// Esc 27, Backspace 8, Ctrl+letter its control code; a null character when the key types nothing.
QChar KeyEventChar(const QKeyEvent* e);
