#pragma once

#include <QString>
#include <map>
#include <utility>
#include <variant>

namespace platform {

/// The content of one cell: a text, or a number the sheet calculates with.
using SheetCell = std::variant<QString, double>;

/// The cells of one worksheet: (row, column), both 1-based, to their content.
using SheetCells = std::map<std::pair<int, int>, SheetCell>;

/// The text a cell shows: the text itself, or the number in its shortest plain form.
QString SheetCellText(const SheetCell& cell);

/// The width, in the spreadsheet's character units, that fits `text` in the default font (11 pt):
/// its widest line plus the cell padding. Empty text gives 0.
double FitColumnWidth(const QString& text);

/// Writes `cells` as the only worksheet `sheetName` of a new `.xlsx` workbook at `path`, texts as
/// texts and numbers as numeric cells, with the column widths of `widths` (1-based column to width; others
/// keep the default). The file is written beside its final name and renamed into place, so a failure leaves
/// an earlier file as it was. Returns an empty text on success, else why it failed.
QString WriteXlsxFile(const QString& path, const QString& sheetName, const SheetCells& cells,
                      const std::map<int, double>& widths);

} // namespace platform
