#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class TExcel;

namespace platform {
class Automation;
class OleVariant;
} // namespace platform

/// The protocol as texts, row by row, the header row first; each row holds its cells in column order.
using ProtocolRows = QList<QStringList>;

/// `when` as "yyyy-mm-dd-hh-mm" (hour 0..23), e.g. 2026-12-07-22-15: the name of the current minute
/// that saving, the word-processor export and the printed page title use.
QString DateStamp(const QDateTime& when);

/// The text "Alles kopieren" puts on the clipboard: cells separated by tabs, every row ended by CR LF.
/// A cell holding a semicolon, a tab or a line break, or starting with a double quote, is enclosed in
/// double quotes with its inner double quotes doubled, so a spreadsheet pastes every cell into its own
/// column; other cells, a double quote inside included, are copied as they are.
QString ClipboardText(const ProtocolRows& rows);

/// The text the word-processor export inserts before turning it into a table: cells joined by tabs,
/// rows ended by CR LF; a cell holding a character with code 32 or below or a double quote is enclosed
/// in double quotes with its inner double quotes doubled.
QString WordTableText(const ProtocolRows& rows);

/// The value the spreadsheet export writes for `cell`: a number in German notation (digits with at
/// most one decimal comma, blanks around them allowed, as in "  5,95" or "12") becomes that number;
/// every other text, "0012" and "12,34,5" included, stays the text it is.
platform::OleVariant SpreadsheetValue(const QString& cell);

/// Hands `rows` to the spreadsheet through `excel`: Connect, a new workbook, one WriteLine per row
/// with the cells' SpreadsheetValue,
/// then the column widths fitted. False when no spreadsheet application could be reached (nothing
/// else happened); a failure after that is thrown (`platform::EOleException`) and the rows written so
/// far stay in the workbook.
bool ExportRowsToSpreadsheet(TExcel& excel, const ProtocolRows& rows);

/// How the word-processor export runs.
enum class WordExportMode {
    Show,  ///< the protocol button: the word processor maximised, left open with the new document
    SaveAs ///< saving as ".doc": the word processor minimised and closed when the document is saved
};

/// The automation steps of the word-processor export on "Word.Basic" in `automation`: maximise or
/// minimise, open `defaultDocument`, insert `WordTableText(rows)`, select it upwards, turn it into a
/// four-column table, save it as `fileName`, and close the word processor after a save-as. Throws
/// `platform::EOleException` at the first step that fails.
void RunWordExport(platform::Automation& automation, WordExportMode mode, const QString& defaultDocument,
                   const ProtocolRows& rows, const QString& fileName);

/// The save dialog's file types, counted from 1 as its filter lists them.
enum class SaveFormat {
    Csv = 1,  ///< "MS Excel (*.csv)": semicolon-separated
    Word = 2, ///< "MS Word (*.doc)": the word-processor export
    Text = 3  ///< "Text file (*.txt)": the protocol file
};

/// The format a save dialog's chosen filter entry stands for; an entry out of range saves the
/// protocol file.
SaveFormat SaveFormatOfFilter(int filterIndex);

/// The filter list of the save dialog, in pair form.
QString SaveDialogFilter();
/// The filter list of the open dialog, in pair form.
QString OpenDialogFilter();

/// The folder the save and open dialogs start in: `programFolder` when it can be written, else the
/// user's documents folder.
QString DialogStartFolder(const QString& programFolder);
