#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

/// Section size of a sparse container: 16 or 256 pointer slots per section.
enum class TSparseQuantum { QuantumSmall, QuantumLarge };

/// A two-level sparse array of untyped pointers: a growable directory of fixed-size sections that
/// are allocated only where a non-null pointer is written. It never owns what the pointers point to.
/// Reads go through a one-entry cache, so even a read changes state: not for use across threads.
class TSparsePointerArray {
public:
    /// Callback for ForEach: (index, pointer) -> 0 to go on, anything else to stop with that value.
    using TSPAApply = std::function<int(int32_t Index, void* Item)>;

    /// Creates an empty array with the given section size.
    explicit TSparsePointerArray(TSparseQuantum quantum);
    ~TSparsePointerArray();
    TSparsePointerArray(const TSparsePointerArray&) = delete;
    TSparsePointerArray& operator=(const TSparsePointerArray&) = delete;

    /// The pointer at index, null where nothing was written (negative indices included).
    void* ReadAt(int32_t index) const;
    /// The address of the slot for index, making room for it. An index past the container's limit
    /// raises EListError.
    void** SlotFor(int32_t index);
    /// Stores p at index; writing null to an empty slot allocates nothing.
    void WriteAt(int32_t index, void* p);
    /// Forgets every entry and releases all sections.
    void Clear();
    /// Calls apply for every non-null entry in ascending index order; returns the first non-zero
    /// result, or 0.
    int ForEach(const TSPAApply& apply) const;
    /// Starts loading, without waiting for it, one level of what ReadAt(index) reads: depth 0 the
    /// directory entry, 1 the slot, 2 what the slot points to. Each depth reads the levels above it,
    /// so a loop over many containers issues the depths one after the other, some entries apart,
    /// and waits for none of them. Never changes the read cache.
    void Prefetch(int32_t index, int depth) const {
        const uint32_t sectionNo = static_cast<uint32_t>(index) >> m_sectionShift;
        if (index < 0 || sectionNo >= m_directorySize)
            return;
        const auto& entry = entryAt(sectionNo);
        if (depth <= 0) {
            __builtin_prefetch(&entry);
            return;
        }
        void* const* section = entry.get();
        if (!section)
            return;
        void* const* slot = &section[static_cast<uint32_t>(index) & m_indexMask];
        if (depth == 1)
            __builtin_prefetch(slot);
        else if (*slot)
            __builtin_prefetch(*slot);
    }
    /// The highest index holding a non-null pointer, -1 when empty.
    int32_t HighestIndex() const { return m_highestIndex; }

    /// Slots per section (16 or 256).
    uint16_t SectionSize() const { return m_sectionSize; }
    /// Number of directory entries.
    uint16_t SlotCount() const { return static_cast<uint16_t>(m_directorySize); }
    /// Number of sections allocated so far.
    int SectionCount() const;
    /// The largest index the container can hold.
    int32_t MaxIndex() const;

private:
    using Section = std::unique_ptr<void*[]>;
    void recomputeHighestBelow(int32_t index);
    /// Directory entry sectionNo (below m_directorySize).
    const Section& entryAt(uint32_t sectionNo) const {
        return sectionNo == 0 ? m_firstSection : m_moreSections[sectionNo - 1];
    }
    Section& entryAt(uint32_t sectionNo) {
        return sectionNo == 0 ? m_firstSection : m_moreSections[sectionNo - 1];
    }

    // The directory's first entry is kept in place: most arrays (a grid row's cells) never need a
    // second section, and a directory of one entry on the heap cost an allocation per row.
    Section m_firstSection;
    std::vector<Section> m_moreSections;
    uint32_t m_directorySize = 0;
    uint16_t m_indexMask;
    uint16_t m_sectionShift;
    uint16_t m_sectionSize;
    int32_t m_highestIndex = -1;
    mutable int32_t m_cacheIndex = -1;
    mutable void* m_cacheValue = nullptr;
};
