#include "grids/TSparseList.h"

#include "core/EListError.h"

TSparseList::TSparseList(TSparseQuantum quantum) : m_list(quantum) {}

TSparseList::~TSparseList() = default;

void* TSparseList::ItemAt(int32_t index) const {
    if (index < 0)
        throw EListError::IndexOutOfBounds(index);
    return m_list.ReadAt(index);
}

void TSparseList::SetItemAt(int32_t index, void* p) {
    if (index < 0)
        throw EListError::IndexOutOfBounds(index);
    m_list.WriteAt(index, p);
    m_count = m_list.HighestIndex() + 1;
}

void TSparseList::InsertAt(int32_t index, void* p) {
    if (index < 0)
        throw EListError::IndexOutOfBounds(index);
    // Make sure the last slot can be created before anything moves.
    if (m_count > m_list.MaxIndex() || index > m_list.MaxIndex())
        throw EListError::IndexOutOfBounds(std::max(index, m_count));
    for (int32_t j = m_count; j > index; --j)
        m_list.WriteAt(j, m_list.ReadAt(j - 1));
    m_list.WriteAt(index, p);
    if (m_count < index)
        m_count = index;
    ++m_count;
}

void TSparseList::DeleteAt(int32_t index) {
    if (index < 0 || index >= m_count)
        return;
    for (int32_t j = index; j < m_count - 1; ++j)
        m_list.WriteAt(j, m_list.ReadAt(j + 1));
    m_list.WriteAt(m_count - 1, nullptr);
    --m_count;
}

void TSparseList::Swap(int32_t index1, int32_t index2) {
    void* saved = ItemAt(index1);
    void* other = ItemAt(index2);
    SetItemAt(index1, other);
    SetItemAt(index2, saved);
}

void TSparseList::MoveItem(int32_t fromIndex, int32_t toIndex) {
    if (fromIndex == toIndex)
        return;
    // Both checked first so that a bad target cannot drop the entry taken out.
    void* item = ItemAt(fromIndex);
    if (toIndex < 0)
        throw EListError::IndexOutOfBounds(toIndex);
    DeleteAt(fromIndex);
    InsertAt(toIndex, item);
}

void TSparseList::Clear() {
    m_list.Clear();
    m_count = 0;
}
