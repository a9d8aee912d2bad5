// Times the string grid against two Qt tables holding the same texts: a QTableWidget, and what a
// Qt engineer writes for a big read-mostly table, a QTableView over a table model that keeps the
// texts in a vector of rows ("ViewModel"). Figures: filling 100,000 rows x 4 columns, painting one
// full frame at the top, the middle and the end, and jumping the top row. Each side runs in its own
// child process so that the peak memory figures do not mix.
//
//   grid_bench [rows] [rounds] [side]   (default 100000 rows, 1 round, all sides; run from a Release
//                                        build; a side's name alone runs only it, e.g. for a profiler)

#include "grids/TMyStringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
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

// Processor time of this thread: on a shared machine the part of a step that does not depend on
// how long the thread waited for a processor.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
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

// Median processor time of one frame.
double frameCpuMs(QWidget& w) {
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&image);
    std::vector<double> ms;
    for (int i = 0; i < FrameRepeats; ++i) {
        const double start = threadCpuMs();
        w.render(&image);
        ms.push_back(threadCpuMs() - start);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

struct Figures {
    double fillMs = 0, topMs = 0, middleMs = 0, endMs = 0, jumpMs = 0, jumpPaintMs = 0;
    double fillCpuMs = 0, middleCpuMs = 0;
    long rssBeforeKb = 0, rssPeakKb = 0;
};

void describe(const char* name, int rows, const Figures& f) {
    std::printf("%-13s rows=%d fill=%.1f ms (cpu %.1f)  frame top=%.3f mid=%.3f (cpu %.3f) end=%.3f ms  "
                "jump=%.4f ms  jump+frame=%.3f ms  rss before=%ld KiB peak=%ld KiB (data %+ld KiB)\n",
                name, rows, f.fillMs, f.fillCpuMs, f.topMs, f.middleMs, f.middleCpuMs, f.endMs, f.jumpMs,
                f.jumpPaintMs, f.rssBeforeKb, f.rssPeakKb, f.rssPeakKb - f.rssBeforeKb);
}

void print(const char* name, int rows, const Figures& f) {
    describe(name, rows, f);
    // Machine-readable lines for bench/run-all.sh.
    const auto figure = [&](const char* what, double value, const char* unit) {
        std::printf("BENCH grid.%s.%d.%s %.4f %s\n", name, rows, what, value, unit);
    };
    figure("fill", f.fillMs, "ms");
    figure("fill_cpu", f.fillCpuMs, "ms");
    figure("frame_mid", f.middleMs, "ms");
    figure("frame_mid_cpu", f.middleCpuMs, "ms");
    figure("jump_frame", f.jumpPaintMs, "ms");
    figure("data", double(f.rssPeakKb - f.rssBeforeKb), "KiB");
    std::fflush(stdout);
}

// What every side is measured by: `fill` makes the texts and hands them to the shown `view` (timed,
// with the peak memory it adds), then frames at the top, in the middle and at the end, and jumps
// between two far-apart rows so each one really moves the window. `scrollTo` puts a row at the top;
// `scrollToEnd` shows the last rows.
Figures measure(QWidget& view, int rows, const std::function<void()>& fill,
                const std::function<void(int)>& scrollTo, const std::function<void()>& scrollToEnd) {
    Figures f;
    view.resize(Width, Height);
    view.show();
    QApplication::processEvents();
    f.rssBeforeKb = peakRssKb();

    QElapsedTimer t;
    t.start();
    const double fillCpuStart = threadCpuMs();
    fill();
    f.fillMs = msSince(t);
    f.fillCpuMs = threadCpuMs() - fillCpuStart;
    QApplication::processEvents();

    f.topMs = frameMs(view);
    scrollTo(rows / 2);
    f.middleMs = frameMs(view);
    f.middleCpuMs = frameCpuMs(view);
    scrollToEnd();
    f.endMs = frameMs(view);

    int k = 0;
    f.jumpMs = medianMs([&] { scrollTo(++k % 2 ? rows / 3 : 2 * rows / 3); }, 101);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    f.jumpPaintMs = medianMs([&] {
        scrollTo(++k % 2 ? rows / 3 : 2 * rows / 3);
        view.render(&image);
    });
    f.rssPeakKb = peakRssKb();
    return f;
}

Figures benchGrid(int rows) {
    TMyStringGrid grid;
    grid.setColCount(Cols);
    grid.setRowCount(rows);
    grid.setFixedCols(0);
    grid.setDefaultRowHeight(22);
    return measure(
        grid, rows,
        [&] {
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    grid.setCells(c, r, cellText(r, c));
        },
        [&](int row) { grid.setTopRow(row); },
        [&] { grid.setTopRow(std::max(grid.FixedRows(), rows - grid.VisibleRowCount())); });
}

Figures benchTable(int rows) {
    QTableWidget table;
    table.setColumnCount(Cols);
    table.setRowCount(rows);
    table.verticalHeader()->setDefaultSectionSize(22);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QScrollBar* bar = table.verticalScrollBar();
    return measure(
        table, rows,
        [&] {
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    table.setItem(r, c, new QTableWidgetItem(cellText(r, c)));
        },
        [&](int row) { bar->setValue(row); }, [&] { bar->setValue(bar->maximum()); });
}

// The plain baseline: the texts in a vector of rows, read-only, shown by a QTableView.
class VectorModel : public QAbstractTableModel {
public:
    using Row = std::array<QString, Cols>;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Cols; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_rows[size_t(index.row())][size_t(index.column())];
    }
    void setRows(std::vector<Row>&& rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

private:
    std::vector<Row> m_rows;
};

Figures benchViewModel(int rows) {
    VectorModel model;
    QTableView table;
    table.verticalHeader()->setDefaultSectionSize(22);
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.setModel(&model);
    QScrollBar* bar = table.verticalScrollBar();
    return measure(
        table, rows,
        [&] {
            std::vector<VectorModel::Row> texts(static_cast<size_t>(rows));
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    texts[size_t(r)][size_t(c)] = cellText(r, c);
            model.setRows(std::move(texts));
        },
        [&](int row) { bar->setValue(row); }, [&] { bar->setValue(bar->maximum()); });
}

// Runs one measurement in a child process with its own application object; the child hands its
// figures back through a pipe.
Figures runChild(int argc, char** argv, const std::function<Figures()>& body) {
    std::fflush(stdout);
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        QApplication app(argc, argv);
        const Figures f = body();
        const ssize_t written = write(fds[1], &f, sizeof f);
        std::fflush(stdout);
        _exit(written == ssize_t(sizeof f) ? 0 : 1);
    }
    close(fds[1]);
    Figures f;
    const bool got = read(fds[0], &f, sizeof f) == ssize_t(sizeof f);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("child failed (status %d)\n", status);
    return f;
}

// Median of one field over the rounds.
double median(const std::vector<Figures>& all, double (*field)(const Figures&)) {
    std::vector<double> v;
    for (const Figures& f : all)
        v.push_back(field(f));
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

Figures medianFigures(const std::vector<Figures>& all) {
    Figures m;
    m.fillMs = median(all, [](const Figures& f) { return f.fillMs; });
    m.fillCpuMs = median(all, [](const Figures& f) { return f.fillCpuMs; });
    m.middleCpuMs = median(all, [](const Figures& f) { return f.middleCpuMs; });
    m.topMs = median(all, [](const Figures& f) { return f.topMs; });
    m.middleMs = median(all, [](const Figures& f) { return f.middleMs; });
    m.endMs = median(all, [](const Figures& f) { return f.endMs; });
    m.jumpMs = median(all, [](const Figures& f) { return f.jumpMs; });
    m.jumpPaintMs = median(all, [](const Figures& f) { return f.jumpPaintMs; });
    m.rssBeforeKb = long(median(all, [](const Figures& f) { return double(f.rssBeforeKb); }));
    // The data figure is the median of each round's difference, not the difference of medians.
    const double data = median(all, [](const Figures& f) { return double(f.rssPeakKb - f.rssBeforeKb); });
    m.rssPeakKb = m.rssBeforeKb + long(data);
    return m;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rows = argc > 1 ? std::max(2, std::atoi(argv[1])) : 100000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    std::printf("%d rows x %d columns, viewport %dx%d, frame = median of %d renders; %d round(s), the three "
                "sides in turn in each\n",
                rows, Cols, Width, Height, FrameRepeats, rounds);
    struct Side {
        const char* name;
        Figures (*bench)(int rows);
        std::vector<Figures> all;
    };
    std::array<Side, 3> sides{{{"TMyStringGrid", benchGrid, {}},
                               {"QTableWidget", benchTable, {}},
                               {"ViewModel", benchViewModel, {}}}};
    if (argc > 3) {
        // One side alone, in this process.
        QApplication app(argc, argv);
        for (const Side& side : sides)
            if (qstrcmp(argv[3], side.name) == 0)
                for (int round = 0; round < rounds; ++round)
                    describe(side.name, rows, side.bench(rows));
        return 0;
    }
    // In turns, so that every side sees the same moments of a machine whose speed drifts.
    for (int round = 0; round < rounds; ++round) {
        for (Side& side : sides) {
            const Figures f = runChild(argc, argv, [&] { return side.bench(rows); });
            side.all.push_back(f);
            if (rounds > 1) {
                std::printf("round %d: ", round + 1);
                describe(side.name, rows, f);
            }
        }
    }
    if (rounds > 1)
        std::printf("medians of %d rounds:\n", rounds);
    for (const Side& side : sides)
        print(side.name, rows, medianFigures(side.all));
    const Figures grid = medianFigures(sides[0].all);
    const Figures model = medianFigures(sides[2].all);
    std::printf("grid / vector model: fill %.2fx (cpu %.2fx)  frame mid %.2fx (cpu %.2fx)  data %.2fx\n",
                grid.fillMs / model.fillMs, grid.fillCpuMs / model.fillCpuMs, grid.middleMs / model.middleMs,
                grid.middleCpuMs / model.middleCpuMs,
                double(grid.rssPeakKb - grid.rssBeforeKb) / double(model.rssPeakKb - model.rssBeforeKb));
    // The same with a hundredth of the rows: frame times should not depend on the row count.
    for (const Side& side : sides)
        print(side.name, rows / 100, runChild(argc, argv, [&] { return side.bench(rows / 100); }));
    return 0;
}
