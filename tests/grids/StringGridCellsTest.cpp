#include "ThrownMessage.h"
#include "core/EInvalidGridOperation.h"
#include "core/EListError.h"
#include "core/TStringList.h"
#include "grids/TMyStringGrid.h"
#include "testing/RecordingGridCanvas.h"

#include <gtest/gtest.h>

namespace {

// Exposes the protected hooks and watches every invalidated rectangle.
class CellGrid : public TMyStringGrid {
public:
    using TMyStringGrid::ColViews;
    using TMyStringGrid::GetEditText;
    using TMyStringGrid::RowData;
    using TMyStringGrid::RowViews;
    using TMyStringGrid::SetEditText;
    using TMyStringGrid::StoredRow;

    std::vector<QRect> invalidated;
    QRect clientRect() const { return QRect(0, 0, ClientWidth(), ClientHeight()); }

protected:
    void InvalidateRect(const QRect& r) override {
        invalidated.push_back(r);
        TMyStringGrid::InvalidateRect(r);
    }
};

int dummy[8];
void* P(int k) {
    return &dummy[k];
}

QStringList rowTexts(TMyStringGrid& g, int32_t row, int32_t cols) {
    QStringList out;
    for (int32_t c = 0; c < cols; ++c)
        out.append(g.Cells(c, row));
    return out;
}

} // namespace

TEST(StringGridCells, AFreshGridReadsEmptyCellsWithoutCreatingStorage) {
    CellGrid g;
    EXPECT_EQ(g.Cells(3, 4), "");
    EXPECT_EQ(g.Objects(3, 4), nullptr);
    EXPECT_EQ(g.Cells(-1, 2), "") << "a row without data reads empty even for a bad column";
    EXPECT_EQ(g.Cells(100, 100000), "");
    EXPECT_EQ(g.RowData().Count(), 0);
    EXPECT_EQ(g.RowData().Array().SectionCount(), 0);
    EXPECT_EQ(g.RowViews().Count(), 0);
    EXPECT_EQ(g.ColViews().Count(), 0);
    EXPECT_EQ(g.RowData().Array().SectionSize(), 16) << "default counts choose the small quantum";
}

TEST(StringGridCells, WritingACellStoresItAndViewsAreMadeOnceWhenAskedFor) {
    CellGrid g;
    g.setCells(2, 3, "Hans");
    EXPECT_EQ(g.Cells(2, 3), "Hans");
    EXPECT_EQ(g.CellText(2, 3), u"Hans");
    EXPECT_EQ(g.RowData().Count(), 4);
    EXPECT_EQ(g.RowViews().Count(), 0) << "a write makes no view";
    TStrings* row = g.Rows(3);
    TStrings* col = g.Cols(2);
    ASSERT_NE(g.RowViews().ItemAt(3), nullptr);
    ASSERT_NE(g.ColViews().ItemAt(2), nullptr);
    EXPECT_EQ(static_cast<TMyStringGridStrings*>(g.RowViews().ItemAt(3))->Index(), 4);
    EXPECT_EQ(static_cast<TMyStringGridStrings*>(g.ColViews().ItemAt(2))->Index(), -3);
    EXPECT_EQ(g.Rows(3), row) << "views are created once and kept";
    EXPECT_EQ(g.Cols(2), col);
    EXPECT_EQ(row->Strings(2), "Hans");

    // Columns far to the right are stored like any other.
    g.setColCount(600);
    g.setCells(599, 5, "wide");
    g.setColCount(5);
    EXPECT_EQ(g.Cells(599, 5), "wide");
    EXPECT_EQ(g.StoredRow(5)->count(), 600);

    // Cells beyond the counts stay stored.
    g.setCells(7, 9, "far");
    g.setRowCount(2);
    g.setRowCount(12);
    EXPECT_EQ(g.Cells(7, 9), "far");
}

TEST(StringGridCells, EmptyTextRemovesTheCellUnlessItHoldsAnObject) {
    CellGrid g;
    g.setCells(1, 1, "x");
    g.setCells(1, 1, "");
    ASSERT_NE(g.StoredRow(1), nullptr) << "the row keeps its (empty) storage";
    EXPECT_EQ(g.StoredRow(1)->count(), 0);

    g.setObjects(2, 1, P(1));
    g.setCells(2, 1, "y");
    g.setCells(2, 1, "");
    EXPECT_EQ(g.Objects(2, 1), P(1));
    EXPECT_EQ(g.Cells(2, 1), "");
    EXPECT_EQ(g.StoredRow(1)->count(), 3);
}

TEST(StringGridCells, NegativeIndicesRaiseListIndexErrors) {
    CellGrid g;
    EXPECT_EQ(ThrownMessage<EListError>([&] { (void)g.Cells(0, -1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { g.setCells(0, -2, "x"); }), "List index out of bounds (-2)");
    g.setCells(0, 1, "a");
    EXPECT_EQ(ThrownMessage<EListError>([&] { (void)g.Cells(-3, 1); }), "List index out of bounds (-3)");
    EXPECT_EQ(ThrownMessage<EListError>([&] { g.setCells(-1, 1, "x"); }), "List index out of bounds (-1)");
    EXPECT_EQ(g.Cells(0, 1), "a");
}

TEST(StringGridViews, RowAndColumnViewsMapEntriesToCells) {
    CellGrid g;
    g.setColCount(4);
    g.setRowCount(6);
    TStrings* col = g.Cols(2);
    EXPECT_EQ(col->Count(), 6);
    for (int i = 0; i < col->Count(); ++i)
        EXPECT_EQ(col->Strings(i), "");

    TStrings* row = g.Rows(1);
    EXPECT_EQ(row->Count(), 4);
    row->setStrings(2, "r1c2");
    row->setObjects(3, P(2));
    EXPECT_EQ(g.Cells(2, 1), "r1c2");
    EXPECT_EQ(g.Objects(3, 1), P(2));
    EXPECT_EQ(col->Strings(1), "r1c2");
    col->setStrings(5, "r5c2");
    EXPECT_EQ(g.Cells(2, 5), "r5c2");
    EXPECT_EQ(g.Cols(2)->CommaText(), ",r1c2,,,,r5c2");
}

TEST(StringGridViews, AddFillsTheFirstEmptyEntry) {
    CellGrid g;
    g.setColCount(3);
    TStrings* row = g.Rows(0);
    g.setCells(0, 0, "a");
    EXPECT_EQ(row->Add("b"), 1);
    EXPECT_EQ(row->AddObject("c", P(3)), 2);
    EXPECT_EQ(g.Objects(2, 0), P(3));
    EXPECT_EQ(row->Add("d"), -1);
    EXPECT_EQ(row->AddObject("d", P(4)), -1);
    EXPECT_EQ(rowTexts(g, 0, 3), (QStringList{"a", "b", "c"}));

    TStrings* other = g.Rows(2);
    EXPECT_EQ(other->Add(""), 0);
    EXPECT_EQ(g.Cells(0, 2), " ") << "an empty text is stored as one blank so the entry counts as used";
}

TEST(StringGridViews, InsertingOrDeletingThroughAViewIsRefused) {
    CellGrid g;
    g.setCells(0, 0, "x");
    const QString msg = "Cannot insert or delete rows from grid";
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.Rows(0)->Insert(0, "a"); }), msg);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.Rows(0)->Delete(0); }), msg);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.Cols(0)->Delete(0); }), msg);
    EXPECT_EQ(ThrownMessage<EInvalidGridOperation>([&] { g.Rows(0)->Move(0, 1); }), msg);
    EXPECT_EQ(g.Cells(0, 0), "x");
    EXPECT_EQ(g.RowCount(), 5);
}

TEST(StringGridViews, ClearEmptiesTextsAndObjectsOfTheLine) {
    CellGrid g;
    for (int c = 0; c < 5; ++c) {
        g.setCells(c, 1, QString("r1c%1").arg(c));
        g.setCells(c, 2, QString("r2c%1").arg(c));
    }
    g.setObjects(3, 1, P(1));
    g.setCells(20, 1, "outside the count");
    g.Rows(1)->Clear();
    EXPECT_EQ(g.StoredRow(1)->count(), 0)
        << "every stored cell of the row is gone, including those past ColCount";
    EXPECT_EQ(g.Cells(0, 2), "r2c0");

    g.Cols(4)->Clear();
    EXPECT_EQ(g.Cells(4, 2), "");
    EXPECT_EQ(g.Cells(3, 2), "r2c3");
}

TEST(StringGridViews, AssignCopiesAsManyEntriesAsBothHold) {
    CellGrid g;
    g.setColCount(3);
    g.setCells(2, 0, "stays");
    TStringList src;
    src.AddObject("a", P(1));
    src.Add("b");
    g.setRows(0, src);
    EXPECT_EQ(rowTexts(g, 0, 3), (QStringList{"a", "b", "stays"}));
    EXPECT_EQ(g.Objects(0, 0), P(1));

    TStringList longer;
    longer.setCommaText("1,2,3,4,5");
    g.Rows(1)->Assign(longer);
    EXPECT_EQ(rowTexts(g, 1, 4), (QStringList{"1", "2", "3", ""}));
}

TEST(StringGridViews, AnUpdateBracketDefersRepaintingToOneWholeGridRepaint) {
    CellGrid g;
    g.resize(400, 300);
    g.setCells(1, 1, "a");
    ASSERT_EQ(g.invalidated.size(), 1u) << "a plain write repaints its cell";
    EXPECT_EQ(g.invalidated[0], g.CellRect(1, 1).adjusted(0, 0, 1, 1));

    g.invalidated.clear();
    TStrings* row = g.Rows(2);
    row->BeginUpdate();
    row->setStrings(1, "x");
    row->setStrings(2, "y");
    g.setCells(3, 3, "z");
    EXPECT_TRUE(g.invalidated.empty());
    row->EndUpdate();
    ASSERT_EQ(g.invalidated.size(), 1u);
    EXPECT_EQ(g.invalidated[0], g.clientRect());

    g.invalidated.clear();
    row->BeginUpdate();
    row->EndUpdate();
    EXPECT_TRUE(g.invalidated.empty()) << "no change, no repaint";

    // A failing assign still closes the bracket and performs the pending repaint.
    class Failing : public TStringList {
    protected:
        QString Get(int i) const override {
            if (i == 1)
                throw EListError("broken source");
            return TStringList::Get(i);
        }
    } failing;
    failing.Add("p");
    failing.Add("q");
    EXPECT_THROW(g.Rows(4)->Assign(failing), EListError);
    EXPECT_EQ(g.Cells(0, 4), "p");
    ASSERT_EQ(g.invalidated.size(), 1u);
    EXPECT_EQ(g.invalidated[0], g.clientRect());
    g.invalidated.clear();
    g.setCells(0, 0, "after");
    EXPECT_EQ(g.invalidated.size(), 1u) << "bulk update is off again";
}

TEST(StringGridCells, MovingAColumnMovesTheCellsOfEveryStoredRow) {
    CellGrid g;
    g.setCells(0, 1, "x");
    g.setCells(1, 1, "y");
    g.setCells(2, 1, "z");
    g.setObjects(0, 1, P(5));
    g.setCells(4, 3, "last");
    std::vector<std::pair<int, int>> fired;
    g.OnColumnMoved = [&](QObject*, int32_t from, int32_t to) {
        if (fired.empty()) {
            EXPECT_EQ(g.Cells(2, 1), "x") << "data is moved before the event";
        }
        fired.emplace_back(from, to);
    };
    g.MoveColumn(0, 2);
    EXPECT_EQ(rowTexts(g, 1, 3), (QStringList{"y", "z", "x"}));
    EXPECT_EQ(g.Objects(2, 1), P(5));
    EXPECT_EQ(rowTexts(g, 3, 5), (QStringList{"", "", "", "", "last"}));
    EXPECT_EQ(g.RowData().ItemAt(2), nullptr) << "rows without data stay without data";
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], std::make_pair(0, 2));

    g.MoveColumn(4, 0);
    EXPECT_EQ(rowTexts(g, 3, 5), (QStringList{"last", "", "", "", ""}));
    EXPECT_EQ(rowTexts(g, 1, 4), (QStringList{"", "y", "z", "x"}));
}

TEST(StringGridCells, MovingARowMovesItsStoredCells) {
    CellGrid g;
    g.setCells(0, 1, "one");
    g.setCells(0, 3, "three");
    int fired = 0;
    g.OnRowMoved = [&](QObject*, int32_t, int32_t) { ++fired; };
    g.MoveRow(1, 4);
    EXPECT_EQ(g.Cells(0, 1), "");
    EXPECT_EQ(g.Cells(0, 2), "three");
    EXPECT_EQ(g.Cells(0, 4), "one");
    EXPECT_EQ(fired, 1);
}

TEST(StringGridCells, EditTextHooksReadAndStoreCellsAndFireTheirEvents) {
    CellGrid g;
    g.setCells(1, 1, "12");
    g.OnGetEditText = [](QObject*, int32_t, int32_t, QString& v) { v += " km/h"; };
    EXPECT_EQ(g.GetEditText(1, 1), "12 km/h");

    std::vector<QString> stored;
    g.OnSetEditText = [&](QObject*, int32_t ACol, int32_t ARow, const QString& v) {
        EXPECT_EQ(g.EditRefreshLock(), 0);
        EXPECT_EQ(g.Cells(ACol, ARow), v);
        stored.push_back(v);
    };
    g.invalidated.clear();
    g.SetEditText(1, 1, "12");
    EXPECT_TRUE(g.invalidated.empty()) << "an unchanged text is not written again";
    g.SetEditText(1, 1, "13");
    EXPECT_EQ(g.Cells(1, 1), "13");
    EXPECT_EQ(stored, (std::vector<QString>{"12", "13"}));

    EXPECT_THROW(g.SetEditText(0, -1, "bad"), EListError);
    EXPECT_EQ(g.EditRefreshLock(), 0) << "the lock is released on failure";
}

TEST(StringGridCells, DefaultDrawingWritesEachCellTextInsideItsCell) {
    CellGrid g;
    g.resize(400, 300);
    g.setCells(0, 0, "Who");
    g.setCells(2, 1, "Hans Müller");
    RecordingGridCanvas canvas;
    g.PaintGrid(canvas);
    bool found = false;
    for (const auto& op : canvas.OpsOf(RecordingGridCanvas::Op::Text)) {
        if (op.text == "Hans Müller") {
            found = true;
            const QRect cell = g.CellRect(2, 1);
            EXPECT_EQ(op.rect, cell);
            EXPECT_EQ(op.at, cell.topLeft() + QPoint(2, 2));
        }
    }
    EXPECT_TRUE(found);

    int drawn = 0;
    g.OnDrawCell = [&](QObject*, int32_t, int32_t, QRect&, TGridDrawState) { ++drawn; };
    g.setDefaultDrawing(false);
    RecordingGridCanvas bare;
    g.PaintGrid(bare);
    EXPECT_TRUE(bare.OpsOf(RecordingGridCanvas::Op::Text).empty());
    EXPECT_GT(drawn, 0) << "OnDrawCell still runs for every cell";
}
