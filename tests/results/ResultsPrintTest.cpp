#include "app/results/ResultsPrint.h"
#include "event/Ranking.h"
#include "platform/QtPrinter.h"
#include "testing/FakePrinter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString LongName = QStringLiteral("Maximiliane Theodora von Hohenzollern-Sigmaringen");

// 30 competitors in two classes, three runs each, one with a long name.
Standings sampleStandings() {
    QList<Competitor> cs;
    QList<RunRecord> runs;
    for (int n = 1; n <= 30; ++n) {
        Competitor c;
        c.id = n;
        c.startNumber = n;
        c.lastName = n == 7 ? LongName : QStringLiteral("Fahrer %1").arg(n);
        c.className = n % 2 ? QStringLiteral("K1") : QStringLiteral("K2");
        cs << c;
        for (int k = 0; k < 3; ++k) {
            RunRecord r;
            r.id = n * 10 + k;
            r.startNumber = n;
            r.runNumber = k + 1;
            r.runTimeMs = 40000 + n * 100 + k * 10;
            r.cones = k == 1 ? 1 : 0;
            runs << r;
        }
    }
    EventRules rules;
    rules.scoring = Scoring::SumBestN;
    rules.bestN = 2;
    return rankEvent(cs, runs, rules);
}

ResultsPrintInput input(int width, int height) {
    ResultsPrintInput in;
    in.pageWidth = width;
    in.pageHeight = height;
    in.dpi = 72;
    in.titleLines = {QStringLiteral("Ergebnisliste"), QStringLiteral("Slalom"),
                     QStringLiteral("17.05.2026, Au")};
    in.sections = resultSections(sampleStandings(), 2);
    in.textWidth = [](PrintTextKind, double scale, const QString& text) {
        return int(6 * scale * text.size());
    };
    return in;
}

} // namespace

TEST(ResultsPrint, EveryPageIsNumberedAndEveryRowIsPrintedOnce) {
    const ResultsPrintLayout layout = layoutResultsPrint(input(595, 842));
    ASSERT_GE(layout.pages.size(), 2);
    int nameCount = 0;
    for (int p = 0; p < layout.pages.size(); ++p) {
        const QString label = QStringLiteral("Seite %1 von %2").arg(p + 1).arg(layout.pages.size());
        bool labelled = false;
        for (const PrintedText& t : layout.pages[p].texts) {
            labelled = labelled || (t.kind == PrintTextKind::Footer && t.text == label);
            nameCount += t.text == LongName ? 1 : 0;
            EXPECT_LT(t.y, 842);
        }
        EXPECT_TRUE(labelled) << label.toStdString();
    }
    EXPECT_EQ(nameCount, 2) << "in its class and in the overall ranking";
    EXPECT_EQ(layout.pages[0].texts[0].text, "Ergebnisliste");
}

TEST(ResultsPrint, ANameIsNeverCutTheSectionIsPrintedSmallerInstead) {
    const ResultsPrintInput in = input(400, 842);
    const ResultsPrintLayout layout = layoutResultsPrint(in);
    for (const ResultsPrintLayout::Page& page : layout.pages)
        for (int i = 0; i < page.texts.size(); ++i) {
            const PrintedText& t = page.texts[i];
            EXPECT_LE(t.x + in.textWidth(t.kind, page.scales[i], t.text), in.pageWidth + 1)
                << t.text.toStdString();
            if (t.text == LongName) {
                EXPECT_LT(page.scales[i], 1.0);
            }
        }
}

TEST(ResultsPrint, ASectionContinuedOnTheNextPageRepeatsItsTitleAndHeadings) {
    const ResultsPrintLayout layout = layoutResultsPrint(input(595, 300));
    bool continued = false;
    for (const ResultsPrintLayout::Page& page : layout.pages.mid(1))
        for (int i = 0; i + 1 < page.texts.size(); ++i)
            if (page.texts[i].kind == PrintTextKind::Section &&
                page.texts[i].text.endsWith("(Fortsetzung)")) {
                continued = true;
                EXPECT_EQ(page.texts[i + 1].kind, PrintTextKind::Heading);
                EXPECT_EQ(page.texts[i + 1].text, "Platz");
            }
    EXPECT_TRUE(continued);
}

TEST(ResultsPrint, WithoutAPrinterNothingIsPrintedAndThePersonIsTold) {
    platform::FakePrinter printer;
    printer.setPrinterCount(0);
    const QString error = printResults({"Ergebnisliste"}, resultSections(sampleStandings(), 2), "Job");
    EXPECT_TRUE(error.contains("kein Drucker")) << error.toStdString();
    EXPECT_EQ(printer.Docs(), 0);
}

TEST(ResultsPrint, ThePdfShowsTheLongNameWholeAndGermanHeadings) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("ergebnisse.pdf");
    QPrinter& device = platform::systemPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(pdf);
    const QString error = printResults({"Ergebnisliste", "Kart-Slalom", "17.05.2026, Au"},
                                       resultSections(sampleStandings(), 2), "Ergebnisliste");
    device.setOutputFileName(QString());
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(LongName)) << text.left(2000).toStdString();
    for (const char* heading :
         {"Platz", "Nr.", "Name", "Ergebnis", "Klasse K1", "Gesamtwertung", "Streicher"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(heading))) << heading;
    const int pages = int(text.split(QChar('\f'), Qt::SkipEmptyParts).size());
    EXPECT_TRUE(text.contains(QStringLiteral("Seite 1 von %1").arg(pages)));
}
