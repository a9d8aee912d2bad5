#include "sortgrid/TFontList.h"

#include "core/EListError.h"

#include <algorithm>

void TFontList::checkIndex(int i) const {
    if (i < 0 || i >= Count())
        throw EListError::IndexOutOfBounds(i);
}

TFontSetting* TFontList::Items(int i) const {
    checkIndex(i);
    return m_items[size_t(i)].get();
}

TFontSetting* TFontList::Add() {
    m_items.push_back(std::make_unique<TFontSetting>());
    return m_items.back().get();
}

void TFontList::Delete(int i) {
    checkIndex(i);
    m_items.erase(m_items.begin() + i);
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
    auto item = std::move(m_items[size_t(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(item));
}

void ResizeFormatList(TFontList& List, int N) {
    for (; N > 0; --N)
        List.Add();
    for (; N < 0 && List.Count() > 0; ++N)
        List.Delete(List.Count() - 1);
}
