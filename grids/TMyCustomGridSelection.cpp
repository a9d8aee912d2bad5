#include "grids/TMyCustomGrid.h"

#include "core/EInvalidGridOperation.h"
#include "grids/GridMessages.h"

#include <algorithm>

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
        throw EInvalidGridOperation(gridmsg::kIndexOutOfRange);
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
