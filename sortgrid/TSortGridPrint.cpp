// The protocol grid's printing: pages laid out by PrintLayout, drawn through the printer service.
#include "sortgrid/TSortGrid.h"

#include "platform/Dialogs.h"
#include "platform/Printer.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QScopeGuard>
#include <algorithm>
#include <climits>
#include <memory>

namespace {

// Printer dots per screen pixel; a printer coarser than the screen still gets one dot per pixel.
int Ratio(int printerDpi, int screenDpi) {
    return std::max(1, printerDpi / std::max(1, screenDpi));
}

QFont TitleFont(QFont f) {
    f.setPointSize(10);
    return f;
}

} // namespace

QFont TSortGrid::PrintFont() const {
    QFont f = font();
    // A font sized in pixels would come out in printer dots; take its size on the screen instead.
    if (f.pointSizeF() <= 0 && f.pixelSize() > 0)
        f.setPointSizeF(f.pixelSize() * 72.0 / std::max(1, platform::printer().ScreenDpiY()));
    return f;
}

PrintLayout TSortGrid::MakePrintLayout(int32_t FromRow, int32_t ToRow) {
    platform::Printer& printer = platform::printer();
    PrintLayoutInput in;
    in.PageWidth = printer.PageWidth();
    in.PageHeight = printer.PageHeight();
    in.Fx = Ratio(printer.DpiX(), printer.ScreenDpiX());
    in.Fy = Ratio(printer.DpiY(), printer.ScreenDpiY());
    for (int32_t c = 0; c < ColCount(); ++c)
        in.ColWidths.push_back(ColWidths(c));
    in.RowHeight = [this](int32_t r) { return RowHeights(r); };
    // Rows past the end do not exist; the header row is always printed on its own.
    in.FromRow = std::max(FromRow, 0);
    in.ToRow = std::min(ToRow, RowCount() - 1);
    const QFont title = TitleFont(PrintFont());
    in.TitleWidth = TextWidth(title, m_printOptions.PageTitle());
    in.LabelWidth = [this, title](const QString& label) { return TextWidth(title, label); };
    return PrintLayout(std::move(in));
}

int TSortGrid::RenderPages(platform::PrintCanvas& Canvas, TRenderMode Mode, int32_t FromRow, int32_t ToRow) {
    const PrintLayout layout = MakePrintLayout(FromRow, ToRow);
    const auto& pages = layout.Pages();
    const int total = int(pages.size());
    if (Mode == TRenderMode::Count)
        return total;

    const QFont cellFont = PrintFont();
    const QFont titleFont = TitleFont(cellFont);
    auto drawPage = [&](const PrintedPage& page) {
        Canvas.setFont(titleFont);
        Canvas.TextOut(page.TitleAt.x(), page.TitleAt.y(), m_printOptions.PageTitle());
        Canvas.TextOut(page.LabelAt.x(), page.LabelAt.y(), page.Label);
        Canvas.setFont(cellFont);
        std::vector<OverflowCell> cells;
        std::vector<QString> texts;
        std::vector<int> widths;
        for (const PrintedRow& row : page.Rows) {
            // A text wider than its column runs on into the empty cells after it, as on the screen;
            // the header's captions stay in their columns.
            cells.clear();
            texts.clear();
            widths.clear();
            for (int32_t c = page.FirstCol; c <= page.LastCol; ++c) {
                texts.push_back(Cells(c, row.Row));
                const QString& text = texts.back();
                const QRect r = layout.CellRect(page, row, c);
                OverflowCell cell{r.left(), r.left() + r.width(), r.left(), text.isEmpty(), row.Row != 0};
                widths.push_back(text.isEmpty() ? 0 : Canvas.TextWidth(text));
                if (!cell.Free && cell.RunsOn)
                    cell.TextRight = r.left() + widths.back();
                cells.push_back(cell);
            }
            for (int32_t c = page.FirstCol; c <= page.LastCol; ++c) {
                const size_t i = size_t(c - page.FirstCol);
                const QRect r = layout.CellRect(page, row, c);
                if (texts[i].isEmpty() || r.isEmpty())
                    continue;
                const QRect clip(r.left(), r.top(), OverflowRight(cells, c - page.FirstCol) - r.left(),
                                 r.height());
                Canvas.TextRectMeasured(clip, r.x(), r.y(), texts[i], widths[i]);
            }
        }
    };

    if (Mode == TRenderMode::Preview) {
        if (total > 0)
            drawPage(pages[size_t(std::clamp(int(m_printOptions.PreviewPage()), 1, total) - 1)]);
        return total;
    }

    platform::Printer& printer = platform::printer();
    for (int i = 0; i < total; ++i) {
        if (i > 0)
            printer.NewPage();
        drawPage(pages[size_t(i)]);
        if (!PrintProgress(i + 1, total)) {
            m_printCancelled = true;
            return i + 1;
        }
    }
    return total;
}

bool TSortGrid::PrintProgress(int done, int total) {
    bool cancel = false;
    if (OnPrintProgress) {
        OnPrintProgress(this, done, total, cancel);
    } else if (m_printProgress) {
        m_printProgress->setMaximum(total);
        m_printProgress->setValue(done);
        cancel = m_printProgress->wasCanceled();
    }
    return !cancel;
}

void TSortGrid::Print() {
    platform::Printer& printer = platform::printer();
    if (printer.PrinterCount() <= 0) {
        platform::dialogs().showMessage(QStringLiteral("No Printer is installed"));
        return;
    }
    setFiltered(false);
    printer.setTitle(m_printOptions.JobTitle());
    printer.setCopies(int(std::min<uint32_t>(m_printOptions.Copies(), INT_MAX)));

    std::unique_ptr<QProgressDialog> progress;
    if (!OnPrintProgress) {
        progress = std::make_unique<QProgressDialog>(
            QCoreApplication::translate("TSortGrid", "Protokoll wird gedruckt …"),
            QCoreApplication::translate("TSortGrid", "Abbrechen"), 0, 1, window());
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
        progress->setAutoReset(false);
        progress->setAutoClose(false);
        progress->setValue(0);
    }
    m_printProgress = progress.get();
    m_printCancelled = false;
    auto forget = qScopeGuard([this] { m_printProgress = nullptr; });

    const auto toInt = [](uint32_t v) { return int32_t(std::min<uint32_t>(v, INT32_MAX)); };
    printer.BeginDoc();
    try {
        RenderPages(printer.Canvas(), TRenderMode::Print, toInt(m_printOptions.FromRow()),
                    toInt(m_printOptions.ToRow()));
    } catch (...) {
        printer.Abort();
        throw;
    }
    if (m_printCancelled)
        printer.Abort();
    else
        printer.EndDoc();
}
