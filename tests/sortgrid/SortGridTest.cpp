#include "sortgrid/SortGrid.h"
#include "core/EInvalidGridOperation.h"
#include "testing/FakeDialogs.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// Opens the protected hooks that the editor and the foundation call.
class TestGrid : public TSortGrid {
public:
    using TSortGrid::RememberEditCell;
    using TSortGrid::SetEditText;
    using TSortGrid::TextWidth;
    using TSortGrid::TextWidthBound;
    using TSortGrid::ValidateCell;
};

QStringList RowTexts(TSortGrid& g, int32_t row, int32_t cols = -1) {
    QStringList out;
    for (int32_t c = 0; c < (cols < 0 ? g.ColCount() : cols); ++c)
        out << g.Cells(c, row);
    return out;
}

// The protocol grid as the main window sets it up, with a header and unmodified.
class SortGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.setColCount(4);
        g.setRowCount(2);
        g.setDefaultColWidth(60);
        g.setDefaultRowHeight(22);
        g.setOptions(TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing |
                                  goRowSelect));
        g.SortOptions()->setCanSort(false);
        g.SortOptions()->setSortCol(5);
        g.Rows(0)->setCommaText("Who,Time,Speed,Note");
        g.SetModified(false);
        g.OnModified = [this](QObject*) { ++modifiedEvents; };
    }

    void AddRuns(int n) {
        for (int i = 1; i <= n; ++i)
            g.AddRow(QStringList{QString("r%1").arg(i), "t", "s", "n"});
    }

    platform::FakeDialogs dialogs;
    TestGrid g;
    int modifiedEvents = 0;
};

} // namespace

TEST(SortGridNew, StartsWithDefaultOptionsOneFixedRowAndSelectionOnRowOne) {
    platform::FakeDialogs dialogs;
    TSortGrid g;
    const TSortOptions& so = *g.SortOptions();
    EXPECT_TRUE(so.CanSort());
    EXPECT_EQ(so.SortStyle(), ssNormal);
    EXPECT_EQ(so.SortCol(), 0);
    EXPECT_EQ(so.SortDirection(), sdAscending);
    EXPECT_FALSE(so.UpdateOnSizeChange());
    EXPECT_FALSE(so.SortCaseSensitive());
    EXPECT_TRUE(so.SecondaryIndex().isEmpty());
    EXPECT_FALSE(so.CustomCompare());
    const TPrintOptions& po = *g.PrintOptions();
    EXPECT_TRUE(po.JobTitle().isEmpty() && po.PageTitle().isEmpty());
    EXPECT_EQ(po.Copies() + po.PreviewPage() + po.FromRow() + po.ToRow(), 0u);
    EXPECT_EQ(po.PrintRange(), prAll);

    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 0);
    EXPECT_FALSE(g.Modified());
    EXPECT_FALSE(g.HideRows() || g.Filtered() || g.MultiSelect() || g.ExtendedKeys() ||
                 g.ProportionalScrollBars() || g.ColumnFormatsFirst());
    EXPECT_EQ(g.AlignmentHorz(), taLeftJustify);
    EXPECT_EQ(g.AlignmentVert(), taTopJustify);
    EXPECT_EQ(g.BevelStyle(), cbNone);
    EXPECT_EQ(g.UserSettings()->Count(), 0);
    EXPECT_EQ(g.HiddenCount(), 0);
    EXPECT_EQ(g.ColumnFormats()->Count(), g.ColCount());
    EXPECT_EQ(g.RowFormats()->Count(), g.RowCount());
    EXPECT_EQ(g.SelectedRows()->CommaText(), "1");
    EXPECT_EQ(g.AnchorRows()->CommaText(), "1");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(SortGridTest, FormatListsFollowTheCountsOfTheFormDescription) {
    EXPECT_EQ(g.ColumnFormats()->Count(), 4);
    EXPECT_EQ(g.RowFormats()->Count(), 2);
}

TEST_F(SortGridTest, AddRowReusesTheEmptyLastRowThenAppendsAndJumpsToRowOne) {
    g.AddRow(QStringList{"  Nr.:", "12", "", "Max Muster"});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(RowTexts(g, 1), (QStringList{"  Nr.:", "12", "", "Max Muster"}));
    EXPECT_FALSE(g.Modified());
    EXPECT_EQ(modifiedEvents, 0);

    g.AddRow(QStringList{"Start:", "10:00:01"});
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(RowTexts(g, 2), (QStringList{"Start:", "10:00:01", "", ""}));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_TRUE(g.Modified());
    EXPECT_EQ(modifiedEvents, 1);
    EXPECT_EQ(g.RowFormats()->Count(), 3);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(SortGridTest, AddRowLeavesUnwrittenCellsEmptyAlsoWhereADeletedRowWasStored) {
    AddRuns(3);
    g.DeleteRow(2); // row "r2" moves past the end but stays stored
    g.AddRow(QStringList{"a", "b"});
    EXPECT_EQ(RowTexts(g, 3), (QStringList{"a", "b", "", ""}));
    EXPECT_EQ(RowTexts(g, 1, 1) + RowTexts(g, 2, 1), (QStringList{"r1", "r3"}));
}

TEST_F(SortGridTest, ItemsPastTheLastColumnAreStoredButDoNotMakeARowNonEmpty) {
    g.AddRow(QStringList{"", "", "", "", "hidden"});
    EXPECT_EQ(g.Cells(4, 1), "hidden");
    EXPECT_TRUE(g.IsRowEmpty(1));
    g.AddRow(QStringList{"x"});
    EXPECT_EQ(g.RowCount(), 2) << "row 1 counted as empty, so it was reused";
    EXPECT_FALSE(g.IsRowEmpty(1));
    EXPECT_FALSE(g.IsRowEmpty(0));
}

TEST_F(SortGridTest, InsertRowBeforeARowOrAfterTheLastOne) {
    AddRuns(3);
    std::vector<int32_t> inserted;
    g.OnRowInsert = [&](QObject*, int32_t row) { inserted.push_back(row); };

    g.InsertRow(1);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_TRUE(g.IsRowEmpty(1));
    EXPECT_EQ(g.Cells(0, 2), "r1");
    EXPECT_EQ(g.Cells(0, 4), "r3");
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.SelectedRows()->CommaText(), "1");
    EXPECT_EQ(g.AnchorRows()->CommaText(), "1");

    g.InsertRow(g.RowCount() - 1);
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(g.Cells(0, 4), "r3");
    EXPECT_TRUE(g.IsRowEmpty(5));
    EXPECT_EQ(g.Row(), 5);

    // The index of the row about to be added also appends, inside the grid.
    g.InsertRow(g.RowCount());
    EXPECT_EQ(g.RowCount(), 7);
    EXPECT_EQ(g.Row(), 6);
    EXPECT_EQ(inserted, (std::vector<int32_t>{1, 5, 6}));
}

TEST_F(SortGridTest, InsertRowOutsideTheGridRaisesAndChangesNothing) {
    AddRuns(2);
    EXPECT_THROW(g.InsertRow(-1), EInvalidGridOperation);
    EXPECT_THROW(g.InsertRow(5), EInvalidGridOperation);
    EXPECT_EQ(g.RowCount(), 3);
}

TEST_F(SortGridTest, DeleteRowRemovesARowOrBlanksTheOnlyDataRow) {
    AddRuns(3);
    std::vector<int32_t> deleted;
    g.OnRowDelete = [&](QObject*, int32_t row) { deleted.push_back(row); };
    g.SetModified(false);

    g.DeleteRow(2);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cells(0, 2), "r3");
    EXPECT_TRUE(g.Modified());

    g.SetModified(false);
    EXPECT_THROW(g.DeleteRow(3), EInvalidGridOperation);
    EXPECT_FALSE(g.Modified());

    g.DeleteRow(1);
    g.SetModified(false);
    ASSERT_EQ(g.RowCount(), 2);
    g.DeleteRow(3);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_TRUE(g.IsRowEmpty(1));
    EXPECT_EQ(RowTexts(g, 0), (QStringList{"Who", "Time", "Speed", "Note"}));
    EXPECT_TRUE(g.Modified());
    EXPECT_EQ(deleted, (std::vector<int32_t>{2, 1, 3}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(SortGridTest, DeleteRowPutsAnAlwaysShownEditorBack) {
    AddRuns(3);
    g.setOptions(TGridOptions(goEditing | goAlwaysShowEditor));
    TGridOptions during;
    int sizeChanges = 0;
    g.OnSizeChanged = [&](QObject*, int32_t, int32_t) {
        during = g.Options();
        ++sizeChanges;
    };
    g.DeleteRow(1);
    ASSERT_EQ(sizeChanges, 1);
    EXPECT_FALSE(during.testFlag(goAlwaysShowEditor));
    EXPECT_TRUE(g.Options().testFlag(goAlwaysShowEditor));
}

TEST_F(SortGridTest, MovingColumnsKeepsTheSortColumnOnItsData) {
    g.setColCount(5);
    g.SortOptions()->setSortCol(1);
    g.MoveColumn(1, 3);
    EXPECT_EQ(g.SortOptions()->SortCol(), 3);

    g.SortOptions()->setSortCol(1);
    g.MoveColumn(3, 0);
    EXPECT_EQ(g.SortOptions()->SortCol(), 2);

    g.SortOptions()->setSortCol(1);
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.SortOptions()->SortCol(), 0);

    g.SortOptions()->setSortCol(4);
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.SortOptions()->SortCol(), 4);
}

TEST_F(SortGridTest, AColumnMoveCarriesDataAndFormatSettingAndMarksModified) {
    g.ColumnFormats()->Items(0)->setFontColor(clRed);
    g.MoveColumn(0, 2);
    EXPECT_EQ(RowTexts(g, 0), (QStringList{"Time", "Speed", "Who", "Note"}));
    EXPECT_EQ(g.ColumnFormats()->Items(2)->FontColor(), clRed);
    EXPECT_EQ(g.ColumnFormats()->Items(0)->FontColor(), clBlack);
    EXPECT_TRUE(g.Modified());
}

TEST_F(SortGridTest, InsertAndDeleteColumnShiftTheCellsAndFireTheirEvents) {
    AddRuns(1);
    std::vector<int32_t> events;
    g.OnColumnInsert = [&](QObject*, int32_t c) { events.push_back(c); };
    g.OnColumnDelete = [&](QObject*, int32_t c) { events.push_back(-c); };
    g.InsertColumn(1);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(RowTexts(g, 0), (QStringList{"Who", "", "Time", "Speed", "Note"}));
    EXPECT_EQ(RowTexts(g, 1), (QStringList{"r1", "", "t", "s", "n"}));
    EXPECT_EQ(g.Col(), 0) << "goRowSelect keeps the current column at the first one";
    EXPECT_EQ(g.ColumnFormats()->Count(), 5);

    g.DeleteColumn(2);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(RowTexts(g, 0), (QStringList{"Who", "", "Speed", "Note"}));
    EXPECT_EQ(g.Cells(4, 0), "") << "the deleted column's texts are not kept past the end";
    EXPECT_EQ(events, (std::vector<int32_t>{1, -2}));
    EXPECT_THROW(g.DeleteColumn(4), EInvalidGridOperation);
    EXPECT_EQ(g.ColCount(), 4);
}

TEST_F(SortGridTest, ExchangeRowsSwapsTwoRowsAndTheirSettingsAndKeepsTheRest) {
    AddRuns(6);
    for (int r = 1; r <= 6; ++r)
        g.RowFormats()->Items(r)->setFontColor(TColor(r));
    g.ExchangeRows(2, 5);
    QStringList firsts;
    for (int r = 1; r <= 6; ++r) {
        firsts << g.Cells(0, r);
        EXPECT_EQ(g.RowFormats()->Items(r)->FontColor(), TColor(g.Cells(0, r).mid(1).toUInt()));
    }
    EXPECT_EQ(firsts, (QStringList{"r1", "r5", "r3", "r4", "r2", "r6"}));
    g.ExchangeRows(5, 2);
    g.ExchangeRows(3, 3);
    EXPECT_EQ(g.Cells(0, 2), "r2");
    EXPECT_EQ(g.Cells(0, 5), "r5");
    EXPECT_EQ(g.Cells(0, 3), "r3");
}

TEST_F(SortGridTest, AutoSizeColumnFitsTheWidestTextOrTwoLettersWhenEmpty) {
    const QFontMetrics fm(g.font());
    g.setCells(2, 0, "");
    g.AutoSizeColumn(2, false);
    EXPECT_EQ(g.ColWidths(2), fm.horizontalAdvance("xx"));

    g.AddRow(QStringList{"a", "a much longer text"});
    g.AutoSizeColumn(1, false);
    EXPECT_EQ(g.ColWidths(1), fm.horizontalAdvance("X") + fm.horizontalAdvance("a much longer text"));

    // The header counts, with room for the sort indicator in the sort column while sorting is allowed.
    g.SortOptions()->setCanSort(true);
    g.SortOptions()->setSortCol(0);
    g.AutoSizeColumn(0, false);
    EXPECT_EQ(g.ColWidths(0), fm.horizontalAdvance("X") + fm.horizontalAdvance("Who") + 12);

    g.setColWidths(3, -1);
    g.AutoSizeColumn(3, false);
    EXPECT_EQ(g.ColWidths(3), -1);
    g.AutoSizeColumn(3, true);
    EXPECT_EQ(g.ColWidths(3), fm.horizontalAdvance("X") + fm.horizontalAdvance("Note"));
}

TEST_F(SortGridTest, AutoSizeColumnsSizesEveryColumnAsAutoSizeColumnDoes) {
    // All columns are sized in one walk over the rows; the widths must be those of sizing each
    // column on its own, with the header's sort room, an empty column and a column left at -1.
    g.setColCount(5);
    g.AddRow(QStringList{"  Nr.: 7 Jörg", "12,34", "", "Kegel, 2 s"});
    g.AddRow(QStringList{"Stopp:", "a\tb", "", "Łukasz"});
    g.AddRow(QStringList{"W", "1", "", ""});
    g.SortOptions()->setCanSort(true);
    g.SortOptions()->setSortCol(1);
    for (const bool force : {false, true}) {
        auto reset = [&] {
            for (int32_t c = 0; c < g.ColCount(); ++c)
                g.setColWidths(c, 60);
            g.setColWidths(3, -1);
        };
        reset();
        std::vector<int> single;
        for (int32_t c = 0; c < g.ColCount(); ++c) {
            g.AutoSizeColumn(c, force);
            single.push_back(g.ColWidths(c));
        }
        reset();
        g.AutoSizeColumns(force);
        for (int32_t c = 0; c < g.ColCount(); ++c)
            EXPECT_EQ(g.ColWidths(c), single[size_t(c)]) << "column " << c << (force ? " forced" : "");
    }
    EXPECT_EQ(g.ColWidths(3), QFontMetrics(g.font()).horizontalAdvance("X") +
                                  QFontMetrics(g.font()).horizontalAdvance("Kegel, 2 s"));

    // A format handler may give a cell another font; then every cell is measured in its own font.
    QFont big = g.font();
    big.setPixelSize(60);
    g.OnGetCellFormat = [&](QObject*, int32_t, int32_t r, TGridDrawState, TFormatOptions& f, bool&, bool&,
                            bool&) {
        if (r == 2)
            f.Font = big;
    };
    g.AutoSizeColumns(true);
    // "X" is measured in the last row's font, the grid's own.
    EXPECT_EQ(g.ColWidths(0),
              QFontMetrics(g.font()).horizontalAdvance("X") + QFontMetrics(big).horizontalAdvance("Stopp:"));
}

TEST_F(SortGridTest, TextWidthBoundIsTheRoundedSumOfTheAdvancesAndNeverBelowTheWidth) {
    // Sizing skips a text whose bound cannot beat the widest so far, so a bound below the measured
    // width would leave a column too narrow.
    QFont fixed(QStringLiteral("Courier"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPixelSize(16);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(0, 41), latin1(0x20, 0xFF);
    for (const QFont& font : {g.font(), fixed}) {
        const QFontMetricsF fm(font);
        const bool fixedPitch = QFontInfo(font).fixedPitch();
        for (int k = 0; k < 3000; ++k) {
            QString text;
            for (int i = length(rng); i > 0; --i)
                text += QChar(latin1(rng));
            double sum = 0;
            for (QChar c : text)
                sum += fm.horizontalAdvance(c);
            const double rounded = std::floor(sum + 0.5);
            const double bound = g.TextWidthBound(font, text);
            ASSERT_EQ(bound, fixedPitch ? rounded : rounded + 1 + double(text.size() / 8))
                << qPrintable(text);
            ASSERT_GE(bound, g.TextWidth(font, text)) << qPrintable(text);
        }
        for (const QString& unmeasurable : {QStringLiteral("Kegel\t2 s"), QStringLiteral("Łukasz"),
                                            QStringLiteral("abcdefg\n"), QString(QChar(0x20AC))})
            EXPECT_EQ(g.TextWidthBound(font, unmeasurable), -1) << qPrintable(unmeasurable);
    }
}

TEST_F(SortGridTest, ClearKeepsTheHeaderAndLeavesOneEmptyDataRowMarkedModified) {
    AddRuns(4);
    g.RowFormats()->Items(1)->setBold(true);
    g.SetModified(false);
    modifiedEvents = 0;
    int endUpdates = 0, rowSelected = 0;
    std::vector<std::pair<int32_t, int32_t>> sizes;
    g.OnEndUpdate = [&](QObject*) { ++endUpdates; };
    g.OnRowSelected = [&](QObject*) { ++rowSelected; };
    g.OnSizeChanged = [&](QObject*, int32_t c, int32_t r) { sizes.emplace_back(c, r); };

    g.Clear();
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(RowTexts(g, 0), (QStringList{"Who", "Time", "Speed", "Note"}));
    EXPECT_TRUE(g.IsRowEmpty(1));
    for (int r = 2; r <= 4; ++r)
        EXPECT_EQ(g.Cells(0, r), "") << r;
    EXPECT_EQ(g.ColumnFormats()->Count(), 0);
    EXPECT_EQ(g.RowFormats()->Count(), 0);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.SelectedRows()->CommaText(), "1");
    EXPECT_EQ(g.AnchorRows()->CommaText(), "1");
    EXPECT_FALSE(g.NowUpdating());

    // The inner update of the auto-sizing ends the update early, so the final EndUpdate runs the
    // size processing once with unchanged counts.
    EXPECT_TRUE(g.Modified());
    EXPECT_EQ(modifiedEvents, 1);
    EXPECT_EQ(endUpdates, 2);
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{{4, 2}}));
    // Clear reports the selection at its end; each move of the current row on the way does too.
    EXPECT_GE(rowSelected, 1);

    g.AddRow(QStringList{"first"});
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(0, 1), "first");
}

TEST_F(SortGridTest, ClearOfAGridWithoutDataRowsGivesOneEmptyRowAndEndsTheUpdate) {
    g.setRowCount(1);
    ASSERT_EQ(dialogs.messages(), QStringList{"Rowsize too small"});
    g.Clear();
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_FALSE(g.NowUpdating());
    EXPECT_EQ(g.Cells(0, 0), "Who");
    g.AddRow(QStringList{"a"});
    g.AddRow(QStringList{"b"});
    EXPECT_EQ(g.TopRow(), 1) << "the header row is fixed again";
}

TEST_F(SortGridTest, SizeChangedReportsTooFewRowsOncePerChangeAndFiresWithOldCounts) {
    std::vector<std::pair<int32_t, int32_t>> sizes;
    g.OnSizeChanged = [&](QObject*, int32_t c, int32_t r) { sizes.emplace_back(c, r); };
    g.setRowCount(1);
    EXPECT_EQ(dialogs.messages(), QStringList{"Rowsize too small"});
    g.setColCount(6);
    EXPECT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(sizes, (std::vector<std::pair<int32_t, int32_t>>{{4, 2}, {4, 1}}));
    EXPECT_EQ(g.RowFormats()->Count(), 1);
    EXPECT_EQ(g.ColumnFormats()->Count(), 6);
}

TEST_F(SortGridTest, ModifiedFlagFiresOnlyWhenSetAndNotWhileLocked) {
    g.SetModified(true);
    g.SetModified(false);
    EXPECT_EQ(modifiedEvents, 1);
    g.setModifiedLock(true);
    g.SetModified(true);
    EXPECT_FALSE(g.Modified());
    AddRuns(2);
    EXPECT_FALSE(g.Modified());
    EXPECT_EQ(modifiedEvents, 1);
}

TEST_F(SortGridTest, EditedTextMarksModifiedOnlyWhenItDiffers) {
    AddRuns(1);
    g.SetEditText(1, 1, "t");
    EXPECT_FALSE(g.Modified());
    g.SetEditText(1, 1, "12,5");
    EXPECT_TRUE(g.Modified());
    EXPECT_EQ(g.Cells(1, 1), "12,5");
}

TEST_F(SortGridTest, UpdateBracketHoldsResortingAndOneNestedBeginLosesTheSetting) {
    g.SortOptions()->setUpdateOnSizeChange(true);
    int endUpdates = 0;
    g.OnEndUpdate = [&](QObject*) { ++endUpdates; };
    g.BeginUpdate();
    EXPECT_FALSE(g.SortOptions()->UpdateOnSizeChange());
    g.EndUpdate();
    EXPECT_TRUE(g.SortOptions()->UpdateOnSizeChange());

    g.BeginUpdate();
    g.BeginUpdate();
    g.EndUpdate();
    g.EndUpdate();
    EXPECT_FALSE(g.SortOptions()->UpdateOnSizeChange());
    EXPECT_EQ(endUpdates, 3);
}

TEST_F(SortGridTest, SortingIsSkippedEntirelyWhileNotAllowed) {
    AddRuns(3);
    g.setCells(0, 1, "z");
    g.SortByColumn(0);
    EXPECT_EQ(g.SortOptions()->SortCol(), 5);
    EXPECT_EQ(g.Cells(0, 1), "z");
}

TEST_F(SortGridTest, UserSettingsAssignmentTakesTheListAndMarksModified) {
    auto* list = new TStringList;
    list->Add("Lauf 3");
    g.setUserSettings(list);
    EXPECT_EQ(g.UserSettings(), list);
    EXPECT_TRUE(g.Modified());
    g.setUserSettings(nullptr);
    ASSERT_NE(g.UserSettings(), nullptr);
    EXPECT_EQ(g.UserSettings()->Count(), 0);
}

TEST_F(SortGridTest, MoveToClampsSelectsTheRowAndScrollsItToTheSecondVisibleRow) {
    AddRuns(40);
    g.resize(300, 200);
    g.show();
    ASSERT_LT(g.VisibleRowCount(), 30);
    g.SelectedRows()->Add("7");

    g.MoveTo(9, 20, true);
    EXPECT_EQ(g.Row(), 20);
    EXPECT_EQ(g.SelectedRows()->CommaText(), "20");
    EXPECT_EQ(g.AnchorRows()->CommaText(), "20");
    EXPECT_EQ(g.TopRow(), 19);

    g.MoveTo(0, 0, true);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);

    g.ScrollTo(0, 40);
    EXPECT_EQ(g.TopRow(), 41 - g.VisibleRowCount());
    EXPECT_TRUE(g.IsRowSelected(1));
    EXPECT_FALSE(g.IsRowSelected(40));
}

TEST_F(SortGridTest, ValidationRestoresARefusedTextAndTheModifiedFlag) {
    AddRuns(1);
    g.setOptions(TGridOptions(goEditing));
    g.setEditorMode(true);
    g.MoveTo(1, 1, false);
    ASSERT_EQ(g.Col(), 1);
    g.RememberEditCell();

    std::vector<QString> seen;
    bool accept = false;
    g.OnCellValidate = [&](QObject*, int32_t c, int32_t r, const QString& oldV, QString& newV, bool& valid) {
        seen.push_back(QString("%1,%2:%3>%4").arg(c).arg(r).arg(oldV, newV));
        valid = accept;
    };
    g.setCells(1, 1, "wrong");
    g.SetModified(true);
    g.ValidateCell();
    EXPECT_EQ(g.Cells(1, 1), "t");
    EXPECT_FALSE(g.Modified());
    EXPECT_EQ(seen, std::vector<QString>{"1,1:t>wrong"});

    accept = true;
    g.OnCellValidate = [&](QObject*, int32_t, int32_t, const QString&, QString& newV, bool& valid) {
        newV = newV.trimmed();
        valid = accept;
    };
    g.setCells(1, 1, " ok ");
    g.ValidateCell();
    EXPECT_EQ(g.Cells(1, 1), "ok");
}

TEST_F(SortGridTest, MultiSelectSwitchesRowSelectOnButNotOff) {
    g.setOptions(TGridOptions(goFixedHorzLine));
    g.setMultiSelect(true);
    EXPECT_TRUE(g.Options().testFlag(goRowSelect));
    g.setMultiSelect(false);
    EXPECT_TRUE(g.Options().testFlag(goRowSelect));
}
