#pragma once

#include "sortgrid/SortGridTypes.h"

#include <QString>

/// The printing settings of the protocol grid, owned by the grid.
class TPrintOptions {
public:
    /// Title of the print job.
    const QString& JobTitle() const { return m_jobTitle; }
    /// Sets the title of the print job.
    void setJobTitle(const QString& v) { m_jobTitle = v; }
    /// Title printed on each page.
    const QString& PageTitle() const { return m_pageTitle; }
    /// Sets the title printed on each page.
    void setPageTitle(const QString& v) { m_pageTitle = v; }
    /// Number of copies.
    uint32_t Copies() const { return m_copies; }
    /// Sets the number of copies.
    void setCopies(uint32_t v) { m_copies = v; }
    /// Which rows to print (stored only).
    TMyPrintRange PrintRange() const { return m_printRange; }
    /// Sets which rows to print.
    void setPrintRange(TMyPrintRange v) { m_printRange = v; }
    /// Page shown in a preview.
    uint32_t PreviewPage() const { return m_previewPage; }
    /// Sets the page shown in a preview.
    void setPreviewPage(uint32_t v) { m_previewPage = v; }
    /// First row to print.
    uint32_t FromRow() const { return m_fromRow; }
    /// Sets the first row to print.
    void setFromRow(uint32_t v) { m_fromRow = v; }
    /// Last row to print.
    uint32_t ToRow() const { return m_toRow; }
    /// Sets the last row to print.
    void setToRow(uint32_t v) { m_toRow = v; }

private:
    QString m_jobTitle;
    QString m_pageTitle;
    uint32_t m_copies = 0;
    TMyPrintRange m_printRange = prAll;
    uint32_t m_previewPage = 0;
    uint32_t m_fromRow = 0;
    uint32_t m_toRow = 0;
};
