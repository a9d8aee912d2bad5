#include "grids/TMyStringGridStrings.h"

#include "core/EInvalidGridOperation.h"
#include "grids/TMyStringGrid.h"

#include <algorithm>
#include <vector>

namespace {
[[noreturn]] void refuseInsertDelete() {
    throw EInvalidGridOperation(QStringLiteral("Cannot insert or delete rows from grid"));
}
} // namespace

TMyStringGridStrings::TMyStringGridStrings(TMyStringGrid* AGrid, int32_t AIndex)
    : m_grid(AGrid), m_index(AIndex) {}

TMyStringGridStrings::~TMyStringGridStrings() = default;

TMyStringGridStrings::Cell TMyStringGridStrings::cellOf(int i) const {
    if (m_index > 0)
        return {i, m_index - 1};
    if (m_index < 0)
        return {-m_index - 1, i};
    return {-1, -1};
}

int TMyStringGridStrings::GetCount() const {
    if (m_index > 0)
        return m_grid->ColCount();
    if (m_index < 0)
        return m_grid->RowCount();
    return 0;
}

QString TMyStringGridStrings::Get(int i) const {
    const Cell c = cellOf(i);
    return c.col < 0 ? QString() : m_grid->Cells(c.col, c.row);
}

void* TMyStringGridStrings::GetObject(int i) const {
    const Cell c = cellOf(i);
    return c.col < 0 ? nullptr : m_grid->Objects(c.col, c.row);
}

void TMyStringGridStrings::Put(int i, const QString& s) {
    const Cell c = cellOf(i);
    m_grid->setCells(c.col, c.row, s);
}

void TMyStringGridStrings::PutObject(int i, void* o) {
    const Cell c = cellOf(i);
    m_grid->setObjects(c.col, c.row, o);
}

int TMyStringGridStrings::Add(const QString& S) {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        if (Get(i).isEmpty()) {
            Put(i, S.isEmpty() ? QStringLiteral(" ") : S);
            return i;
        }
    }
    return -1;
}

void TMyStringGridStrings::Assign(const TStrings& Source) {
    BeginUpdate();
    try {
        const int n = std::min(Source.Count(), Count());
        for (int i = 0; i < n; ++i) {
            Put(i, Source.Strings(i));
            PutObject(i, Source.Objects(i));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TMyStringGridStrings::Clear() {
    if (m_index > 0) {
        const int32_t row = m_index - 1;
        // Collected first: each write below changes the row list being walked.
        std::vector<int32_t> columns;
        if (const PackedRow* cells = m_grid->StoredRow(row)) {
            for (int32_t col = 0; col < cells->count(); ++col)
                if (!cells->isEmpty(col))
                    columns.push_back(col);
        }
        for (int32_t col : columns) {
            m_grid->setObjects(col, row, nullptr);
            m_grid->setCells(col, row, QString());
        }
    } else if (m_index < 0) {
        for (int i = Count() - 1; i >= 0; --i) {
            PutObject(i, nullptr);
            Put(i, QString());
        }
    }
}

void TMyStringGridStrings::Insert(int, const QString&) {
    refuseInsertDelete();
}

void TMyStringGridStrings::Delete(int) {
    refuseInsertDelete();
}

void TMyStringGridStrings::SetUpdateState(bool updating) {
    m_grid->SetBulkUpdate(updating);
}
