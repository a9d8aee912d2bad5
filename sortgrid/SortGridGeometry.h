#pragma once

#include "sortgrid/SortGridTypes.h"

#include <QRect>
#include <QString>
#include <Qt>
#include <cstdint>
#include <functional>

/// Pixels at the left and right edge of a header cell that belong to column sizing, not to sorting.
inline constexpr int kHeaderEdgeZone = 5;
/// How much further right the header text of the sort column starts, to make room for the indicator.
inline constexpr int kSortHeaderTextIndent = 11;

/// The direction a header click asks for: a descending sort turns ascending; otherwise a click on
/// the column already sorted turns descending and a click on another column ascending. The right
/// button always asks for descending.
TSortDirection HeaderClickDirection(TSortDirection current, bool sameColumn, Qt::MouseButton button);

/// True when a release at x over a header cell spanning [cellLeft, cellRight) sorts: not within
/// `kHeaderEdgeZone` pixels of either edge.
bool IsHeaderSortZone(int x, int cellLeft, int cellRight);

/// The column a double click at x on the header auto-sizes: `col` when x is within 3 pixels of its
/// right edge, else the column to its left when x is within 3 pixels of that column's right edge
/// (the clicked cell's left edge); −1 when x is near neither edge. The cell spans
/// [cellLeft, cellRight) and its grid line follows at cellRight.
int32_t HeaderEdgeAutoSizeColumn(int x, int32_t col, int cellLeft, int cellRight, int lineWidth);

/// Where the sort indicator bitmap goes, in grid coordinates: 3 pixels right of the header cell's
/// left edge, at half the header height less 4, 8 × 7 pixels (narrower in a column of 10 pixels or
/// less). The bitmap is copied from its top-left corner with the same size.
QRect SortIndicatorRect(int cellLeft, int headerHeight, int colWidth);

/// The header text shortened to fit `room` pixels (the column width less 1, or less 12 in the sort
/// column): the last two characters become "..", then characters are dropped before the ".." while
/// the text is still too wide and longer than three characters. One-character texts stay as they are.
QString ShortenHeaderText(const QString& text, int room, const std::function<int(const QString&)>& width);

/// The room a header text has in a column: its width less 1, or less 12 for the sort column.
inline int HeaderTextRoom(int colWidth, bool sortColumn) {
    return colWidth - (sortColumn ? 12 : 1);
}

/// The row the first-character search goes to: the next data row after `currentRow` whose text is
/// not empty and starts with `key` (both upper-cased, A-Z only), else the first such row from row 1
/// up to and including `currentRow`; −1 when there is none. `text(row)` gives the text searched.
int32_t FindRowByFirstChar(QChar key, int32_t currentRow, int32_t rowCount,
                           const std::function<QString(int32_t)>& text);

/// The strip a blanked data cell fills: from the cell's left edge to the grid width past its right
/// edge, and from its top to one pixel below its bottom.
QRect BlankedRowStrip(const QRect& cell, int gridWidth);
