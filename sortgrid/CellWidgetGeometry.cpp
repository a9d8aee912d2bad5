#include "sortgrid/CellWidgetGeometry.h"

#include <algorithm>
#include <cstdlib>

TCellGlyphPlace CheckBoxPlace(const QRect& cell, int rowHeight) {
    const int side = cell.width() <= kCheckBoxSide ? cell.width() - 1 : kCheckBoxSide;
    const int top = cell.top() + rowHeight / 2 - 5;
    const int left = cell.left() + (cell.width() - side) / 2;
    return {QRect(left, top, side, kCheckBoxSide), QRect(0, 0, side, kCheckBoxSide)};
}

TCellGlyphPlace CellButtonPlace(const QRect& cell) {
    const int w = std::min(kCellButtonSize, cell.width());
    const int right = cell.left() + cell.width();
    return {QRect(right - w, cell.top(), w, cell.height()), QRect(0, 0, w, kCellButtonSize)};
}

bool HitsCellButton(const QRect& cell, const QPoint& p) {
    const int right = cell.left() + cell.width();
    return p.x() >= right - kCellButtonSize && p.x() < right && p.y() >= cell.top() &&
           p.y() < cell.top() + cell.height();
}

QPoint CellTextOffset(TAlignment horz, TVertAlignment vert, const QSize& cell, const QSize& text) {
    int x = 2;
    if (horz == taRightJustify)
        x = cell.width() - text.width() - 2;
    else if (horz == taCenter)
        x = (cell.width() - text.width()) / 2;
    int y = 2;
    if (vert == taBottomJustify)
        y = cell.height() - text.height() - 3;
    else if (vert == taMiddle)
        y = (cell.height() - text.height()) / 2;
    return {x, y};
}

void CellBevelLines(const QRect& cell, bool vertLines, bool horzLines, std::vector<QLine>& shadow,
                    std::vector<QLine>& highlight) {
    const int l = cell.left(), t = cell.top();
    const int r = l + cell.width(), b = t + cell.height();
    if (vertLines) {
        shadow.emplace_back(r - 1, t, r - 1, b);
        highlight.emplace_back(l, t, l, b);
    }
    if (horzLines) {
        shadow.emplace_back(l, b - 1, r, b - 1);
        highlight.emplace_back(l, t, r, t);
    }
}

QRect DropDownRect(const QRect& cellInWindow, int width, int height, int itemCount, int itemHeight) {
    if (width == 0)
        width = cellInWindow.width() + 1;
    if (height == 0)
        height = std::min(itemCount, kDropDownRows) * itemHeight + 5;
    return {cellInWindow.left() + 2, cellInWindow.top() + 1, width, height};
}

bool PastDragThreshold(const QPoint& start, const QPoint& now) {
    return std::abs(now.x() - start.x()) > kDragThreshold || std::abs(now.y() - start.y()) > kDragThreshold;
}
