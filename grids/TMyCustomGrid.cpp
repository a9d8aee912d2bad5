#include "grids/TMyCustomGrid.h"

#include "core/EInvalidGridOperation.h"
#include "grids/GridCanvas.h"
#include "grids/QPainterGridCanvas.h"
#include "grids/TInplaceEdit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <exception>

namespace {

const QString kIndexOutOfRange = QStringLiteral("Grid index out of range");
const QString kFixedColsTooMany = QStringLiteral("Fixed column count must be less than column count");
const QString kFixedRowsTooMany = QStringLiteral("Fixed row count must be less than row count");
const QString kTooManyDeleted = QStringLiteral("Too many rows or columns deleted");
const QString kTooLarge = QStringLiteral("Grid too large for operation");

constexpr int kScrollScale = 127;

// a × b ÷ c rounded to the nearest integer (halves away from zero).
int MulDivRound(int64_t a, int64_t b, int64_t c) {
    if (c == 0)
        return 0;
    const int64_t p = a * b;
    const bool negative = (p < 0) != (c < 0);
    const int64_t q = (std::abs(p) * 2 + std::abs(c)) / (std::abs(c) * 2);
    return int(negative ? -q : q);
}

bool InGridRect(int32_t col, int32_t row, const TGridRect& r) {
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

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

// --- counts and sizes -------------------------------------------------------------------------

void TMyCustomGrid::setColCount(int32_t v) {
    v = std::max<int32_t>(v, 1);
    if (v == m_colCount)
        return;
    if (m_fixedCols >= v)
        setFixedCols(v - 1);
    ChangeSize(v, m_rowCount);
    if (m_options.testFlag(goRowSelect)) {
        m_anchor.X = m_colCount - 1;
        RedrawGrid();
    }
}

void TMyCustomGrid::setRowCount(int32_t v) {
    v = std::max<int32_t>(v, 1);
    if (v == m_rowCount)
        return;
    if (m_fixedRows >= v)
        setFixedRows(v - 1);
    ChangeSize(m_colCount, v);
}

void TMyCustomGrid::setFixedCols(int32_t v) {
    if (v == m_fixedCols)
        return;
    if (v < 0)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (v >= m_colCount)
        throw EInvalidGridOperation(kFixedColsTooMany);
    m_fixedCols = v;
    ResetPositions();
    RedrawGrid();
}

void TMyCustomGrid::setFixedRows(int32_t v) {
    if (v == m_fixedRows)
        return;
    if (v < 0)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (v >= m_rowCount)
        throw EInvalidGridOperation(kFixedRowsTooMany);
    m_fixedRows = v;
    ResetPositions();
    RedrawGrid();
}

void TMyCustomGrid::ResetPositions() {
    m_topLeft = m_current = m_anchor = {m_fixedCols, m_fixedRows};
    if (m_options.testFlag(goRowSelect))
        m_anchor.X = m_colCount - 1;
}

void TMyCustomGrid::setDefaultColWidth(int32_t w) {
    // Always discards the individual widths, also for an unchanged default: stored widths are
    // applied after the default and rely on starting from a clean list.
    m_colWidths.clear();
    m_defaultColWidth = w;
    ColWidthsChanged();
    RedrawGrid();
}

void TMyCustomGrid::setDefaultRowHeight(int32_t h) {
    m_rowHeights.clear();
    m_defaultRowHeight = h;
    RowHeightsChanged();
    RedrawGrid();
}

int32_t TMyCustomGrid::ColWidths(int32_t i) const {
    if (i >= 0 && i < m_colCount && size_t(i) < m_colWidths.size())
        return m_colWidths[size_t(i)];
    return m_defaultColWidth;
}

int32_t TMyCustomGrid::RowHeights(int32_t i) const {
    if (i >= 0 && i < m_rowCount && size_t(i) < m_rowHeights.size())
        return m_rowHeights[size_t(i)];
    return m_defaultRowHeight;
}

void TMyCustomGrid::SetSize(std::vector<int32_t>& list, int32_t count, int32_t def, int32_t i, int32_t v,
                            bool cols) {
    if (i < 0 || i >= count)
        throw EInvalidGridOperation(kIndexOutOfRange);
    // An absent list, or one left short by count changes inside a bulk update, is first brought up
    // to the count so the write lands inside it.
    if (size_t(i) >= list.size())
        ResizeList(list, count, def);
    if (list[size_t(i)] == v)
        return;
    RedrawGrid();
    list[size_t(i)] = v;
    if (cols)
        ColWidthsChanged();
    else
        RowHeightsChanged();
}

void TMyCustomGrid::setColWidths(int32_t i, int32_t w) {
    SetSize(m_colWidths, m_colCount, m_defaultColWidth, i, w, true);
}

void TMyCustomGrid::setRowHeights(int32_t i, int32_t h) {
    SetSize(m_rowHeights, m_rowCount, m_defaultRowHeight, i, h, false);
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

int TMyCustomGrid::ScrollBarThickness() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

bool TMyCustomGrid::BarAllowed(TScrollBarKind bar) const {
    if (bar == TScrollBarKind::Horizontal)
        return m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    return m_scrollBars == ssVertical || m_scrollBars == ssBoth;
}

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

void TMyCustomGrid::FillAxis(TGridAxisDrawInfo& a, bool horz) const {
    if (horz) {
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
    FillAxis(info.Horz, true);
    FillAxis(info.Vert, false);
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

namespace {

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

void TMyCustomGrid::MoveColumn(int32_t FromIndex, int32_t ToIndex) {
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || FromIndex >= m_colCount || ToIndex < 0 || ToIndex >= m_colCount)
        throw EInvalidGridOperation(kIndexOutOfRange);
    const bool hasList = !m_colWidths.empty();
    if (hasList) {
        if (m_colWidths.size() < size_t(m_colCount))
            ResizeList(m_colWidths, m_colCount, m_defaultColWidth);
        MoveEntry(m_colWidths, FromIndex, ToIndex);
    }
    ShiftIndex(m_current.X, FromIndex, ToIndex);
    ShiftIndex(m_anchor.X, FromIndex, ToIndex);
    // The editor's text belongs to its cell wherever the cell goes.
    if (m_editCell.X >= 0)
        ShiftIndex(m_editCell.X, FromIndex, ToIndex);
    // Every row of the affected columns, clipped to what is on screen.
    InvalidateGridRect({std::min(FromIndex, ToIndex), 0, std::max(FromIndex, ToIndex), m_rowCount - 1});
    ColumnMoved(FromIndex, ToIndex);
    if (hasList)
        ColWidthsChanged();
    UpdateEdit();
}

void TMyCustomGrid::MoveRow(int32_t FromIndex, int32_t ToIndex) {
    if (FromIndex < 0 || FromIndex >= m_rowCount || ToIndex < 0 || ToIndex >= m_rowCount)
        throw EInvalidGridOperation(kIndexOutOfRange);
    const bool hasList = !m_rowHeights.empty();
    if (hasList) {
        if (m_rowHeights.size() < size_t(m_rowCount))
            ResizeList(m_rowHeights, m_rowCount, m_defaultRowHeight);
        MoveEntry(m_rowHeights, FromIndex, ToIndex);
    }
    ShiftIndex(m_current.Y, FromIndex, ToIndex);
    ShiftIndex(m_anchor.Y, FromIndex, ToIndex);
    if (m_editCell.Y >= 0)
        ShiftIndex(m_editCell.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    if (hasList)
        RowHeightsChanged();
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
    struct Unlock {
        TMyCustomGrid* g;
        ~Unlock() {
            g->setUpdatesEnabled(true);
            if (g->m_overrideCursor) {
                QApplication::restoreOverrideCursor();
                g->m_overrideCursor = false;
            }
            g->m_nowUpdating = false;
        }
    } unlock{this};
    ChangeSize(m_colCount, m_rowCount);
    RedrawGrid();
}

// --- repainting -------------------------------------------------------------------------------

void TMyCustomGrid::InvalidateRect(const QRect& r) {
    if (!r.isEmpty())
        viewport()->update(r);
}

void TMyCustomGrid::ScrollClient(int dx, int dy, const QRect& area) {
    if (!area.isEmpty())
        viewport()->scroll(dx, dy, area);
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

void TMyCustomGrid::InvalidateSelectionChange(const TGridRect& oldSel) {
    const QRect o = GridRectToScreenRect(oldSel, true);
    const QRect n = GridRectToScreenRect(Selection(), true);
    if (!o.intersects(n)) {
        InvalidateRect(o);
        InvalidateRect(n);
        return;
    }
    const QRect i = o.intersected(n);
    const QRect u = o.united(n);
    InvalidateRect(QRect(QPoint(u.left(), u.top()), QPoint(i.left() - 1, u.bottom())));
    InvalidateRect(QRect(QPoint(i.right() + 1, u.top()), QPoint(u.right(), u.bottom())));
    InvalidateRect(QRect(QPoint(i.left(), u.top()), QPoint(i.right(), i.top() - 1)));
    InvalidateRect(QRect(QPoint(i.left(), i.bottom() + 1), QPoint(i.right(), u.bottom())));
}

// --- current cell and selection ---------------------------------------------------------------

TGridRect TMyCustomGrid::Selection() const {
    return {std::min(m_current.X, m_anchor.X), std::min(m_current.Y, m_anchor.Y),
            std::max(m_current.X, m_anchor.X), std::max(m_current.Y, m_anchor.Y)};
}

void TMyCustomGrid::setSelection(const TGridRect& r) {
    const TGridRect oldSel = Selection();
    m_anchor = {r.Left, r.Top};
    m_current = {r.Right, r.Bottom};
    InvalidateSelectionChange(oldSel);
}

void TMyCustomGrid::setCol(int32_t v) {
    if (v != m_current.X)
        FocusCell(v, m_current.Y, true);
}

void TMyCustomGrid::setRow(int32_t v) {
    if (v != m_current.Y)
        FocusCell(m_current.X, v, true);
}

void TMyCustomGrid::MoveCurrent(int32_t ACol, int32_t ARow, bool MoveAnchor, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= m_colCount || ARow >= m_rowCount)
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (!CanSelectCell(ACol, ARow))
        return;
    const TGridRect oldSel = Selection();
    const TGridCoord oldCur = m_current;
    m_current = {ACol, ARow};
    if (!m_options.testFlag(goAlwaysShowEditor))
        HideEdit();
    if (MoveAnchor || !m_options.testFlag(goRangeSelect)) {
        m_anchor = m_current;
        if (m_options.testFlag(goRowSelect))
            m_anchor.X = m_colCount - 1;
    }
    if (m_options.testFlag(goRowSelect))
        m_current.X = m_fixedCols;
    if (Show)
        ClampInView(m_current);
    InvalidateSelectionChange(oldSel);
    RedrawCell(oldCur.X, oldCur.Y);
    RedrawCell(m_current.X, m_current.Y);
}

void TMyCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
    if (!m_options.testFlag(goRangeSelect) || m_options.testFlag(goEditing)) {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
        return;
    }
    const TGridRect oldSel = Selection();
    m_anchor = NewAnchor;
    if (m_options.testFlag(goRowSelect))
        m_anchor.X = m_colCount - 1;
    ClampInView(NewAnchor);
    InvalidateSelectionChange(oldSel);
}

void TMyCustomGrid::FocusCell(int32_t ACol, int32_t ARow, bool MoveAnchor) {
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

// --- visible window ---------------------------------------------------------------------------

void TMyCustomGrid::setLeftCol(int32_t v) {
    if (v != m_topLeft.X)
        MoveTopLeft(v, m_topLeft.Y);
}

void TMyCustomGrid::setTopRow(int32_t v) {
    if (v != m_topLeft.Y)
        MoveTopLeft(m_topLeft.X, v);
}

TGridCoord TMyCustomGrid::MaxTopLeft(const TGridCoord& Start) const {
    const TGridDrawInfo info = CalcDrawInfo();
    return {gridaxis::MaxTopLeft(info.Horz, Start.X), gridaxis::MaxTopLeft(info.Vert, Start.Y)};
}

void TMyCustomGrid::MoveTopLeft(int32_t ALeft, int32_t ATop) {
    if (ALeft == m_topLeft.X && ATop == m_topLeft.Y)
        return;
    // Pending paints need no flushing: the widget's dirty region moves with the scrolled pixels.
    const TGridCoord old = m_topLeft;
    m_topLeft = {ALeft, ATop};
    TopLeftMoved(old);
}

void TMyCustomGrid::TopLeftMoved(const TGridCoord& old) {
    UpdateScrollPos();
    const TGridDrawInfo info = CalcDrawInfo();
    const int64_t hRoom = info.Horz.GridBoundary - info.Horz.FixedBoundary;
    const int64_t vRoom = info.Vert.GridBoundary - info.Vert.FixedBoundary;
    const int64_t dx = gridaxis::Distance(info.Horz, old.X, m_topLeft.X, hRoom);
    const int64_t dy = gridaxis::Distance(info.Vert, old.Y, m_topLeft.Y, vRoom);
    if (dx > hRoom || dy > vRoom) {
        RedrawGrid();
    } else {
        ScrollData(info, m_topLeft.X > old.X ? -int(dx) : int(dx), m_topLeft.Y > old.Y ? -int(dy) : int(dy));
        if (m_options.testFlag(goRowSelect))
            InvalidateGridRect(Selection());
    }
    TopLeftChanged();
}

void TMyCustomGrid::ScrollData(const TGridDrawInfo& info, int dx, int dy) {
    const int w = ClientWidth();
    const int h = ClientHeight();
    const int fx = info.Horz.FixedBoundary;
    const int fy = info.Vert.FixedBoundary;
    if (dx != 0 && dy == 0) {
        ScrollClient(dx, 0, QRect(fx, 0, w - fx, h));
    } else if (dx == 0 && dy != 0) {
        ScrollClient(0, dy, QRect(0, fy, w, h - fy));
    } else if (dx != 0 && dy != 0) {
        ScrollClient(dx, 0, QRect(fx, 0, w - fx, fy));
        ScrollClient(0, dy, QRect(0, fy, fx, h - fy));
        ScrollClient(dx, dy, QRect(fx, fy, w - fx, h - fy));
    }
}

void TMyCustomGrid::ClampInView(const TGridCoord& Cell) {
    const TGridDrawInfo info = CalcDrawInfo();
    if (Cell.X >= m_topLeft.X && Cell.Y >= m_topLeft.Y && Cell.X <= info.Horz.LastFullVisibleCell &&
        Cell.Y <= info.Vert.LastFullVisibleCell)
        return;
    const TGridCoord old = m_topLeft;
    TGridCoord tl = m_topLeft;
    // A fixed cell is always in view; only scrolling lines move the window.
    if (Cell.X < tl.X)
        tl.X = std::max(Cell.X, m_fixedCols);
    else if (Cell.X > info.Horz.LastFullVisibleCell)
        tl.X = gridaxis::MaxTopLeft(info.Horz, Cell.X);
    if (Cell.Y < tl.Y)
        tl.Y = std::max(Cell.Y, m_fixedRows);
    else if (Cell.Y > info.Vert.LastFullVisibleCell)
        tl.Y = gridaxis::MaxTopLeft(info.Vert, Cell.Y);
    if (tl == old)
        return;
    m_topLeft = tl;
    TopLeftMoved(old);
}

// --- scroll bars ------------------------------------------------------------------------------

int TMyCustomGrid::ScrollRangeMax(TScrollBarKind Bar) const {
    return Bar == TScrollBarKind::Horizontal ? m_hBar.max : m_vBar.max;
}

int TMyCustomGrid::ScrollPos(TScrollBarKind Bar) const {
    return Bar == TScrollBarKind::Horizontal ? m_hBar.pos : m_vBar.pos;
}

void TMyCustomGrid::SetScrollBar(TScrollBarKind bar, int max) {
    ScrollBarState& s = bar == TScrollBarKind::Horizontal ? m_hBar : m_vBar;
    s.max = std::max(0, max);
    s.pos = std::clamp(s.pos, 0, s.max);
    SyncScrollBarWidgets();
}

void TMyCustomGrid::SetScrollPosition(TScrollBarKind bar, int pos) {
    ScrollBarState& s = bar == TScrollBarKind::Horizontal ? m_hBar : m_vBar;
    pos = std::clamp(pos, 0, s.max);
    if (pos == s.pos)
        return;
    s.pos = pos;
    SyncScrollBarWidgets();
}

void TMyCustomGrid::SyncScrollBarWidgets() {
    m_syncingBars = true;
    const auto sync = [this](QScrollBar* sb, const ScrollBarState& s, bool allowed, bool pixels) {
        const bool shown = allowed && s.max > 0;
        if (sb->maximum() != s.max || sb->minimum() != 0)
            sb->setRange(0, s.max);
        if (sb->value() != s.pos)
            sb->setValue(s.pos);
        sb->setSingleStep(1);
        sb->setPageStep(pixels ? std::max(1, ClientWidth()) : 8);
        return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    };
    const Qt::ScrollBarPolicy h =
        sync(horizontalScrollBar(), m_hBar, BarAllowed(TScrollBarKind::Horizontal), m_colCount == 1);
    const Qt::ScrollBarPolicy v =
        sync(verticalScrollBar(), m_vBar, BarAllowed(TScrollBarKind::Vertical), false);
    if (horizontalScrollBarPolicy() != h)
        setHorizontalScrollBarPolicy(h);
    if (verticalScrollBarPolicy() != v)
        setVerticalScrollBarPolicy(v);
    m_syncingBars = false;
}

void TMyCustomGrid::UpdateScrollRange() {
    if (!isVisible() || m_scrollBars == ssNone || m_inScrollRange)
        return;
    m_inScrollRange = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_inScrollRange};

    const TGridCoord oldTopLeft = m_topLeft;
    const int fullW = std::max(0, width() - 2 * frameWidth());
    const int fullH = std::max(0, height() - 2 * frameWidth());
    const int thick = ScrollBarThickness();
    const bool hAllowed = BarAllowed(TScrollBarKind::Horizontal);
    const bool vAllowed = BarAllowed(TScrollBarKind::Vertical);

    const auto horzMax = [this](int w, int h) {
        const TGridDrawInfo info = CalcDrawInfoXY(w, h);
        if (m_colCount == 1)
            return std::max(0, ColWidths(0) - (w - info.Horz.FixedBoundary));
        return gridaxis::MaxTopLeft(info.Horz, m_colCount - 1) > m_fixedCols ? kScrollScale : 0;
    };

    int usedW = fullW;
    if (hAllowed)
        SetScrollBar(TScrollBarKind::Horizontal, horzMax(fullW, fullH));
    const int realH = fullH - (hAllowed && m_hBar.max > 0 ? thick : 0);
    if (vAllowed) {
        const TGridDrawInfo info = CalcDrawInfoXY(fullW, realH);
        SetScrollBar(TScrollBarKind::Vertical,
                     gridaxis::MaxTopLeft(info.Vert, m_rowCount - 1) > m_fixedRows ? kScrollScale : 0);
    }
    const int realW = fullW - (vAllowed && m_vBar.max > 0 ? thick : 0);
    if (hAllowed && realW != usedW)
        SetScrollBar(TScrollBarKind::Horizontal, horzMax(realW, realH));

    const TGridCoord limit = MaxTopLeft({m_colCount - 1, m_rowCount - 1});
    if (m_topLeft.X > limit.X)
        m_topLeft.X = limit.X;
    if (m_topLeft.Y > limit.Y)
        m_topLeft.Y = limit.Y;
    UpdateScrollPos();
    if (m_topLeft != oldTopLeft)
        TopLeftMoved(oldTopLeft);
}

void TMyCustomGrid::UpdateScrollPos() {
    if (m_scrollBars == ssNone)
        return;
    const TGridDrawInfo info = CalcDrawInfo();
    if (BarAllowed(TScrollBarKind::Horizontal)) {
        if (m_colCount == 1) {
            const int avail = ClientWidth() - info.Horz.FixedBoundary;
            const int colW = ColWidths(0);
            if (m_colOffset > 0 && colW - m_colOffset < avail) {
                m_colOffset = std::max(0, colW - avail);
                RedrawGrid();
            }
            SetScrollPosition(TScrollBarKind::Horizontal, m_colOffset);
        } else {
            const int32_t maxX = gridaxis::MaxTopLeft(info.Horz, m_colCount - 1);
            SetScrollPosition(TScrollBarKind::Horizontal,
                              maxX > m_fixedCols
                                  ? MulDivRound(m_topLeft.X - m_fixedCols, kScrollScale, maxX - m_fixedCols)
                                  : 0);
        }
    }
    if (BarAllowed(TScrollBarKind::Vertical)) {
        const int32_t maxY = gridaxis::MaxTopLeft(info.Vert, m_rowCount - 1);
        SetScrollPosition(TScrollBarKind::Vertical,
                          maxY > m_fixedRows
                              ? MulDivRound(m_topLeft.Y - m_fixedRows, kScrollScale, maxY - m_fixedRows)
                              : 0);
    }
}

void TMyCustomGrid::ScrollRequest(TScrollBarKind Bar, TScrollCode Code, int Pos) {
    if (isVisible() && m_tabStop && focusPolicy() != Qt::NoFocus && !hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (Code == TScrollCode::EndScroll)
        return;
    if (Bar == TScrollBarKind::Horizontal && m_colCount == 1) {
        ScrollSingleColumn(Code, Pos);
        return;
    }
    const TGridDrawInfo info = CalcDrawInfo();
    const bool horz = Bar == TScrollBarKind::Horizontal;
    const TGridAxisDrawInfo& axis = horz ? info.Horz : info.Vert;
    const int32_t fixed = horz ? m_fixedCols : m_fixedRows;
    const TGridCoord limit = MaxTopLeft({m_colCount - 1, m_rowCount - 1});
    const int32_t maxFirst = horz ? limit.X : limit.Y;

    const auto next = [&](int32_t cur) -> int32_t {
        switch (Code) {
        case TScrollCode::LineUp:
            return cur - 1;
        case TScrollCode::LineDown:
            return cur + 1;
        case TScrollCode::PageUp:
            return cur - std::max(1, cur - gridaxis::MaxTopLeft(axis, cur));
        case TScrollCode::PageDown:
            return cur + std::max(1, axis.LastFullVisibleCell - cur);
        case TScrollCode::ThumbTrack:
            if (!m_options.testFlag(goThumbTracking))
                return cur;
            [[fallthrough]];
        case TScrollCode::ThumbPosition:
            return fixed + MulDivRound(Pos, maxFirst - fixed, kScrollScale);
        case TScrollCode::Top:
            return fixed;
        case TScrollCode::Bottom:
            return maxFirst;
        case TScrollCode::EndScroll:
            break;
        }
        return cur;
    };
    int32_t v = next(horz ? m_topLeft.X : m_topLeft.Y);
    while (v > fixed && v < maxFirst && axis.Extent(v) <= 0) {
        const int32_t n = next(v);
        if (n == v)
            break;
        v = n;
    }
    TGridCoord tl = m_topLeft;
    (horz ? tl.X : tl.Y) = v;
    tl.X = std::clamp(tl.X, m_fixedCols, std::max(m_fixedCols, limit.X));
    tl.Y = std::clamp(tl.Y, m_fixedRows, std::max(m_fixedRows, limit.Y));
    MoveTopLeft(tl.X, tl.Y);
}

void TMyCustomGrid::ScrollSingleColumn(TScrollCode code, int pos) {
    const TGridDrawInfo info = CalcDrawInfo();
    const int avail = ClientWidth() - info.Horz.FixedBoundary;
    const int maxOffset = std::max(0, ColWidths(0) - avail);
    int offset = m_colOffset;
    switch (code) {
    case TScrollCode::LineUp:
        offset -= QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
        break;
    case TScrollCode::LineDown:
        offset += QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
        break;
    case TScrollCode::PageUp:
        offset -= avail;
        break;
    case TScrollCode::PageDown:
        offset += avail;
        break;
    case TScrollCode::ThumbTrack:
        if (!m_options.testFlag(goThumbTracking))
            break;
        [[fallthrough]];
    case TScrollCode::ThumbPosition:
        offset = pos;
        break;
    case TScrollCode::Top:
        offset = 0;
        break;
    case TScrollCode::Bottom:
        offset = maxOffset;
        break;
    case TScrollCode::EndScroll:
        break;
    }
    offset = std::clamp(offset, 0, maxOffset);
    if (offset == m_colOffset)
        return;
    const int dx = m_colOffset - offset;
    m_colOffset = offset;
    const int fx = info.Horz.FixedBoundary;
    const int fy = info.Vert.FixedBoundary;
    ScrollClient(dx, 0, QRect(fx, fy, ClientWidth() - fx, ClientHeight() - fy));
    if (m_fixedRows > 0)
        InvalidateGridRect({0, 0, 0, m_fixedRows - 1});
    UpdateScrollPos();
}

void TMyCustomGrid::OnScrollBarAction(TScrollBarKind bar, int action) {
    if (m_syncingBars)
        return;
    TScrollCode code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = TScrollCode::LineDown;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = TScrollCode::LineUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = TScrollCode::PageDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = TScrollCode::PageUp;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = TScrollCode::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = TScrollCode::Bottom;
        break;
    default:
        return; // thumb drags arrive through sliderMoved / sliderReleased
    }
    ScrollRequest(bar, code, 0);
    // The bar has already stepped its own slider; put it back where the grid says it is.
    QScrollBar* sb = bar == TScrollBarKind::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    m_syncingBars = true;
    sb->setSliderPosition(ScrollPos(bar));
    m_syncingBars = false;
}

void TMyCustomGrid::OnScrollBarReleased(TScrollBarKind bar) {
    QScrollBar* sb = bar == TScrollBarKind::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    ScrollRequest(bar, TScrollCode::ThumbPosition, sb->sliderPosition());
    m_syncingBars = true;
    sb->setSliderPosition(ScrollPos(bar));
    sb->setValue(ScrollPos(bar));
    m_syncingBars = false;
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

bool TMyCustomGrid::IsActiveControl() const {
    const QWidget* fw = window() ? window()->focusWidget() : nullptr;
    return fw && (fw == this || (m_inplaceEdit && fw == m_inplaceEdit));
}

bool TMyCustomGrid::CanEditShow() {
    return m_options.testFlag(goEditing) && !m_options.testFlag(goRowSelect) && m_editorMode &&
           (m_options.testFlag(goAlwaysShowEditor) || IsActiveControl());
}

bool TMyCustomGrid::CanEditModify() {
    return m_canEditModify;
}
bool TMyCustomGrid::EditAcceptsKey(QChar) {
    return true;
}
QString TMyCustomGrid::GetEditText(int32_t, int32_t) {
    return {};
}
void TMyCustomGrid::SetEditText(int32_t, int32_t, const QString&) {}
QString TMyCustomGrid::GetEditMask(int32_t, int32_t) {
    return {};
}
int TMyCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TMyCustomGrid::CreateEditor() {
    return new TInplaceEdit();
}

// --- editor lifecycle -------------------------------------------------------------------------

void TMyCustomGrid::setEditorMode(bool on) {
    if (on) {
        ShowEditor();
        if (m_inplaceEdit)
            m_inplaceEdit->Deselect();
    } else {
        HideEditor();
    }
}

void TMyCustomGrid::ShowEditor() {
    m_editorMode = true;
    UpdateEdit();
}

void TMyCustomGrid::HideEditor() {
    m_editorMode = false;
    HideEdit();
}

void TMyCustomGrid::ShowEditorChar(QChar Ch) {
    ShowEditor();
    // A character for an editor that cannot show would land in no cell (or a stale one).
    if (!m_inplaceEdit || m_inplaceEdit->isHidden())
        return;
    // Posted, so it arrives after the editor is loaded and has selected its text: typing replaces it.
    // As a PostedChar the editor takes it as a character alone: the key went down on the grid.
    QCoreApplication::postEvent(m_inplaceEdit, new TInplaceEdit::PostedChar(Ch));
}

void TMyCustomGrid::UpdateEdit() {
    if (!CanEditShow())
        return;
    if (!m_inplaceEdit) {
        m_inplaceEdit = CreateEditor();
        m_inplaceEdit->setParent(viewport());
        m_inplaceEdit->setGrid(this);
        connect(m_inplaceEdit, &QLineEdit::textChanged, this, [this] { EditorTextChanged(); });
        LoadEditor();
    } else if (m_current != m_editCell) {
        HideEdit();
        LoadEditor();
    }
    if (CanEditShow())
        m_inplaceEdit->Move(CellRect(m_current.X, m_current.Y));
}

void TMyCustomGrid::LoadEditor() {
    m_editCell = m_current;
    m_inplaceEdit->UpdateContents();
    m_canEditModify = m_inplaceEdit->EditLimit() != -1;
    m_inplaceEdit->selectAll();
}

void TMyCustomGrid::StoreEditorText() {
    if (m_inplaceEdit && m_editCell.X >= 0)
        SetEditText(m_editCell.X, m_editCell.Y, m_inplaceEdit->text());
}

void TMyCustomGrid::EditorTextChanged() {
    // The cell follows every keystroke; there is no cancel that brings the old text back.
    if (m_inplaceEdit && !m_inplaceEdit->m_loading)
        StoreEditorText();
}

void TMyCustomGrid::HideEdit() {
    if (!m_inplaceEdit)
        return;
    struct Finish {
        TMyCustomGrid* g;
        ~Finish() {
            g->m_editCell = {-1, -1};
            g->m_inplaceEdit->Hide();
        }
    } finish{this};
    StoreEditorText();
}

void TMyCustomGrid::InvalidateEditor() {
    m_editCell = {-1, -1};
    UpdateEdit();
}

// --- painting ---------------------------------------------------------------------------------

void TMyCustomGrid::PaintGrid(GridCanvas& canvas) {
    struct CanvasScope {
        GridCanvas*& slot;
        ~CanvasScope() { slot = nullptr; }
    } scope{m_canvas};
    m_canvas = &canvas;

    const TGridDrawInfo info = CalcDrawInfo();
    const int hFB = info.Horz.FixedBoundary;
    const int vFB = info.Vert.FixedBoundary;
    const int hGB = info.Horz.GridBoundary;
    const int vGB = info.Vert.GridBoundary;

    if (info.Horz.EffectiveLineWidth != 0 || info.Vert.EffectiveLineWidth != 0) {
        const int maxLines = std::max(info.Horz.LastFullVisibleCell - m_topLeft.X + m_fixedCols,
                                      info.Vert.LastFullVisibleCell - m_topLeft.Y + m_fixedRows) +
                             3;
        const TColor lineColor = ColorToQColor(m_color) == QColor(192, 192, 192) ? clGray : clSilver;
        const bool fh = m_options.testFlag(goFixedHorzLine);
        const bool fv = m_options.testFlag(goFixedVertLine);
        DrawLines(canvas, info, fh, fv, 0, 0, QRect(0, 0, hFB, vFB), clBlack, m_fixedColor, maxLines);
        DrawLines(canvas, info, fh, fv, m_topLeft.X, 0, QRect(hFB, 0, hGB - hFB, vFB), clBlack, m_fixedColor,
                  maxLines);
        DrawLines(canvas, info, fh, fv, 0, m_topLeft.Y, QRect(0, vFB, hFB, vGB - vFB), clBlack, m_fixedColor,
                  maxLines);
        DrawLines(canvas, info, m_options.testFlag(goHorzLine), m_options.testFlag(goVertLine), m_topLeft.X,
                  m_topLeft.Y, QRect(hFB, vFB, hGB - hFB, vGB - vFB), lineColor, m_color, maxLines);
    }

    const bool active = IsActiveControl();
    DrawCells(canvas, info, 0, 0, 0, 0, hFB, vFB, m_fixedColor, gdFixed, active);
    DrawCells(canvas, info, m_topLeft.X, 0, hFB - m_colOffset, 0, hGB, vFB, m_fixedColor, gdFixed, active);
    DrawCells(canvas, info, 0, m_topLeft.Y, 0, vFB, hFB, vGB, m_fixedColor, gdFixed, active);
    DrawCells(canvas, info, m_topLeft.X, m_topLeft.Y, hFB - m_colOffset, vFB, hGB, vGB, m_color, {}, active);

    if (m_options.testFlag(goRowSelect) && m_defaultDrawing &&
        (hasFocus() || (m_inplaceEdit && m_inplaceEdit->hasFocus())))
        canvas.DrawFocusRect(GridRectToScreenRect(Selection(), false));

    const int w = ClientWidth();
    const int h = ClientHeight();
    canvas.setBrushColor(m_color);
    if (hGB < w)
        canvas.FillRect(QRect(hGB, 0, w - hGB, vGB));
    if (vGB < h)
        canvas.FillRect(QRect(0, vGB, w, h - vGB));

    if (m_feedback)
        canvas.DrawFeedbackLine(m_feedback->a, m_feedback->b, m_feedback->width);
}

void TMyCustomGrid::DrawLines(GridCanvas& canvas, const TGridDrawInfo& info, bool doHorz, bool doVert,
                              int32_t startCol, int32_t startRow, const QRect& bounds, TColor onColor,
                              TColor offColor, int maxLines) {
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    // vertical == true: the lines between columns, placed along the horizontal axis.
    const auto lineSet = [&](bool vertical, bool on) {
        const TGridAxisDrawInfo& ax = vertical ? info.Horz : info.Vert;
        const int lw = ax.EffectiveLineWidth;
        if (lw == 0)
            return;
        const int areaStart = vertical ? bounds.left() : bounds.top();
        const int areaEnd = areaStart + (vertical ? bounds.width() : bounds.height());
        const int otherStart = vertical ? bounds.top() : bounds.left();
        const int otherEnd = otherStart + (vertical ? bounds.height() : bounds.width());
        std::vector<QLine> segs;
        segs.reserve(size_t(std::max(maxLines, 0)));
        // Each line sits at the end of its cell, centred in the line width; hidden cells (size and
        // line adding up to nothing) get no line.
        int64_t pos = int64_t(areaStart) - lw + lw / 2;
        for (int32_t cell = vertical ? startCol : startRow; cell < ax.GridCellCount; ++cell) {
            const int step = ax.Extent(cell) + lw;
            if (step <= 0)
                continue;
            pos += step;
            if (pos > int64_t(areaEnd) + lw || cell > ax.LastFullVisibleCell || int(segs.size()) >= maxLines)
                break;
            const int p = int(pos);
            segs.push_back(vertical ? QLine(p, otherStart, p, otherEnd) : QLine(otherStart, p, otherEnd, p));
        }
        if (!segs.empty())
            canvas.PolySegments(segs, m_gridLineWidth, on ? onColor : offColor);
    };
    if (doHorz) {
        lineSet(true, doVert);
        lineSet(false, doHorz);
    } else {
        lineSet(false, doHorz);
        lineSet(true, doVert);
    }
}

void TMyCustomGrid::DrawCells(GridCanvas& canvas, const TGridDrawInfo& info, int32_t startCol,
                              int32_t startRow, int startX, int startY, int stopX, int stopY, TColor color,
                              TGridDrawState passState, bool hasActiveFocus) {
    const TGridRect sel = Selection();
    const int hLw = info.Horz.EffectiveLineWidth;
    const int vLw = info.Vert.EffectiveLineWidth;
    TEdgeSides first, second;
    if (m_options.testFlag(goFixedVertLine)) {
        first |= TEdgeSide::Right;
        second |= TEdgeSide::Left;
    }
    if (m_options.testFlag(goFixedHorzLine)) {
        first |= TEdgeSide::Bottom;
        second |= TEdgeSide::Top;
    }
    int64_t top = startY;
    for (int32_t row = startRow; top < stopY && row < m_rowCount; ++row) {
        const int h = info.Vert.Extent(row);
        int64_t left = startX;
        for (int32_t col = startCol; left < stopX && col < m_colCount; ++col) {
            const int w = info.Horz.Extent(col);
            const QRect where(int(left), int(top), w, h);
            left += int64_t(w) + hLw;
            if (w <= 0 || h <= 0 || !canvas.RectVisible(where))
                continue;
            TGridDrawState state = passState;
            const bool focused = hasActiveFocus && col == m_current.X && row == m_current.Y;
            if (focused)
                state |= gdFocused;
            if (InGridRect(col, row, sel))
                state |= gdSelected;
            // The editor covers the current cell while it is shown.
            if (focused && m_options.testFlag(goEditing) && !m_options.testFlag(goRowSelect) && m_editorMode)
                continue;
            if (m_defaultDrawing) {
                canvas.setFont(font());
                if (state.testFlag(gdSelected) && (!focused || m_options.testFlag(goDrawFocusSelected) ||
                                                   m_options.testFlag(goRowSelect))) {
                    canvas.setBrushColor(clHighlight);
                    canvas.setFontColor(clHighlightText);
                } else {
                    canvas.setBrushColor(color);
                    canvas.setFontColor(clWindowText);
                }
                canvas.FillRect(where);
            }
            DrawCell(col, row, where, state);
            if (m_defaultDrawing && state.testFlag(gdFixed) && (first || second)) {
                QRect r = where;
                if (!first.testFlag(TEdgeSide::Right))
                    r.setWidth(r.width() + hLw);
                else if (!first.testFlag(TEdgeSide::Bottom))
                    r.setHeight(r.height() + vLw);
                canvas.DrawRaisedInnerEdge(r, first);
                canvas.DrawRaisedInnerEdge(r, second);
            }
            if (m_defaultDrawing && focused && !m_options.testFlag(goRowSelect) &&
                !(m_options.testFlag(goEditing) && m_options.testFlag(goAlwaysShowEditor)))
                canvas.DrawFocusRect(where);
        }
        top += int64_t(h) + vLw;
    }
}

void TMyCustomGrid::ToggleFeedback(const FeedbackLine& line) {
    const auto strip = [](const FeedbackLine& l) {
        const int pad = l.width / 2 + 1;
        return QRect(l.a, l.b).normalized().adjusted(-pad, -pad, pad + 1, pad + 1);
    };
    if (m_feedback && m_feedback->a == line.a && m_feedback->b == line.b && m_feedback->width == line.width) {
        m_feedback.reset();
    } else {
        if (m_feedback)
            InvalidateRect(strip(*m_feedback));
        m_feedback = line;
    }
    InvalidateRect(strip(line));
}

void TMyCustomGrid::DrawSizingLine(const TGridDrawInfo& info) {
    if (m_gridState == gsColSizing)
        ToggleFeedback({QPoint(m_sizingPos, 0), QPoint(m_sizingPos, info.Vert.GridBoundary), 1});
    else if (m_gridState == gsRowSizing)
        ToggleFeedback({QPoint(0, m_sizingPos), QPoint(info.Horz.GridBoundary, m_sizingPos), 1});
}

void TMyCustomGrid::DrawMoveLine() {
    if (m_gridState == gsRowMoving) {
        const QRect r = CellRect(0, m_movePos);
        const int y = m_moveIndex < m_movePos ? r.y() + r.height() : r.y();
        ToggleFeedback({QPoint(0, y), QPoint(ClientWidth(), y), 5});
    } else if (m_gridState == gsColMoving) {
        const QRect r = CellRect(m_movePos, 0);
        const int x = m_moveIndex < m_movePos ? r.x() + r.width() : r.x();
        ToggleFeedback({QPoint(x, 0), QPoint(x, ClientHeight()), 5});
    }
}

// --- Qt ---------------------------------------------------------------------------------------

void TMyCustomGrid::paintEvent(QPaintEvent* e) {
    // No error may leave through the toolkit's painting: a failing cell handler is reported after
    // the paint, once, and again only after a paint that succeeded (the error's own message box
    // makes the grid repaint).
    std::exception_ptr failure;
    {
        QPainter painter(viewport());
        QPainterGridCanvas canvas(painter, e->region());
        try {
            PaintGrid(canvas);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (!failure) {
        m_paintFailureReported = false;
        return;
    }
    if (m_paintFailureReported)
        return;
    m_paintFailureReported = true;
    QMetaObject::invokeMethod(
        this, [failure] { std::rethrow_exception(failure); }, Qt::QueuedConnection);
}

void TMyCustomGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollRange();
}

void TMyCustomGrid::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    UpdateScrollRange();
}

void TMyCustomGrid::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    if (m_focusFromEditor) {
        // The editor handed the focus back; nothing about the grid's look changes.
        m_focusFromEditor = false;
        return;
    }
    // Focus decides the focused state and the focus rectangles.
    InvalidateGridRect(Selection());
    RedrawCell(m_current.X, m_current.Y);
    UpdateEdit();
}

void TMyCustomGrid::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    FocusLost(e->reason(), QApplication::focusWidget());
}

void TMyCustomGrid::FocusLost(Qt::FocusReason reason, QWidget* newFocus) {
    InvalidateGridRect(Selection());
    RedrawCell(m_current.X, m_current.Y);
    if (m_inplaceEdit && newFocus == m_inplaceEdit)
        return;
    if (m_gridState != gsNormal)
        CancelMode();
    // Editor mode stays on, so the editor comes back with the focus.
    HideEdit();
    // Another window or a menu taking the focus is no exit from the control.
    const bool exit = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    if (exit && !m_options.testFlag(goAlwaysShowEditor))
        m_editorMode = false;
}

void TMyCustomGrid::hideEvent(QHideEvent* e) {
    if (m_gridState != gsNormal)
        CancelMode();
    QAbstractScrollArea::hideEvent(e);
}

void TMyCustomGrid::scrollContentsBy(int, int) {
    // The grid moves its own pixels in MoveTopLeft; the bars' values only mirror its state.
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

// --- input ------------------------------------------------------------------------------------

QChar KeyEventChar(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar(9);
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    if (ctrl && !alt) {
        // Ctrl+letter types its control code (Ctrl+V = 22), whatever text the toolkit attached.
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
            return QChar(e->key() - Qt::Key_A + 1);
        if (!e->text().isEmpty() && e->text().at(0).unicode() < 32)
            return e->text().at(0);
        return {};
    }
    if (alt && !ctrl)
        return {};
    if (!e->text().isEmpty())
        return e->text().at(0);
    return {};
}

bool TMyCustomGrid::WantsKey(const QKeyEvent* e) const {
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)
        return true;
    if (m_options.testFlag(goRowSelect))
        return false;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && m_options.testFlag(goTabs) &&
        !(mods & (Qt::AltModifier | Qt::ControlModifier)))
        return true;
    if (m_options.testFlag(goEditing)) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
        const QChar ch = KeyEventChar(e);
        if (!ch.isNull() && (ch == QChar(8) || ch.unicode() >= 32))
            return true;
    }
    return false;
}

void TMyCustomGrid::Click() {
    if (OnClick)
        OnClick(this);
}

void TMyCustomGrid::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TMyCustomGrid::keyPressEvent(QKeyEvent* e) {
    HandleKeyEvent(e);
}

void TMyCustomGrid::HandleKeyEvent(QKeyEvent* e) {
    int key = e->key();
    Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    KeyDown(key, mods);
    QChar ch = KeyEventChar(e);
    if (!ch.isNull()) {
        if (m_options.testFlag(goEditing) && (ch == QChar(8) || ch.unicode() >= 32))
            ShowEditorChar(ch);
        else
            KeyPress(ch);
    }
    // Esc, and Enter while the grid does not edit, go on to the window (a dialog's buttons).
    const int k = e->key();
    if (k == Qt::Key_Escape ||
        ((k == Qt::Key_Return || k == Qt::Key_Enter) && !m_options.testFlag(goEditing)))
        e->ignore();
    else
        e->accept();
}

void TMyCustomGrid::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    int key = e->key();
    KeyUp(key, e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    e->accept();
}

void TMyCustomGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TMyCustomGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == 0)
        return;
    if (!GridAcceptsKey(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool rowSelect = m_options.testFlag(goRowSelect);
    const bool ctrl = Shift.testFlag(Qt::ControlModifier);
    const bool alt = Shift.testFlag(Qt::AltModifier);
    bool shift = Shift.testFlag(Qt::ShiftModifier);
    const TGridDrawInfo info = CalcDrawInfo();
    const int32_t pageWidth = std::max(1, info.Horz.LastFullVisibleCell - m_topLeft.X);
    const int32_t pageHeight = std::max(1, info.Vert.LastFullVisibleCell - m_topLeft.Y);
    // Positions are computed in 64 bits so far jumps cannot wrap before they are clamped.
    int64_t curX = m_current.X, curY = m_current.Y;
    int64_t leftX = m_topLeft.X, topY = m_topLeft.Y;

    if (ctrl) {
        switch (Key) {
        case Qt::Key_Up:
            --topY;
            break;
        case Qt::Key_Down:
            ++topY;
            break;
        case Qt::Key_Left:
            if (!rowSelect) {
                curX -= pageWidth;
                leftX -= pageWidth;
            }
            break;
        case Qt::Key_Right:
            if (!rowSelect) {
                curX += pageWidth;
                leftX += pageWidth;
            }
            break;
        case Qt::Key_PageUp:
            curY = m_topLeft.Y;
            break;
        case Qt::Key_PageDown:
            curY = info.Vert.LastFullVisibleCell;
            break;
        case Qt::Key_Home:
            curX = m_fixedCols;
            curY = m_fixedRows;
            break;
        case Qt::Key_End:
            curX = m_colCount - 1;
            curY = m_rowCount - 1;
            break;
        default:
            break;
        }
    } else {
        switch (Key) {
        case Qt::Key_Up:
            --curY;
            break;
        case Qt::Key_Down:
            ++curY;
            break;
        case Qt::Key_Left:
            if (rowSelect)
                --leftX;
            else
                --curX;
            break;
        case Qt::Key_Right:
            if (rowSelect)
                ++leftX;
            else
                ++curX;
            break;
        case Qt::Key_PageDown:
            curY += pageHeight;
            topY += pageHeight;
            break;
        case Qt::Key_PageUp:
            curY -= pageHeight;
            topY -= pageHeight;
            break;
        case Qt::Key_Home:
            if (rowSelect)
                curY = m_fixedRows;
            else
                curX = m_fixedCols;
            break;
        case Qt::Key_End:
            if (rowSelect)
                curY = m_rowCount - 1;
            else
                curX = m_colCount - 1;
            break;
        case Qt::Key_Tab:
            if (alt)
                break;
            if (shift) {
                --curX;
                if (curX < m_fixedCols) {
                    curX = m_colCount - 1;
                    --curY;
                    if (curY < m_fixedRows)
                        curY = m_rowCount - 1;
                }
                // Shift+Tab moves back; it does not extend a selection.
                shift = false;
            } else {
                ++curX;
                if (curX >= m_colCount) {
                    curX = m_fixedCols;
                    ++curY;
                    if (curY >= m_rowCount)
                        curY = m_fixedRows;
                }
            }
            break;
        case Qt::Key_F2:
            setEditorMode(true);
            break;
        default:
            break;
        }
    }

    const TGridCoord maxTopLeft = MaxTopLeft({m_colCount - 1, m_rowCount - 1});
    const TGridCoord newTopLeft{
        int32_t(std::clamp<int64_t>(leftX, m_fixedCols, std::max(m_fixedCols, maxTopLeft.X))),
        int32_t(std::clamp<int64_t>(topY, m_fixedRows, std::max(m_fixedRows, maxTopLeft.Y)))};
    if (newTopLeft != m_topLeft)
        MoveTopLeft(newTopLeft.X, newTopLeft.Y);
    const TGridCoord newCurrent{int32_t(std::clamp<int64_t>(curX, m_fixedCols, m_colCount - 1)),
                                int32_t(std::clamp<int64_t>(curY, m_fixedRows, m_rowCount - 1))};
    if (newCurrent != m_current)
        FocusCell(newCurrent.X, newCurrent.Y, !shift);
}

void TMyCustomGrid::KeyPress(QChar& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
    if (Key.isNull())
        return;
    if (!m_options.testFlag(goAlwaysShowEditor) && Key == QChar(13)) {
        if (m_inplaceEdit && !m_inplaceEdit->isHidden())
            HideEditor();
        else
            ShowEditor();
        Key = QChar();
    }
}

// --- mouse ------------------------------------------------------------------------------------

TGridState TMyCustomGrid::CalcSizingState(int X, int Y, const TGridDrawInfo& info,
                                          TGridSizingHit& hit) const {
    const bool colSizing = m_options.testFlag(goColSizing);
    const bool rowSizing = m_options.testFlag(goRowSizing);
    if (!colSizing && !rowSizing)
        return gsNormal;
    // Columns are sized in the fixed rows, rows in the fixed columns.
    if (X > info.Horz.FixedBoundary && colSizing) {
        if (Y >= info.Vert.FixedBoundary)
            return gsNormal;
        return gridaxis::SizingAt(info.Horz, X, hit) ? gsColSizing : gsNormal;
    }
    if (Y > info.Vert.FixedBoundary && rowSizing && X < info.Horz.FixedBoundary)
        return gridaxis::SizingAt(info.Vert, Y, hit) ? gsRowSizing : gsNormal;
    return gsNormal;
}

void TMyCustomGrid::StartScrollTimer() {
    m_scrollTimer.start(60, this);
}

void TMyCustomGrid::StopScrollTimer() {
    m_scrollTimer.stop();
}

void TMyCustomGrid::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), false, p.x(), p.y());
    if (e->button() == Qt::LeftButton && m_inplaceEdit)
        m_inplaceEdit->m_clickTime = e->timestamp() ? e->timestamp() : 1;
    e->accept();
}

void TMyCustomGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), true, p.x(), p.y());
    if (e->button() == Qt::LeftButton && m_inplaceEdit)
        m_inplaceEdit->m_clickTime = e->timestamp() ? e->timestamp() : 1;
    e->accept();
}

void TMyCustomGrid::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseMove(e->buttons(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TMyCustomGrid::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
    e->accept();
}

void TMyCustomGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, bool DoubleClick, int X,
                              int Y) {
    HideEdit();
    if (focusPolicy() != Qt::NoFocus) {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        // A focus change that was refused (a validating control elsewhere) ends the press here.
        if (!window() || window()->focusWidget() != this)
            return;
    }
    m_mousePos = {X, Y};
    const QPoint pt(X, Y);
    if (Button == Qt::LeftButton && DoubleClick) {
        DblClick();
    } else if (Button == Qt::LeftButton) {
        const TGridDrawInfo info = CalcDrawInfo();
        TGridSizingHit hit;
        const TGridState sizing = CalcSizingState(X, Y, info, hit);
        if (sizing != gsNormal) {
            m_gridState = sizing;
            m_sizingIndex = hit.Index;
            m_sizingPos = hit.Pos;
            m_sizingOfs = hit.Ofs;
            DrawSizingLine(info);
        } else {
            const TGridCoord cell = CellAtPoint(X, Y);
            if (cell.X >= 0 && cell.Y >= 0) {
                if (cell.X < m_fixedCols || cell.Y < m_fixedRows) {
                    if (m_options.testFlag(goRowMoving) && cell.X < m_fixedCols && cell.Y >= m_fixedRows) {
                        int32_t origin = cell.Y, drop = cell.Y;
                        if (BeginRowDrag(origin, drop, pt)) {
                            m_moveIndex = origin;
                            m_movePos = drop;
                            m_gridState = gsRowMoving;
                            DrawMoveLine();
                            StartScrollTimer();
                        }
                    } else if (m_options.testFlag(goColMoving) && cell.Y < m_fixedRows &&
                               cell.X >= m_fixedCols) {
                        int32_t origin = cell.X, drop = cell.X;
                        if (BeginColumnDrag(origin, drop, pt)) {
                            m_moveIndex = origin;
                            m_movePos = drop;
                            m_gridState = gsColMoving;
                            DrawMoveLine();
                            StartScrollTimer();
                        }
                    }
                } else if (m_options.testFlag(goEditing)) {
                    if (cell == m_current) {
                        ShowEditor();
                    } else {
                        MoveCurrent(cell.X, cell.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    m_gridState = gsSelecting;
                    StartScrollTimer();
                    if (Shift.testFlag(Qt::ShiftModifier))
                        MoveAnchor(cell);
                    else
                        MoveCurrent(cell.X, cell.Y, true, true);
                }
            }
        }
    }
    try {
        if (OnMouseDown)
            OnMouseDown(this, Button, Shift, X, Y);
    } catch (...) {
        // A move that cannot go on leaves no line behind and no timer running.
        if (m_gridState == gsRowMoving || m_gridState == gsColMoving) {
            DrawMoveLine();
            StopScrollTimer();
            m_gridState = gsNormal;
        }
        throw;
    }
}

void TMyCustomGrid::MouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y) {
    m_mousePos = {X, Y};
    const TGridDrawInfo info = CalcDrawInfo();
    switch (m_gridState) {
    case gsSelecting:
    case gsRowMoving:
    case gsColMoving: {
        const TGridCoord cell = CellAtPoint(X, Y);
        if (cell.X >= m_fixedCols && cell.Y >= m_fixedRows && cell.X <= info.Horz.LastFullVisibleCell + 1 &&
            cell.Y <= info.Vert.LastFullVisibleCell + 1) {
            if (m_gridState == gsSelecting) {
                // With goRowSelect the anchor always sits in the last column; only the row counts.
                TGridCoord probe = cell;
                if (m_options.testFlag(goRowSelect))
                    probe.X = m_colCount - 1;
                if (probe != m_anchor)
                    MoveAnchor(cell);
            } else if (m_gridState == gsColMoving) {
                MoveAndScroll(true, X, cell.X, QPoint(X, Y));
            } else {
                MoveAndScroll(false, Y, cell.Y, QPoint(X, Y));
            }
        }
        break;
    }
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(info);
        m_sizingPos = (m_gridState == gsRowSizing ? Y : X) + m_sizingOfs;
        DrawSizingLine(info);
        break;
    case gsNormal: {
        TGridSizingHit hit;
        const TGridState st = CalcSizingState(X, Y, info, hit);
        const Qt::CursorShape shape = st == gsColSizing   ? Qt::SplitHCursor
                                      : st == gsRowSizing ? Qt::SplitVCursor
                                                          : Qt::ArrowCursor;
        if (viewport()->cursor().shape() != shape)
            viewport()->setCursor(shape);
        break;
    }
    }
    if (OnMouseMove)
        OnMouseMove(this, Buttons, Shift, X, Y);
}

void TMyCustomGrid::MoveAndScroll(bool horz, int m, int32_t k, const QPoint& pt) {
    TGridDrawInfo info = CalcDrawInfo();
    const TGridAxisDrawInfo* axis = horz ? &info.Horz : &info.Vert;
    if (k == m_movePos)
        return;
    if (m_movePos == axis->FixedCellCount && m < axis->FixedBoundary)
        return;
    if (m_movePos == axis->GridCellCount - 1 && m > axis->GridBoundary)
        return;
    DrawMoveLine();
    const TScrollBarKind bar = horz ? TScrollBarKind::Horizontal : TScrollBarKind::Vertical;
    if (m < axis->FixedBoundary) {
        if (m_movePos > axis->FixedCellCount) {
            ScrollRequest(bar, TScrollCode::LineUp, 0);
            info = CalcDrawInfo();
            axis = horz ? &info.Horz : &info.Vert;
        }
        k = axis->FirstGridCell;
    } else if (m >= axis->FullVisBoundary) {
        if (m_movePos == axis->LastFullVisibleCell && m_movePos < axis->GridCellCount - 1) {
            ScrollRequest(bar, TScrollCode::LineDown, 0);
            info = CalcDrawInfo();
            axis = horz ? &info.Horz : &info.Vert;
        }
        k = axis->LastFullVisibleCell;
    } else if (k < 0) {
        k = m_movePos;
    }
    int32_t origin = m_moveIndex;
    int32_t drop = k;
    if (horz ? CheckColumnDrag(origin, drop, pt) : CheckRowDrag(origin, drop, pt)) {
        m_moveIndex = origin;
        m_movePos = drop;
    }
    DrawMoveLine();
}

void TMyCustomGrid::TimerTick() {
    if (m_gridState != gsSelecting && m_gridState != gsRowMoving && m_gridState != gsColMoving)
        return;
    // A tick whose handlers fail would fail again every 60 ms, also while its error is on show:
    // the selection or move ends with the first failure.
    try {
        AutoScrollStep();
    } catch (...) {
        CancelMode();
        throw;
    }
}

void TMyCustomGrid::AutoScrollStep() {
    const QPoint p = m_mousePos;
    const TGridDrawInfo info = CalcDrawInfo();
    if (m_gridState == gsSelecting) {
        TGridCoord a = m_anchor;
        if (p.x() < info.Horz.FixedBoundary) {
            if (a.X > m_fixedCols)
                --a.X;
        } else if (p.x() > info.Horz.FullVisBoundary) {
            if (a.X < m_colCount - 1)
                ++a.X;
        }
        if (p.y() < info.Vert.FixedBoundary) {
            if (a.Y > m_fixedRows)
                --a.Y;
        } else if (p.y() > info.Vert.FullVisBoundary) {
            if (a.Y < m_rowCount - 1)
                ++a.Y;
        }
        if (a != m_anchor)
            MoveAnchor(a);
    } else if (m_gridState == gsColMoving) {
        MoveAndScroll(true, p.x(), gridaxis::CellAt(info.Horz, p.x()), p);
    } else {
        MoveAndScroll(false, p.y(), gridaxis::CellAt(info.Vert, p.y()), p);
    }
}

void TMyCustomGrid::timerEvent(QTimerEvent* e) {
    if (e->timerId() == m_scrollTimer.timerId())
        TimerTick();
    else
        QAbstractScrollArea::timerEvent(e);
}

void TMyCustomGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) {
    m_mousePos = {X, Y};
    struct Finish {
        TMyCustomGrid* g;
        ~Finish() {
            g->m_gridState = gsNormal;
            g->StopScrollTimer();
        }
    };
    {
        Finish finish{this};
        switch (m_gridState) {
        case gsSelecting:
            MouseMove(Qt::NoButton, Shift, X, Y);
            StopScrollTimer();
            UpdateEdit();
            Click();
            break;
        case gsRowSizing:
        case gsColSizing: {
            const TGridDrawInfo info = CalcDrawInfo();
            DrawSizingLine(info);
            const bool cols = m_gridState == gsColSizing;
            const TGridAxisDrawInfo& axis = cols ? info.Horz : info.Vert;
            const int32_t newSize = m_sizingPos - gridaxis::SizingCellStart(axis, m_sizingIndex);
            const int32_t index = m_sizingIndex;
            m_gridState = gsNormal;
            // Sizes of 0 or 1 pixel are taken as a slip; a hidden column stays hidden.
            if (newSize > 1) {
                if (cols) {
                    if (index >= 0 && index < m_colCount && ColWidths(index) != -1)
                        setColWidths(index, newSize);
                } else if (index >= 0 && index < m_rowCount) {
                    setRowHeights(index, newSize);
                }
            }
            break;
        }
        case gsRowMoving:
        case gsColMoving: {
            DrawMoveLine();
            StopScrollTimer();
            const bool cols = m_gridState == gsColMoving;
            int32_t origin = m_moveIndex;
            int32_t drop = m_movePos;
            const QPoint pt(X, Y);
            m_gridState = gsNormal;
            if ((cols ? EndColumnDrag(origin, drop, pt) : EndRowDrag(origin, drop, pt)) && origin != drop) {
                if (cols)
                    MoveColumn(origin, drop);
                else
                    MoveRow(origin, drop);
            }
            UpdateEdit();
            break;
        }
        default:
            UpdateEdit();
            break;
        }
    }
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TMyCustomGrid::CancelMode() {
    switch (m_gridState) {
    case gsSelecting:
        StopScrollTimer();
        break;
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(CalcDrawInfo());
        break;
    case gsRowMoving:
    case gsColMoving:
        DrawMoveLine();
        StopScrollTimer();
        break;
    default:
        break;
    }
    m_gridState = gsNormal;
}

void TMyCustomGrid::wheelEvent(QWheelEvent* e) {
    WheelSteps(e->angleDelta().y(), e->modifiers(), e->position().toPoint());
    e->accept();
}

void TMyCustomGrid::WheelSteps(int delta, Qt::KeyboardModifiers Shift, const QPoint& pos) {
    // Fine-grained wheels report parts of a notch; they add up to whole notches.
    m_wheelRest += delta;
    while (m_wheelRest <= -120) {
        m_wheelRest += 120;
        DoMouseWheelDown(Shift, pos);
    }
    while (m_wheelRest >= 120) {
        m_wheelRest -= 120;
        DoMouseWheelUp(Shift, pos);
    }
}

bool TMyCustomGrid::DoMouseWheelDown(Qt::KeyboardModifiers Shift, const QPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled && m_current.Y < m_rowCount - 1)
        setRow(m_current.Y + 1);
    return true;
}

bool TMyCustomGrid::DoMouseWheelUp(Qt::KeyboardModifiers Shift, const QPoint& MousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled && m_current.Y > m_fixedRows)
        setRow(m_current.Y - 1);
    return true;
}
