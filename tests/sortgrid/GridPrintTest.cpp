#include "platform/QtPrinter.h"
#include "sortgrid/SortGrid.h"
#include "testing/FakeDialogs.h"
#include "testing/FakePrinter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Op = platform::RecordingPrintCanvas::Op;

class GridPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.setColCount(4);
        g.setRowCount(2);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(22);
        g.SortOptions()->setCanSort(false);
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
        g.PrintOptions()->setJobTitle("vantro");
        g.PrintOptions()->setPageTitle("vantro       08.12.2026");
        printer.setPageSize(3000, 2400); // 15 data rows per page at 600 over 96 dpi
    }

    void AddRuns(int n) {
        for (int i = 1; i <= n; ++i)
            g.AddRow(QStringList{QString("row%1").arg(i), QString("t%1").arg(i), "s", "n"});
        g.PrintOptions()->setFromRow(1);
        g.PrintOptions()->setToRow(uint32_t(g.RowCount() - 1));
    }

    static std::vector<Op> Unclipped(const std::vector<Op>& page) {
        std::vector<Op> out;
        for (const Op& op : page)
            if (!op.clipped)
                out.push_back(op);
        return out;
    }

    platform::FakeDialogs dialogs;
    platform::FakePrinter printer;
    TSortGrid g;
};

} // namespace

TEST_F(GridPrintTest, WithoutAPrinterItSaysSoAndPrintsNothing) {
    printer.setPrinterCount(0);
    g.setFiltered(true);
    g.Print();
    EXPECT_EQ(dialogs.messages(), QStringList{"No Printer is installed"});
    EXPECT_EQ(printer.Docs(), 0);
    EXPECT_TRUE(g.Filtered());
}

TEST_F(GridPrintTest, PagesShowTitleLabelHeaderAndEveryRowOnce) {
    AddRuns(40);
    g.setFiltered(true);
    g.Print();
    EXPECT_FALSE(g.Filtered());
    EXPECT_EQ(printer.Title(), "vantro");
    EXPECT_EQ(printer.Copies(), 1) << "no copies asked prints one";
    EXPECT_FALSE(printer.InDoc());
    ASSERT_EQ(printer.Pages().size(), 3u);
    std::map<QString, int> seen;
    for (size_t p = 0; p < printer.Pages().size(); ++p) {
        const auto& page = printer.Pages()[p];
        const auto texts = Unclipped(page);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "vantro       08.12.2026");
        EXPECT_EQ(texts[0].font.pointSize(), 10);
        EXPECT_EQ(texts[1].text, QString("Page %1").arg(p + 1));
        EXPECT_GT(texts[1].at.y(), 2000);
        // The header row's cells come first, at the top of every page.
        ASSERT_GE(page.size(), 6u);
        EXPECT_EQ(page[2].text, "Who");
        EXPECT_EQ(page[2].clip, QRect(0, 120, 360, 132));
        EXPECT_EQ(page[5].text, "Note");
        for (const Op& op : page)
            if (op.clipped && op.text.startsWith("row"))
                ++seen[op.text];
    }
    ASSERT_EQ(seen.size(), 40u);
    for (const auto& [text, count] : seen)
        EXPECT_EQ(count, 1) << text.toStdString();
}

TEST_F(GridPrintTest, ColumnBandsAreLabelledAndStartWithTheirOwnHeaderCells) {
    AddRuns(3);
    // Columns 0-1 take 732 dots, column 2 takes 1506: 0-1 and 2-3 fill a 2000-dot page each.
    g.setColWidths(2, 250);
    printer.setPageSize(2000, 2400);
    g.PrintOptions()->setCopies(2);
    g.Print();
    EXPECT_EQ(printer.Copies(), 2);
    ASSERT_EQ(printer.Pages().size(), 2u);
    EXPECT_EQ(Unclipped(printer.Pages()[0])[1].text, "Page 1-1");
    EXPECT_EQ(Unclipped(printer.Pages()[1])[1].text, "Page 1-2");
    const auto& second = printer.Pages()[1];
    EXPECT_EQ(second[2].text, "Speed");
    EXPECT_EQ(second[2].clip.left(), 0);
    EXPECT_EQ(second[3].text, "Note");
}

TEST_F(GridPrintTest, ATextWiderThanItsColumnRunsOnIntoTheFollowingEmptyCellsItReaches) {
    // Columns of 360 dots, 6 apart; the fake printer's texts are 10 dots a character.
    const QString name = QString(45, QLatin1Char('n'));
    const QString longer = QString(100, QLatin1Char('l'));
    g.AddRow(QStringList{"  Nr.:", "25", name, ""});
    g.AddRow(QStringList{name, "7", "", ""});
    g.AddRow(QStringList{longer, "", "", ""});
    g.AddRow(QStringList{"Start:", name, "", ""});
    platform::RecordingPrintCanvas canvas;
    g.RenderPages(canvas, TRenderMode::Preview, 1, 4);
    std::vector<std::pair<QString, int>> clips;
    for (const Op& op : canvas.Ops())
        if (op.clipped && op.text.size() >= 45)
            clips.emplace_back(op.text, op.clip.left() + op.clip.width());
    const std::vector<std::pair<QString, int>> expected{
        {name, 1458},   // over the empty last column to the band's end
        {name, 360},    // the next cell holds a text
        {longer, 1092}, // 1000 dots reach the third column, not the fourth
        {name, 1092},   // into the third column, not the fourth
    };
    EXPECT_EQ(clips, expected);
}

TEST_F(GridPrintTest, CancellingInTheProgressStopsAndAbortsTheJob) {
    AddRuns(100);
    std::vector<std::pair<int, int>> calls;
    g.OnPrintProgress = [&](QObject*, int done, int total, bool& cancel) {
        calls.emplace_back(done, total);
        cancel = done == 2;
    };
    g.Print();
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{1, 7}, {2, 7}}));
    EXPECT_TRUE(printer.Aborted());
    EXPECT_EQ(printer.Pages().size(), 2u);
}

TEST_F(GridPrintTest, PreviewDrawsOnePageAndCountDrawsNone) {
    AddRuns(40);
    platform::RecordingPrintCanvas canvas;
    EXPECT_EQ(g.RenderPages(canvas, TRenderMode::Count, 1, 40), 3);
    EXPECT_TRUE(canvas.Ops().empty());
    g.PrintOptions()->setPreviewPage(3);
    EXPECT_EQ(g.RenderPages(canvas, TRenderMode::Preview, 1, 40), 3);
    EXPECT_EQ(Unclipped(canvas.Ops())[1].text, "Page 3");
    EXPECT_EQ(printer.Docs(), 0);
}

TEST_F(GridPrintTest, PrintedPdfShowsTitlesLabelsAndEveryRowExactlyOnce) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    platform::setPrinter(nullptr); // the system printer, writing a PDF file
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    QPrinter& device = platform::systemPrinter();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(pdf);
    const int rows = 150;
    for (int i = 1; i <= rows; ++i)
        g.AddRow(QStringList{QString("Fahrer%1").arg(i, 3, 10, QChar('0')), "12,34", "55,1", ""});
    g.PrintOptions()->setFromRow(1);
    g.PrintOptions()->setToRow(uint32_t(g.RowCount() - 1));
    g.OnPrintProgress = [](QObject*, int, int, bool&) {};
    g.Print();
    device.setOutputFileName(QString());
    platform::setPrinter(&printer);

    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    const QStringList pages = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (int n = 0; n < pages.size(); ++n) {
        // pdftotext keeps the title's blanks only roughly.
        EXPECT_TRUE(pages[n].contains(QRegularExpression(R"(vantro\s+08\.12\.2026)"))) << "page " << n + 1;
        EXPECT_TRUE(pages[n].contains(QString("Page %1").arg(n + 1))) << "page " << n + 1;
        EXPECT_TRUE(pages[n].contains("Who")) << "page " << n + 1;
    }
    for (int i = 1; i <= rows; ++i) {
        const QString name = QString("Fahrer%1").arg(i, 3, 10, QChar('0'));
        EXPECT_EQ(text.count(name), 1) << name.toStdString();
    }
}

TEST(QtPrinterCanvas, MeasuresATextInTheFontSetNowAndOnTheDocumentsOwnResolution) {
    QTemporaryDir dir;
    platform::QtPrinter printer;
    QPrinter& device = printer.Device();
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(dir.filePath("widths.pdf"));
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(20);
    const QString text = QStringLiteral("Zwischenzeit Tor 12");

    device.setResolution(300);
    printer.BeginDoc();
    platform::PrintCanvas& canvas = printer.Canvas();
    canvas.setFont(small);
    const int smallWidth = canvas.TextWidth(text);
    canvas.setFont(large);
    const int largeWidth = canvas.TextWidth(text);
    canvas.setFont(small);
    EXPECT_EQ(canvas.TextWidth(text), smallWidth);
    EXPECT_GT(largeWidth, 2 * smallWidth);
    printer.EndDoc();

    device.setResolution(1200);
    printer.BeginDoc();
    printer.Canvas().setFont(small);
    const int finer = printer.Canvas().TextWidth(text);
    printer.EndDoc();
    EXPECT_GT(finer, 3 * smallWidth);
}
