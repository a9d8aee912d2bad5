// The --cells mode of the grid demo: the protocol grid with column and row formats, check boxes,
// drop-down lists, ellipsis buttons, multiple selection, the row and column keys, dragging rows out
// and a context menu.
#include "CellsDemo.h"

#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int RunCellsDemo(int quitAfter) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Grid demo: Zellen"));
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new TSortGrid(&window);
    auto* multi =
        new QCheckBox(QStringLiteral("Mehrfachauswahl (Strg/Umschalt+Klick, Zeilen ziehen)"), &window);
    auto* status = new QLabel(&window);
    auto* drop = new QPlainTextEdit(&window);
    drop->setPlaceholderText(QStringLiteral("Zeilen hierher ziehen"));
    drop->setMaximumHeight(90);
    layout->addWidget(grid, 1);
    layout->addWidget(multi);
    layout->addWidget(status);
    layout->addWidget(drop);

    enum { ColNr, ColWho, ColClass, ColValid, ColNote, ColTime, Cols };
    const QStringList classes{QStringLiteral("Junioren"), QStringLiteral("Senioren"), QStringLiteral("Damen"),
                              QStringLiteral("Gäste"), QStringLiteral("Offen")};
    grid->setColCount(Cols);
    grid->setRowCount(31);
    grid->setDefaultColWidth(70);
    grid->setDefaultRowHeight(22);
    grid->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing);
    grid->setAlignmentVert(taMiddle);
    grid->setBevelStyle(cbRaised);
    grid->setExtendedKeys(true);
    grid->SortOptions()->setCanSort(true);
    grid->SortOptions()->setSortCol(ColNr);
    grid->Rows(0)->setCommaText(QStringLiteral("Nr.,Fahrer,\"Klasse des Fahrzeugs\",Gültig,Notiz,Zeit"));
    grid->setColWidths(ColNr, 40);
    grid->setColWidths(ColWho, 110);
    grid->setColWidths(ColClass, 90);
    grid->setColWidths(ColValid, 50);
    grid->setColWidths(ColNote, 120);
    for (int r = 1; r <= 30; ++r) {
        grid->setCells(ColNr, r, QString::number(r));
        grid->setCells(ColWho, r, QStringLiteral("Fahrer %1").arg(r));
        grid->setCells(ColClass, r, classes[r % classes.size()]);
        grid->setCells(ColValid, r, r % 4 ? QStringLiteral("true") : QString());
        grid->setCells(ColTime, r,
                       QStringLiteral("%1,%2").arg(30 + r % 17).arg(r * 13 % 100, 2, 10, QLatin1Char('0')));
    }
    // The number column in bold on grey, every fifth run on yellow, the time column right-aligned.
    TFontSetting* nr = grid->ColumnFormats()->Items(ColNr);
    nr->setBold(true);
    nr->setFontColor(clNavy);
    nr->setBackColor(clSilver);
    nr->setActive(true);
    for (int r = 5; r <= 30; r += 5) {
        TFontSetting* s = grid->RowFormats()->Items(r);
        s->setFontColor(clBlack);
        s->setBackColor(clYellow);
        s->setItalic(true);
        s->setActive(true);
    }
    grid->OnGetCellFormat = [](QObject*, int32_t c, int32_t r, TGridDrawState, TFormatOptions& f, bool& check,
                               bool& combo, bool& ellipsis) {
        if (r == 0)
            return;
        check = c == ColValid;
        combo = c == ColClass;
        ellipsis = c == ColNote;
        if (c == ColTime)
            f.AlignmentHorz = taRightJustify;
    };
    grid->OnGetComboBox = [classes](QObject*, int32_t, int32_t, TStrings* items, int&, int&, bool&) {
        for (const QString& s : classes)
            items->Add(s);
    };
    grid->OnSetComboBox = [status](QObject*, int32_t c, int32_t r, const QString& s) {
        status->setText(QStringLiteral("Zeile %1, Spalte %2: %3 gewählt").arg(r).arg(c).arg(s));
    };
    grid->OnSetChecked = [status](QObject*, int32_t, int32_t r, bool on) {
        status->setText(QStringLiteral("Zeile %1 %2")
                            .arg(r)
                            .arg(on ? QStringLiteral("gültig") : QStringLiteral("ungültig")));
    };
    grid->OnSetEllipsis = [grid, &window](QObject*, int32_t c, int32_t r) {
        bool ok = false;
        const QString text = QInputDialog::getText(&window, QStringLiteral("Notiz"), QStringLiteral("Notiz:"),
                                                   QLineEdit::Normal, grid->Cells(c, r), &ok);
        if (ok)
            grid->setCells(c, r, text);
    };
    grid->OnRowSelected = [grid, status](QObject*) {
        status->setText(QStringLiteral("Ausgewählt: %1").arg(grid->SelectedRows()->CommaText()));
    };

    auto* menu = new QMenu(&window);
    QAction* remove = menu->addAction(QStringLiteral("Zeile entfernen"));
    QObject::connect(remove, &QAction::triggered, grid, [grid] { grid->DeleteRow(grid->Row()); });
    grid->setPopupMenu(menu);

    QObject::connect(multi, &QCheckBox::toggled, grid, [grid](bool on) {
        grid->setMultiSelect(on);
        if (!on)
            grid->setOptions(grid->Options() & ~TGridOptions(goRowSelect | goRangeSelect));
    });

    window.resize(640, 520);
    window.show();
    grid->setFocus();
    grid->MoveTo(ColClass, 2, true);
    if (quitAfter > 0)
        QTimer::singleShot(quitAfter, qApp, &QApplication::quit);
    return qApp->exec();
}
