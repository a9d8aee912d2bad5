#include "grids/TMyCustomGrid.h"

#include "core/EInvalidGridOperation.h"
#include "grids/GridMessages.h"
#include "grids/TInplaceEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <algorithm>

using namespace gridmsg;

namespace {

bool IsInputEvent(QEvent::Type t) {
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

// Where a line index ends up when line `from` moves to `to`.
void ShiftIndex(int32_t& v, int32_t from, int32_t to) {
    if (v == from)
        v = to;
    else if (from < to && v > from && v <= to)
        --v;
    else if (from > to && v >= to && v < from)
        ++v;
}

void MoveEntry(std::vector<int32_t>& list, int32_t from, int32_t to) {
    const int32_t v = list[size_t(from)];
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, v);
}

} // namespace

TMyCustomGrid::TMyCustomGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const std::pair<QScrollBar*, TScrollBarKind> bars[] = {
        {horizontalScrollBar(), TScrollBarKind::Horizontal}, {verticalScrollBar(), TScrollBarKind::Vertical}};
    for (const auto& bar : bars) {
        QScrollBar* const sb = bar.first;
        const TScrollBarKind kind = bar.second;
        // The grid decides every position itself; the bar only reports what the user asked for.
        sb->setTracking(false);
        sb->setRange(0, 0);
        connect(sb, &QAbstractSlider::actionTriggered, this,
                [this, kind](int a) { OnScrollBarAction(kind, a); });
        connect(sb, &QAbstractSlider::sliderMoved, this, [this, kind](int pos) {
            if (!m_syncingBars)
                ScrollRequest(kind, TScrollCode::ThumbTrack, pos);
        });
        connect(sb, &QAbstractSlider::sliderReleased, this, [this, kind] { OnScrollBarReleased(kind); });
    }
    // Moves without a button choose the sizing cursors.
    viewport()->setMouseTracking(true);
    m_topLeft = m_current = m_anchor = {m_fixedCols, m_fixedRows};
    resize(m_colCount * m_defaultColWidth, m_rowCount * m_defaultRowHeight);
}

TMyCustomGrid::~TMyCustomGrid() {
    if (m_inplaceEdit) {
        // The editor must not call back into a grid that is being torn down.
        m_inplaceEdit->disconnect(this);
        m_inplaceEdit->setGrid(nullptr);
        delete m_inplaceEdit;
        m_inplaceEdit = nullptr;
    }
    if (m_overrideCursor)
        QApplication::restoreOverrideCursor();
}

TMyCustomGrid::LineState TMyCustomGrid::Lines(Qt::Orientation o) {
    if (o == Qt::Horizontal)
        return {m_colCount, m_fixedCols, m_defaultColWidth, m_colWidths};
    return {m_rowCount, m_fixedRows, m_defaultRowHeight, m_rowHeights};
}

// --- counts and sizes -------------------------------------------------------------------------

void TMyCustomGrid::setColCount(int32_t v) {
    SetCount(Qt::Horizontal, v);
}

void TMyCustomGrid::setRowCount(int32_t v) {
    SetCount(Qt::Vertical, v);
}

void TMyCustomGrid::SetCount(Qt::Orientation o, int32_t v) {
    v = std::max<int32_t>(v, 1);
    const LineState lines = Lines(o);
    if (v == lines.count)
        return;
    if (lines.fixed >= v)
        SetFixedCount(o, v - 1);
    if (o == Qt::Horizontal)
        ChangeSize(v, m_rowCount);
    else
        ChangeSize(m_colCount, v);
    // With whole-row selection the anchor sits in the last column, wherever that now is.
    if (o == Qt::Horizontal && m_options.testFlag(goRowSelect)) {
        m_anchor.X = m_colCount - 1;
        RedrawGrid();
    }
}

void TMyCustomGrid::setFixedCols(int32_t v) {
    SetFixedCount(Qt::Horizontal, v);
}

void TMyCustomGrid::setFixedRows(int32_t v) {
    SetFixedCount(Qt::Vertical, v);
}

void TMyCustomGrid::SetFixedCount(Qt::Orientation o, int32_t v) {
    const LineState lines = Lines(o);
    if (v == lines.fixed)
        return;
    if (v < 0)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (v >= lines.count)
        throw EInvalidGridOperation(o == Qt::Horizontal ? kFixedColsTooMany : kFixedRowsTooMany);
    lines.fixed = v;
    ResetPositions();
    RedrawGrid();
}

void TMyCustomGrid::ResetPositions() {
    m_topLeft = m_current = m_anchor = {m_fixedCols, m_fixedRows};
    if (m_options.testFlag(goRowSelect))
        m_anchor.X = m_colCount - 1;
}

void TMyCustomGrid::setDefaultColWidth(int32_t w) {
    SetDefaultExtent(Qt::Horizontal, w);
}

void TMyCustomGrid::setDefaultRowHeight(int32_t h) {
    SetDefaultExtent(Qt::Vertical, h);
}

void TMyCustomGrid::SetDefaultExtent(Qt::Orientation o, int32_t v) {
    // Always discards the individual sizes, also for an unchanged default: stored sizes are
    // applied after the default and rely on starting from a clean list.
    const LineState lines = Lines(o);
    lines.extents.clear();
    lines.defaultExtent = v;
    ExtentsChanged(o);
    RedrawGrid();
}

int32_t TMyCustomGrid::ColWidths(int32_t i) const {
    return Extent(Qt::Horizontal, i);
}

int32_t TMyCustomGrid::RowHeights(int32_t i) const {
    return Extent(Qt::Vertical, i);
}

int32_t TMyCustomGrid::Extent(Qt::Orientation o, int32_t i) const {
    const bool cols = o == Qt::Horizontal;
    const std::vector<int32_t>& list = cols ? m_colWidths : m_rowHeights;
    if (i >= 0 && i < (cols ? m_colCount : m_rowCount) && size_t(i) < list.size())
        return list[size_t(i)];
    return cols ? m_defaultColWidth : m_defaultRowHeight;
}

void TMyCustomGrid::setColWidths(int32_t i, int32_t w) {
    SetExtent(Qt::Horizontal, i, w);
}

void TMyCustomGrid::setRowHeights(int32_t i, int32_t h) {
    SetExtent(Qt::Vertical, i, h);
}

void TMyCustomGrid::SetExtent(Qt::Orientation o, int32_t i, int32_t v) {
    const LineState lines = Lines(o);
    if (i < 0 || i >= lines.count)
        throw EInvalidGridOperation(kIndexOutOfRange);
    // An absent list, or one left short by count changes inside a bulk update, is first brought up
    // to the count so the write lands inside it.
    if (size_t(i) >= lines.extents.size())
        ResizeList(lines.extents, lines.count, lines.defaultExtent);
    if (lines.extents[size_t(i)] == v)
        return;
    RedrawGrid();
    lines.extents[size_t(i)] = v;
    ExtentsChanged(o);
}

void TMyCustomGrid::ExtentsChanged(Qt::Orientation o) {
    if (o == Qt::Horizontal)
        ColWidthsChanged();
    else
        RowHeightsChanged();
}

void TMyCustomGrid::ResizeList(std::vector<int32_t>& list, int32_t n, int32_t def) {
    if (n < 0)
        throw EInvalidGridOperation(kTooManyDeleted);
    if (n > MaxListSize)
        throw EInvalidGridOperation(kTooLarge);
    if (n == 0) {
        list.clear();
        list.shrink_to_fit();
        return;
    }
    list.resize(size_t(n), def);
}

void TMyCustomGrid::setGridLineWidth(int32_t w) {
    if (w == m_gridLineWidth)
        return;
    m_gridLineWidth = w;
    RedrawGrid();
}

void TMyCustomGrid::ChangeSize(int32_t NewColCount, int32_t NewRowCount) {
    const std::optional<TGridDrawInfo> oldInfo = CalcDrawInfo();
    const TGridCoord oldTopLeft = m_topLeft;
    const int32_t oldCols = m_colCount;
    const int32_t oldRows = m_rowCount;
    m_colCount = NewColCount;
    m_rowCount = NewRowCount;
    // Keep the fixed counts below the counts (also when they are equal, which would leave no
    // scrolling line at all).
    if (m_colCount <= m_fixedCols)
        setFixedCols(m_colCount - 1);
    if (m_rowCount <= m_fixedRows)
        setFixedRows(m_rowCount - 1);
    if (m_nowUpdating)
        return;
    try {
        SizeFollowUp(oldCols, oldRows, oldInfo, oldTopLeft);
    } catch (...) {
        m_colCount = oldCols;
        m_rowCount = oldRows;
        try {
            SizeFollowUp(oldCols, oldRows, oldInfo, oldTopLeft);
        } catch (...) {
            // The first failure is the one worth reporting.
        }
        RedrawGrid();
        throw;
    }
}

void TMyCustomGrid::SizeFollowUp(int32_t OldColCount, int32_t OldRowCount,
                                 const std::optional<TGridDrawInfo>& OldInfo, const TGridCoord& OldTopLeft) {
    if (!m_colWidths.empty())
        ResizeList(m_colWidths, m_colCount, m_defaultColWidth);
    if (!m_rowHeights.empty())
        ResizeList(m_rowHeights, m_rowCount, m_defaultRowHeight);
    TGridCoord cur = m_current;
    cur.X = std::min(cur.X, m_colCount - 1);
    cur.Y = std::min(cur.Y, m_rowCount - 1);
    if (cur != m_current)
        MoveCurrent(cur.X, cur.Y, true, true);
    if (m_anchor != cur)
        MoveAnchor(cur);
    // A window whose first line no longer exists would show no cells at all (the scroll range,
    // which otherwise pulls it back, is not kept without scroll bars or while hidden).
    TGridCoord tl = m_topLeft;
    if (tl.X > m_colCount - 1 || tl.Y > m_rowCount - 1) {
        const TGridCoord limit = MaxTopLeft({m_colCount - 1, m_rowCount - 1});
        if (tl.X > m_colCount - 1)
            tl.X = limit.X;
        if (tl.Y > m_rowCount - 1)
            tl.Y = limit.Y;
        MoveTopLeft(tl.X, tl.Y);
    }
    if (m_topLeft != OldTopLeft) {
        RedrawGrid();
    } else if (OldInfo) {
        // Only lines from the first one whose full visibility may have changed need repainting.
        const TGridDrawInfo info = CalcDrawInfo();
        const int32_t col = std::min(OldInfo->Horz.LastFullVisibleCell, info.Horz.LastFullVisibleCell);
        const int32_t row = std::min(OldInfo->Vert.LastFullVisibleCell, info.Vert.LastFullVisibleCell);
        const int x = gridaxis::LinePos(info.Horz, col);
        const int y = gridaxis::LinePos(info.Vert, row);
        InvalidateRect(QRect(x, 0, ClientWidth() - x, ClientHeight()));
        InvalidateRect(QRect(0, y, ClientWidth(), ClientHeight() - y));
    }
    UpdateScrollRange();
    SizeChanged(OldColCount, OldRowCount);
}

// --- look -------------------------------------------------------------------------------------

void TMyCustomGrid::setOptions(TGridOptions o) {
    if (o == m_options)
        return;
    if (o.testFlag(goRowSelect))
        o &= ~TGridOptions(goAlwaysShowEditor);
    m_options = o;
    if (!m_editorMode) {
        if (o.testFlag(goAlwaysShowEditor))
            ShowEditor();
        else
            HideEditor();
    }
    if (o.testFlag(goRowSelect))
        MoveCurrent(m_current.X, m_current.Y, true, false);
    RedrawGrid();
}

void TMyCustomGrid::setScrollBars(TScrollStyle s) {
    if (s == m_scrollBars)
        return;
    m_scrollBars = s;
    if (!BarAllowed(TScrollBarKind::Horizontal))
        m_hBar = {};
    if (!BarAllowed(TScrollBarKind::Vertical))
        m_vBar = {};
    SyncScrollBarWidgets();
    UpdateScrollRange();
}

void TMyCustomGrid::setBorderStyle(TBorderStyle b) {
    if (b == m_borderStyle)
        return;
    m_borderStyle = b;
    setFrameStyle(b == TBorderStyle::bsSingle ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
    UpdateScrollRange();
}

void TMyCustomGrid::setFixedColor(TColor c) {
    if (c == m_fixedColor)
        return;
    m_fixedColor = c;
    RedrawGrid();
}

void TMyCustomGrid::setColor(TColor c) {
    if (c == m_color)
        return;
    m_color = c;
    RedrawGrid();
}

void TMyCustomGrid::setDefaultDrawing(bool on) {
    if (on == m_defaultDrawing)
        return;
    m_defaultDrawing = on;
    RedrawGrid();
}

void TMyCustomGrid::setTabStop(bool on) {
    if (on == m_tabStop)
        return;
    m_tabStop = on;
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

// --- geometry ---------------------------------------------------------------------------------

int TMyCustomGrid::ClientWidth() const {
    int w = width() - 2 * frameWidth();
    if (BarAllowed(TScrollBarKind::Vertical) && m_vBar.max > 0)
        w -= ScrollBarThickness();
    return std::max(0, w);
}

int TMyCustomGrid::ClientHeight() const {
    int h = height() - 2 * frameWidth();
    if (BarAllowed(TScrollBarKind::Horizontal) && m_hBar.max > 0)
        h -= ScrollBarThickness();
    return std::max(0, h);
}

void TMyCustomGrid::FillAxis(TGridAxisDrawInfo& a, Qt::Orientation o) const {
    if (o == Qt::Horizontal) {
        a.EffectiveLineWidth = (m_options & (goFixedVertLine | goVertLine)) ? m_gridLineWidth : 0;
        a.FixedCellCount = m_fixedCols;
        a.FirstGridCell = m_topLeft.X;
        a.GridCellCount = m_colCount;
        a.Sizes = m_colWidths;
        a.DefaultExtent = m_defaultColWidth;
    } else {
        a.EffectiveLineWidth = (m_options & (goFixedHorzLine | goHorzLine)) ? m_gridLineWidth : 0;
        a.FixedCellCount = m_fixedRows;
        a.FirstGridCell = m_topLeft.Y;
        a.GridCellCount = m_rowCount;
        a.Sizes = m_rowHeights;
        a.DefaultExtent = m_defaultRowHeight;
    }
}

TGridDrawInfo TMyCustomGrid::CalcDrawInfoXY(int clientWidth, int clientHeight) const {
    TGridDrawInfo info;
    FillAxis(info.Horz, Qt::Horizontal);
    FillAxis(info.Vert, Qt::Vertical);
    gridaxis::Calc(info.Horz, clientWidth);
    gridaxis::Calc(info.Vert, clientHeight);
    return info;
}

TGridDrawInfo TMyCustomGrid::CalcDrawInfo() const {
    return CalcDrawInfoXY(ClientWidth(), ClientHeight());
}

int32_t TMyCustomGrid::VisibleColCount() const {
    return CalcDrawInfo().Horz.LastFullVisibleCell - m_topLeft.X + 1;
}

int32_t TMyCustomGrid::VisibleRowCount() const {
    return CalcDrawInfo().Vert.LastFullVisibleCell - m_topLeft.Y + 1;
}

QRect TMyCustomGrid::GridRectToScreenRect(const TGridRect& r, bool includeLine) const {
    if (r.Left > r.Right || r.Top > r.Bottom)
        return {};
    const TGridDrawInfo info = CalcDrawInfo();
    if (r.Left > info.Horz.LastFullVisibleCell + 1 || r.Top > info.Vert.LastFullVisibleCell + 1)
        return {};
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (!gridaxis::Span(info.Horz, r.Left, r.Right, includeLine, x0, x1))
        return {};
    if (!gridaxis::Span(info.Vert, r.Top, r.Bottom, includeLine, y0, y1))
        return {};
    if (x1 <= x0 || y1 <= y0)
        return {};
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

QRect TMyCustomGrid::CellRect(int32_t ACol, int32_t ARow) const {
    return BoxRect(ACol, ARow, ACol, ARow);
}

QRect TMyCustomGrid::BoxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) const {
    return GridRectToScreenRect({ALeft, ATop, ARight, ABottom}, false);
}

TGridCoord TMyCustomGrid::CellAtPoint(int X, int Y) const {
    const TGridDrawInfo info = CalcDrawInfo();
    TGridCoord c{gridaxis::CellAt(info.Horz, X), gridaxis::CellAt(info.Vert, Y)};
    if (c.X < 0 || c.Y < 0)
        c = {-1, -1};
    return c;
}

void TMyCustomGrid::MouseToCell(int X, int Y, int32_t& ACol, int32_t& ARow) const {
    const TGridCoord c = CellAtPoint(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

// --- lines ------------------------------------------------------------------------------------

void TMyCustomGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex) {
    MoveLine(Qt::Horizontal, FromIndex, ToIndex);
}

void TMyCustomGrid::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    MoveLine(Qt::Vertical, FromIndex, ToIndex);
}

void TMyCustomGrid::MoveLine(Qt::Orientation o, int32_t FromIndex, int32_t ToIndex) {
    if (FromIndex == ToIndex)
        return;
    const LineState lines = Lines(o);
    if (FromIndex < 0 || FromIndex >= lines.count || ToIndex < 0 || ToIndex >= lines.count)
        throw EInvalidGridOperation(kIndexOutOfRange);
    const bool hasList = !lines.extents.empty();
    if (hasList) {
        if (lines.extents.size() < size_t(lines.count))
            ResizeList(lines.extents, lines.count, lines.defaultExtent);
        MoveEntry(lines.extents, FromIndex, ToIndex);
    }
    ShiftIndex(Along(m_current, o), FromIndex, ToIndex);
    ShiftIndex(Along(m_anchor, o), FromIndex, ToIndex);
    // The editor's text belongs to its cell wherever the cell goes.
    if (Along(m_editCell, o) >= 0)
        ShiftIndex(Along(m_editCell, o), FromIndex, ToIndex);
    // The whole of the lines between, clipped to what is on screen.
    const int32_t lo = std::min(FromIndex, ToIndex);
    const int32_t hi = std::max(FromIndex, ToIndex);
    if (o == Qt::Horizontal) {
        InvalidateGridRect({lo, 0, hi, m_rowCount - 1});
        ColumnMoved(FromIndex, ToIndex);
    } else {
        InvalidateGridRect({0, lo, m_colCount - 1, hi});
        RowMoved(FromIndex, ToIndex);
    }
    if (hasList)
        ExtentsChanged(o);
    UpdateEdit();
}

void TMyCustomGrid::DeleteColumn(int32_t ACol) {
    MoveColumn(ACol, m_colCount - 1);
    setColCount(m_colCount - 1);
}

void TMyCustomGrid::DeleteRow(int32_t ARow) {
    MoveRow(ARow, m_rowCount - 1);
    setRowCount(m_rowCount - 1);
}

// --- bulk update ------------------------------------------------------------------------------

void TMyCustomGrid::BeginUpdate() {
    m_nowUpdating = true;
    if (!m_overrideCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_overrideCursor = true;
    }
    setUpdatesEnabled(false);
    if (OnBeginUpdate)
        OnBeginUpdate(this);
}

void TMyCustomGrid::EndUpdate() {
    const auto unlock = qScopeGuard([this] {
        setUpdatesEnabled(true);
        if (m_overrideCursor) {
            QApplication::restoreOverrideCursor();
            m_overrideCursor = false;
        }
        m_nowUpdating = false;
    });
    ChangeSize(m_colCount, m_rowCount);
    RedrawGrid();
}

bool TMyCustomGrid::event(QEvent* e) {
    // A bulk update holds all input, like a disabled control, without giving away the focus.
    if (m_nowUpdating && IsInputEvent(e->type()))
        return true;
    if (e->type() == QEvent::ShortcutOverride) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (WantsKey(ke)) {
            ke->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        // With goTabs, Tab moves within the grid instead of to the next control.
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && WantsKey(ke)) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool TMyCustomGrid::viewportEvent(QEvent* e) {
    if (m_nowUpdating && IsInputEvent(e->type()))
        return true;
    return QAbstractScrollArea::viewportEvent(e);
}

// --- repainting -------------------------------------------------------------------------------

void TMyCustomGrid::InvalidateRect(const QRect& r) {
    if (!r.isEmpty())
        viewport()->update(r);
}

void TMyCustomGrid::InvalidateGridRect(const TGridRect& r) {
    InvalidateRect(GridRectToScreenRect(r, true));
}

void TMyCustomGrid::RedrawCell(int32_t ACol, int32_t ARow) {
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TMyCustomGrid::RedrawCol(int32_t ACol) {
    InvalidateGridRect({ACol, 0, ACol, m_rowCount - 1});
}

void TMyCustomGrid::RedrawRow(int32_t ARow) {
    InvalidateGridRect({0, ARow, m_colCount - 1, ARow});
}

void TMyCustomGrid::RedrawRect(const TGridRect& r) {
    InvalidateGridRect(r);
}

void TMyCustomGrid::RedrawGrid() {
    InvalidateRect(QRect(0, 0, std::max(ClientWidth(), 1), std::max(ClientHeight(), 1)));
}

// --- hooks ------------------------------------------------------------------------------------

void TMyCustomGrid::SizeChanged(int32_t, int32_t) {}

void TMyCustomGrid::ColWidthsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TMyCustomGrid::RowHeightsChanged() {
    UpdateScrollRange();
    UpdateEdit();
}

void TMyCustomGrid::TopLeftChanged() {
    // Only an editor that holds a loaded cell follows the window; one that was stored and hidden
    // stays hidden until it is placed again.
    if (m_inplaceEdit && m_editorMode && m_editCell.X >= 0)
        m_inplaceEdit->UpdateLoc(CellRect(m_current.X, m_current.Y));
}

void TMyCustomGrid::ColumnMoved(int32_t, int32_t) {}
void TMyCustomGrid::RowMoved(int32_t, int32_t) {}
bool TMyCustomGrid::CanSelectCell(int32_t, int32_t) {
    return true;
}
bool TMyCustomGrid::GridAcceptsKey(int, Qt::KeyboardModifiers) {
    return true;
}
bool TMyCustomGrid::BeginColumnDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
bool TMyCustomGrid::BeginRowDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
bool TMyCustomGrid::CheckColumnDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
bool TMyCustomGrid::CheckRowDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
bool TMyCustomGrid::EndColumnDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
bool TMyCustomGrid::EndRowDrag(int32_t&, int32_t&, const QPoint&) {
    return true;
}
