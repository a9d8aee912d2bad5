#pragma once

#include "core/TStrings.h"
#include "grids/TSparseList.h"

class QDataStream;

/// A string list over a sparse list: only entries with a text or an object cost memory. It keeps
/// one row of a string grid. Reads past Count give empty texts; negative indices raise EListError.
/// Every change but Exchange fires OnChange.
class TStringSparseList : public TStrings {
public:
    /// Name under which the entries are stored with a form ("List").
    static constexpr const char* PropertyName = "List";

    /// Creates an empty list with the given section size.
    explicit TStringSparseList(TSparseQuantum quantum);
    ~TStringSparseList() override;

    void Insert(int i, const QString& s) override;
    void Delete(int i) override;
    void Clear() override;
    void Exchange(int a, int b) override;

    /// Put(i, s) without copying `s`: the text is taken over. For filling many rows at once.
    void TakeText(int i, QString&& s);

    /// Calls apply(index, text, object) for every stored entry in ascending index order; stops at
    /// the first non-zero result and returns it.
    int ForEachItem(const std::function<int(int32_t Index, const QString& Text, void* Object)>& apply) const;
    /// Writes the stored entries: their number, then index and text of each (objects are not kept).
    void WriteList(QDataStream& out) const;
    /// Reads entries written by WriteList and inserts each text at its index. A truncated or
    /// corrupt stream raises EListError and leaves the list unchanged.
    void ReadList(QDataStream& in);
    /// The text of entry i without copying it (an empty text where none is stored); it stays valid
    /// until the entry changes. A negative index raises EListError.
    const QString& TextRef(int i) const;
    /// Starts loading one level of what TextRef(i) reads, without waiting for it: depth 0 the list
    /// itself, 1 to 4 the levels of its storage down to the entry, 5 the characters of the text.
    /// A loop that reads the texts of many rows calls the depths for rows some steps ahead of the
    /// row it reads, so that the memory waits of those rows overlap.
    void PrefetchText(int i, int depth) const {
        if (depth <= 0) {
            __builtin_prefetch(this);
        } else if (depth < PrefetchDepths - 1) {
            m_list.Prefetch(i, depth - 1);
        } else if (i >= 0) {
            if (const CellItem* item = itemAt(i))
                __builtin_prefetch(item->text.constData());
        }
    }
    /// Depths of PrefetchText.
    static constexpr int PrefetchDepths = 6;
    /// The underlying sparse list (for inspection).
    const TSparseList& List() const { return m_list; }

protected:
    QString Get(int i) const override;
    int GetCount() const override;
    void Put(int i, const QString& s) override;
    void* GetObject(int i) const override;
    void PutObject(int i, void* o) override;

private:
    struct CellItem {
        void* object = nullptr;
        QString text;
    };
    CellItem* itemAt(int i) const { return static_cast<CellItem*>(m_list.ItemAt(i)); }
    void changed();
    void freeItems();

    TSparseList m_list;
};
