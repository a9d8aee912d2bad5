// The window-free parts of the protocol commands: the texts they build, the save type's format, the
// folders, and the export steps as the recording automation server sees them.
#include "app/window/ProtocolCommands.h"
#include "office/TExcel.h"
#include "testing/RecordingAutomation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Automation;
using platform::EOleException;
using platform::RecordingAutomationServer;

TEST(ProtocolTexts, DateStampIsTheMinuteWithTwoDigitFields) {
    EXPECT_EQ(DateStamp(QDateTime(QDate(2026, 12, 7), QTime(22, 15, 59))), "2026-12-07-22-15");
    EXPECT_EQ(DateStamp(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 0))), "2027-01-02-03-04");
    EXPECT_EQ(DateStamp(QDateTime(QDate(2026, 6, 30), QTime(0, 0))), "2026-06-30-00-00");
}

TEST(ProtocolTexts, ClipboardTextKeepsEveryCellInItsColumn) {
    const ProtocolRows rows{
        {"Who", "Time", "Speed", "Note"},
        {"Stopp:", "  5,95", "", "a;b"},
        {"x", "say \"hi\"; now", "tab\there", "two\r\nlines"},
        {"\"start", "in\"side", "", ""},
    };
    EXPECT_EQ(ClipboardText(rows), "Who\tTime\tSpeed\tNote\r\n"
                                   "Stopp:\t  5,95\t\t\"a;b\"\r\n"
                                   "x\t\"say \"\"hi\"\"; now\"\t\"tab\there\"\t\"two\r\nlines\"\r\n"
                                   "\"\"\"start\"\tin\"side\t\t\r\n");
}

TEST(ProtocolTexts, WordTextQuotesCellsWithBlanksControlsOrQuotes) {
    const ProtocolRows rows{
        {"  Nr.:", "1", "M\u00fcller", ""},
        {"Stopp:", "a\"b", "x\ty", "10m/0,36c"},
    };
    EXPECT_EQ(WordTableText(rows), "\"  Nr.:\"\t1\tM\u00fcller\t\r\n"
                                   "Stopp:\t\"a\"\"b\"\t\"x\ty\"\t10m/0,36c\r\n");
}

TEST(ProtocolTexts, SpreadsheetValuesAreNumbersOnlyForGermanNumbers) {
    using platform::OleVariant;
    const std::vector<std::pair<QString, OleVariant>> cases{
        {"  5,95", OleVariant(5.95)},
        {"12", OleVariant(12.0)},
        {"0,5 ", OleVariant(0.5)},
        {"-3,25", OleVariant(-3.25)},
        {"Max \"Turbo\" M\u00fcller, jr.", OleVariant(QString("Max \"Turbo\" M\u00fcller, jr."))},
        {"12,34,5", OleVariant(QString("12,34,5"))},
        {"5.95", OleVariant(QString("5.95"))},
        {"0012", OleVariant(QString("0012"))},
        {"10m/0,36c", OleVariant(QString("10m/0,36c"))},
        {",5", OleVariant(QString(",5"))},
        {"", OleVariant(QString(""))},
    };
    for (const auto& [cell, value] : cases)
        EXPECT_EQ(SpreadsheetValue(cell), value) << cell.toStdString();
}

TEST(SaveTypes, ChosenFilterDecidesTheFormat) {
    EXPECT_EQ(SaveFormatOfFilter(1), SaveFormat::Csv);
    EXPECT_EQ(SaveFormatOfFilter(2), SaveFormat::Word);
    EXPECT_EQ(SaveFormatOfFilter(3), SaveFormat::Text);
    EXPECT_EQ(SaveFormatOfFilter(0), SaveFormat::Text);
    EXPECT_EQ(SaveFormatOfFilter(7), SaveFormat::Text);
}

TEST(Folders, DialogsStartInTheProgramFolderOnlyWhenItCanBeWritten) {
    QTemporaryDir dir;
    EXPECT_EQ(DialogStartFolder(dir.path()), QFileInfo(dir.path()).absoluteFilePath());

    // A folder that is not there, or a file, is no place to start in.
    const QString file = QDir(dir.path()).filePath("vantro");
    QFile program(file);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    EXPECT_NE(DialogStartFolder(file), file);
    EXPECT_NE(DialogStartFolder(file + "/missing"), file + "/missing");

    const QString locked = QDir(dir.path()).filePath("locked");
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(locked).isWritable())
        GTEST_SKIP() << "running with rights that write into any folder";
    EXPECT_NE(DialogStartFolder(locked), QFileInfo(locked).absoluteFilePath());
    EXPECT_NE(DialogStartFolder(QString()), QString());
}

namespace {

class ExportSteps : public ::testing::Test {
protected:
    ExportSteps() {
        word.Register(automation, "Word.Basic");
        excel.Register(automation, "Excel.Application");
        platform::setAutomation(&automation);
    }
    ~ExportSteps() override { platform::setAutomation(nullptr); }

    const ProtocolRows rows{{"Who", "Time", "Speed", "Note"}, {"Stopp:", "  5,95", "    50", "10m/0,72c"}};
    Automation automation;
    RecordingAutomationServer word;
    RecordingAutomationServer excel;
};

} // namespace

TEST_F(ExportSteps, WordExportCallsInOrderForBothModes) {
    RunWordExport(automation, WordExportMode::Show, "/opt/k/kartex.doc", rows, "2026-12-07-22-15.doc");
    // The log shows the inserted text in double quotes, its own quotes doubled.
    const QString insert = "call Insert(\"Who\tTime\tSpeed\tNote\r\n"
                           "Stopp:\t\"\"  5,95\"\"\t\"\"    50\"\"\t10m/0,72c\r\n\")";
    const QStringList shown{
        "create",
        "call AppMaximize()",
        R"(call FileOpen("/opt/k/kartex.doc"))",
        insert,
        "call LineUp(32700, 1)",
        "call TextToTable(ConvertFrom=1, NumColumns=4)",
        R"(call FileSaveAs("2026-12-07-22-15.doc"))",
    };
    EXPECT_EQ(word.Calls(), shown);

    word.ClearCalls();
    RunWordExport(automation, WordExportMode::SaveAs, "/d.doc", rows, "/tmp/p.doc");
    ASSERT_EQ(word.Calls().size(), 8);
    EXPECT_EQ(word.Calls()[1], "call AppMinimize()");
    EXPECT_EQ(word.Calls()[6], R"(call FileSaveAs("/tmp/p.doc"))");
    EXPECT_EQ(word.Calls()[7], "call AppClose()");
}

TEST_F(ExportSteps, WordExportStopsAtTheFailingStep) {
    word.FailOn("TextToTable");
    EXPECT_THROW(RunWordExport(automation, WordExportMode::SaveAs, "/d.doc", rows, "/tmp/p.doc"),
                 EOleException);
    EXPECT_EQ(word.Calls().last(), "call TextToTable(ConvertFrom=1, NumColumns=4)");

    word.ClearCalls();
    word.setFailCreate(true);
    EXPECT_THROW(RunWordExport(automation, WordExportMode::Show, "/d.doc", rows, "x.doc"), EOleException);
    EXPECT_TRUE(word.Calls().isEmpty());
}

TEST_F(ExportSteps, SpreadsheetGetsEveryRowAsAListOfCells) {
    TExcel component;
    const ProtocolRows quoted{{"Who", "Note"}, {"a\"b, jr.", "1,5,0"}, {"  5,95", ""}};
    ASSERT_TRUE(ExportRowsToSpreadsheet(component, quoted));
    const QStringList expected{
        "create",
        "put visible(true)",
        "get Workbooks()",
        "Workbooks.call add()",
        R"(put Cells(1, 1, "Who"))",
        R"(put Cells(1, 2, "Note"))",
        R"(put Cells(2, 1, "a""b, jr."))",
        R"(put Cells(2, 2, "1,5,0"))",
        R"(put Cells(3, 1, 5.95))",
        R"(put Cells(3, 2, ""))",
        "get cells()",
        "cells.call select()",
        "get Selection()",
        "Selection.get Columns()",
        "Selection.Columns.call Autofit()",
    };
    EXPECT_EQ(excel.Calls(), expected);
}

TEST_F(ExportSteps, UnreachableSpreadsheetDoesNothing) {
    excel.setFailCreate(true);
    TExcel component;
    EXPECT_FALSE(ExportRowsToSpreadsheet(component, rows));
    EXPECT_TRUE(excel.Calls().isEmpty());
}
