#include "grids/TMyCustomGrid.h"

#include <QFontMetrics>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {

// The scroll bars run over 0 … 127 whatever the number of lines.
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

} // namespace

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
    const QScopedValueRollback<bool> syncing(m_syncingBars, true);
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
}

void TMyCustomGrid::UpdateScrollRange() {
    if (!isVisible() || m_scrollBars == ssNone || m_inScrollRange)
        return;
    const QScopedValueRollback<bool> busy(m_inScrollRange, true);

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
    const QScopedValueRollback<bool> syncing(m_syncingBars, true);
    sb->setSliderPosition(ScrollPos(bar));
}

void TMyCustomGrid::OnScrollBarReleased(TScrollBarKind bar) {
    QScrollBar* sb = bar == TScrollBarKind::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    ScrollRequest(bar, TScrollCode::ThumbPosition, sb->sliderPosition());
    const QScopedValueRollback<bool> syncing(m_syncingBars, true);
    sb->setSliderPosition(ScrollPos(bar));
    sb->setValue(ScrollPos(bar));
}

int TMyCustomGrid::ScrollBarThickness() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

bool TMyCustomGrid::BarAllowed(TScrollBarKind bar) const {
    if (bar == TScrollBarKind::Horizontal)
        return m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    return m_scrollBars == ssVertical || m_scrollBars == ssBoth;
}

void TMyCustomGrid::ScrollClient(int dx, int dy, const QRect& area) {
    if (!area.isEmpty())
        viewport()->scroll(dx, dy, area);
}

void TMyCustomGrid::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollRange();
}

void TMyCustomGrid::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    UpdateScrollRange();
}

void TMyCustomGrid::scrollContentsBy(int, int) {
    // The grid moves its own pixels in MoveTopLeft; the bars' values only mirror its state.
}
