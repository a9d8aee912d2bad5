#pragma once

#include "sortgrid/TFontSetting.h"

#include <deque>
#include <vector>

/// A list of format settings that owns its entries (removing an entry frees it). An entry keeps its
/// address while it is in the list, whatever is added, removed or moved around it.
class TFontList {
public:
    /// An empty list.
    TFontList() = default;
    TFontList(const TFontList&) = delete;
    TFontList& operator=(const TFontList&) = delete;

    /// Number of entries.
    int Count() const { return int(m_items.size()); }
    /// Entry `i`; raises EListError outside 0 .. Count − 1.
    TFontSetting* Items(int i) const;
    /// Appends a new default setting and returns it.
    TFontSetting* Add();
    /// Removes and frees entry `i`; raises EListError outside 0 .. Count − 1.
    void Delete(int i);
    /// Removes and frees every entry.
    void Clear();
    /// Swaps two entries; raises EListError for an index outside the list.
    void Exchange(int a, int b);
    /// Moves entry `from` to position `to`; raises EListError for an index outside the list.
    void Move(int from, int to);

private:
    void checkIndex(int i) const;

    // A protocol has a setting per row: they live in blocks of many rather than one allocation
    // each; a removed entry's place is taken by the next one added.
    std::vector<TFontSetting*> m_items;
    std::deque<TFontSetting> m_store;
    std::vector<TFontSetting*> m_free;
};

/// Grows the list by `N` new default settings (N > 0) or removes its last |N| entries (N < 0), stopping
/// early when the list is empty.
void ResizeFormatList(TFontList& List, int N);
