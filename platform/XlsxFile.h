#pragma once

#include <QString>
#include <map>
#include <utility>

namespace platform {

/// The cells of one worksheet: (row, column), both 1-based, to text.
using SheetCells = std::map<std::pair<int, int>, QString>;

/// The width, in the spreadsheet's character units, that fits `text` in the default font (11 pt):
/// its widest line plus the cell padding. Empty text gives 0.
double FitColumnWidth(const QString& text);

/// Writes `cells` as the only worksheet `sheetName` of a new `.xlsx` workbook at `path`, every cell
/// as a text, with the column widths of `widths` (1-based column to width; others keep the default).
/// The file is written beside its final name and renamed into place, so a failure leaves an earlier
/// file as it was. Returns an empty text on success, else why it failed.
QString WriteXlsxFile(const QString& path, const QString& sheetName, const SheetCells& cells,
                      const std::map<int, double>& widths);

} // namespace platform
