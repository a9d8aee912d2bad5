#pragma once

#include "event/ResultsSheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {
class PrintCanvas;
}

/// The kinds of text on a printed results page, each with its own font.
enum class PrintTextKind : uint8_t { Title, Subtitle, Section, Heading, Cell, Note, Footer };

/// One text on a printed page: its kind, top-left corner (device pixels) and the text.
struct PrintedText {
    PrintTextKind kind = PrintTextKind::Cell;
    int x = 0;
    int y = 0;
    QString text;

    bool operator==(const PrintedText&) const = default;
};

/// What the results list is laid out from.
struct ResultsPrintInput {
    int pageWidth = 0;            ///< printable width, device pixels
    int pageHeight = 0;           ///< printable height, device pixels
    int dpi = 72;                 ///< device pixels per inch (vertically and horizontally)
    QStringList titleLines;       ///< "Ergebnisliste", name, date and place
    QList<SheetSection> sections; ///< one per class, overall, teams, honours, audit
    /// Width of `text` in the font of `kind` scaled by `scale`, device pixels.
    std::function<int(PrintTextKind kind, double scale, const QString& text)> textWidth;
};

/// The laid-out results list: pages of texts and the font scale of each text (sections too wide
/// for the page are printed smaller as a whole, so that no name is ever cut).
struct ResultsPrintLayout {
    struct Page {
        QList<PrintedText> texts;
        QList<double> scales; ///< per text
    };
    QList<Page> pages;
};

/// The point size of a text kind at scale 1.
double printPointSize(PrintTextKind kind);

/// Lays out the results list: the title on the first page, each section with its title and the
/// column headings (repeated on a following page), a run's penalties and marks in small print
/// under its time, "Seite x von y" at the foot of every page. Columns are as wide as their widest
/// text.
ResultsPrintLayout layoutResultsPrint(const ResultsPrintInput& input);

/// Draws `page` of `layout` on `canvas`.
void drawResultsPage(platform::PrintCanvas& canvas, const ResultsPrintLayout::Page& page);

/// The font of a text kind at a scale, as the page is drawn with it.
QFont resultsPrintFont(PrintTextKind kind, double scale);

/// Prints the results through the printer service (printer or PDF file). Returns an empty text on
/// success, else the German reason.
QString printResults(const QStringList& titleLines, const QList<SheetSection>& sections,
                     const QString& jobTitle);
