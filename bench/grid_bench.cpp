// Times the string grid against a QTableWidget holding the same texts: filling 100,000 rows x 4
// columns, painting one full frame at the top, the middle and the end, and jumping the top row.
// Each side runs in its own child process so that the peak memory figures do not mix.
//
//   grid_bench [rows]        (default 100000; run from a Release build)

#include "grids/TMyStringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Cols = 4;
constexpr int FrameRepeats = 15;
constexpr int Width = 640;
constexpr int Height = 800;

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Texts like those of a results protocol, different in every row.
QString cellText(int row, int col) {
    switch (col) {
    case 0:
        return row % 4 == 0 ? QStringLiteral("  Nr.:") : QStringLiteral("Start:");
    case 1:
        return QStringLiteral("%1 Fahrer Nummer %2").arg(row / 4 + 1).arg(row % 97);
    case 2:
        return QStringLiteral("%1,%2").arg(row % 60).arg(row % 100, 2, 10, QChar(u'0'));
    default:
        return row % 3 == 0 ? QString() : QStringLiteral("Bemerkung %1").arg(row);
    }
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// Median of several timed runs of f, in milliseconds.
double medianMs(const std::function<void()>& f, int repeats = FrameRepeats) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(msSince(t));
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

double frameMs(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image); // first paint warms font and glyph caches
    return medianMs([&] { w.render(&image); });
}

struct Figures {
    double fillMs = 0, topMs = 0, middleMs = 0, endMs = 0, jumpMs = 0, jumpPaintMs = 0;
    long rssBeforeKb = 0, rssPeakKb = 0;
};

void print(const char* name, int rows, const Figures& f) {
    std::printf("%-13s rows=%d fill=%.1f ms  frame top=%.3f mid=%.3f end=%.3f ms  jump=%.4f ms  "
                "jump+frame=%.3f ms  rss before=%ld KiB peak=%ld KiB (data %+ld KiB)\n",
                name, rows, f.fillMs, f.topMs, f.middleMs, f.endMs, f.jumpMs, f.jumpPaintMs, f.rssBeforeKb,
                f.rssPeakKb, f.rssPeakKb - f.rssBeforeKb);
    // Machine-readable lines for bench/run-all.sh.
    const auto figure = [&](const char* what, double value, const char* unit) {
        std::printf("BENCH grid.%s.%d.%s %.4f %s\n", name, rows, what, value, unit);
    };
    figure("fill", f.fillMs, "ms");
    figure("frame_mid", f.middleMs, "ms");
    figure("jump_frame", f.jumpPaintMs, "ms");
    figure("data", double(f.rssPeakKb - f.rssBeforeKb), "KiB");
    std::fflush(stdout);
}

Figures benchGrid(int rows) {
    Figures f;
    TMyStringGrid grid;
    grid.setColCount(Cols);
    grid.setRowCount(rows);
    grid.setFixedCols(0);
    grid.setDefaultRowHeight(22);
    grid.resize(Width, Height);
    grid.show();
    QApplication::processEvents();
    f.rssBeforeKb = peakRssKb();

    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            grid.setCells(c, r, cellText(r, c));
    f.fillMs = msSince(t);
    QApplication::processEvents();

    const int last = std::max(grid.FixedRows(), rows - grid.VisibleRowCount());
    f.topMs = frameMs(grid);
    grid.setTopRow(rows / 2);
    f.middleMs = frameMs(grid);
    grid.setTopRow(last);
    f.endMs = frameMs(grid);

    // Alternate between two far-apart rows so each call really moves the window.
    int k = 0;
    f.jumpMs = medianMs([&] { grid.setTopRow(++k % 2 ? rows / 3 : 2 * rows / 3); }, 101);
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    f.jumpPaintMs = medianMs([&] {
        grid.setTopRow(++k % 2 ? rows / 3 : 2 * rows / 3);
        grid.render(&image);
    });
    f.rssPeakKb = peakRssKb();
    return f;
}

Figures benchTable(int rows) {
    Figures f;
    QTableWidget table;
    table.setColumnCount(Cols);
    table.setRowCount(rows);
    table.verticalHeader()->setDefaultSectionSize(22);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.resize(Width, Height);
    table.show();
    QApplication::processEvents();
    f.rssBeforeKb = peakRssKb();

    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            table.setItem(r, c, new QTableWidgetItem(cellText(r, c)));
    f.fillMs = msSince(t);
    QApplication::processEvents();

    QScrollBar* bar = table.verticalScrollBar();
    f.topMs = frameMs(table);
    bar->setValue(rows / 2);
    f.middleMs = frameMs(table);
    bar->setValue(bar->maximum());
    f.endMs = frameMs(table);

    int k = 0;
    f.jumpMs = medianMs([&] { bar->setValue(++k % 2 ? rows / 3 : 2 * rows / 3); }, 101);
    QImage image(table.size(), QImage::Format_ARGB32_Premultiplied);
    f.jumpPaintMs = medianMs([&] {
        bar->setValue(++k % 2 ? rows / 3 : 2 * rows / 3);
        table.render(&image);
    });
    f.rssPeakKb = peakRssKb();
    return f;
}

// Runs one measurement in a child process with its own application object.
void runChild(int argc, char** argv, const std::function<void()>& body) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        QApplication app(argc, argv);
        body();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("child failed (status %d)\n", status);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rows = argc > 1 ? std::max(2, std::atoi(argv[1])) : 100000;
    std::printf("%d rows x %d columns, viewport %dx%d, frame = median of %d renders\n", rows, Cols, Width,
                Height, FrameRepeats);
    runChild(argc, argv, [&] { print("TMyStringGrid", rows, benchGrid(rows)); });
    runChild(argc, argv, [&] { print("QTableWidget", rows, benchTable(rows)); });
    // The same with a hundredth of the rows: frame times should not depend on the row count.
    runChild(argc, argv, [&] { print("TMyStringGrid", rows / 100, benchGrid(rows / 100)); });
    runChild(argc, argv, [&] { print("QTableWidget", rows / 100, benchTable(rows / 100)); });
    return 0;
}
