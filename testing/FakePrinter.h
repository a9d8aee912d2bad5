#pragma once

#include "platform/Printer.h"

#include <vector>

namespace platform {

/// A canvas that keeps every text call, so tests see what a page shows without a printer.
class RecordingPrintCanvas : public PrintCanvas {
public:
    /// One recorded text.
    struct Op {
        bool clipped = false; ///< TextRect (true) or TextOut
        QRect clip;           ///< the clipping rectangle of TextRect
        QPoint at;            ///< top-left of the text
        QString text;
        QFont font; ///< the font in force
    };

    void TextOut(int x, int y, const QString& text) override {
        m_ops.push_back({false, {}, {x, y}, text, Font()});
    }
    void TextRect(const QRect& clip, int x, int y, const QString& text) override {
        m_ops.push_back({true, clip, {x, y}, text, Font()});
    }
    /// Ten device pixels per character, whatever the font.
    int TextWidth(const QString& text) override { return 10 * int(text.size()); }

    /// Every text so far, in order.
    const std::vector<Op>& Ops() const { return m_ops; }
    /// Forgets the recorded texts.
    void Clear() { m_ops.clear(); }

private:
    std::vector<Op> m_ops;
};

/// A printer that prints into memory: each page keeps the texts drawn on it. Installs itself while
/// it lives.
class FakePrinter : public Printer {
public:
    /// Installs the fake as the printer in force.
    FakePrinter() { setPrinter(this); }
    /// Restores the system printer.
    ~FakePrinter() override { setPrinter(nullptr); }
    FakePrinter(const FakePrinter&) = delete;
    FakePrinter& operator=(const FakePrinter&) = delete;

    int PrinterCount() const override { return m_printerCount; }
    void setTitle(const QString& title) override { m_title = title; }
    void setCopies(int copies) override { m_copies = copies < 1 ? 1 : copies; }
    void BeginDoc() override {
        m_pages.clear();
        m_pages.emplace_back();
        m_canvas.Clear();
        m_inDoc = true;
        ++m_docs;
    }
    void NewPage() override {
        flush();
        m_pages.emplace_back();
    }
    void EndDoc() override {
        flush();
        m_inDoc = false;
    }
    void Abort() override {
        flush();
        m_inDoc = false;
        m_aborted = true;
    }
    int PageWidth() const override { return m_pageWidth; }
    int PageHeight() const override { return m_pageHeight; }
    PrintCanvas& Canvas() override { return m_canvas; }
    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }
    int ScreenDpiX() const override { return m_screenDpiX; }
    int ScreenDpiY() const override { return m_screenDpiY; }

    // --- set-up ---

    /// Sets how many printers are installed.
    void setPrinterCount(int n) { m_printerCount = n; }
    /// Sets the page size in device pixels.
    void setPageSize(int w, int h) {
        m_pageWidth = w;
        m_pageHeight = h;
    }
    /// Sets the printer and screen resolutions.
    void setResolution(int dpiX, int dpiY, int screenX, int screenY) {
        m_dpiX = dpiX;
        m_dpiY = dpiY;
        m_screenDpiX = screenX;
        m_screenDpiY = screenY;
    }

    // --- what was printed ---

    /// The texts of each page of the last document.
    const std::vector<std::vector<RecordingPrintCanvas::Op>>& Pages() const { return m_pages; }
    /// The job title set last.
    const QString& Title() const { return m_title; }
    /// The copies set last (at least 1).
    int Copies() const { return m_copies; }
    /// Number of documents begun.
    int Docs() const { return m_docs; }
    /// True while a document is open.
    bool InDoc() const { return m_inDoc; }
    /// True when a document was aborted.
    bool Aborted() const { return m_aborted; }

private:
    void flush() {
        auto& page = m_pages.back();
        page.insert(page.end(), m_canvas.Ops().begin(), m_canvas.Ops().end());
        m_canvas.Clear();
    }

    RecordingPrintCanvas m_canvas;
    std::vector<std::vector<RecordingPrintCanvas::Op>> m_pages;
    int m_printerCount = 1;
    QString m_title;
    int m_copies = 0;
    int m_docs = 0;
    bool m_inDoc = false;
    bool m_aborted = false;
    int m_pageWidth = 4800;
    int m_pageHeight = 6600;
    int m_dpiX = 600;
    int m_dpiY = 600;
    int m_screenDpiX = 96;
    int m_screenDpiY = 96;
};

} // namespace platform
