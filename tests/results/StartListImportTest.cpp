#include "app/results/StartListImportDialog.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString write(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath("liste.csv");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(StartListImport, LinesWithErrorsStopTheImportUntilTheyAreSkipped) {
    QTemporaryDir dir;
    StartListImportDialog d;
    d.load(write(dir, "Nr;Name;Klasse\r\n1;Anna Berg;K1\r\n1;Ben Kurz;K2\r\nzwei;Cem;K1\r\n4;Dora;K2\r\n"));
    EXPECT_FALSE(d.importButton()->isEnabled());
    ASSERT_TRUE(d.skipButton()->isEnabled());
    QList<int> lines;
    for (const StartListProblem& p : d.problems())
        if (p.severity == StartListProblem::Severity::Error)
            lines << p.line;
    EXPECT_EQ(lines, (QList<int>{3, 4}));
    d.skipButton()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    QList<int> numbers;
    for (const Competitor& c : d.competitors())
        numbers << c.startNumber;
    EXPECT_EQ(numbers, (QList<int>{1, 4}));
}

TEST(StartListImport, AFileThatIsNoStartListImportsNothing) {
    QTemporaryDir dir;
    for (const QByteArray& bytes : {QByteArray(), QByteArray("\x00\x01\x02\xff\xfe binary", 12),
                                    QByteArray("Farbe;Gewicht\r\nrot;3\r\n")}) {
        StartListImportDialog d;
        d.load(write(dir, bytes));
        EXPECT_FALSE(d.importButton()->isEnabled());
        EXPECT_FALSE(d.skipButton()->isEnabled());
        EXPECT_FALSE(d.problems().isEmpty());
    }
}

TEST(StartListImport, AGoodFileIsImportedWhole) {
    QTemporaryDir dir;
    StartListImportDialog d;
    d.load(write(dir, "Startnummer,Vorname,Nachname,Verein\n7,Anna,Berg,MSC Au\n8,Ben,Kurz,AC Berg\n"));
    ASSERT_TRUE(d.importButton()->isEnabled());
    d.importButton()->click();
    ASSERT_EQ(d.competitors().size(), 2);
    EXPECT_EQ(d.competitors()[1].displayName(), "Ben Kurz");
    EXPECT_EQ(d.competitors()[1].club, "AC Berg");
}
