#include "app/window/TFormMain.h"
#include "sortgrid/TSortGrid.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class Protocol : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    QStringList row(int r) const {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << form.SortGrid1->Cells(c, r);
        return cells;
    }

    void fullRun(const QString& name, uint32_t startToLap, uint32_t lapToStop) {
        form.editStartN->setText(name);
        form.mStart->Click();
        clock.advance(startToLap);
        form.mLap->Click();
        clock.advance(lapToStop);
        form.mStop->Click();
    }

    platform::FakeClock clock{5000, QDateTime(QDate(2026, 12, 8), QTime(14, 30, 0))};
    platform::FakeDialogs dialogs;
    TFormMain form;
};

} // namespace

TEST_F(Protocol, GridIsSetUpWithTheHeaderAndOneEmptyRow) {
    TSortGrid* g = form.SortGrid1;
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_EQ(row(0), (QStringList{"Who", "Time", "Speed", "Note"}));
    EXPECT_TRUE(g->IsRowEmpty(1));
    EXPECT_TRUE(g->Options().testFlag(goRowSelect));
    EXPECT_TRUE(g->Options().testFlag(goColSizing));
    EXPECT_FALSE(g->Options().testFlag(goEditing));
    EXPECT_EQ(g->ScrollBars(), ssVertical);
    EXPECT_FALSE(g->SortOptions()->CanSort());
    EXPECT_EQ(g->font().pixelSize(), 16);
    EXPECT_FALSE(g->Modified());
}

TEST_F(Protocol, TwoRunsLandInTheGridCellByCell) {
    fullRun(QStringLiteral("Anna"), 5230, 720);
    form.mReset->Click();
    clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(14, 31, 5)));
    fullRun(QStringLiteral("Bert"), 61000, 360);
    form.mReset->Click();

    const QList<QStringList> expected{
        {"  Nr.:", "1", "Anna", ""},
        {"Start:", "  0,00", "", "14:30.00"},
        {"  Lap:", "  5,23", "", ""},
        {"Stopp:", "  5,95", "    50", "10m/0,72c"},
        {"-", "", "", ""},
        {"  Nr.:", "2", "Bert", ""},
        {"Start:", "  0,00", "", "14:31.05"},
        {"  Lap:", " 61,00", "", ""},
        {"Stopp:", " 61,36", "   100", "10m/0,36c"},
        {"-", "", "", ""},
    };
    // The first line fills the empty row 1; every later one is appended.
    ASSERT_EQ(form.SortGrid1->RowCount(), expected.size() + 1);
    for (int r = 0; r < expected.size(); ++r)
        EXPECT_EQ(row(r + 1), expected[r]) << "row " << r + 1;
}

TEST_F(Protocol, FinishedRunIsTheTopRowAndSelectedAsOneBlock) {
    for (int i = 0; i < 6; ++i) {
        fullRun(QStringLiteral("Fahrer %1").arg(i), 1000, 500);
        form.mReset->Click();
    }
    fullRun(QStringLiteral("Letzter"), 1000, 500);
    const int32_t rows = form.SortGrid1->RowCount();
    EXPECT_EQ(rows, 6 * 5 + 4 + 1);
    EXPECT_EQ(form.SortGrid1->TopRow(), rows - 4);
    EXPECT_EQ(form.SortGrid1->Selection(), (TGridRect{0, rows - 4, 3, rows - 1}));
    EXPECT_EQ(form.SortGrid1->Cells(0, rows - 4), QStringLiteral("  Nr.:"));
    EXPECT_EQ(form.SortGrid1->Cells(0, rows - 1), QStringLiteral("Stopp:"));
}

TEST_F(Protocol, ShowLastRunNeverReachesTheHeaderWhenTheProtocolWasClearedDuringTheRun) {
    form.mStart->Click();
    form.SortGrid1->Clear();
    form.mLap->Click();
    form.mStop->Click();
    // Rows: header, "  Lap:", "Stopp:" — fewer than four lines of the run remain.
    ASSERT_EQ(form.SortGrid1->RowCount(), 3);
    EXPECT_EQ(form.SortGrid1->TopRow(), 1);
    EXPECT_EQ(form.SortGrid1->Selection(), (TGridRect{0, 1, 3, 2}));
}

TEST_F(Protocol, ARightClickedLineIsTheOneZeileEntfernenDeletes) {
    TSortGrid* g = form.SortGrid1;
    fullRun(QStringLiteral("Anna"), 1000, 500);
    ASSERT_EQ(g->Selection(), (TGridRect{0, 1, 3, 4}));
    ASSERT_EQ(g->Cells(0, 3), QStringLiteral("  Lap:"));
    QTest::mouseClick(g->viewport(), Qt::RightButton, {}, g->CellRect(0, 3).center());
    EXPECT_TRUE(form.PopupMenu1->isVisible());
    form.PopupMenu1->hide();
    dialogs.answerYesNo(true);
    form.mDeleteLine->trigger();
    ASSERT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("  Nr.:"));
    EXPECT_EQ(g->Cells(0, 2), QStringLiteral("Start:"));
    EXPECT_EQ(g->Cells(0, 3), QStringLiteral("Stopp:"));
}

TEST_F(Protocol, TheLinesOfTheRunUnderWayStayInViewThroughResetAndADeletedLine) {
    TSortGrid* g = form.SortGrid1;
    for (int i = 0; i < 12; ++i) {
        fullRun(QStringLiteral("Fahrer %1").arg(i), 1000, 500);
        form.mReset->Click();
    }
    ASSERT_LT(g->VisibleRowCount(), 40);
    auto inView = [g](int32_t row) { return row >= g->TopRow() && row < g->TopRow() + g->VisibleRowCount(); };
    const int32_t dash = g->RowCount() - 1;
    EXPECT_TRUE(inView(dash)) << "after RESET, top row " << g->TopRow();

    form.editStartN->setText(QStringLiteral("Bert"));
    form.mStart->Click();
    const int32_t nr = g->RowCount() - 2;
    EXPECT_TRUE(inView(nr) && inView(nr + 1)) << "after START, top row " << g->TopRow();

    // The line the operator deletes is replaced in the selection by the one that took its place.
    g->setSelection(TGridRect{0, dash, 3, dash});
    dialogs.answerYesNo(true);
    form.mDeleteLine->trigger();
    EXPECT_EQ(g->Row(), dash);
    EXPECT_EQ(g->Cells(0, dash), QStringLiteral("  Nr.:"));
    EXPECT_TRUE(inView(dash) && inView(dash + 1)) << "after the delete, top row " << g->TopRow();

    form.mLap->Click();
    EXPECT_TRUE(inView(dash) && inView(dash + 2)) << "after LAP, top row " << g->TopRow();
}

TEST_F(Protocol, ColumnWidthsFollowTheWindow) {
    for (int w : {831, 1200, 804}) {
        form.resize(w, 513);
        QCoreApplication::processEvents();
        EXPECT_EQ(form.SortGrid1->ColWidths(0), 64);
        EXPECT_EQ(form.SortGrid1->ColWidths(1), 64);
        EXPECT_EQ(form.SortGrid1->ColWidths(2), 64);
        EXPECT_EQ(form.SortGrid1->ColWidths(3), form.SortGrid1->ClientWidth() - 3 * 64 - 24) << w;
    }
    // The right-hand buttons keep their distance from the caption panel's right edge.
    const int before = form.ProtocolCaption->width() - form.sbSave->x();
    form.resize(1000, 513);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.ProtocolCaption->width() - form.sbSave->x(), before);
    EXPECT_EQ(form.sbCLS->x(), 2);
}

TEST_F(Protocol, ProtocolButtonsAreEnabledWhileTheGridHasDataRowsAndCarryTheirHints) {
    for (QToolButton* b : {form.sbCLS, form.sbLoad, form.sbPrint, form.sbWord, form.sbExcel, form.sbSave})
        EXPECT_TRUE(b->isEnabled());
    form.sbWord->setEnabled(false); // a failed export switches it off; the next update brings it back
    form.UpdateProtocolButtons();
    EXPECT_TRUE(form.sbWord->isEnabled());
    EXPECT_TRUE(form.sbExcel->isEnabled());
    EXPECT_EQ(form.sbCLS->toolTip(), QStringLiteral("Protokoll  löschen"));
    EXPECT_EQ(form.sbLoad->toolTip(), QStringLiteral("Protokoll öffnen"));
    EXPECT_EQ(form.sbSave->toolTip(), QStringLiteral("Protokoll speichern unter"));
    EXPECT_EQ(form.PopupMenu1->actions().size(), 2);
    EXPECT_EQ(form.mDeleteLine->text(), QStringLiteral("Zeile entfernen"));
    EXPECT_EQ(form.Copy1->text(), QStringLiteral("Alles kopieren"));
}

TEST_F(Protocol, TheGridOpensTheContextMenuOverDataRowsButNotOverTheHeader) {
    TSortGrid* g = form.SortGrid1;
    form.AddProtocolRow(QStringLiteral("  Nr.:"), QStringLiteral("7"), QString(), QString());
    QTest::mouseClick(g->viewport(), Qt::RightButton, Qt::NoModifier, g->CellRect(1, 0).center());
    EXPECT_FALSE(form.PopupMenu1->isVisible());
    QTest::mouseClick(g->viewport(), Qt::RightButton, Qt::NoModifier, g->CellRect(1, 1).center());
    EXPECT_TRUE(form.PopupMenu1->isVisible());
    form.PopupMenu1->hide();
    // The window's own column widths hold from the start, not the grid's stretched last column.
    EXPECT_EQ(g->ColWidths(3), g->ClientWidth() - 3 * 64 - 24);
}

TEST_F(Protocol, ProtocolTextIsVerticallyCentredInItsRows) {
    TSortGrid* g = form.SortGrid1;
    form.AddProtocolRow(QStringLiteral("Mg|"), QStringLiteral("Mg|"), QStringLiteral("Mg|"),
                        QStringLiteral("Mg|"));
    form.AddProtocolRow(QStringLiteral("Mg|"), QStringLiteral("Mg|"), QStringLiteral("Mg|"),
                        QStringLiteral("Mg|"));
    const QImage frame = g->viewport()->grab().toImage();
    for (int row : {1, 2}) {
        const QRect cell = g->CellRect(1, row);
        const QRgb background = frame.pixel(cell.right() - 1, cell.top() + 1);
        int first = -1, last = -1;
        // Inside the cell's edges, where a focus rectangle could lie.
        for (int y = cell.top() + 1; y < cell.bottom(); ++y)
            for (int x = cell.left() + 1; x < cell.right() - 1; ++x)
                if (frame.pixel(x, y) != background) {
                    if (first < 0)
                        first = y;
                    last = y;
                    break;
                }
        ASSERT_GE(first, 0) << "no text in row " << row;
        // The ink of a text with capitals, a descender and a bar stands in the middle of the row.
        // Two roundings are allowed for: the text's line box is centred at a whole pixel, and the
        // ink lies in that box where the font puts it, so the margins may differ by two pixels.
        const int above = first - cell.top();
        const int below = cell.bottom() - last;
        EXPECT_LE(std::abs(above - below), 2)
            << "row " << row << ": " << above << " px above the text, " << below << " px below";
    }
}
