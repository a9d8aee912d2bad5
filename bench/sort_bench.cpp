// Times sorting and filtering of the protocol grid against QTableWidget::sortItems and a
// QSortFilterProxyModel over a QStandardItemModel holding the same texts: 100,000 protocol-like
// rows x 4 columns (name, run time, speed, time of day), sorted by the run time as a number, by the
// name as text, and by the time of day as a time with the run time as second key; then the filter
// switched on and off. Every figure is the median of several runs, each from the same starting order.
//
//   sort_bench [rows]        (default 100000; run from a Release build)
// With SORT_BENCH_GRID_ONLY set in the environment the baselines are left out (for profiling).

#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

namespace {

constexpr int Cols = 4;
constexpr int Repeats = 7;

// Texts like those of a results protocol: a competitor, a run time in seconds with a decimal comma
// and leading blanks, a speed, a time of day. Repeated values give ties for the second key.
QString cellText(int row, int col) {
    const unsigned h = unsigned(row) * 2654435761u;
    switch (col) {
    case 0: {
        static const char* names[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber",
                                      "Meyer",  "Wagner",  "Becker",    "Schulz",  "Hoffmann",
                                      "Koch",   "Bauer",   "Richter",   "Klein"};
        return QStringLiteral("%1 %2").arg(QString::fromUtf8(names[h % 14])).arg(h % 997);
    }
    case 1:
        return QStringLiteral("%1,%2").arg((h >> 8) % 120, 3).arg((h >> 4) % 100, 2, 10, QChar(u'0'));
    case 2:
        return QStringLiteral("%1,%2").arg(20 + (h >> 12) % 90).arg((h >> 3) % 100, 2, 10, QChar(u'0'));
    default:
        return QStringLiteral("%1:%2:%3")
            .arg(8 + (h >> 16) % 10)
            .arg((h >> 5) % 60, 2, 10, QChar(u'0'))
            .arg((h >> 11) % 60, 2, 10, QChar(u'0'));
    }
}

// The time this thread spent on the processor. The build machine is shared, so wall-clock figures
// there mostly measure the other processes; both are printed.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Timer {
    QElapsedTimer wall;
    double cpu0 = 0;
    void start() {
        cpu0 = cpuMs();
        wall.start();
    }
    double cpu() const { return cpuMs() - cpu0; }
    double wallMs() const { return double(wall.nsecsElapsed()) / 1e6; }
};

struct Ms {
    double cpu = 0;
    double wall = 0;
};

Ms median(std::vector<Ms> v) {
    std::sort(v.begin(), v.end(), [](const Ms& a, const Ms& b) { return a.cpu < b.cpu; });
    return v[v.size() / 2];
}

QString fmt(const Ms& m) {
    return QStringLiteral("%1 (%2)").arg(m.cpu, 0, 'f', 1).arg(m.wall, 0, 'f', 0);
}

// Median of `Repeats` runs of `run`, each after `reset`, in milliseconds.
Ms medianMs(const std::function<void()>& reset, const std::function<void()>& run) {
    std::vector<Ms> ms;
    for (int i = 0; i < Repeats; ++i) {
        reset();
        Timer t;
        t.start();
        run();
        ms.push_back({t.cpu(), t.wallMs()});
    }
    return median(ms);
}

struct SortCase {
    const char* name;
    const char* key; // the figure's name for bench/run-all.sh
    int column;
    int secondary; // -1: none
    TSortStyle style;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    // Without the baselines (for profiling).
    const bool gridOnly = qEnvironmentVariableIsSet("SORT_BENCH_GRID_ONLY");

    std::vector<std::vector<QString>> texts(static_cast<size_t>(rows), std::vector<QString>(Cols));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < Cols; ++c)
            texts[size_t(r)][size_t(c)] = cellText(r, c);

    TSortGrid grid;
    grid.resize(640, 800);
    grid.setColCount(Cols);
    grid.setRowCount(rows + 1);
    const auto fillGrid = [&] {
        grid.BeginUpdate();
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c)
                grid.setCells(c, r + 1, texts[size_t(r)][size_t(c)]);
        grid.EndUpdate();
    };

    QTableWidget table(gridOnly ? 0 : rows, Cols);
    const auto fillTable = [&] {
        table.setSortingEnabled(false);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Cols; ++c)
                table.setItem(r, c, new QTableWidgetItem(texts[size_t(r)][size_t(c)]));
    };

    QStandardItemModel model(rows, Cols);
    for (int r = 0; r < (gridOnly ? 0 : rows); ++r)
        for (int c = 0; c < Cols; ++c)
            model.setItem(r, c, new QStandardItem(texts[size_t(r)][size_t(c)]));
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);

    const SortCase cases[] = {
        {"run time (number)", "number", 1, -1, ssNumeric},
        {"name (text)", "text", 0, -1, ssNormal},
        {"time of day (time) + run time", "time_secondary", 3, 1, ssTime},
    };

    std::printf("%d rows x %d columns, median of %d runs, milliseconds of processor time (wall clock)\n\n",
                rows, Cols, Repeats);
    std::printf("%-32s %16s %16s %16s\n", "sort by", "TSortGrid", "QTableWidget", "proxy model");
    for (const SortCase& sc : cases) {
        const Ms ours = medianMs(fillGrid, [&] {
            TSortOptions& so = *grid.SortOptions();
            so.setSecondaryIndex(sc.secondary >= 0 ? QString::number(sc.secondary) : QString());
            so.setSortStyle(sc.style);
            grid.SortByColumn(sc.column);
        });
        // The baselines compare the texts as they are (so numbers and times come out in text order),
        // and take a second key as an earlier stable sort on it.
        if (gridOnly) {
            std::printf("%-32s %16s\n", sc.name, qPrintable(fmt(ours)));
            continue;
        }
        const Ms widget = medianMs(fillTable, [&] {
            if (sc.secondary >= 0)
                table.sortItems(sc.secondary);
            table.sortItems(sc.column);
        });
        const Ms proxied = medianMs([&] { proxy.sort(-1); },
                                    [&] {
                                        if (sc.secondary >= 0)
                                            proxy.sort(sc.secondary);
                                        proxy.sort(sc.column);
                                    });
        std::printf("%-32s %16s %16s %16s\n", sc.name, qPrintable(fmt(ours)), qPrintable(fmt(widget)),
                    qPrintable(fmt(proxied)));
        const double faster = std::min(widget.cpu, proxied.cpu);
        std::printf("BENCH sort.%s.grid %.1f ms\nBENCH sort.%s.faster_baseline %.1f ms\n"
                    "BENCH sort.%s.grid_per_baseline %.3f x\n",
                    sc.key, ours.cpu, sc.key, faster, sc.key, faster > 0 ? ours.cpu / faster : 0.0);
    }

    // Filter: every fourth row rejected.
    grid.SortOptions()->setCanSort(false);
    grid.OnSetFilter = [](TStrings* row, bool& accept) { accept = !row->Strings(0).startsWith(u'S'); };
    fillGrid();
    const auto filterOnOff = [&](const char* what, const char* key) {
        std::vector<Ms> on, off;
        int hidden = 0;
        for (int i = 0; i < Repeats; ++i) {
            Timer t;
            t.start();
            grid.setFiltered(true);
            on.push_back({t.cpu(), t.wallMs()});
            hidden = grid.HiddenCount();
            t.start();
            grid.setFiltered(false);
            off.push_back({t.cpu(), t.wallMs()});
        }
        std::printf("filter %s (%d of %d rows hidden): on %s, off %s\n", what, hidden, rows,
                    qPrintable(fmt(median(on))), qPrintable(fmt(median(off))));
        std::printf("BENCH filter.%s.on %.1f ms\nBENCH filter.%s.off %.1f ms\n", key, median(on).cpu, key,
                    median(off).cpu);
    };
    std::printf("\n");
    filterOnOff("without sorting", "unsorted");
    // With sorting on, switching the filter also sorts the rows that show.
    grid.SortOptions()->setCanSort(true);
    grid.SortOptions()->setSortStyle(ssNumeric);
    grid.SortOptions()->setSecondaryIndex(QString());
    grid.SortOptions()->setSortCol(1);
    filterOnOff("sorting by run time", "sorted");
    return 0;
}
