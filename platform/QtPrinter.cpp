#include "platform/QtPrinter.h"

#include "core/Exception.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <list>
#include <malloc.h>

namespace platform {

class QtPrinter::PainterCanvas : public PrintCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : m_painter(painter) {}

    void setFont(const QFont& f) override {
        PrintCanvas::setFont(f);
        m_painter.setFont(f);
        m_widths = nullptr;
    }
    void TextOut(int x, int y, const QString& text) override {
        m_painter.setClipping(false);
        m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()), text);
    }
    void TextRect(const QRect& clip, int x, int y, const QString& text) override {
        m_painter.setClipRect(clip);
        m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()), text);
        m_painter.setClipping(false);
    }
    void TextRectMeasured(const QRect& clip, int x, int y, const QString& text, int width) override {
        const QFontMetrics fm = m_painter.fontMetrics();
        if (x >= clip.left() && x + width < clip.left() + clip.width() && y >= clip.top() &&
            y + fm.height() <= clip.top() + clip.height()) {
            // Inside its clip: drawn without one, which spares the document a clip path and a
            // graphics state per text.
            m_painter.drawText(QPoint(x, y + fm.ascent()), text);
            return;
        }
        TextRect(clip, x, y, text);
    }
    int TextWidth(const QString& text) override {
        // A protocol repeats most of its texts ("Start:", the times, the notes), and measuring one
        // lays it out as drawing it does once more: a text is measured once per font and document.
        QHash<QString, int>& widths = WidthsOfFont();
        const auto found = widths.constFind(text);
        if (found != widths.cend())
            return *found;
        if (widths.size() >= MaxWidths)
            widths.clear();
        const int width = m_painter.fontMetrics().horizontalAdvance(text);
        widths.insert(text, width);
        return width;
    }

    /// Forgets the widths measured: the next document may be on another device or resolution.
    void ForgetWidths() {
        m_fontWidths.clear();
        m_widths = nullptr;
    }

private:
    static constexpr qsizetype MaxWidths = 50000;
    static constexpr size_t MaxFonts = 4;

    QHash<QString, int>& WidthsOfFont() {
        if (m_widths)
            return *m_widths;
        const QFont& f = Font();
        auto it = std::find_if(m_fontWidths.begin(), m_fontWidths.end(),
                               [&](const auto& entry) { return entry.first == f; });
        if (it == m_fontWidths.end()) {
            if (m_fontWidths.size() >= MaxFonts)
                m_fontWidths.erase(m_fontWidths.begin());
            m_fontWidths.emplace_back(f, QHash<QString, int>());
            it = std::prev(m_fontWidths.end());
        }
        m_widths = &it->second;
        return *m_widths;
    }

    QPainter& m_painter;
    // The widths per font (a page switches between the title's and the cells' font); m_widths is
    // those of the font set last, found on its first measure.
    std::list<std::pair<QFont, QHash<QString, int>>> m_fontWidths;
    QHash<QString, int>* m_widths = nullptr;
};

namespace {

// Qt's PDF writer (behind every printer) reads and compresses each finished page through two
// buffers of 10 MB that it allocates and frees again per page. Above the allocator's mapping
// threshold each is a fresh memory mapping whose pages fault in again for every page, which took
// most of the time of printing a long protocol. While a document is open such buffers come from
// the heap and stay there; afterwards the allocator's default thresholds are set again and the
// memory is given back.
void KeepLargeBuffers(bool keep) {
    constexpr int DefaultThreshold = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, keep ? 32 * 1024 * 1024 : DefaultThreshold);
    mallopt(M_TRIM_THRESHOLD, keep ? 128 * 1024 * 1024 : DefaultThreshold);
    if (!keep)
        malloc_trim(0);
}

int ScreenDpi(bool horizontal) {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return 96;
    const double dpi = horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY();
    return std::max(1, int(std::lround(dpi)));
}

} // namespace

QtPrinter::QtPrinter() : m_canvas(std::make_unique<PainterCanvas>(m_painter)) {}

QtPrinter::~QtPrinter() {
    if (m_painter.isActive())
        m_painter.end();
}

int QtPrinter::PrinterCount() const {
    int n = int(QPrinterInfo::availablePrinters().size());
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty())
        ++n;
    return n;
}

void QtPrinter::setTitle(const QString& title) {
    m_printer.setDocName(title);
}

void QtPrinter::setCopies(int copies) {
    m_printer.setCopyCount(std::max(1, copies));
}

void QtPrinter::BeginDoc() {
    if (m_painter.isActive())
        EndDoc();
    KeepLargeBuffers(true);
    if (!m_painter.begin(&m_printer)) {
        KeepLargeBuffers(false);
        const QString target =
            m_printer.outputFileName().isEmpty() ? m_printer.printerName() : m_printer.outputFileName();
        throw Exception(QStringLiteral("Printing failed: %1").arg(target));
    }
    m_painter.setPen(Qt::black);
    m_canvas->ForgetWidths();
    m_canvas->setFont(m_canvas->Font());
}

void QtPrinter::NewPage() {
    if (!m_printer.newPage())
        throw Exception(QStringLiteral("Printing failed: no new page"));
}

void QtPrinter::EndDoc() {
    if (m_painter.isActive()) {
        m_painter.end();
        KeepLargeBuffers(false);
    }
}

void QtPrinter::Abort() {
    m_printer.abort();
    if (m_painter.isActive()) {
        m_painter.end();
        KeepLargeBuffers(false);
    }
}

int QtPrinter::PageWidth() const {
    return m_printer.width();
}

int QtPrinter::PageHeight() const {
    return m_printer.height();
}

PrintCanvas& QtPrinter::Canvas() {
    return *m_canvas;
}

int QtPrinter::DpiX() const {
    return m_printer.logicalDpiX();
}

int QtPrinter::DpiY() const {
    return m_printer.logicalDpiY();
}

int QtPrinter::ScreenDpiX() const {
    return ScreenDpi(true);
}

int QtPrinter::ScreenDpiY() const {
    return ScreenDpi(false);
}

namespace {
Printer* g_printer = nullptr;

QtPrinter& systemQtPrinter() {
    static QtPrinter p;
    return p;
}
} // namespace

QPrinter& systemPrinter() {
    return systemQtPrinter().Device();
}

Printer& printer() {
    return g_printer ? *g_printer : systemQtPrinter();
}

void setPrinter(Printer* p) {
    g_printer = p;
}

} // namespace platform
