#include "grids/TMyCustomGrid.h"

#include "grids/GridCanvas.h"
#include "grids/QPainterGridCanvas.h"
#include "grids/TInplaceEdit.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <algorithm>
#include <exception>

namespace {

bool InGridRect(int32_t col, int32_t row, const TGridRect& r) {
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

} // namespace

void TMyCustomGrid::PaintGrid(GridCanvas& canvas) {
    const QScopedValueRollback<GridCanvas*> canvasScope(m_canvas, &canvas);

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
