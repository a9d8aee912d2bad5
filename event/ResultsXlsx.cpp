#include "event/ResultsExport.h"

#include "event/ResultsSheet.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <clocale>
#include <cstring>
#include <xlsxwriter.h>

namespace {

QString failed(const QString& path, const QString& why) {
    return QCoreApplication::translate("ResultsExport", "Die Datei „%1“ kann nicht geschrieben werden: %2")
        .arg(path, why);
}

} // namespace

QString saveResultsXlsx(const QString& path, const Standings& standings, const EventInfo& info,
                        int resolution, const QList<SheetSection>& extra) {
    // The library prints numbers with printf; a decimal comma there would make a broken workbook.
    const lconv* conv = std::localeconv();
    if (!conv || std::strcmp(conv->decimal_point, ".") != 0)
        return failed(path,
                      QCoreApplication::translate(
                          "ResultsExport", "das Zahlenformat des Programms ist nicht „C“ (interner Fehler)"));

    const QString temp = QStringLiteral("%1.%2.part").arg(path).arg(QCoreApplication::applicationPid());
    QFile::remove(temp);
    const QByteArray tempName = QFile::encodeName(temp);
    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb)
        return failed(path, QCoreApplication::translate("ResultsExport", "kein Schreibrecht in %1")
                                .arg(QFileInfo(path).absolutePath()));
    const QByteArray sheetName = QCoreApplication::translate("ResultsExport", "Ergebnisse").toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.constData());
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format* heading = workbook_add_format(wb);
    format_set_bold(heading);
    format_set_bottom(heading, LXW_BORDER_THIN);
    lxw_format* title = workbook_add_format(wb);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* numbers[3];
    const char* numberFormats[3] = {"0", "0.0", "0.00"};
    for (int i = 0; i < 3; ++i) {
        numbers[i] = workbook_add_format(wb);
        format_set_num_format(numbers[i], numberFormats[i]);
    }

    lxw_error rc = LXW_NO_ERROR;
    auto keep = [&rc](lxw_error e) {
        if (rc == LXW_NO_ERROR)
            rc = e;
    };
    std::vector<double> widths;
    auto widen = [&widths](int col, const QString& text) {
        if (size_t(col) >= widths.size())
            widths.resize(size_t(col) + 1, 6.0);
        widths[size_t(col)] = std::min(60.0, std::max(widths[size_t(col)], double(text.size()) * 1.1 + 2));
    };
    lxw_row_t row = 0;
    const QStringList titleLines = resultTitleLines(info);
    for (qsizetype i = 0; i < titleLines.size(); ++i)
        keep(worksheet_write_string(ws, row++, 0, titleLines[i].toUtf8().constData(), i == 0 ? title : bold));
    for (const SheetSection& s : resultSections(standings, resolution) + extra) {
        ++row;
        keep(worksheet_write_string(ws, row++, 0, s.title.toUtf8().constData(), bold));
        for (qsizetype c = 0; c < s.headings.size(); ++c) {
            keep(worksheet_write_string(ws, row, lxw_col_t(c), s.headings[c].toUtf8().constData(), heading));
            widen(int(c), s.headings[c]);
        }
        ++row;
        for (const QList<SheetCell>& line : s.rows) {
            for (qsizetype c = 0; c < line.size(); ++c) {
                const SheetCell& cell = line[c];
                if (cell.value)
                    keep(worksheet_write_number(ws, row, lxw_col_t(c), *cell.value,
                                                numbers[std::clamp(cell.decimals, 0, 2)]));
                else if (!cell.text.isEmpty())
                    keep(worksheet_write_string(ws, row, lxw_col_t(c), cell.text.toUtf8().constData(),
                                                nullptr));
                widen(int(c), cell.text);
            }
            ++row;
        }
    }
    for (size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    const lxw_error closed = workbook_close(wb);
    keep(closed);
    if (rc != LXW_NO_ERROR) {
        QFile::remove(temp);
        return failed(path, QString::fromUtf8(lxw_strerror(rc)));
    }
    QFile::remove(path);
    if (!QFile::rename(temp, path)) {
        QFile::remove(temp);
        return failed(path,
                      QCoreApplication::translate("ResultsExport", "umbenennen von %1 misslang").arg(temp));
    }
    return {};
}
