#include "app/results/ResultsPrint.h"

#include "platform/Printer.h"

#include <QCoreApplication>
#include <QFont>

#include <algorithm>
#include <cmath>

namespace {

// Below this a printed list is no longer readable; a wider section runs off the page instead.
constexpr double MinScale = 0.35;

int lineHeight(PrintTextKind kind, double scale, int dpi) {
    return int(std::ceil(printPointSize(kind) * scale * dpi / 72.0 * 1.3));
}

} // namespace

double printPointSize(PrintTextKind kind) {
    switch (kind) {
    case PrintTextKind::Title:
        return 16;
    case PrintTextKind::Subtitle:
        return 11;
    case PrintTextKind::Section:
        return 12;
    case PrintTextKind::Heading:
    case PrintTextKind::Cell:
        return 9;
    case PrintTextKind::Note:
    case PrintTextKind::Footer:
        return 7;
    }
    return 9;
}

QFont resultsPrintFont(PrintTextKind kind, double scale) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(printPointSize(kind) * scale);
    f.setBold(kind == PrintTextKind::Title || kind == PrintTextKind::Section ||
              kind == PrintTextKind::Heading);
    f.setItalic(kind == PrintTextKind::Note);
    return f;
}

ResultsPrintLayout layoutResultsPrint(const ResultsPrintInput& in) {
    ResultsPrintLayout out;
    const int gap = std::max(4, in.dpi / 12); // between columns
    const int footerHeight = lineHeight(PrintTextKind::Footer, 1, in.dpi) * 2;
    const int bottom = in.pageHeight - footerHeight;
    ResultsPrintLayout::Page page;
    int y = 0;
    auto put = [&](PrintTextKind kind, double scale, int x, int atY, const QString& text) {
        page.texts.append({kind, x, atY, text});
        page.scales.append(scale);
    };
    auto newPage = [&] {
        out.pages.append(page);
        page = {};
        y = 0;
    };

    for (int i = 0; i < in.titleLines.size(); ++i) {
        const PrintTextKind kind = i == 0 ? PrintTextKind::Title : PrintTextKind::Subtitle;
        put(kind, 1, 0, y, in.titleLines[i]);
        y += lineHeight(kind, 1, in.dpi);
    }
    y += lineHeight(PrintTextKind::Cell, 1, in.dpi);

    for (const SheetSection& section : in.sections) {
        // The remarks are the last column; where the table is too wide for the page they go on a
        // line of their own under each row before anything is printed smaller.
        const qsizetype remark =
            section.headings.isEmpty() ||
                    section.headings.last() != QCoreApplication::translate("ResultsSheet", "Bemerkung")
                ? -1
                : section.headings.size() - 1;
        bool remarkBelow = false;
        auto columnCount = [&] {
            return remarkBelow ? section.headings.size() - 1 : section.headings.size();
        };
        // Columns as wide as their widest text; a section too wide for the page is printed smaller.
        auto widthsAt = [&](double scale) {
            const qsizetype columns = columnCount();
            QList<int> widths(columns, 0);
            for (qsizetype c = 0; c < columns; ++c)
                widths[c] = in.textWidth(PrintTextKind::Heading, scale, section.headings[c]);
            for (const QList<SheetCell>& row : section.rows)
                for (qsizetype c = 0; c < std::min(columns, row.size()); ++c) {
                    widths[c] = std::max(widths[c], in.textWidth(PrintTextKind::Cell, scale, row[c].text));
                    if (!row[c].note.isEmpty())
                        widths[c] =
                            std::max(widths[c], in.textWidth(PrintTextKind::Note, scale, row[c].note));
                }
            return widths;
        };
        double scale = 1;
        QList<int> widths = widthsAt(scale);
        auto total = [&] {
            int sum = 0;
            for (int w : widths)
                sum += w + gap;
            return sum - gap;
        };
        if (total() > in.pageWidth && remark >= 0) {
            remarkBelow = true;
            widths = widthsAt(scale);
        }
        while (total() > in.pageWidth && scale > MinScale) {
            scale = std::max(MinScale, scale * std::max(0.5, double(in.pageWidth) / total()) * 0.98);
            widths = widthsAt(scale);
        }
        const qsizetype columns = columnCount();
        QList<int> xs;
        int x = 0;
        for (int w : widths) {
            xs.append(x);
            x += w + gap;
        }
        const int cellLine = lineHeight(PrintTextKind::Cell, scale, in.dpi);
        const int noteLine = lineHeight(PrintTextKind::Note, scale, in.dpi);
        const int sectionLine = lineHeight(PrintTextKind::Section, 1, in.dpi);
        auto remarkOf = [&](const QList<SheetCell>& row) {
            return remarkBelow && remark < row.size() ? row[remark].text : QString();
        };
        auto notesOf = [&](const QList<SheetCell>& row) {
            return std::any_of(row.begin(), row.begin() + std::min(columns, row.size()),
                               [](const SheetCell& c) { return !c.note.isEmpty(); });
        };
        auto rowHeight = [&](const QList<SheetCell>& row) {
            return cellLine + (notesOf(row) ? noteLine : 0) + (remarkOf(row).isEmpty() ? 0 : noteLine) +
                   cellLine / 4;
        };
        auto sectionHead = [&](bool continued) {
            put(PrintTextKind::Section, 1, 0, y,
                continued ? QCoreApplication::translate("ResultsPrint", "%1 (Fortsetzung)").arg(section.title)
                          : section.title);
            y += sectionLine;
            for (qsizetype c = 0; c < columns; ++c) {
                // Numbers stand right in their column, as they do on the screen.
                const bool right =
                    !section.rows.isEmpty() && c < section.rows[0].size() && section.rows[0][c].value;
                const int w = in.textWidth(PrintTextKind::Heading, scale, section.headings[c]);
                put(PrintTextKind::Heading, scale, right ? xs[c] + widths[c] - w : xs[c], y,
                    section.headings[c]);
            }
            y += cellLine + cellLine / 4;
        };
        // A section title never stands alone at the foot of a page.
        const int firstRow = section.rows.isEmpty() ? 0 : rowHeight(section.rows[0]);
        if (y > 0 && y + sectionLine + 2 * cellLine + firstRow > bottom)
            newPage();
        sectionHead(false);
        for (const QList<SheetCell>& row : section.rows) {
            const int h = rowHeight(row);
            if (y + h > bottom) {
                newPage();
                sectionHead(true);
            }
            for (qsizetype c = 0; c < std::min(columns, row.size()); ++c) {
                const SheetCell& cell = row[c];
                const int w = in.textWidth(PrintTextKind::Cell, scale, cell.text);
                if (!cell.text.isEmpty())
                    put(PrintTextKind::Cell, scale, cell.value ? xs[c] + widths[c] - w : xs[c], y, cell.text);
                if (!cell.note.isEmpty()) {
                    const int nw = in.textWidth(PrintTextKind::Note, scale, cell.note);
                    put(PrintTextKind::Note, scale, cell.value ? xs[c] + widths[c] - nw : xs[c], y + cellLine,
                        cell.note);
                }
            }
            const QString text = remarkOf(row);
            if (!text.isEmpty())
                put(PrintTextKind::Note, scale, xs.value(std::min<qsizetype>(2, columns - 1)),
                    y + cellLine + (notesOf(row) ? noteLine : 0), text);
            y += h;
        }
        y += cellLine;
    }
    out.pages.append(page);

    const int pages = int(out.pages.size());
    const QString left = in.titleLines.size() > 1 ? in.titleLines[1] : in.titleLines.value(0);
    for (int n = 0; n < pages; ++n) {
        ResultsPrintLayout::Page& p = out.pages[n];
        const int footY = in.pageHeight - lineHeight(PrintTextKind::Footer, 1, in.dpi);
        const QString label =
            QCoreApplication::translate("ResultsPrint", "Seite %1 von %2").arg(n + 1).arg(pages);
        p.texts.append({PrintTextKind::Footer, 0, footY, left});
        p.scales.append(1);
        p.texts.append({PrintTextKind::Footer, in.pageWidth - in.textWidth(PrintTextKind::Footer, 1, label),
                        footY, label});
        p.scales.append(1);
    }
    return out;
}

void drawResultsPage(platform::PrintCanvas& canvas, const ResultsPrintLayout::Page& page) {
    for (qsizetype i = 0; i < page.texts.size(); ++i) {
        const PrintedText& t = page.texts[i];
        canvas.setFont(resultsPrintFont(t.kind, page.scales[i]));
        canvas.TextOut(t.x, t.y, t.text);
    }
}

QString printResults(const QStringList& titleLines, const QList<SheetSection>& sections,
                     const QString& jobTitle) {
    platform::Printer& printer = platform::printer();
    if (printer.PrinterCount() <= 0)
        return QCoreApplication::translate(
            "ResultsPrint",
            "Es ist kein Drucker eingerichtet. Unter „Drucker“ lässt sich auch eine PDF-Datei wählen.");
    printer.setTitle(jobTitle);
    printer.setCopies(1);
    try {
        printer.BeginDoc();
        ResultsPrintInput in;
        in.pageWidth = printer.PageWidth();
        in.pageHeight = printer.PageHeight();
        in.dpi = std::max(1, printer.DpiY());
        in.titleLines = titleLines;
        in.sections = sections;
        platform::PrintCanvas& canvas = printer.Canvas();
        in.textWidth = [&canvas](PrintTextKind kind, double scale, const QString& text) {
            canvas.setFont(resultsPrintFont(kind, scale));
            return canvas.TextWidth(text);
        };
        const ResultsPrintLayout layout = layoutResultsPrint(in);
        for (qsizetype n = 0; n < layout.pages.size(); ++n) {
            if (n > 0)
                printer.NewPage();
            drawResultsPage(printer.Canvas(), layout.pages[n]);
        }
        printer.EndDoc();
    } catch (const std::exception& e) {
        printer.Abort();
        return QCoreApplication::translate("ResultsPrint",
                                           "Die Ergebnisliste konnte nicht gedruckt werden: %1")
            .arg(QString::fromUtf8(e.what()));
    }
    return {};
}
