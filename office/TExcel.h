#pragma once

#include "core/TStringList.h"
#include "office/Automation.h"

#include <QObject>

/// Hands lines of text to a spreadsheet application through late-bound automation calls: attaches
/// to a running application or starts one, opens a new workbook, writes one line of cells at a
/// time and fits the column widths. Knows nothing of where the texts come from.
class TExcel : public QObject {
public:
    /// A component with the construction values: attach to a running application, lines across a
    /// row, next line 1, no application.
    explicit TExcel(QObject* AOwner = nullptr);
    /// Lets go of the application, which keeps running with its workbooks.
    ~TExcel() override;
    TExcel(const TExcel&) = delete;
    TExcel& operator=(const TExcel&) = delete;

    /// True: every Connect starts a new application; false: a running one is used when there is one.
    bool ExcelNew() const { return m_excelNew; }
    /// Sets ExcelNew.
    void setExcelNew(bool value);
    /// True: a line goes across one row; false: down one column.
    bool Horizontal() const { return m_horizontal; }
    /// Sets Horizontal.
    void setHorizontal(bool value);
    /// The 1-based row (or column, when not Horizontal) the next line goes to.
    int line() const { return m_line; }
    /// Sets line.
    void setLine(int value);

    /// The texts of the next line, in cell order; filled by the caller.
    TStrings& Values() { return m_values; }
    /// The texts of the next line (read-only).
    const TStrings& Values() const { return m_values; }

    /// The application reference; unassigned until a Connect succeeded.
    const platform::OleObject& Application() const { return m_application; }

    /// Attaches to or starts "Excel.Application" (as ExcelNew says) and makes it visible. False when no
    /// application could be reached; a failure to make it visible is thrown (`platform::EOleException`).
    bool Connect();
    /// Adds a new workbook to the application and sets `line` back to 1.
    void NewWorkbook();
    /// Writes the texts of Values as one line at `line`, each as the text it is, then advances `line`
    /// by 1 (also for an empty line).
    void WriteLine();
    /// Writes `cells` as one line at `line` in the same way, each as the value it is (a number becomes
    /// a number the sheet calculates with), then advances `line` by 1.
    void WriteLine(const QList<platform::OleVariant>& cells);
    /// Selects all cells of the active sheet and fits the column widths to their contents.
    void AutoFitColumns();

private:
    bool m_excelNew = false;
    bool m_horizontal = true;
    int m_line = 1;
    TStringList m_values;
    platform::OleObject m_application;
};
