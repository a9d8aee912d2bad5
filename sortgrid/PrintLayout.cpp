#include "sortgrid/PrintLayout.h"

#include <algorithm>

namespace {

int Visible(int width) {
    return std::max(0, width);
}

} // namespace

PrintLayout::PrintLayout(PrintLayoutInput input) : m_in(std::move(input)) {
    const auto cols = int32_t(m_in.ColWidths.size());
    if (cols == 0)
        return;
    // Bands: as many columns as fit the page width, at least one.
    std::vector<std::pair<int32_t, int32_t>> bands;
    for (int32_t first = 0; first < cols;) {
        int32_t last = first;
        int sum = m_in.Fx * (Visible(m_in.ColWidths[size_t(first)]) + 1);
        while (last + 1 < cols) {
            const int next = sum + m_in.Fx * (Visible(m_in.ColWidths[size_t(last + 1)]) + 1);
            if (next > m_in.PageWidth)
                break;
            sum = next;
            ++last;
        }
        bands.emplace_back(first, last);
        first = last + 1;
    }
    const bool banded = bands.size() > 1;
    for (size_t b = 0; b < bands.size(); ++b)
        LayBand(bands[b].first, bands[b].second, int(b) + 1, banded);
}

PrintedPage PrintLayout::StartPage(int32_t first, int32_t last, int bandNo, int pageNo, bool banded) const {
    PrintedPage page;
    page.BandNo = bandNo;
    page.PageNo = pageNo;
    page.FirstCol = first;
    page.LastCol = last;
    page.Label = QStringLiteral("Page %1").arg(pageNo);
    if (banded)
        page.Label += QStringLiteral("-%1").arg(bandNo);
    page.TitleAt = QPoint(m_in.PageWidth / 2 - m_in.Fx * (m_in.TitleWidth / 2), m_in.Fy * 1);
    const int labelWidth = m_in.LabelWidth ? m_in.LabelWidth(page.Label) : 0;
    page.LabelAt = QPoint(m_in.PageWidth - m_in.Fx * (labelWidth + 10), m_in.PageHeight - m_in.Fy * 19);
    const int top = m_in.Fy * 20;
    const int h = m_in.Fy * m_in.RowHeight(0);
    page.Rows.push_back({0, top, std::min(h, std::max(0, BottomLimit() - top))});
    return page;
}

void PrintLayout::LayBand(int32_t first, int32_t last, int bandNo, bool banded) {
    int pageNo = 1;
    PrintedPage page = StartPage(first, last, bandNo, pageNo, banded);
    const int limit = BottomLimit();
    for (int32_t r = m_in.FromRow; r <= m_in.ToRow; ++r) {
        const int h = m_in.Fy * m_in.RowHeight(r);
        const PrintedRow& above = page.Rows.back();
        int top = above.Top + above.Height;
        // A row whose bottom would pass the label line goes whole to the next page; a row taller
        // than a whole page prints alone there, cut at the label line.
        if (top + h > limit && page.Rows.size() > 1) {
            m_pages.push_back(std::move(page));
            page = StartPage(first, last, bandNo, ++pageNo, banded);
            top = page.Rows.back().Top + page.Rows.back().Height;
        }
        page.Rows.push_back({r, top, std::min(h, std::max(0, limit - top))});
        if (top + h > limit && r < m_in.ToRow) {
            m_pages.push_back(std::move(page));
            page = StartPage(first, last, bandNo, ++pageNo, banded);
        }
    }
    m_pages.push_back(std::move(page));
}

int PrintLayout::ColumnLeft(const PrintedPage& page, int32_t col) const {
    int x = 0;
    for (int32_t k = page.FirstCol; k < col; ++k)
        x += m_in.Fx * (Visible(m_in.ColWidths[size_t(k)]) + 1);
    return x;
}

QRect PrintLayout::CellRect(const PrintedPage& page, const PrintedRow& row, int32_t col) const {
    const int w = m_in.ColWidths[size_t(col)];
    if (w < 0)
        return {};
    return QRect(ColumnLeft(page, col), row.Top, m_in.Fx * w, row.Height);
}
