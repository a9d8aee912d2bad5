#pragma once

#include "sortgrid/SortGridTypes.h"

#include <QString>

/// The sorting settings of the protocol grid. The grid owns one and hands it out; callers change
/// its fields one by one.
class TSortOptions {
public:
    /// Comma-separated column numbers used as further sort keys.
    const QString& SecondaryIndex() const { return m_secondaryIndex; }
    /// Sets the further sort keys.
    void setSecondaryIndex(const QString& v) { m_secondaryIndex = v; }
    /// False makes every sort request do nothing.
    bool CanSort() const { return m_canSort; }
    /// Allows or forbids sorting.
    void setCanSort(bool v) { m_canSort = v; }
    /// Comparison style.
    TSortStyle SortStyle() const { return m_sortStyle; }
    /// Sets the comparison style.
    void setSortStyle(TSortStyle v) { m_sortStyle = v; }
    /// True when text comparison respects case.
    bool SortCaseSensitive() const { return m_sortCaseSensitive; }
    /// Sets whether text comparison respects case.
    void setSortCaseSensitive(bool v) { m_sortCaseSensitive = v; }
    /// Column of the last sort request.
    int32_t SortCol() const { return m_sortCol; }
    /// Sets the sort column.
    void setSortCol(int32_t v) { m_sortCol = v; }
    /// Sort direction.
    TSortDirection SortDirection() const { return m_sortDirection; }
    /// Sets the sort direction.
    void setSortDirection(TSortDirection v) { m_sortDirection = v; }
    /// Comparison used by `ssCustom`; cleared after every sort.
    const TCustomCompare& CustomCompare() const { return m_customCompare; }
    /// Sets the comparison used by `ssCustom`.
    void setCustomCompare(TCustomCompare f) { m_customCompare = std::move(f); }
    /// True when every change of the row or column count sorts again.
    bool UpdateOnSizeChange() const { return m_updateOnSizeChange; }
    /// Sets whether count changes sort again.
    void setUpdateOnSizeChange(bool v) { m_updateOnSizeChange = v; }

private:
    QString m_secondaryIndex;
    bool m_canSort = true;
    TSortStyle m_sortStyle = ssNormal;
    bool m_sortCaseSensitive = false;
    int32_t m_sortCol = 0;
    TSortDirection m_sortDirection = sdAscending;
    TCustomCompare m_customCompare;
    bool m_updateOnSizeChange = false;
};
