// Times the protocol files on a 100,000-row protocol: loading a protocol file and showing it
// (read, parse, fill, first frame), saving it and saving it as CSV; beside them the floor (reading
// the file's bytes) and a baseline that reads the same CSV into a QTableWidget with QTextStream and
// shows it. Last, printing every row to a PDF file.
//
//   file_bench [rows] [--no-print | --print-only] [--keep folder]
//                                        (default 100000; run from a Release build)
//
// --keep writes protocol.txt, protocol.csv and protocol.pdf into the folder, to look at them.

#include "platform/QtPrinter.h"
#include "sortgrid/TSortGrid.h"
#include "testing/FakeDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int Repeats = 5;
constexpr int Width = 640;
constexpr int Height = 800;

// The four texts of a protocol line, like those the run control writes, with the notes an operator
// adds; about 50 bytes a line in the file, and 23 more for the line's format entry.
QStringList Line(int i) {
    const int run = i / 4 + 1;
    switch (i % 4) {
    case 0:
        return {QStringLiteral("  Nr.: %1 Jörg-Alexander Maaß-%2").arg(run).arg(i % 97), "", "",
                QStringLiteral("MSC Nord e.V., Klasse %1").arg(i % 7 + 1)};
    case 1:
        return {"Start:",
                QStringLiteral("12:%1:%2").arg(i % 60, 2, 10, QChar('0')).arg(i % 59, 2, 10, QChar('0')), "",
                QStringLiteral("Startampel %1").arg(i % 3 + 1)};
    case 2:
        return {"  Lap:", QStringLiteral("%1,%2").arg(i % 60).arg(i % 100, 2, 10, QChar('0')), "",
                QStringLiteral("Zwischenzeit Tor %1").arg(i % 20 + 1)};
    default:
        return {"Stopp:", QStringLiteral("%1,%2").arg(i % 90).arg(i % 100, 2, 10, QChar('0')),
                QStringLiteral("%1,%2 km/h").arg(40 + i % 60).arg(i % 1000, 3, 10, QChar('0')),
                i % 3 ? QStringLiteral("Lauf %1 gewertet, 10m/0,%2c").arg(run).arg(i % 90 + 10)
                      : QStringLiteral("Kegel, 2 s Strafzeit")};
    }
}

void SetUpLikeTheApp(TSortGrid& g) {
    g.setColCount(4);
    g.setRowCount(2);
    g.setFixedCols(0);
    g.setDefaultColWidth(60);
    g.setDefaultRowHeight(22);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(16);
    g.setFont(courier);
    g.setScrollBars(ssVertical);
    g.SortOptions()->setCanSort(false);
    g.Rows(0)->setCommaText("Who,Time,Speed,Note");
    g.resize(Width, Height);
}

double MsSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// Processor time of this thread, which a busy machine does not stretch.
double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double MedianMs(const std::function<void()>& f, int repeats = Repeats) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(MsSince(t));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// One frame painted now, as the screen would show it.
void FirstFrame(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int rows = 100000;
    bool print = true;
    bool printOnly = false;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        if (QString(argv[i]) == "--no-print")
            print = false;
        else if (QString(argv[i]) == "--print-only")
            printOnly = true;
        else if (QString(argv[i]) == "--keep" && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            rows = std::max(1, atoi(argv[i]));
    }
    platform::FakeDialogs dialogs;
    QTemporaryDir temp;
    const QDir dir(keep.isEmpty() ? temp.path() : keep);
    const QString txt = dir.filePath("protocol.txt");
    const QString csv = dir.filePath("protocol.csv");
    const QString pdf = dir.filePath("protocol.pdf");

    TSortGrid source;
    SetUpLikeTheApp(source);
    // Row by row, as the run control adds its lines: every row gets its format entry, so the file
    // holds one "FontRowSettings" item per row like a protocol the program saved.
    for (int i = 0; i < rows; ++i)
        source.AddRow(Line(i));

    bool loaded = true;
    if (!printOnly) {
        const double saveMs = MedianMs([&] { source.SaveToFile(txt, false); });
        const double csvMs = MedianMs([&] { source.SaveToCsvFile(csv); });
        if (!dialogs.messages().isEmpty()) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(dialogs.messages().front()));
            return 1;
        }
        const double readMs = MedianMs([&] {
            QFile f(txt);
            f.open(QIODevice::ReadOnly);
            volatile auto n = f.readAll().size();
            (void)n;
        });

        // Load and first frame of a grid set up like the main window's, already on screen.
        std::vector<double> gridCpu, baseCpu;
        auto loadGrid = [&] {
            TSortGrid g;
            SetUpLikeTheApp(g);
            g.show();
            QApplication::processEvents();
            QElapsedTimer t;
            t.start();
            const double cpuStart = ThreadCpuMs();
            loaded = loaded && g.LoadFromFile(txt, false);
            FirstFrame(g);
            gridCpu.push_back(ThreadCpuMs() - cpuStart);
            return MsSince(t);
        };
        auto loadBaseline = [&] {
            QTableWidget table;
            table.setColumnCount(4);
            table.verticalHeader()->setDefaultSectionSize(22);
            table.resize(Width, Height);
            table.show();
            QApplication::processEvents();
            QElapsedTimer t;
            t.start();
            const double cpuStart = ThreadCpuMs();
            QFile f(csv);
            f.open(QIODevice::ReadOnly | QIODevice::Text);
            QTextStream in(&f);
            std::vector<QStringList> lines;
            while (!in.atEnd())
                lines.push_back(in.readLine().split(u';'));
            table.setRowCount(int(lines.size()));
            for (int r = 0; r < int(lines.size()); ++r)
                for (int c = 0; c < std::min<int>(4, int(lines[size_t(r)].size())); ++c)
                    table.setItem(r, c, new QTableWidgetItem(lines[size_t(r)][c]));
            FirstFrame(table);
            baseCpu.push_back(ThreadCpuMs() - cpuStart);
            return MsSince(t);
        };
        // Taken in turns, so that both see the same moments of a machine whose speed drifts.
        std::vector<double> loadOnly, base;
        for (int i = 0; i < Repeats; ++i) {
            loadOnly.push_back(loadGrid());
            base.push_back(loadBaseline());
        }
        std::sort(loadOnly.begin(), loadOnly.end());
        std::sort(base.begin(), base.end());

        const double loadMedian = loadOnly[loadOnly.size() / 2];
        std::sort(gridCpu.begin(), gridCpu.end());
        std::sort(baseCpu.begin(), baseCpu.end());
        const double gridCpuMedian = gridCpu[gridCpu.size() / 2];
        const double baseCpuMedian = baseCpu[baseCpu.size() / 2];
        const double baseMedian = base[base.size() / 2];
        std::printf("rows=%d  protocol file %.1f MB, CSV %.1f MB  (median of %d runs)\n", rows,
                    QFileInfo(txt).size() / 1e6, QFileInfo(csv).size() / 1e6, Repeats);
        std::printf("read bytes (floor)        %8.1f ms\n", readMs);
        std::printf("load + show (grid)        %8.1f ms%s\n", loadMedian, loaded ? "" : "  LOAD FAILED");
        std::printf("CSV into QTableWidget     %8.1f ms   (grid / baseline = %.2f)\n", baseMedian,
                    loadMedian / baseMedian);
        std::printf("processor time: grid %.1f ms, baseline %.1f ms (grid / baseline = %.2f)\n",
                    gridCpuMedian, baseCpuMedian, gridCpuMedian / baseCpuMedian);
        std::printf("BENCH file.load_show_cpu %.1f ms\nBENCH file.baseline_load_show_cpu %.1f ms\n"
                    "BENCH file.load_per_baseline_cpu %.3f x\n",
                    gridCpuMedian, baseCpuMedian, gridCpuMedian / baseCpuMedian);
        std::printf("save protocol file        %8.1f ms\n", saveMs);
        std::printf("save CSV                  %8.1f ms\n", csvMs);
        std::printf(
            "BENCH file.read_floor %.1f ms\nBENCH file.load_show %.1f ms\nBENCH file.baseline_load_show %.1f "
            "ms\n"
            "BENCH file.load_per_baseline %.3f x\nBENCH file.save %.1f ms\nBENCH file.save_csv %.1f ms\n",
            readMs, loadMedian, baseMedian, loadMedian / baseMedian, saveMs, csvMs);
        std::fflush(stdout);
    }

    if (print) {
        QPrinter& device = platform::systemPrinter();
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(pdf);
        // Printed as a loaded protocol is shown: every column as wide as its texts.
        source.AutoSizeColumns(true);
        source.PrintOptions()->setPageTitle("file_bench       09.12.2026");
        source.PrintOptions()->setFromRow(1);
        source.PrintOptions()->setToRow(uint32_t(source.RowCount() - 1));
        int pages = 0;
        source.OnPrintProgress = [&](QObject*, int, int total, bool&) { pages = total; };
        QElapsedTimer t;
        t.start();
        const double printCpuStart = ThreadCpuMs();
        source.Print();
        const double printMs = MsSince(t);
        const double printCpuMs = ThreadCpuMs() - printCpuStart;
        std::printf("print to PDF              %8.1f ms   (%d pages, %.1f MB)\n", printMs, pages,
                    QFileInfo(pdf).size() / 1e6);
        std::printf("print to PDF, processor time %8.1f ms\n", printCpuMs);
        std::printf("BENCH file.print_pdf %.0f ms\nBENCH file.print_pdf_cpu %.0f ms\n", printMs, printCpuMs);
    }
    return loaded ? 0 : 1;
}
