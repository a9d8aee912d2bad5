// A string grid with thousands of rows, for trying out scrolling, selection, sizing, moving and
// editing by hand.
// Usage: vantro-griddemo [rows] [--select | --edit | --sort] [--quit-after <ms>]
//   (default)  the protocol window's options: whole rows, column sizing
//   --select   cell and range selection, Tab moves between cells, sizing and moving of columns and rows
//   --edit     as --select, plus typing into cells through the in-place editor
//   --sort     the protocol grid with sorting on: a left click on a header sorts by that column (again:
//              the other way round), a right click sorts descending; a check box hides invalid runs
#include "grids/TMyStringGrid.h"
#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int rows = 5000;
    int quitAfter = 0;
    bool select = false;
    bool edit = false;
    bool sort = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--quit-after") && i + 1 < args.size())
            quitAfter = args[++i].toInt();
        else if (args[i] == QLatin1String("--select"))
            select = true;
        else if (args[i] == QLatin1String("--edit"))
            edit = true;
        else if (args[i] == QLatin1String("--sort"))
            sort = true;
        else if (args[i].toInt() > 0)
            rows = args[i].toInt();
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Grid demo"));
    auto* layout = new QVBoxLayout(&window);
    auto* status = new QLabel(&window);
    TSortGrid* sortGrid = sort ? new TSortGrid(&window) : nullptr;
    TMyStringGrid* grid = sort ? sortGrid : new TMyStringGrid(&window);
    layout->addWidget(grid);
    layout->addWidget(status);
    QCheckBox* filter = nullptr;
    if (sort) {
        filter = new QCheckBox(QStringLiteral("Nur gültige Runden zeigen"), &window);
        layout->addWidget(filter);
    }

    // The protocol window's look, plus a hidden column and a zero-width column to show how they draw.
    grid->setColCount(7);
    grid->setRowCount(rows + 1);
    if (!sort)
        grid->setFixedCols(1);
    grid->setDefaultColWidth(60);
    grid->setDefaultRowHeight(22);
    const TGridOptions lines = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    if (select || edit) {
        TGridOptions o =
            lines | goRangeSelect | goColSizing | goRowSizing | goColMoving | goRowMoving | goTabs;
        if (edit)
            o |= goEditing;
        grid->setOptions(o);
    } else {
        grid->setOptions(lines | goColSizing | goRowSelect);
    }
    grid->setColWidths(0, 50);
    grid->setColWidths(1, 120);
    grid->setColWidths(4, 180);
    grid->setColWidths(5, 0);
    grid->setColWidths(6, -1);
    const char* heads[] = {"Nr.", "Who", "Time", "Speed", "Note", "zero", "hidden"};
    for (int c = 0; c < 7; ++c)
        grid->setCells(c, 0, QString::fromLatin1(heads[c]));
    grid->BeginUpdate();
    // Sorting starts on the number column, so the rows are in order already.
    if (sortGrid)
        sortGrid->SortOptions()->setCanSort(false);
    for (int r = 1; r <= rows; ++r) {
        grid->setCells(0, r, QString::number(r));
        grid->setCells(1, r, QStringLiteral("Fahrer %1").arg(r % 97 + 1));
        grid->setCells(2, r, QStringLiteral("%1,%2").arg(20 + r % 40).arg(r % 100, 2, 10, QLatin1Char('0')));
        grid->setCells(3, r,
                       QStringLiteral("%1,%2").arg(60 + r % 50).arg(r * 7 % 1000, 3, 10, QLatin1Char('0')));
        if (r % 10 == 0)
            grid->setCells(4, r, QStringLiteral("Runde %1 ungültig").arg(r));
    }
    grid->EndUpdate();
    QString lastAction;
    const auto showState = [&] {
        const TGridRect sel = grid->Selection();
        status->setText(QStringLiteral("Zelle %1/%2, Auswahl %3/%4–%5/%6, oben %7 von %8")
                            .arg(grid->Col())
                            .arg(grid->Row())
                            .arg(sel.Left)
                            .arg(sel.Top)
                            .arg(sel.Right)
                            .arg(sel.Bottom)
                            .arg(grid->TopRow())
                            .arg(rows) +
                        lastAction);
    };
    if (sortGrid) {
        TSortOptions& so = *sortGrid->SortOptions();
        so.setCanSort(true);
        so.setSecondaryIndex(QStringLiteral("1"));
        sortGrid->SetModified(false);
        // The number, time and speed columns sort as numbers, the others as text.
        sortGrid->OnGetSortStyle = [](QObject*, int32_t col, TSortStyle& style) {
            style = col == 1 || col == 4 ? ssNormal : ssNumeric;
        };
        // Runs with a note are the invalid ones.
        sortGrid->OnSetFilter = [](TStrings* row, bool& accept) { accept = row->Strings(4).isEmpty(); };
        auto timer = std::make_shared<QElapsedTimer>();
        sortGrid->OnBeforeSort = [timer](QObject*, int32_t&) { timer->start(); };
        sortGrid->OnAfterSort = [&, timer](QObject*, int32_t col) {
            lastAction = QStringLiteral("\nsortiert nach Spalte %1 %2 in %3 ms")
                             .arg(col)
                             .arg(sortGrid->SortOptions()->SortDirection() == sdAscending
                                      ? QStringLiteral("aufsteigend")
                                      : QStringLiteral("absteigend"))
                             .arg(timer->elapsed());
            showState();
        };
        QObject::connect(filter, &QCheckBox::toggled, [&](bool on) {
            QElapsedTimer t;
            t.start();
            sortGrid->setFiltered(on);
            lastAction = QStringLiteral("\nFilter %1 in %2 ms, %3 Zeilen verborgen")
                             .arg(on ? QStringLiteral("an") : QStringLiteral("aus"))
                             .arg(t.elapsed())
                             .arg(sortGrid->HiddenCount());
            showState();
        });
    }
    grid->OnTopLeftChanged = [&](QObject*) { showState(); };
    grid->OnClick = [&](QObject*) { showState(); };
    grid->OnKeyUp = [&](QObject*, int&, Qt::KeyboardModifiers) { showState(); };
    window.resize(520, 400);
    window.show();
    window.activateWindow();
    grid->setFocus();
    grid->setRow(rows / 2);

    if (quitAfter > 0)
        QTimer::singleShot(quitAfter, &app, &QApplication::quit);
    return app.exec();
}
