#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

/// How `TSortGrid::RenderPages` works: print on the printer, draw one page as a preview, or only count.
enum class TRenderMode { Print, Preview, Count };

/// Asked after each printed page with the pages done and the page count; setting `Cancel` stops
/// the print job.
using TPrintProgressEvent = std::function<void(QObject* Sender, int Done, int Total, bool& Cancel)>;

/// What the page layout needs to know of the grid and the printer. Sizes of columns and rows are
/// screen pixels; the page is in printer pixels.
struct PrintLayoutInput {
    int PageWidth = 0;
    int PageHeight = 0;
    /// Printer dots per screen pixel, horizontally and vertically (integer ratio of resolutions).
    int Fx = 1;
    int Fy = 1;
    /// Width of every column; a negative width is a hidden column.
    std::vector<int> ColWidths;
    /// Height of a row.
    std::function<int(int32_t row)> RowHeight;
    /// The data rows printed under the header row (none when From > To).
    int32_t FromRow = 1;
    int32_t ToRow = 0;
    /// Width of the page title in screen pixels, measured in the title font.
    int TitleWidth = 0;
    /// Width of a page label in screen pixels, measured in the title font.
    std::function<int(const QString& label)> LabelWidth;
};

/// One row placed on a page: its top and height in printer pixels (the height cut at the page's
/// bottom margin for a row too tall for any page).
struct PrintedRow {
    int32_t Row = 0;
    int Top = 0;
    int Height = 0;
};

/// One printed page.
struct PrintedPage {
    int BandNo = 1;               ///< column band, counted from 1
    int PageNo = 1;               ///< page within the band, counted from 1
    int32_t FirstCol = 0;         ///< first column of the band
    int32_t LastCol = 0;          ///< last column of the band
    QString Label;                ///< "Page n" or "Page n-b"
    QPoint TitleAt;               ///< top-left of the page title
    QPoint LabelAt;               ///< top-left of the page label
    std::vector<PrintedRow> Rows; ///< the header row first, then the data rows
};

/// The pages of a printed protocol: the columns split into bands that fit the page width, each
/// band starting on a new page with the title, the label at the bottom right and the header row,
/// the rows placed under one another and moved whole to the next page when their bottom would pass
/// the label line. Plain geometry, so tests read it without a printer.
class PrintLayout {
public:
    /// Lays out every page.
    explicit PrintLayout(PrintLayoutInput input);

    /// The pages in printing order.
    const std::vector<PrintedPage>& Pages() const { return m_pages; }
    /// The rectangle of a cell of `row` on `page`, where its text is clipped; empty for a hidden
    /// column.
    QRect CellRect(const PrintedPage& page, const PrintedRow& row, int32_t col) const;
    /// The lowest a row may reach on a page: just above the page label.
    int BottomLimit() const { return m_in.PageHeight - m_in.Fy * 20; }

private:
    int ColumnLeft(const PrintedPage& page, int32_t col) const;
    void LayBand(int32_t first, int32_t last, int bandNo, bool banded);
    PrintedPage StartPage(int32_t first, int32_t last, int bandNo, int pageNo, bool banded) const;

    PrintLayoutInput m_in;
    std::vector<PrintedPage> m_pages;
};
