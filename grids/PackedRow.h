#pragma once

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <span>

/// The texts and object pointers of one string-grid row in a single block of memory: a small
/// header, the end offset of each cell's text, the object pointers (only once a cell of the row has
/// held one), then the characters of all the row's texts one after the other. A row costs one
/// allocation instead of one per cell and per text.
///
/// Cells from `count()` on are empty, and the cell at `count() - 1` is not (a cell is empty when
/// its text is empty and its object is null). Every change may move the block: the functions that
/// change a row take its address and return the new one. A null row stands for no row at all and is
/// only accepted where said.
class PackedRow {
public:
    /// Depths of `prefetch`.
    static constexpr int PrefetchDepths = 2;

    /// A new row without cells.
    static PackedRow* create();
    /// A new row holding `texts` in cells 0, 1, ... (no objects).
    static PackedRow* fromTexts(std::span<const QStringView> texts);
    /// Frees a row (null is allowed).
    static void destroy(PackedRow* row);

    /// One past the last non-empty cell.
    int32_t count() const { return int32_t(m_count); }
    /// The text of cell `col` (col >= 0), empty past `count()`. Valid until the row changes.
    QStringView text(int32_t col) const {
        if (uint32_t(col) >= m_count)
            return {};
        const uint32_t* ends = endsOf();
        const uint32_t start = col == 0 ? 0 : ends[col - 1];
        return QStringView(charsOf() + start, qsizetype(ends[col] - start));
    }
    /// The object of cell `col` (col >= 0), null past `count()`.
    void* object(int32_t col) const {
        return m_hasObjects && uint32_t(col) < m_count ? objectsOf()[col] : nullptr;
    }
    /// True when cell `col` has neither a text nor an object.
    bool isEmpty(int32_t col) const { return text(col).isEmpty() && !object(col); }

    /// Writes the text of cell `col` (col >= 0); the object stays. `text` must not lie in the row.
    [[nodiscard]] static PackedRow* setText(PackedRow* row, int32_t col, QStringView text);
    /// Writes the object of cell `col` (col >= 0); the text stays.
    [[nodiscard]] static PackedRow* setObject(PackedRow* row, int32_t col, void* object);
    /// Moves cell `from` to `to` as a string list moves an entry: the cells after `from` move down
    /// by one, then those from `to` on move up by one (both >= 0).
    [[nodiscard]] static PackedRow* moveCell(PackedRow* row, int32_t from, int32_t to);

    /// Starts loading, without waiting for it, what `text(col)` reads: depth 0 the block's start, 1
    /// the characters of the cell (which needs the start). A loop over many rows issues the depths
    /// for rows some steps ahead of the one it reads.
    void prefetch(int32_t col, int depth) const {
        if (depth <= 0) {
            __builtin_prefetch(this);
        } else if (uint32_t(col) < m_count) {
            const uint32_t start = col == 0 ? 0 : endsOf()[col - 1];
            __builtin_prefetch(charsOf() + start);
        }
    }

    /// Bytes the block takes (for inspection).
    size_t bytes() const { return bytesFor(m_count, m_hasObjects, m_chars); }

private:
    PackedRow() = default;

    static size_t objectsOffset(uint32_t count) {
        return (sizeof(PackedRow) + 4 * size_t(count) + 7) & ~size_t(7);
    }
    static size_t charsOffset(uint32_t count, bool hasObjects) {
        return hasObjects ? objectsOffset(count) + sizeof(void*) * count
                          : sizeof(PackedRow) + 4 * size_t(count);
    }
    static size_t bytesFor(uint32_t count, bool hasObjects, size_t chars) {
        return charsOffset(count, hasObjects) + 2 * chars;
    }
    static PackedRow* allocate(size_t bytes);

    const uint32_t* endsOf() const { return reinterpret_cast<const uint32_t*>(this + 1); }
    uint32_t* endsOf() { return reinterpret_cast<uint32_t*>(this + 1); }
    void* const* objectsOf() const {
        return reinterpret_cast<void* const*>(reinterpret_cast<const char*>(this) + objectsOffset(m_count));
    }
    void** objectsOf() {
        return reinterpret_cast<void**>(reinterpret_cast<char*>(this) + objectsOffset(m_count));
    }
    const QChar* charsOf() const {
        return reinterpret_cast<const QChar*>(reinterpret_cast<const char*>(this) +
                                              charsOffset(m_count, m_hasObjects));
    }
    QChar* charsOf() {
        return reinterpret_cast<QChar*>(reinterpret_cast<char*>(this) + charsOffset(m_count, m_hasObjects));
    }

    /// Cell `col` replaced by (text, object): in place when the layout stays, else a new block.
    static PackedRow* replace(PackedRow* row, int32_t col, QStringView text, void* object);

    uint32_t m_count = 0;
    uint32_t m_chars = 0;
    uint32_t m_capacity = 0;
    uint32_t m_hasObjects = 0;
};
