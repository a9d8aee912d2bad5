#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <array>

/// Where the parts of the spectator screen go, in pixels of the window. Text sizes are pixel heights
/// of the font.
struct SpectatorGeometry {
    QList<QRect> digits; ///< the running time's digits, left to right
    QRect comma;         ///< the decimal comma after the ones digit; empty without decimals
    QRect competitor;    ///< start number and name of the competitor on track
    int competitorPx = 0;
    QRect competitorClass;
    int classPx = 0;
    QRect lastTitle; ///< "Letztes Ergebnis"
    int lastTitlePx = 0;
    QRect lastWho; ///< who drove last
    int lastWhoPx = 0;
    QRect lastResult; ///< that run's result with the place
    int lastResultPx = 0;
    QRect tableTitle; ///< the class of the table
    int tableTitlePx = 0;
    QList<QRect> rows; ///< the lines of the table
    int rowPx = 0;
};

/// The spectator screen for a window of `size` with `digitCount` digits of the running time (3 whole
/// seconds and the decimals) and `rowCount` table lines. Wide screens get the time and the competitor
/// on the left and the table on the right; tall ones get them one above the other. The digits are at
/// least a twelfth of the height tall (readable from 10 m on a TV).
SpectatorGeometry spectatorGeometry(QSize size, int digitCount, int rowCount = 10);

/// The cells of a table line: place, start number, name, result.
std::array<QRect, 4> spectatorRowCells(const QRect& row);
