#include "app/window/ProtocolCommands.h"

#include "office/Automation.h"
#include "office/TExcel.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString Quoted(const QString& cell) {
    QString q = cell;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

bool NeedsClipboardQuotes(const QString& cell) {
    // A spreadsheet reads a pasted cell that starts with a double quote as quoted up to the next
    // one, across tabs; a quote inside a cell is taken as it is.
    if (cell.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar ch : cell) {
        if (ch == u';' || ch == u'\t' || ch == u'\r' || ch == u'\n')
            return true;
    }
    return false;
}

bool NeedsWordQuotes(const QString& cell) {
    for (const QChar ch : cell) {
        if (ch.unicode() <= 32 || ch == u'"')
            return true;
    }
    return false;
}

template <typename NeedsQuotes> QString JoinRows(const ProtocolRows& rows, NeedsQuotes needsQuotes) {
    QString text;
    for (const QStringList& row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += QLatin1Char('\t');
            text += needsQuotes(row[c]) ? Quoted(row[c]) : row[c];
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace

QString DateStamp(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd-HH-mm"));
}

QString ClipboardText(const ProtocolRows& rows) {
    return JoinRows(rows, NeedsClipboardQuotes);
}

QString WordTableText(const ProtocolRows& rows) {
    return JoinRows(rows, NeedsWordQuotes);
}

platform::OleVariant SpreadsheetValue(const QString& cell) {
    // A leading zero before more digits marks a code such as a start number "0012", not a quantity.
    static const QRegularExpression number(QStringLiteral("^\\s*(-?(?:0|[1-9][0-9]*)(?:,[0-9]+)?)\\s*$"));
    const QRegularExpressionMatch m = number.match(cell);
    if (!m.hasMatch())
        return cell;
    QString plain = m.captured(1);
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    return plain.toDouble(); // QString::toDouble reads the C notation whatever the locale
}

bool ExportRowsToSpreadsheet(TExcel& excel, const ProtocolRows& rows) {
    if (!excel.Connect())
        return false;
    excel.NewWorkbook();
    for (const QStringList& row : rows) {
        // The cells are handed over as a list: a cell with a double quote or a comma arrives whole.
        QList<platform::OleVariant> cells;
        for (const QString& cell : row)
            cells.append(SpreadsheetValue(cell));
        excel.WriteLine(cells);
    }
    excel.AutoFitColumns();
    return true;
}

void RunWordExport(platform::Automation& automation, WordExportMode mode, const QString& defaultDocument,
                   const ProtocolRows& rows, const QString& fileName) {
    const platform::OleObject word(automation.CreateObject(QStringLiteral("Word.Basic")));
    word.Call(mode == WordExportMode::Show ? QStringLiteral("AppMaximize") : QStringLiteral("AppMinimize"));
    word.Call(QStringLiteral("FileOpen"), {defaultDocument});
    word.Call(QStringLiteral("Insert"), {WordTableText(rows)});
    // Moving up over every line with the selection extended selects the inserted text.
    word.Call(QStringLiteral("LineUp"), {32700, 1});
    word.Call(QStringLiteral("TextToTable"), {platform::Named(QStringLiteral("ConvertFrom"), 1),
                                              platform::Named(QStringLiteral("NumColumns"), 4)});
    word.Call(QStringLiteral("FileSaveAs"), {fileName});
    if (mode != WordExportMode::Show)
        word.Call(QStringLiteral("AppClose"));
}

SaveFormat SaveFormatOfFilter(int filterIndex) {
    switch (filterIndex) {
    case int(SaveFormat::Csv):
        return SaveFormat::Csv;
    case int(SaveFormat::Word):
        return SaveFormat::Word;
    default:
        return SaveFormat::Text;
    }
}

QString SaveDialogFilter() {
    return QStringLiteral("MS Excel (*.csv)|*.csv|MS Word (*.doc)|*.doc|Text file (*.txt)|*.txt");
}

QString OpenDialogFilter() {
    return QStringLiteral("Text file (*.txt)|*.txt");
}

QString DialogStartFolder(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (!programFolder.isEmpty() && folder.isDir() && folder.isWritable())
        return folder.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return documents;
}
