// An export through the platform's spreadsheet server, read back from the .xlsx file by an
// independent reader (python3-openpyxl).
#include "office/ExcelServer.h"
#include "office/FileOpener.h"
#include "office/TExcel.h"
#include "testing/FakeFileOpener.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/Locale.h"

#include <clocale>
#include <string>

using platform::Automation;

namespace {

const char* const kReader = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            cells["%d,%d" % (c.row, c.column)] = [c.value if isinstance(c.value, str) else repr(c.value),
                                                   c.data_type]
widths = {k: d.width for k, d in ws.column_dimensions.items() if d.width}
print(json.dumps({"sheets": len(wb.worksheets), "title": ws.title, "cells": cells, "widths": widths}))
)PY";

// The first interpreter that has openpyxl: Debian's own, then the one on the path. Empty if none.
QString reader() {
    static const QString found = [] {
        for (const QString& python :
             {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable("python3")}) {
            if (python.isEmpty() || !QFileInfo(python).isExecutable())
                continue;
            QProcess p;
            p.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
            if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                return python;
        }
        return QString();
    }();
    return found;
}

bool readerAvailable() {
    return !reader().isEmpty();
}

// The cell at `row`, `col` (1-based) of the cells read back: its value and its type. A missing
// cell is a failure of its own, not a read past the end.
QJsonArray cellAt(const QJsonObject& cells, int row, int col) {
    const QString key = QStringLiteral("%1,%2").arg(row).arg(col);
    EXPECT_TRUE(cells.contains(key)) << "no cell at row " << row << ", column " << col;
    const QJsonArray cell = cells[key].toArray();
    return cell.size() == 2 ? cell : QJsonArray{QString(), QString()};
}

QJsonObject readBack(const QString& path) {
    QProcess p;
    p.start(reader(), {QStringLiteral("-c"), QString::fromUtf8(kReader), path});
    EXPECT_TRUE(p.waitForFinished(20000)) << "the reader did not finish";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

class ExcelExportTest : public ::testing::Test {
protected:
    ExcelExportTest() {
        platform::ExcelServerSettings settings;
        settings.folder = dir.path();
        settings.now = [] { return QDateTime(QDate(2026, 12, 7), QTime(22, 15, 40)); };
        platform::RegisterExcelServer(automation, settings);
        platform::setAutomation(&automation);
    }
    ~ExcelExportTest() override { platform::setAutomation(nullptr); }

    void exportRows(TExcel& excel, const std::vector<QStringList>& rows) {
        ASSERT_TRUE(excel.Connect());
        excel.NewWorkbook();
        for (const QStringList& r : rows) {
            excel.Values().Clear();
            for (const QString& t : r)
                excel.Values().Add(t);
            excel.WriteLine();
        }
        excel.AutoFitColumns();
    }

    QTemporaryDir dir;
    Automation automation;
    platform::FakeFileOpener opener;
};

TEST_F(ExcelExportTest, WorkbookHoldsEveryCellAsTextWithFittedColumns) {
    if (!readerAvailable())
        GTEST_SKIP() << "python3 with openpyxl is not installed";
    TExcel excel;
    exportRows(excel, {{"Who", "Time", "Speed", "Note"},
                       {"  Nr.:", "7", "Jürgen Größe-Übel", ""},
                       {"Stopp:", "12.34,5", "0012", "say \"hi\"; ok"}});

    const QString path = QDir(dir.path()).filePath("2026-12-07-22-15.xlsx");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(opener.Opened(), QStringList({path}));

    const QJsonObject book = readBack(path);
    EXPECT_EQ(book["sheets"].toInt(), 1);
    const QJsonObject cells = book["cells"].toObject();
    auto cell = [&](int row, int col) { return cellAt(cells, row, col); };
    EXPECT_EQ(cells.size(), 11); // the empty Note of row 2 is a cell without text
    EXPECT_EQ(cell(1, 1)[0].toString(), "Who");
    EXPECT_EQ(cell(1, 4)[0].toString(), "Note");
    EXPECT_EQ(cell(2, 1)[0].toString(), "  Nr.:");
    EXPECT_EQ(cell(2, 3)[0].toString(), "Jürgen Größe-Übel");
    EXPECT_EQ(cell(3, 4)[0].toString(), "say \"hi\"; ok");
    // Numbers stay the texts they were given.
    for (const auto& [row, col, text] :
         std::vector<std::tuple<int, int, QString>>{{2, 2, "7"}, {3, 2, "12.34,5"}, {3, 3, "0012"}}) {
        EXPECT_EQ(cell(row, col)[0].toString(), text);
        EXPECT_EQ(cell(row, col)[1].toString(), "s");
    }
    const QJsonObject widths = book["widths"].toObject();
    ASSERT_TRUE(widths.contains("C"));
    EXPECT_GT(widths["C"].toDouble(), widths["A"].toDouble());
    EXPECT_GT(widths["C"].toDouble(), 14.0);
    EXPECT_LT(widths["B"].toDouble(), 8.43); // short texts make a column narrower than the default
}

TEST_F(ExcelExportTest, NumbersBecomeNumericCellsAndTextsStayWhole) {
    if (!readerAvailable())
        GTEST_SKIP() << "python3 with openpyxl is not installed";
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    excel.NewWorkbook();
    excel.WriteLine({QString("Max \"Turbo\" M\u00fcller, jr."), 5.95, 12});
    excel.WriteLine({QString("12,34,5"), 1234.5, QString("5.95")});
    excel.AutoFitColumns();

    const QJsonObject cells =
        readBack(QDir(dir.path()).filePath("2026-12-07-22-15.xlsx"))["cells"].toObject();
    const std::vector<std::tuple<QString, QString, QString>> expected{
        {"1,1", "Max \"Turbo\" M\u00fcller, jr.", "s"},
        {"1,2", "5.95", "n"},
        {"1,3", "12", "n"},
        {"2,1", "12,34,5", "s"},
        {"2,2", "1234.5", "n"},
        {"2,3", "5.95", "s"},
    };
    for (const auto& [at, value, type] : expected) {
        EXPECT_EQ(cells[at].toArray()[0].toString(), value) << at.toStdString();
        EXPECT_EQ(cells[at].toArray()[1].toString(), type) << at.toStdString();
    }
}

TEST_F(ExcelExportTest, SecondExportGoesToANewFileFromItsFirstRow) {
    if (!readerAvailable())
        GTEST_SKIP() << "python3 with openpyxl is not installed";
    TExcel excel;
    exportRows(excel, {{"a"}, {"b"}});
    exportRows(excel, {{"c"}});
    const QString second = QDir(dir.path()).filePath("2026-12-07-22-15-2.xlsx");
    ASSERT_EQ(opener.Opened().size(), 2);
    EXPECT_EQ(opener.Opened()[1], second);
    const QJsonObject cells = readBack(second)["cells"].toObject();
    EXPECT_EQ(cells.keys(), QStringList({"1,1"}));
    EXPECT_EQ(cellAt(cells, 1, 1)[0].toString(), "c");
}

TEST_F(ExcelExportTest, WorkbookIsReadableWhenTheProgramStartedInAGermanLocale) {
    if (!readerAvailable())
        GTEST_SKIP() << "python3 with openpyxl is not installed";
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    auto restore = qScopeGuard([&] { std::setlocale(LC_ALL, saved.c_str()); });
    // The application object takes every category of a German desktop's locale; then the start-up.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not generated";
    platform::keepCNumericLocale();
    TExcel excel;
    exportRows(excel, {{"Who", "Time"}, {"Jürgen Größe-Übel", "12.34,5"}});
    // Margins and column widths written with decimal commas make the reader refuse the file.
    const QJsonObject book = readBack(QDir(dir.path()).filePath("2026-12-07-22-15.xlsx"));
    const QJsonObject cells = book["cells"].toObject();
    EXPECT_EQ(cellAt(cells, 2, 1)[0].toString(), "Jürgen Größe-Übel");
    EXPECT_GT(book["widths"].toObject()["A"].toDouble(), 14.0);
}

TEST_F(ExcelExportTest, InvisibleApplicationWritesWithoutOpening) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    excel.Application().Put("Visible", false);
    excel.NewWorkbook();
    excel.Values().Add("x");
    excel.WriteLine();
    excel.AutoFitColumns();
    EXPECT_TRUE(opener.Opened().isEmpty());
    const QFileInfo written(QDir(dir.path()).filePath("2026-12-07-22-15.xlsx"));
    ASSERT_TRUE(written.exists());
    // The workbook gets the permissions of any new file of the user, not those of a private temporary.
    QFile plain(QDir(dir.path()).filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(written.permissions(), QFileInfo(plain.fileName()).permissions());
}

TEST_F(ExcelExportTest, UnwritableFolderFailsTheFittingStepWithTheReason) {
    platform::ExcelServerSettings settings;
    settings.folder = QDir(dir.path()).filePath("file-in-the-way/sub");
    QFile blocker(QDir(dir.path()).filePath("file-in-the-way"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::RegisterExcelServer(automation, settings);
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    excel.NewWorkbook();
    excel.Values().Add("x");
    excel.WriteLine();
    try {
        excel.AutoFitColumns();
        FAIL() << "no exception";
    } catch (const platform::EOleException& e) {
        EXPECT_TRUE(e.Message().contains("Autofit")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("file-in-the-way")) << e.Message().toStdString();
    }
    EXPECT_TRUE(opener.Opened().isEmpty());
}

} // namespace
