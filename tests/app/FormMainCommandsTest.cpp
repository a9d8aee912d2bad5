// The protocol commands as the operator reaches them: the six protocol buttons and the two context
// menu items of the main window, answered through the fake dialogs, exported through the recording
// automation server (or the real word-processor server), printed on the fake printer.
#include "app/window/TFormMain.h"
#include "office/ExcelServer.h"
#include "office/FileOpener.h"
#include "office/TExcel.h"
#include "office/WordBasicServer.h"
#include "sortgrid/TSortGrid.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeFileOpener.h"
#include "testing/FakePrinter.h"
#include "testing/RecordingAutomation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using platform::Automation;
using platform::RecordingAutomationServer;

namespace {

class Commands : public ::testing::Test {
protected:
    Commands() {
        word.Register(automation, "Word.Basic");
        excel.Register(automation, "Excel.Application");
        platform::setAutomation(&automation);
        form.setDefaultDocument("/opt/kartex/kartex.doc");
        form.SaveDialog1.InitialDir = form.OpenDialog1.InitialDir = dir.path();
        // Two lines the operator would see in a protocol of one run and a reset.
        form.AddProtocolRow("  Nr.:", "7", "Anna", "");
        form.AddProtocolRow("Start:", "  0,00", "", "14:30.00");
        form.AddProtocolRow("Stopp:", "  5,95", "    50", "10m/0,72c");
        form.AddProtocolRow("-", "", "", "");
        form.UpdateProtocolButtons();
    }
    ~Commands() override { platform::setAutomation(nullptr); }

    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << form.SortGrid1->Cells(c, r);
        return cells;
    }

    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    platform::FakeClock clock{5000, QDateTime(QDate(2026, 12, 7), QTime(22, 15, 42))};
    platform::FakeDialogs dialogs;
    platform::FakePrinter printer;
    platform::FakeFileOpener opener;
    Automation automation;
    RecordingAutomationServer word;
    RecordingAutomationServer excel;
    TFormMain form;
};

} // namespace

TEST_F(Commands, DeleteAsksAndRemovesTheSelectedRowOnly) {
    form.SortGrid1->setSelection(TGridRect{0, 2, 3, 2});
    dialogs.answerYesNo(false);
    form.mDeleteLine->trigger();
    EXPECT_EQ(form.SortGrid1->RowCount(), 5);

    dialogs.answerYesNo(true);
    form.mDeleteLine->trigger();
    EXPECT_EQ(dialogs.yesNoQuestions(), QStringList({"Zeile l\u00f6schen ?", "Zeile l\u00f6schen ?"}));
    ASSERT_EQ(form.SortGrid1->RowCount(), 4);
    // The notes of the other lines (time of day, distance and seconds) stay as they were.
    EXPECT_EQ(row(1), QStringList({"  Nr.:", "7", "Anna", ""}));
    EXPECT_EQ(row(2), QStringList({"Stopp:", "  5,95", "    50", "10m/0,72c"}));
    EXPECT_EQ(row(3), QStringList({"-", "", "", ""}));
}

TEST_F(Commands, ClearAsksThenLeavesTheHeaderAndOneEmptyRow) {
    dialogs.answerYesNo(false);
    form.sbCLS->click();
    EXPECT_EQ(form.SortGrid1->RowCount(), 5);

    word.FailOn("FileOpen");
    form.sbWord->click();
    ASSERT_FALSE(form.sbWord->isEnabled());

    dialogs.answerYesNo(true);
    form.sbCLS->click();
    EXPECT_EQ(dialogs.yesNoQuestions().last(), "Zeitenprotokoll  l\u00f6schen ?");
    EXPECT_EQ(form.SortGrid1->RowCount(), 2);
    EXPECT_EQ(row(0), QStringList({"Who", "Time", "Speed", "Note"}));
    EXPECT_TRUE(form.SortGrid1->IsRowEmpty(1));
    EXPECT_TRUE(form.sbWord->isEnabled());
    EXPECT_TRUE(form.sbExcel->isEnabled());
}

TEST_F(Commands, CopyAllPutsTheProtocolOnTheClipboardColumnByColumn) {
    form.AddProtocolRow("x", "a;b", "say \"hi\"", "");
    form.Copy1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Who\tTime\tSpeed\tNote\r\n"
                                                 "  Nr.:\t7\tAnna\t\r\n"
                                                 "Start:\t  0,00\t\t14:30.00\r\n"
                                                 "Stopp:\t  5,95\t    50\t10m/0,72c\r\n"
                                                 "-\t\t\t\r\n"
                                                 "x\t\"a;b\"\tsay \"hi\"\t\r\n");
}

TEST_F(Commands, ProtocolCommandsAreReachedByKeysThatLeaveTheRunKeysAlone) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto key = [](int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), mods);
    };

    // Tab runs from RESET over the six protocol buttons to the grid; Space presses a button.
    form.bRESET->setEnabled(true);
    form.bRESET->setFocus(Qt::TabFocusReason);
    for (QWidget* next : std::initializer_list<QWidget*>{form.sbCLS, form.sbLoad, form.sbPrint, form.sbWord,
                                                         form.sbExcel, form.sbSave, form.SortGrid1}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->toolTip().toStdString();
        if (next == form.sbSave)
            key(Qt::Key_Space);
    }
    EXPECT_EQ(dialogs.saveRequests().size(), 1);

    form.SortGrid1->setFocus();
    const int rows = form.SortGrid1->RowCount();
    key(Qt::Key_S, Qt::ControlModifier);
    key(Qt::Key_O, Qt::ControlModifier);
    key(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveRequests().size(), 2);
    EXPECT_EQ(dialogs.openRequests().size(), 1);
    EXPECT_EQ(printer.Docs(), 1);
    EXPECT_EQ(form.SortGrid1->RowCount(), rows) << "no run was started, lapped or stopped";

    QApplication::clipboard()->clear();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Who\tTime\tSpeed\tNote\r\n  Nr.:\t7\tAnna"));

    for (const auto& [k, mods] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        form.SortGrid1->setFocus();
        key(k, mods);
        EXPECT_TRUE(form.PopupMenu1->isVisible()) << k;
        form.PopupMenu1->close();
    }
}

TEST_F(Commands, SaveDialogOffersTheMinuteWithTheWordProcessorTypeChosen) {
    form.sbSave->click(); // cancelled
    ASSERT_EQ(dialogs.saveRequests().size(), 1);
    const platform::FileDialogOptions& shown = dialogs.saveRequests()[0];
    EXPECT_EQ(shown.FileName, "2026-12-07-22-15");
    EXPECT_EQ(shown.Filter, "MS Excel (*.csv)|*.csv|MS Word (*.doc)|*.doc|Text file (*.txt)|*.txt");
    EXPECT_EQ(shown.FilterIndex, 2);
    EXPECT_EQ(shown.DefaultExt, ".csv");
    EXPECT_EQ(shown.InitialDir, dir.path());
    EXPECT_TRUE(word.Calls().isEmpty());
}

TEST_F(Commands, SaveWritesTheFormatOfTheChosenType) {
    dialogs.chooseSaveFile("semi", 1);
    form.sbSave->click();
    QFile csv(path("semi.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().contains("Stopp:;"));

    dialogs.chooseSaveFile("proto", 3);
    form.sbSave->click();
    EXPECT_TRUE(QFile::exists(path("proto.txt")));

    dialogs.chooseSaveFile("doc", 2);
    form.sbSave->click();
    const QStringList calls = word.Calls();
    ASSERT_EQ(calls.size(), 8);
    EXPECT_EQ(calls[1], "call AppMinimize()");
    EXPECT_EQ(calls[2], "call FileOpen(\"/opt/kartex/kartex.doc\")");
    EXPECT_EQ(calls[6], "call FileSaveAs(\"" + path("doc.doc") + "\")");
    EXPECT_EQ(calls[7], "call AppClose()");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(form.sbWord->isEnabled());
    EXPECT_TRUE(opener.Opened().isEmpty());
    // The dialog opens again with the type chosen last.
    EXPECT_EQ(dialogs.saveRequests()[1].FilterIndex, 1);
    EXPECT_EQ(dialogs.saveRequests()[2].FilterIndex, 3);
}

TEST_F(Commands, FailedWordExportDisablesTheButtonAndOnlyTheSaveSaysSo) {
    word.FailOn("FileSaveAs", 1);
    word.FailOn("TextToTable", 2);
    form.sbWord->click();
    EXPECT_FALSE(form.sbWord->isEnabled());
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialogs.chooseSaveFile("p", 2);
    form.sbSave->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith("Datei kann nicht geschrieben werden: " + path("p.doc")));
    EXPECT_TRUE(dialogs.messages()[0].contains("TextToTable"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Commands, LoadReplacesTheProtocolAndABadFileLeavesItAlone) {
    dialogs.chooseSaveFile("proto", 3);
    form.sbSave->click();
    dialogs.answerYesNo(true);
    form.sbCLS->click();
    word.FailOn("FileOpen");
    form.sbWord->click();
    ASSERT_FALSE(form.sbWord->isEnabled());

    dialogs.chooseOpenFile(path("proto.txt"));
    form.sbLoad->click();
    ASSERT_EQ(dialogs.openRequests().size(), 1);
    EXPECT_EQ(dialogs.openRequests()[0].Filter, "Text file (*.txt)|*.txt");
    EXPECT_EQ(dialogs.openRequests()[0].DefaultExt, ".txt");
    EXPECT_EQ(form.SortGrid1->RowCount(), 5);
    EXPECT_EQ(row(3), QStringList({"Stopp:", "  5,95", "    50", "10m/0,72c"}));
    EXPECT_TRUE(form.sbWord->isEnabled());

    QFile bad(path("bad.txt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is no protocol\r\n");
    bad.close();
    dialogs.chooseOpenFile(path("bad.txt"));
    form.sbLoad->click();
    // The message says why the file was refused.
    EXPECT_EQ(dialogs.messages(), QStringList({"Datei kann nicht gelesen werden: " + path("bad.txt") +
                                               "\nNot a protocol file: the file holds no rows"}));
    EXPECT_EQ(form.SortGrid1->RowCount(), 5);
    EXPECT_EQ(row(1), QStringList({"  Nr.:", "7", "Anna", ""}));
}

TEST_F(Commands, PrintPrintsEveryDataRowUnderTheTitleAndMinute) {
    form.sbPrint->click();
    TPrintOptions* options = form.SortGrid1->PrintOptions();
    EXPECT_EQ(options->JobTitle(), QApplication::applicationName());
    EXPECT_EQ(options->PageTitle(), QApplication::applicationName() + "       2026-12-07-22-15");
    EXPECT_EQ(options->FromRow(), 1u);
    EXPECT_EQ(options->ToRow(), 4u);
    EXPECT_EQ(printer.Docs(), 1);
    EXPECT_EQ(printer.Title(), QApplication::applicationName());
    ASSERT_EQ(printer.Pages().size(), 1u);
    bool printedLastLine = false;
    for (const auto& op : printer.Pages()[0])
        printedLastLine = printedLastLine || op.text == "10m/0,72c";
    EXPECT_TRUE(printedLastLine);
}

TEST_F(Commands, SpreadsheetExportWritesEveryRowFromTheFirstEachTime) {
    ASSERT_NE(form.Excel1, nullptr);
    EXPECT_EQ(form.Excel1->parent(), &form);
    form.sbExcel->click();
    form.sbExcel->click();
    const QStringList calls = excel.Calls();
    // One application, attached to again by the second export, which starts at row 1 again.
    EXPECT_EQ(excel.Instances(), 1);
    EXPECT_EQ(calls.count("put Cells(1, 1, \"Who\")"), 2);
    EXPECT_EQ(calls.count("put Cells(4, 2, 5.95)"), 2);
    EXPECT_EQ(calls.count("put Cells(3, 4, \"14:30.00\")"), 2);
    EXPECT_FALSE(calls.join('\n').contains("Cells(6,"));
    EXPECT_EQ(calls.count("Selection.Columns.call Autofit()"), 2);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(Commands, SpreadsheetFailureIsShownAndUnreachableSpreadsheetIsSilent) {
    excel.FailOn("Cells", 6);
    form.sbExcel->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains("Cells"));
    EXPECT_EQ(excel.Calls().last(), "put Cells(2, 2, 7)") << "a number goes as a number";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    platform::setAutomation(nullptr);
    Automation none; // no spreadsheet server at all
    platform::setAutomation(&none);
    excel.ClearCalls();
    form.sbExcel->click();
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(Commands, ExportsNoProgramCanShowSayWhatWasWrittenWhere) {
    Automation real;
    platform::WordBasicSettings wordSettings;
    wordSettings.folder = dir.path();
    platform::RegisterWordBasicServer(real, wordSettings);
    platform::ExcelServerSettings sheetSettings;
    sheetSettings.folder = dir.path();
    sheetSettings.now = [] { return QDateTime(QDate(2026, 12, 7), QTime(22, 15)); };
    platform::RegisterExcelServer(real, sheetSettings);
    platform::setAutomation(&real);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTRO_DEFAULT_DOCUMENT), path("kartex.doc")));
    form.setDefaultDocument(path("kartex.doc"));
    opener.setResult(false);

    form.sbWord->click();
    form.sbExcel->click();
    const QStringList written{path("2026-12-07-22-15.doc"), path("2026-12-07-22-15.xlsx")};
    EXPECT_EQ(opener.Opened(), written);
    ASSERT_EQ(dialogs.messages().size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(QFile::exists(written[i]));
        EXPECT_TRUE(dialogs.messages()[i].contains(written[i])) << dialogs.messages()[i].toStdString();
        EXPECT_TRUE(dialogs.messages()[i].contains("kein Programm"));
    }
    EXPECT_TRUE(form.sbWord->isEnabled());

    opener.setResult(true);
    form.sbExcel->click();
    EXPECT_EQ(dialogs.messages().size(), 2) << "shown: nothing to say";
}

TEST_F(Commands, WordButtonWritesAFourColumnTableAndOpensIt) {
    Automation real;
    platform::WordBasicSettings settings;
    settings.folder = dir.path();
    platform::RegisterWordBasicServer(real, settings);
    platform::setAutomation(&real);
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTRO_DEFAULT_DOCUMENT), path("kartex.doc")));
    form.setDefaultDocument(path("kartex.doc"));
    form.AddProtocolRow("  Nr.:", "8", "J\u00fcrgen \"JJ\" Gr\u00f6\u00dfe", "");

    form.sbWord->click();
    const QString saved = path("2026-12-07-22-15.doc");
    EXPECT_EQ(opener.Opened(), QStringList({saved}));
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray rtf = f.readAll();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_EQ(rtf.count("\\trowd"), form.SortGrid1->RowCount());
    EXPECT_EQ(rtf.count("\\cell "), 4 * form.SortGrid1->RowCount());
    // The quoting of the inserted text is undone by the table: cells keep their blanks and quotes.
    EXPECT_TRUE(rtf.contains("  Nr.:\\cell "));
    EXPECT_TRUE(rtf.contains("\"JJ\""));
    EXPECT_FALSE(rtf.contains("\"  Nr.:"));
    EXPECT_TRUE(form.sbWord->isEnabled());
}
