#include "grids/TSparsePointerArray.h"

#include "core/EListError.h"

namespace {
// The directory is addressed with 16 bits: 65,535 sections at most.
constexpr uint32_t MaxSections = 0xFFFF;
} // namespace

TSparsePointerArray::TSparsePointerArray(TSparseQuantum quantum)
    : m_indexMask(quantum == TSparseQuantum::QuantumSmall ? 15 : 255),
      m_sectionShift(quantum == TSparseQuantum::QuantumSmall ? 4 : 8),
      m_sectionSize(quantum == TSparseQuantum::QuantumSmall ? 16 : 256) {}

TSparsePointerArray::~TSparsePointerArray() = default;

int32_t TSparsePointerArray::MaxIndex() const {
    return static_cast<int32_t>(MaxSections * m_sectionSize - 1);
}

int TSparsePointerArray::SectionCount() const {
    int n = 0;
    for (uint32_t sectionNo = 0; sectionNo < m_directorySize; ++sectionNo)
        n += entryAt(sectionNo) ? 1 : 0;
    return n;
}

void TSparsePointerArray::Clear() {
    m_firstSection.reset();
    std::vector<Section>().swap(m_moreSections);
    m_directorySize = 0;
    m_highestIndex = -1;
    m_cacheIndex = -1;
    m_cacheValue = nullptr;
}

void* TSparsePointerArray::ReadAt(int32_t index) const {
    if (index == m_cacheIndex)
        return m_cacheValue;
    const uint32_t sectionNo = static_cast<uint32_t>(index) >> m_sectionShift;
    void* result = nullptr;
    if (sectionNo < m_directorySize) {
        if (void* const* section = entryAt(sectionNo).get())
            result = section[static_cast<uint32_t>(index) & m_indexMask];
    }
    m_cacheIndex = index;
    m_cacheValue = result;
    return result;
}

void** TSparsePointerArray::SlotFor(int32_t index) {
    const uint32_t sectionNo = static_cast<uint32_t>(index) >> m_sectionShift;
    // Truncating the section number to 16 bits would silently alias a far index onto a low one.
    if (sectionNo >= MaxSections)
        throw EListError::IndexOutOfBounds(index);
    if (sectionNo >= m_directorySize) {
        if (sectionNo > 0)
            m_moreSections.resize(sectionNo);
        m_directorySize = sectionNo + 1;
    }
    auto& section = entryAt(sectionNo);
    if (!section)
        section = std::make_unique<void*[]>(m_sectionSize);
    if (index > m_highestIndex)
        m_highestIndex = index;
    // -1 also marks the cache invalid, and a read of -1 answers from the cache: it must find null.
    m_cacheIndex = -1;
    m_cacheValue = nullptr;
    return &section[static_cast<uint32_t>(index) & m_indexMask];
}

void TSparsePointerArray::WriteAt(int32_t index, void* p) {
    if (p == nullptr && ReadAt(index) == nullptr)
        return;
    *SlotFor(index) = p;
    if (p == nullptr && index == m_highestIndex)
        recomputeHighestBelow(index);
}

// Clearing below the highest entry cannot change it, so only clearing the highest entry itself
// needs a search, and that search runs downward from it.
void TSparsePointerArray::recomputeHighestBelow(int32_t index) {
    for (int64_t sectionNo = static_cast<uint32_t>(index) >> m_sectionShift; sectionNo >= 0; --sectionNo) {
        void* const* section = entryAt(static_cast<uint32_t>(sectionNo)).get();
        if (!section)
            continue;
        for (int slot = m_sectionSize - 1; slot >= 0; --slot) {
            if (section[slot]) {
                m_highestIndex = static_cast<int32_t>((sectionNo << m_sectionShift) + slot);
                return;
            }
        }
    }
    m_highestIndex = -1;
}

int TSparsePointerArray::ForEach(const TSPAApply& apply) const {
    for (uint32_t sectionNo = 0; sectionNo < m_directorySize; ++sectionNo) {
        void* const* section = entryAt(sectionNo).get();
        if (!section)
            continue;
        for (uint32_t slot = 0; slot < m_sectionSize; ++slot) {
            if (void* item = section[slot]) {
                if (const int r = apply(static_cast<int32_t>((sectionNo << m_sectionShift) + slot), item))
                    return r;
            }
        }
    }
    return 0;
}
