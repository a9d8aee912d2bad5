#include "sortgrid/TFontList.h"

#include "core/EListError.h"

#include <algorithm>

void TFontList::checkIndex(int i) const {
    if (i < 0 || i >= Count())
        throw EListError::IndexOutOfBounds(i);
}

TFontSetting* TFontList::Items(int i) const {
    checkIndex(i);
    return m_items[size_t(i)];
}

TFontSetting* TFontList::Add() {
    // Room first, so that a failure leaves the list as it was.
    if (m_items.size() == m_items.capacity())
        m_items.reserve(std::max<size_t>(16, m_items.capacity() * 2));
    TFontSetting* setting = nullptr;
    if (!m_free.empty()) {
        setting = m_free.back();
        *setting = TFontSetting();
        m_free.pop_back();
    } else {
        setting = &m_store.emplace_back();
    }
    m_items.push_back(setting);
    return setting;
}

void TFontList::Delete(int i) {
    checkIndex(i);
    m_free.push_back(m_items[size_t(i)]);
    m_items.erase(m_items.begin() + i);
}

void TFontList::Clear() {
    m_items.clear();
    m_free.clear();
    m_store.clear();
}

void TFontList::Exchange(int a, int b) {
    checkIndex(a);
    checkIndex(b);
    std::swap(m_items[size_t(a)], m_items[size_t(b)]);
}

void TFontList::Move(int from, int to) {
    checkIndex(from);
    checkIndex(to);
    if (from == to)
        return;
    TFontSetting* item = m_items[size_t(from)];
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, item);
}

void ResizeFormatList(TFontList& List, int N) {
    for (; N > 0; --N)
        List.Add();
    for (; N < 0 && List.Count() > 0; ++N)
        List.Delete(List.Count() - 1);
}
