#pragma once

#include "grids/TSparsePointerArray.h"

/// A counted list of untyped pointers over a sparse pointer array. Negative indices raise
/// EListError; reads past Count give null. It owns nothing its entries point to.
class TSparseList {
public:
    /// Creates an empty list with the given section size.
    explicit TSparseList(TSparseQuantum quantum);
    ~TSparseList();
    TSparseList(const TSparseList&) = delete;
    TSparseList& operator=(const TSparseList&) = delete;

    /// The entry at index (null when none).
    void* ItemAt(int32_t index) const;
    /// Stores p at index; Count becomes one past the highest non-null entry.
    void SetItemAt(int32_t index, void* p);
    /// Starts loading one level of what ItemAt(index) reads: depth 0 the array behind the list,
    /// 1 to 3 the depths 0 to 2 of TSparsePointerArray::Prefetch.
    void Prefetch(int32_t index, int depth) const {
        if (depth <= 0)
            __builtin_prefetch(&m_list);
        else
            m_list.Prefetch(index, depth - 1);
    }
    /// Shifts the entries from index on up by one and stores p at index.
    void InsertAt(int32_t index, void* p);
    /// Shifts the entries after index down by one; an index outside 0..Count-1 does nothing.
    /// The entry at index is overwritten, not freed.
    void DeleteAt(int32_t index);
    /// Swaps two entries.
    void Swap(int32_t index1, int32_t index2);
    /// Moves the entry at fromIndex to toIndex, shifting those in between.
    void MoveItem(int32_t fromIndex, int32_t toIndex);
    /// Empties the list (entries are not freed) and releases its sections.
    void Clear();
    /// Number of entries.
    int32_t Count() const { return m_count; }
    /// Calls apply for every non-null entry in ascending order (see TSparsePointerArray::ForEach).
    int ForEach(const TSparsePointerArray::TSPAApply& apply) const { return m_list.ForEach(apply); }
    /// The underlying array (for inspection).
    const TSparsePointerArray& Array() const { return m_list; }

private:
    // Held in place: a grid keeps one list per stored row, and each allocation counts when a
    // protocol of 100,000 rows is loaded.
    TSparsePointerArray m_list;
    int32_t m_count = 0;
};
