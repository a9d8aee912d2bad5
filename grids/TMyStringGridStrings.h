#pragma once

#include "core/TStrings.h"

#include <cstdint>

class TMyStringGrid;

/// A row or a column of a string grid seen as a string list. Entry i is cell (i, row) of a row
/// view or cell (column, i) of a column view; reads and writes go through the grid's cells. A view
/// has as many entries as the grid has columns (row view) or rows (column view) and refuses to
/// insert or delete entries. An update bracket on a view holds the grid's repaints until it ends.
class TMyStringGridStrings : public TStrings {
public:
    /// Creates the view of grid line index: k > 0 is row k - 1, k < 0 is column -k - 1, 0 is none.
    TMyStringGridStrings(TMyStringGrid* AGrid, int32_t AIndex);
    ~TMyStringGridStrings() override;

    /// Writes S (a single blank when S is empty) into the first entry with an empty text and returns
    /// its index; returns -1 and changes nothing when no entry is empty.
    int Add(const QString& S) override;
    /// Copies texts and objects of the first min(Source.Count, Count) entries; later entries stay.
    void Assign(const TStrings& Source) override;
    /// Empties every cell of the line (text and object).
    void Clear() override;
    /// Refused with EInvalidGridOperation: the grid's counts change only through the grid.
    void Insert(int i, const QString& s) override;
    /// Refused with EInvalidGridOperation: the grid's counts change only through the grid.
    void Delete(int i) override;

    /// The grid the view belongs to.
    TMyStringGrid* Grid() const { return m_grid; }
    /// The line code: k > 0 row k - 1, k < 0 column -k - 1, 0 none.
    int32_t Index() const { return m_index; }

protected:
    QString Get(int i) const override;
    int GetCount() const override;
    void Put(int i, const QString& s) override;
    void* GetObject(int i) const override;
    void PutObject(int i, void* o) override;
    void SetUpdateState(bool updating) override;

private:
    struct Cell {
        int32_t col;
        int32_t row;
    };
    Cell cellOf(int i) const;

    TMyStringGrid* m_grid;
    int32_t m_index;
};
