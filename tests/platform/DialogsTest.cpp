#include "testing/FakeDialogs.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

namespace {
const QString ProtocolFilter =
    QStringLiteral("MS Excel (*.csv)|*.csv|MS Word (*.doc)|*.doc|Text file (*.txt)|*.txt");
}

TEST(FileFilter, PairsAndTheExtensionATypedNameReceives) {
    const QList<FileFilter> f =
        parseFileFilter(QStringLiteral("Text file (*.txt)|*.txt|All|*.txt;*.csv|Bare"));
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0].Description, "Text file (*.txt)");
    EXPECT_EQ(f[1].Patterns, (QStringList{"*.txt", "*.csv"}));
    EXPECT_EQ(f[2].Patterns, QStringList{"*"});

    FileDialogOptions o;
    o.Filter = QStringLiteral("Text file (*.txt)|*.txt|All|*.*");
    o.DefaultExt = QStringLiteral(".csv");
    EXPECT_EQ(effectiveDefaultSuffix(o, 1), "txt") << "a filter of one extension gives its own";
    EXPECT_EQ(effectiveDefaultSuffix(o, 2), "csv") << "else the default extension, without its dot";
    EXPECT_EQ(withDefaultSuffix(QStringLiteral("/a.b/run"), QStringLiteral("txt")), "/a.b/run.txt");
    EXPECT_EQ(withDefaultSuffix(QStringLiteral("/a/run.csv"), QStringLiteral("txt")), "/a/run.csv");
}

TEST(FileFilter, SavedFileHasTheExtensionOfTheChosenType) {
    FileDialogOptions o;
    o.Filter = ProtocolFilter;
    o.DefaultExt = QStringLiteral(".csv");
    const std::vector<std::tuple<int, QString, QString>> cases{
        {1, "/d/protokoll5", "/d/protokoll5.csv"},
        {1, "/d/protokoll5.doc", "/d/protokoll5.csv"}, // the type was switched after the name was typed
        {2, "/d/protokoll5.CSV", "/d/protokoll5.doc"},
        {3, "/d/protokoll5.txt", "/d/protokoll5.txt"},
        {3, "/d/lauf.2026", "/d/lauf.2026.txt"},
        {7, "/d/x", "/d/x.csv"}, // no such entry: the default extension
    };
    for (const auto& [index, typed, written] : cases)
        EXPECT_EQ(savedFileName(o, index, typed), written) << typed.toStdString();
    EXPECT_TRUE(replaceQuestion("/d/protokoll5.csv").contains("\"protokoll5.csv\""));
}

TEST(FakeDialogs, SaveDialogReturnsTheScriptedNameInTheStartFolderWithTheChosenFilter) {
    FakeDialogs fake;
    FileDialogOptions o;
    o.Filter = ProtocolFilter;
    o.FilterIndex = 2;
    o.DefaultExt = QStringLiteral(".csv");
    o.InitialDir = QStringLiteral("/data");
    o.FileName = QStringLiteral("2026-12-07-22-15");

    EXPECT_FALSE(fake.saveFile(o).Accepted) << "without a script the dialog is cancelled";

    fake.chooseSaveFile(QStringLiteral("2026-12-07-22-15"));
    FileDialogResult r = fake.saveFile(o);
    EXPECT_TRUE(r.Accepted);
    EXPECT_EQ(r.FileName, "/data/2026-12-07-22-15.doc");
    EXPECT_EQ(r.FilterIndex, 2);

    fake.chooseSaveFile(QStringLiteral("/tmp/out"), 1);
    r = fake.saveFile(o);
    EXPECT_EQ(r.FileName, "/tmp/out.csv");
    EXPECT_EQ(r.FilterIndex, 1);
    ASSERT_EQ(fake.saveRequests().size(), 3);
    EXPECT_EQ(fake.saveRequests()[0].FileName, "2026-12-07-22-15");
}

TEST(FakeDialogs, OpenDialogInsistsOnAnExistingFile) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("run.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    FakeDialogs fake;
    FileDialogOptions o;
    o.Filter = QStringLiteral("Text file (*.txt)|*.txt");
    o.InitialDir = dir.path();
    fake.chooseOpenFile(QStringLiteral("run.txt"));
    const FileDialogResult r = fake.openFile(o);
    EXPECT_TRUE(r.Accepted);
    EXPECT_EQ(r.FileName, dir.filePath(QStringLiteral("run.txt")));
    fake.chooseOpenFile(QStringLiteral("missing.txt"));
    EXPECT_THROW(fake.openFile(o), std::logic_error);
}

TEST(FakeDialogs, ModalFormsColourAndPrinterFollowTheScript) {
    FakeDialogs fake;
    QDialog form;
    form.setObjectName(QStringLiteral("FDlgYesNo"));
    auto* label = new QLabel(QStringLiteral("Beenden?"), &form);
    label->setObjectName(QStringLiteral("LabQuestion"));

    EXPECT_EQ(fake.execModal(form), QDialog::Rejected) << "unscripted: closed like Esc";
    fake.answerYesNo(true);
    EXPECT_EQ(fake.execModal(form), 6);
    fake.onNextModal([](QDialog& d) {
        d.findChild<QLabel*>(QStringLiteral("LabQuestion"))->setText(QStringLiteral("changed"));
        return 42;
    });
    EXPECT_EQ(fake.execModal(form), 42);
    EXPECT_EQ(label->text(), "changed");
    EXPECT_EQ(fake.yesNoQuestions(), (QStringList{"Beenden?", "Beenden?", "Beenden?"}));

    EXPECT_FALSE(fake.pickColor(Qt::red).has_value());
    fake.chooseColor(QColor(1, 2, 3));
    EXPECT_EQ(fake.pickColor(Qt::red), QColor(1, 2, 3));
    EXPECT_EQ(fake.colorRequests().size(), 2);

    QPrinter printer;
    EXPECT_FALSE(fake.printerSetup(printer));
    fake.choosePdfPrinter(QStringLiteral("/tmp/protocol.pdf"));
    EXPECT_TRUE(fake.printerSetup(printer));
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), "/tmp/protocol.pdf");
    EXPECT_EQ(fake.printerSetups(), 2);
}
