#include "sortgrid/SortGridGeometry.h"

TSortDirection HeaderClickDirection(TSortDirection current, bool sameColumn, Qt::MouseButton button) {
    TSortDirection d = sdAscending;
    if (current == sdDescending)
        d = sdAscending;
    else if (sameColumn)
        d = sdDescending;
    if (button == Qt::RightButton)
        d = sdDescending;
    return d;
}

bool IsHeaderSortZone(int x, int cellLeft, int cellRight) {
    return x >= cellLeft + kHeaderEdgeZone && x < cellRight - kHeaderEdgeZone;
}

int32_t HeaderEdgeAutoSizeColumn(int x, int32_t col, int cellLeft, int cellRight, int lineWidth) {
    if (col < 0)
        return -1;
    if (x >= cellRight - 3 && x <= cellRight + lineWidth + 2)
        return col;
    const int leftEdge = cellLeft - lineWidth;
    if (col > 0 && x >= leftEdge - 2 && x <= cellLeft + 2)
        return col - 1;
    return -1;
}

QRect SortIndicatorRect(int cellLeft, int headerHeight, int colWidth) {
    const int w = colWidth <= 10 ? colWidth - 3 : 8;
    return QRect(cellLeft + 3, headerHeight / 2 - 4, w, 7);
}

QString ShortenHeaderText(const QString& text, int room, const std::function<int(const QString&)>& width) {
    QString s = text;
    if (s.size() <= 1 || width(s) <= room)
        return s;
    s[s.size() - 2] = u'.';
    s[s.size() - 1] = u'.';
    while (s.size() > 3 && width(s) > room) {
        s.chop(1);
        s[s.size() - 2] = u'.';
    }
    return s;
}

namespace {
QChar UpperAscii(QChar c) {
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
}
} // namespace

int32_t FindRowByFirstChar(QChar key, int32_t currentRow, int32_t rowCount,
                           const std::function<QString(int32_t)>& text) {
    const QChar k = UpperAscii(key);
    const auto matches = [&](int32_t r) {
        const QString t = text(r);
        return !t.isEmpty() && UpperAscii(t.at(0)) == k;
    };
    for (int32_t r = std::max(currentRow + 1, 1); r < rowCount; ++r)
        if (matches(r))
            return r;
    for (int32_t r = 1; r <= currentRow && r < rowCount; ++r)
        if (matches(r))
            return r;
    return -1;
}

QRect BlankedRowStrip(const QRect& cell, int gridWidth) {
    return QRect(QPoint(cell.left(), cell.top()), QPoint(cell.right() + gridWidth + 1, cell.bottom() + 1));
}
