#pragma once

#include "platform/Printer.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace platform {

/// The system printer: a `QPrinter` in high resolution that the printer setup changes (also to a
/// PDF file), drawn on with a `QPainter`.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    /// The printer device itself, for the printer setup dialog.
    QPrinter& Device() { return m_printer; }

    int PrinterCount() const override;
    void setTitle(const QString& title) override;
    void setCopies(int copies) override;
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    int PageWidth() const override;
    int PageHeight() const override;
    PrintCanvas& Canvas() override;
    int DpiX() const override;
    int DpiY() const override;
    int ScreenDpiX() const override;
    int ScreenDpiY() const override;

private:
    class PainterCanvas;

    QPrinter m_printer{QPrinter::HighResolution};
    QPainter m_painter;
    std::unique_ptr<PainterCanvas> m_canvas;
};

/// The system printer's device, for the printer setup.
QPrinter& systemPrinter();

} // namespace platform
