#pragma once

#include "grids/PackedRow.h"
#include "grids/TMyDrawGrid.h"
#include "grids/TMyStringGridStrings.h"
#include "grids/TSparseList.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <memory>

/// The string grid: a draw grid that keeps a text and an untyped object pointer per cell in sparse
/// storage, so only written cells cost memory: a sparse list of rows, each row's cells packed into
/// one block (PackedRow). Cells outside the current counts stay stored and show again when the grid
/// grows. Rows and columns are also offered as string-list views.
class TMyStringGrid : public TMyDrawGrid {
    Q_OBJECT

public:
    /// Creates an empty string grid.
    explicit TMyStringGrid(QWidget* parent = nullptr);
    ~TMyStringGrid() override;

    /// Text of a cell (empty when never written). A negative row raises EListError.
    QString Cells(int32_t ACol, int32_t ARow) const;
    /// Text of a cell like `Cells`, without copying it: valid until the next change of that row.
    QStringView CellText(int32_t ACol, int32_t ARow) const;
    /// Writes the text of a cell and repaints it (or marks the grid for one repaint while a view's
    /// update bracket is open).
    void setCells(int32_t ACol, int32_t ARow, const QString& Value);
    /// Object pointer of a cell (null when none); the grid does not own it.
    void* Objects(int32_t ACol, int32_t ARow) const;
    /// Sets the object pointer of a cell.
    void setObjects(int32_t ACol, int32_t ARow, void* Value);
    /// Row ARow as a string list (created on first use, owned by the grid).
    TStrings* Rows(int32_t ARow);
    /// Copies a string list into row ARow (see TMyStringGridStrings::Assign).
    void setRows(int32_t ARow, const TStrings& Value);
    /// Column ACol as a string list (created on first use, owned by the grid).
    TStrings* Cols(int32_t ACol);
    /// Copies a string list into column ACol.
    void setCols(int32_t ACol, const TStrings& Value);

    /// Non-zero while the editor's own text is being stored, so the editor is not reloaded.
    int32_t EditRefreshLock() const { return m_editRefreshLock; }

protected:
    /// Writes the cell text (with DefaultDrawing), then lets OnDrawCell draw over it.
    void DrawCell(int32_t ACol, int32_t ARow, const QRect& ARect, TGridDrawState AState) override;
    /// The cell text, passed through OnGetEditText when set.
    QString GetEditText(int32_t ACol, int32_t ARow) override;
    /// Stores the editor's text into the cell, then fires OnSetEditText.
    void SetEditText(int32_t ACol, int32_t ARow, const QString& Value) override;
    /// Moves the cells of every stored row along with the column.
    void ColumnMoved(int32_t FromIndex, int32_t ToIndex) override;
    /// Moves the stored row along with the row.
    void RowMoved(int32_t FromIndex, int32_t ToIndex) override;

    /// Switches bulk update: while on, cell changes only mark the grid; switching it off repaints
    /// the whole grid once if anything changed.
    void SetBulkUpdate(bool Updating);
    /// Repaints a changed cell (or marks the grid during bulk update) and reloads the editor when
    /// the cell is the current one.
    void CellChanged(int32_t ACol, int32_t ARow);
    /// The cells a change of (ACol, ARow) repaints: the cell itself. A descendant that draws a text
    /// on into the following cells widens it.
    virtual TGridRect ChangedCellArea(int32_t ACol, int32_t ARow) const;
    /// Writes the non-empty texts of `Texts` into row ARow from column 0 on, as `setCells` would one
    /// by one, taking the texts over; empty texts leave their cells as they are. For filling many
    /// rows at once: the row's view is made only when asked for (`Rows`).
    void FillRowTexts(int32_t ARow, QStringList&& Texts);
    /// FillRowTexts for texts already in a packed block: a row without storage takes the block over
    /// as it is; otherwise its texts are written and the block is freed. Takes ownership of `Cells`.
    void FillRowTexts(int32_t ARow, PackedRow* Cells);

    /// The stored rows (entry = a row's PackedRow), for inspection by descendants.
    const TSparseList& RowData() const { return *m_rowData; }
    /// The stored cells of row ARow, null when the row holds no data. A negative row raises
    /// EListError.
    const PackedRow* StoredRow(int32_t ARow) const {
        return static_cast<const PackedRow*>(m_rowData->ItemAt(ARow));
    }
    /// The row views created so far.
    const TSparseList& RowViews() const { return *m_rowViews; }
    /// The column views created so far.
    const TSparseList& ColViews() const { return *m_colViews; }

private:
    friend class TMyStringGridStrings;

    /// The stored row ARow, made (without cells) when it has none yet.
    PackedRow* RowCellsFor(int32_t ARow);
    /// Stores a row's block after a change that may have moved it.
    void StoreRow(int32_t ARow, PackedRow* before, PackedRow* after);
    TMyStringGridStrings* ViewFor(int32_t i, bool isCol);

    std::unique_ptr<TSparseList> m_colViews;
    std::unique_ptr<TSparseList> m_rowViews;
    std::unique_ptr<TSparseList> m_rowData;
    bool m_bulkUpdate = false;
    bool m_needsRepaint = false;
    int32_t m_editRefreshLock = 0;
};
