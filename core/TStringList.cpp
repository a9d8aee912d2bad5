#include "core/TStringList.h"

#include "core/EListError.h"

TStringList::~TStringList() = default;

void TStringList::checkIndex(int i) const {
    if (i < 0 || i >= static_cast<int>(m_entries.size()))
        throw EListError::IndexOutOfBounds(i);
}

void TStringList::changed() {
    if (UpdateCount() > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) {
        m_changedWhileUpdating = false;
    } else if (m_changedWhileUpdating) {
        m_changedWhileUpdating = false;
        changed();
    }
}

QString TStringList::Get(int i) const {
    checkIndex(i);
    return m_entries[static_cast<size_t>(i)].text;
}

int TStringList::GetCount() const {
    return static_cast<int>(m_entries.size());
}

void TStringList::Put(int i, const QString& s) {
    checkIndex(i);
    m_entries[static_cast<size_t>(i)].text = s;
    changed();
}

void* TStringList::GetObject(int i) const {
    checkIndex(i);
    return m_entries[static_cast<size_t>(i)].object;
}

void TStringList::PutObject(int i, void* o) {
    checkIndex(i);
    m_entries[static_cast<size_t>(i)].object = o;
    changed();
}

void TStringList::Insert(int i, const QString& s) {
    if (i < 0 || i > static_cast<int>(m_entries.size()))
        throw EListError::IndexOutOfBounds(i);
    m_entries.insert(m_entries.begin() + i, Entry{s, nullptr});
    changed();
}

void TStringList::Delete(int i) {
    checkIndex(i);
    m_entries.erase(m_entries.begin() + i);
    changed();
}

void TStringList::Clear() {
    if (m_entries.empty())
        return;
    m_entries.clear();
    changed();
}

void TStringList::Exchange(int a, int b) {
    checkIndex(a);
    checkIndex(b);
    std::swap(m_entries[static_cast<size_t>(a)], m_entries[static_cast<size_t>(b)]);
    changed();
}

void TStringList::Move(int from, int to) {
    if (from == to)
        return;
    checkIndex(from);
    checkIndex(to);
    Entry e = std::move(m_entries[static_cast<size_t>(from)]);
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, std::move(e));
    changed();
}
