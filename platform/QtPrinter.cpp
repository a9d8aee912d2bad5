#include "platform/QtPrinter.h"

#include "core/Exception.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <malloc.h>

namespace platform {

class QtPrinter::PainterCanvas : public PrintCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : m_painter(painter) {}

    void setFont(const QFont& f) override {
        PrintCanvas::setFont(f);
        m_painter.setFont(f);
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
    int TextWidth(const QString& text) override { return m_painter.fontMetrics().horizontalAdvance(text); }

private:
    QPainter& m_painter;
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
