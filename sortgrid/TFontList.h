#pragma once

#include "sortgrid/TFontSetting.h"

#include <memory>
#include <vector>

/// A list of format settings that owns its entries (removing an entry frees it).
class TFontList {
public:
    /// Number of entries.
    int Count() const { return int(m_items.size()); }
    /// Entry `i`; raises EListError outside 0 .. Count − 1.
    TFontSetting* Items(int i) const;
    /// Appends a new default setting and returns it.
    TFontSetting* Add();
    /// Removes and frees entry `i`; raises EListError outside 0 .. Count − 1.
    void Delete(int i);
    /// Removes and frees every entry.
    void Clear() { m_items.clear(); }
    /// Swaps two entries; raises EListError for an index outside the list.
    void Exchange(int a, int b);
    /// Moves entry `from` to position `to`; raises EListError for an index outside the list.
    void Move(int from, int to);

private:
    void checkIndex(int i) const;

    std::vector<std::unique_ptr<TFontSetting>> m_items;
};

/// Grows the list by `N` new default settings (N > 0) or removes its last |N| entries (N < 0), stopping
/// early when the list is empty.
void ResizeFormatList(TFontList& List, int N);
