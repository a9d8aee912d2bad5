// The protocol grid's column sizing: text widths and sizing columns to their widest text.
#include "sortgrid/TSortGrid.h"

#include "grids/PackedRow.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

int TSortGrid::TextWidth(const QFont& font, const QString& text) const {
    return QFontMetrics(font).horizontalAdvance(text);
}

double TSortGrid::TextWidthBound(const QFont& font, const QString& text) const {
    // isCopyOf is a pointer comparison: sizing asks once per cell, with copies of one font.
    if (!m_charAdvances || !(m_charAdvancesFont.isCopyOf(font) || m_charAdvancesFont == font)) {
        m_charAdvancesFont = font;
        m_charAdvances = std::make_unique<std::array<double, 256>>();
        const QFontMetricsF fm(font);
        for (int c = 0; c < 256; ++c)
            (*m_charAdvances)[size_t(c)] = fm.horizontalAdvance(QChar(c));
        m_charAdvancesFixed = QFontInfo(font).fixedPitch();
        const auto printable = m_charAdvances->begin() + 0x20;
        const bool uniform =
            std::all_of(printable, m_charAdvances->end(), [&](double a) { return a == *printable; });
        m_charAdvanceUniform = uniform ? *printable : 0;
    }
    const std::array<double, 256>& advances = *m_charAdvances;
    const char16_t* d = QStringView(text).utf16();
    const qsizetype n = text.size();
    // Tabs and other controls lay out to tab stops; beyond Latin-1 a wider fallback font may draw the
    // character. Both are looked for without a branch per character. When every Latin-1 character has
    // the same advance (a fixed-pitch font) the sum is a product; otherwise the advances are added in
    // four chains, as a single one waits on each add.
    char16_t outside = 0;
    double sum = 0;
    if (m_charAdvanceUniform > 0) {
        for (qsizetype i = 0; i < n; ++i)
            outside |= char16_t(d[i] - 0x20) > 0xDF;
        sum = double(n) * m_charAdvanceUniform;
    } else {
        double a0 = 0, a1 = 0, a2 = 0, a3 = 0;
        qsizetype i = 0;
        for (; i + 4 <= n; i += 4) {
            outside |= (char16_t(d[i] - 0x20) > 0xDF) | (char16_t(d[i + 1] - 0x20) > 0xDF) |
                       (char16_t(d[i + 2] - 0x20) > 0xDF) | (char16_t(d[i + 3] - 0x20) > 0xDF);
            a0 += advances[d[i] & 0xFF];
            a1 += advances[d[i + 1] & 0xFF];
            a2 += advances[d[i + 2] & 0xFF];
            a3 += advances[d[i + 3] & 0xFF];
        }
        for (; i < n; ++i) {
            outside |= char16_t(d[i] - 0x20) > 0xDF;
            a0 += advances[d[i] & 0xFF];
        }
        sum = (a0 + a1) + (a2 + a3);
    }
    if (outside)
        return -1;
    // The measure is the rounded sum of the advances. A fixed-pitch font has no kerning; for
    // others a pixel, and one more for every eight characters, covers kerning that widens a pair.
    const double rounded = std::floor(sum + 0.5);
    return m_charAdvancesFixed ? rounded : rounded + 1 + double(n / 8);
}

void TSortGrid::AutoSizeColumn(int32_t ACol, bool Force) {
    if (ColWidths(ACol) == -1 && !Force)
        return;
    bool checkBox = false, combobox = false, ellipsis = false;
    int headerWidth = 0;
    int widest = 0;
    QFont font = this->font();
    for (int32_t r = 0; r < RowCount(); ++r) {
        font = GetCellFormat(ACol, r, checkBox, combobox, ellipsis).Font;
        const QString text = Cells(ACol, r);
        if (r > 0) {
            // Measuring is slow; a text too narrow to beat the widest so far is skipped (a loaded
            // protocol of 100,000 rows would otherwise take seconds).
            const double bound = TextWidthBound(font, text);
            if (bound >= 0 && bound <= widest)
                continue;
        }
        const int w = TextWidth(font, text);
        if (r == 0) {
            headerWidth = w;
            if (ACol == m_sortOptions.SortCol() && m_sortOptions.CanSort())
                headerWidth += 12;
        } else {
            widest = std::max(widest, w);
        }
    }
    widest = std::max(widest, headerWidth);
    // The "xx" and "X" measures use the font of the last cell asked, like the texts did.
    setColWidths(ACol, widest <= 0 ? TextWidth(font, QStringLiteral("xx"))
                                   : TextWidth(font, QStringLiteral("X")) + widest);
}

void TSortGrid::AutoSizeAllColumns(bool Force) {
    // What AutoSizeColumn does column by column, in one walk over the stored rows: without a format
    // handler and outside painting every cell has the grid's font, and walking the rows once instead
    // of once per column keeps a large protocol's cells in the cache.
    const int32_t cols = ColCount();
    const int32_t rows = RowCount();
    const QFont font = this->font();
    std::vector<int32_t> sized;
    for (int32_t c = 0; c < cols; ++c)
        if (ColWidths(c) != -1 || Force)
            sized.push_back(c);
    std::vector<int> widest(size_t(cols), 0);
    std::vector<int> headerWidth(size_t(cols), 0);
    for (int32_t r = 0; r < rows; ++r) {
        const PackedRow* cells = StoredRow(r);
        for (const int32_t c : sized) {
            // The stored characters in place; the widths are taken before anything changes.
            const QStringView view = cells ? cells->text(c) : QStringView();
            const QString text = QString::fromRawData(view.data(), view.size());
            int& w = widest[size_t(c)];
            if (r > 0) {
                const double bound = TextWidthBound(font, text);
                if (bound >= 0 && bound <= w)
                    continue;
                w = std::max(w, TextWidth(font, text));
            } else {
                headerWidth[size_t(c)] = TextWidth(font, text);
                if (c == m_sortOptions.SortCol() && m_sortOptions.CanSort())
                    headerWidth[size_t(c)] += 12;
            }
        }
    }
    for (const int32_t c : sized) {
        const int w = std::max(widest[size_t(c)], headerWidth[size_t(c)]);
        setColWidths(c, w <= 0 ? TextWidth(font, QStringLiteral("xx"))
                               : TextWidth(font, QStringLiteral("X")) + w);
    }
}

void TSortGrid::AutoSizeColumns(bool Force) {
    BeginUpdate();
    try {
        if (OnGetCellFormat || Canvas()) {
            for (int32_t c = 0; c < ColCount(); ++c)
                AutoSizeColumn(c, Force);
        } else {
            AutoSizeAllColumns(Force);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
