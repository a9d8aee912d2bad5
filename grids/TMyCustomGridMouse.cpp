#include "grids/TMyCustomGrid.h"

#include "grids/TInplaceEdit.h"

#include <QMouseEvent>
#include <QScopeGuard>
#include <QWheelEvent>

void TMyCustomGrid::Click() {
    if (OnClick)
        OnClick(this);
}

void TMyCustomGrid::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

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
                    if (m_options.testFlag(goRowMoving) && cell.X < m_fixedCols && cell.Y >= m_fixedRows)
                        StartLineDrag(Qt::Vertical, cell.Y, pt);
                    else if (m_options.testFlag(goColMoving) && cell.Y < m_fixedRows && cell.X >= m_fixedCols)
                        StartLineDrag(Qt::Horizontal, cell.X, pt);
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

void TMyCustomGrid::StartLineDrag(Qt::Orientation o, int32_t index, const QPoint& pt) {
    int32_t origin = index, drop = index;
    if (!(o == Qt::Horizontal ? BeginColumnDrag(origin, drop, pt) : BeginRowDrag(origin, drop, pt)))
        return;
    m_moveIndex = origin;
    m_movePos = drop;
    m_gridState = o == Qt::Horizontal ? gsColMoving : gsRowMoving;
    DrawMoveLine();
    StartScrollTimer();
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
                MoveAndScroll(Qt::Horizontal, X, cell.X, QPoint(X, Y));
            } else {
                MoveAndScroll(Qt::Vertical, Y, cell.Y, QPoint(X, Y));
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

void TMyCustomGrid::MoveAndScroll(Qt::Orientation o, int m, int32_t k, const QPoint& pt) {
    const bool horz = o == Qt::Horizontal;
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
        MoveAndScroll(Qt::Horizontal, p.x(), gridaxis::CellAt(info.Horz, p.x()), p);
    } else {
        MoveAndScroll(Qt::Vertical, p.y(), gridaxis::CellAt(info.Vert, p.y()), p);
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
    {
        // The state returns to normal also when a handler below fails.
        const auto finish = qScopeGuard([this] {
            m_gridState = gsNormal;
            StopScrollTimer();
        });
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
void TMyCustomGrid::hideEvent(QHideEvent* e) {
    if (m_gridState != gsNormal)
        CancelMode();
    QAbstractScrollArea::hideEvent(e);
}
