#include "app/live/SpectatorLayout.h"

#include <algorithm>

namespace {

// A digit is half as wide as it is tall; neighbours keep a small gap and the comma a wider one.
constexpr double DigitAspect = 0.5;
constexpr double GapShare = 0.08;   // of the digit height
constexpr double CommaShare = 0.22; // of the digit height, after the ones digit

int digitsWidthFor(int height, int count) {
    return int(height * (DigitAspect * count + GapShare * (count - 1) + CommaShare));
}

// The digits in `area`, as tall as fits (at most `maxHeight`), left-aligned and vertically centred.
QList<QRect> placeDigits(const QRect& area, int count, int maxHeight) {
    int height = std::min(maxHeight, area.height());
    while (height > 1 && digitsWidthFor(height, count) > area.width())
        --height;
    const int width = int(height * DigitAspect);
    const int gap = int(height * GapShare);
    const int comma = int(height * CommaShare);
    QList<QRect> digits;
    int x = area.left();
    const int y = area.top() + (area.height() - height) / 2;
    for (int i = 0; i < count; ++i) {
        digits.append(QRect(x, y, width, height));
        x += width + gap + (i == 2 ? comma : 0); // after the ones digit
    }
    return digits;
}

int textPx(int lineHeight) {
    return std::max(1, int(lineHeight * 0.78));
}

} // namespace

SpectatorGeometry spectatorGeometry(QSize size, int digitCount, int rowCount) {
    SpectatorGeometry g;
    const int w = std::max(size.width(), 1);
    const int h = std::max(size.height(), 1);
    const int m = std::max(4, h / 36);
    const bool wide = w * 5 >= h * 6;

    // The left (or upper) part: time, competitor, class, last result.
    const QRect info =
        wide ? QRect(m, m, int(w * 0.56) - 2 * m, h - 2 * m) : QRect(m, m, w - 2 * m, int(h * 0.46) - 2 * m);
    const QRect table = wide ? QRect(int(w * 0.56), m, w - int(w * 0.56) - m, h - 2 * m)
                             : QRect(m, int(h * 0.46), w - 2 * m, h - int(h * 0.46) - m);

    const int clockHeight = int(info.height() * 0.44);
    g.digits =
        placeDigits(QRect(info.left(), info.top(), info.width(), clockHeight), digitCount, clockHeight);
    if (digitCount > 3) {
        const QRect ones = g.digits[2];
        const QRect next = g.digits[3];
        const int side = std::max(2, int(ones.height() * 0.11));
        g.comma = QRect(ones.right() + 1 + (next.left() - ones.right() - 1 - side) / 2,
                        ones.bottom() + 1 - side, side, side);
    }
    int y = info.top() + clockHeight + m;
    const int rest = info.bottom() + 1 - y;
    const int competitorH = int(rest * 0.24);
    const int classH = int(rest * 0.16);
    const int lastTitleH = int(rest * 0.13);
    const int lastWhoH = int(rest * 0.2);
    const int lastH = rest - competitorH - classH - lastTitleH - lastWhoH - m;
    g.competitor = QRect(info.left(), y, info.width(), competitorH);
    g.competitorPx = textPx(competitorH);
    y += competitorH;
    g.competitorClass = QRect(info.left(), y, info.width(), classH);
    g.classPx = textPx(classH);
    y += classH + m;
    g.lastTitle = QRect(info.left(), y, info.width(), lastTitleH);
    g.lastTitlePx = textPx(lastTitleH);
    y += lastTitleH;
    g.lastWho = QRect(info.left(), y, info.width(), lastWhoH);
    g.lastWhoPx = textPx(lastWhoH);
    y += lastWhoH;
    g.lastResult = QRect(info.left(), y, info.width(), std::max(lastH, 1));
    g.lastResultPx = textPx(std::min(lastH, competitorH));

    const int titleH = table.height() / (rowCount + 2);
    g.tableTitle = QRect(table.left(), table.top(), table.width(), titleH);
    g.tableTitlePx = textPx(titleH);
    const int rowH = (table.height() - titleH - m) / std::max(rowCount, 1);
    for (int i = 0; i < rowCount; ++i)
        g.rows.append(QRect(table.left(), table.top() + titleH + m + i * rowH, table.width(), rowH));
    g.rowPx = textPx(int(rowH * 0.9));
    return g;
}

std::array<QRect, 4> spectatorRowCells(const QRect& row) {
    const int place = int(row.width() * 0.13);
    const int number = int(row.width() * 0.12);
    const int result = int(row.width() * 0.24);
    const int name = row.width() - place - number - result;
    return {QRect(row.left(), row.top(), place, row.height()),
            QRect(row.left() + place, row.top(), number, row.height()),
            QRect(row.left() + place + number, row.top(), name, row.height()),
            QRect(row.right() + 1 - result, row.top(), result, row.height())};
}
