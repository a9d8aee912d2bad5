#include "office/XlsxFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <xlsxwriter.h>

namespace platform {

namespace {

// Advance widths in pixels of the default spreadsheet font at 11 pt (digits are 7 px, the unit of
// column widths). Characters not listed count as a wide lower-case letter.
int charPixels(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return 7;
    switch (u) {
    case ' ':
    case '.':
    case ',':
    case ':':
    case ';':
    case '\'':
    case '!':
    case '|':
    case 'i':
    case 'j':
    case 'l':
    case 'I':
        return 3;
    case 'f':
    case 't':
    case 'r':
    case '(':
    case ')':
    case '[':
    case ']':
    case '-':
    case '"':
        return 4;
    case 's':
    case 'J':
    case '/':
    case '\\':
        return 5;
    case 'm':
        return 11;
    case 'w':
        return 10;
    case 'M':
    case 'W':
        return 13;
    case '@':
    case '%':
        return 10;
    }
    if (c.isUpper())
        return 8;
    if (c.isLower() || c.isLetter())
        return 7;
    if (c.isSpace())
        return 3;
    return 7;
}

// A name beside `path` for the file being written. libxlsxwriter creates it itself, so it gets the
// permissions any new file of the user gets.
QString tempPathBeside(const QString& path) {
    const QString name = QStringLiteral("%1.%2.part").arg(path).arg(QCoreApplication::applicationPid());
    QFile::remove(name);
    return QFileInfo::exists(name) ? QString() : name;
}

} // namespace

QString SheetCellText(const SheetCell& cell) {
    if (const double* number = std::get_if<double>(&cell))
        return QString::number(*number, 'g', 15);
    return std::get<QString>(cell);
}

double FitColumnWidth(const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        int px = 0;
        for (QChar c : line)
            px += charPixels(c);
        widest = std::max(widest, px);
    }
    if (widest == 0)
        return 0.0;
    // Column width in characters as the spreadsheet computes it: text pixels plus 5 px padding,
    // in digit widths, truncated to 1/256.
    return std::floor((widest + 5) / 7.0 * 256.0) / 256.0;
}

QString WriteXlsxFile(const QString& path, const QString& sheetName, const SheetCells& cells,
                      const std::map<int, double>& widths) {
    const QString temp = tempPathBeside(path);
    if (temp.isEmpty())
        return QStringLiteral("cannot create a file in %1").arg(QFileInfo(path).absolutePath());
    const QByteArray tempName = QFile::encodeName(temp);
    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb) {
        QFile::remove(temp);
        return QStringLiteral("cannot create %1").arg(temp);
    }
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.toUtf8().constData());
    QString error;
    if (!ws)
        error = QStringLiteral("invalid worksheet name \"%1\"").arg(sheetName);
    for (const auto& [cell, content] : cells) {
        if (!error.isEmpty())
            break;
        const auto row = lxw_row_t(cell.first - 1);
        const auto col = lxw_col_t(cell.second - 1);
        const double* number = std::get_if<double>(&content);
        const lxw_error rc =
            number ? worksheet_write_number(ws, row, col, *number, nullptr)
                   : worksheet_write_string(ws, row, col, std::get<QString>(content).toUtf8().constData(),
                                            nullptr);
        if (rc != LXW_NO_ERROR)
            error = QStringLiteral("cell (%1, %2): %3")
                        .arg(cell.first)
                        .arg(cell.second)
                        .arg(QString::fromUtf8(lxw_strerror(rc)));
    }
    for (const auto& [col, width] : widths) {
        if (!error.isEmpty())
            break;
        worksheet_set_column(ws, lxw_col_t(col - 1), lxw_col_t(col - 1), width, nullptr);
    }
    const lxw_error closed = workbook_close(wb);
    if (error.isEmpty() && closed != LXW_NO_ERROR)
        error = QString::fromUtf8(lxw_strerror(closed));
    if (error.isEmpty()) {
        QFile::remove(path);
        if (!QFile::rename(temp, path))
            error = QStringLiteral("cannot rename %1 to %2").arg(temp, path);
    }
    if (!error.isEmpty())
        QFile::remove(temp);
    return error;
}

} // namespace platform
