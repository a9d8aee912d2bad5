#pragma once

#include "platform/PrintCanvas.h"

#include <QString>

namespace platform {

/// The printer that printing uses: the one chosen in the printer setup, or a PDF file. Sizes are
/// in the printer's device pixels.
class Printer {
public:
    virtual ~Printer() = default;

    /// Number of printers to print on: the installed ones, plus one when a PDF file was chosen.
    virtual int PrinterCount() const = 0;
    /// Name of the print job.
    virtual void setTitle(const QString& title) = 0;
    /// Number of copies; a value below 1 prints one copy.
    virtual void setCopies(int copies) = 0;

    /// Starts a document; its first page is open afterwards. Raises an exception on failure.
    virtual void BeginDoc() = 0;
    /// Ends the open page and starts the next one.
    virtual void NewPage() = 0;
    /// Ends the document and sends it to the printer.
    virtual void EndDoc() = 0;
    /// Ends the document without printing what is left of it.
    virtual void Abort() = 0;

    /// Width of the printable page.
    virtual int PageWidth() const = 0;
    /// Height of the printable page.
    virtual int PageHeight() const = 0;
    /// The canvas of the open page (valid between `BeginDoc` and `EndDoc`).
    virtual PrintCanvas& Canvas() = 0;

    /// Horizontal printer resolution in dots per inch.
    virtual int DpiX() const = 0;
    /// Vertical printer resolution in dots per inch.
    virtual int DpiY() const = 0;
    /// Horizontal screen resolution in pixels per inch.
    virtual int ScreenDpiX() const = 0;
    /// Vertical screen resolution in pixels per inch.
    virtual int ScreenDpiY() const = 0;
};

/// The printer in force: the system one unless a test installed another.
Printer& printer();

/// Installs `p` as the printer in force; nullptr restores the system one. The caller keeps ownership.
void setPrinter(Printer* p);

} // namespace platform
