#pragma once

#include "grids/PackedRow.h"
#include "sortgrid/TFontSetting.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

/// Frees a packed row.
struct PackedRowDeleter {
    void operator()(PackedRow* row) const { PackedRow::destroy(row); }
};
/// A packed row owned by whoever holds it.
using PackedRowPtr = std::unique_ptr<PackedRow, PackedRowDeleter>;

/// How the rows of a protocol file are read: as string lists (`Rows`) or each row's texts in one
/// packed block (`PackedRows`), ready for the string grid to take over.
enum class RowStorage { Lists, Packed };

/// The content of a protocol file as plain values: the settings lines, the layout line and the
/// rows. Loading reads a file into this first, so a bad file never reaches the grid.
struct ProtocolFileData {
    /// "GenerelSettings": whether column formats win over row formats (absent: line missing).
    std::optional<bool> ColumnFormatsFirst;
    /// "FontColSettings": one setting per column (absent: line missing).
    std::optional<std::vector<TFontSetting>> ColumnFormats;
    /// "FontRowSettings": one setting per row (absent: line missing).
    std::optional<std::vector<TFontSetting>> RowFormats;
    /// "UserSettings": the application's free strings.
    QStringList UserSettings;
    /// The items of the layout line: form width and height, every column width, form left and top;
    /// all "-1" when saved without layout.
    QStringList Layout;
    /// The rows, header row first; each row's cells from column 0 on (read as RowStorage::Lists).
    std::vector<QStringList> Rows;
    /// The same rows read as RowStorage::Packed.
    std::vector<PackedRowPtr> PackedRows;
    /// Number of columns: the most cells of any row, at least 1.
    int ColCount = 1;
};

/// Splits a file's text into lines at carriage return, line feed or both; a last line without a
/// line end counts, and empty lines at the end are dropped.
QStringList SplitFileLines(const QString& text);

/// The lines of a protocol file: four settings lines, the layout line, one comma-text line per row.
QStringList BuildProtocolLines(const ProtocolFileData& data);

/// Reads the lines of a protocol file; empty lines at the end are ignored. The four settings lines are
/// optional and recognised by their exact names; the next line is the layout line and never a row. Raises
/// EConvertError for an empty file, a file without rows, an empty or incomplete settings line, a bad format
/// setting or a line with a zero character outside double quotes (a binary file: reading would drop the rest
/// of the line); `WithLayout` also requires a layout line of whole numbers for every column.
ProtocolFileData ParseProtocolLines(const QStringList& lines, bool WithLayout);

/// ParseProtocolLines for a whole file's text, cut into lines as SplitFileLines does; the rows go
/// into `Rows` or `PackedRows` as `storage` says.
ProtocolFileData ParseProtocolText(QStringView text, bool WithLayout, RowStorage storage = RowStorage::Lists);

/// One line of the semicolon file: the cells joined by ";". A cell holding ";", a carriage return
/// or a line feed, or starting with a double quote, stands in double quotes with its inner double
/// quotes doubled; other cells are written as they are.
QString CsvLine(const QStringList& cells);

/// Appends `CsvLine(cells)` to `out`.
void AppendCsvLine(QString& out, const QStringList& cells);
