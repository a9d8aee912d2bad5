#pragma once

#include "office/Automation.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace platform {

/// Where and how the spreadsheet server writes its workbooks.
struct ExcelServerSettings {
    /// Folder of the workbook files; empty: the user's documents folder.
    QString folder;
    /// The local time that names a workbook file; empty: the real clock.
    std::function<QDateTime()> now;
};

/// Registers the spreadsheet server as "Excel.Application" in `automation`.
///
/// Its application object keeps the cells it is given and writes each workbook as a real `.xlsx`
/// file named after the minute it was first written (`2026-12-07-22-15.xlsx`, then `...-2.xlsx`) in
/// the settings' folder. Members (any case): "visible" (get, put), "Workbooks" (get; its "add"
/// starts a new, active workbook, its "Count" tells how many), "Cells" (get without arguments: all
/// cells of the active sheet; get with row and column: one cell; put with row, column and value),
/// "Selection" (get). A range has "select", "Columns", "Autofit" and "Value". A cell given a number
/// holds that number; any other value is stored as its text, a text of digits included. "Autofit" fits the
/// column widths to the texts, writes the workbook and, while the application is visible, opens the file once
/// with `ShowWrittenFile`. A workbook changed after its last writing is written again when the next one is
/// added and when the application ends, without being opened.
void RegisterExcelServer(Automation& automation, ExcelServerSettings settings);

} // namespace platform
