#include "grids/PackedRow.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <malloc.h>
#include <new>
#include <vector>

namespace {

struct Cell {
    QStringView text;
    void* object = nullptr;
    bool empty() const { return text.isEmpty() && !object; }
};

// Copies a text's characters (an empty view may have no address at all).
void copyChars(QChar* to, QStringView text) {
    if (!text.isEmpty())
        std::memcpy(to, text.data(), size_t(text.size()) * sizeof(QChar));
}

uint32_t checkedChars(size_t chars) {
    if (chars > std::numeric_limits<uint32_t>::max())
        throw std::bad_alloc();
    return uint32_t(chars);
}

} // namespace

PackedRow* PackedRow::allocate(size_t bytes) {
    void* p = std::malloc(bytes);
    if (!p)
        throw std::bad_alloc();
    auto* row = new (p) PackedRow;
    // What the allocator rounded up to is room for growing in place.
    row->m_capacity = uint32_t(std::min<size_t>(malloc_usable_size(p), std::numeric_limits<uint32_t>::max()));
    return row;
}

PackedRow* PackedRow::create() {
    return allocate(sizeof(PackedRow));
}

void PackedRow::destroy(PackedRow* row) {
    std::free(row);
}

PackedRow* PackedRow::fromTexts(std::span<const QStringView> texts) {
    uint32_t count = uint32_t(texts.size());
    while (count > 0 && texts[count - 1].isEmpty())
        --count;
    size_t chars = 0;
    for (uint32_t i = 0; i < count; ++i)
        chars += size_t(texts[i].size());
    PackedRow* row = allocate(bytesFor(count, false, checkedChars(chars)));
    row->m_count = count;
    row->m_chars = uint32_t(chars);
    uint32_t* ends = row->endsOf();
    QChar* out = row->charsOf();
    uint32_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const QStringView t = texts[i];
        copyChars(out + pos, t);
        pos += uint32_t(t.size());
        ends[i] = pos;
    }
    return row;
}

PackedRow* PackedRow::setText(PackedRow* row, int32_t col, QStringView text) {
    return replace(row, col, text, row->object(col));
}

PackedRow* PackedRow::setObject(PackedRow* row, int32_t col, void* object) {
    if (object == row->object(col))
        return row;
    // The text is copied first: a new block may replace the one it lies in.
    const QString text = row->text(col).toString();
    return replace(row, col, text, object);
}

PackedRow* PackedRow::replace(PackedRow* row, int32_t col, QStringView text, void* object) {
    const uint32_t c = uint32_t(col);
    const uint32_t oldCount = row->m_count;
    const bool nowEmpty = text.isEmpty() && !object;
    if (nowEmpty && c >= oldCount)
        return row;
    uint32_t newCount = std::max(oldCount, c + 1);
    if (nowEmpty)
        while (newCount > 0 && (newCount - 1 == c || row->isEmpty(int32_t(newCount - 1))))
            --newCount;
    const bool hadObjects = row->m_hasObjects != 0;
    const bool hasObjects = hadObjects || object;
    const uint32_t oldLen = uint32_t(row->text(col).size());
    const uint32_t oldChars = row->m_chars;
    const uint32_t newChars = checkedChars(size_t(oldChars) - oldLen + size_t(text.size()));
    const size_t bytes = bytesFor(newCount, hasObjects, newChars);

    if (newCount == oldCount && hasObjects == hadObjects && bytes <= row->m_capacity) {
        // Same cells, same layout: only the characters after the cell move.
        uint32_t* ends = row->endsOf();
        QChar* chars = row->charsOf();
        const uint32_t start = c == 0 ? 0 : ends[c - 1];
        const uint32_t oldEnd = ends[c];
        std::memmove(chars + start + text.size(), chars + oldEnd, size_t(oldChars - oldEnd) * sizeof(QChar));
        copyChars(chars + start, text);
        for (uint32_t i = c; i < oldCount; ++i)
            ends[i] = ends[i] - oldLen + uint32_t(text.size());
        row->m_chars = newChars;
        if (hasObjects)
            row->objectsOf()[c] = object;
        return row;
    }

    if (!hasObjects && c >= oldCount) {
        // A cell after the last one, as a row is filled from left to right: the block grows (by half
        // again, so that filling a row's cells one by one does not copy it every time), the texts
        // move up behind the longer end list and the new text goes last.
        if (bytes > row->m_capacity) {
            const size_t want = std::max(bytes, size_t(row->m_capacity) + row->m_capacity / 2);
            void* p = std::realloc(row, want);
            if (!p)
                throw std::bad_alloc();
            row = static_cast<PackedRow*>(p);
            row->m_capacity =
                uint32_t(std::min<size_t>(malloc_usable_size(p), std::numeric_limits<uint32_t>::max()));
        }
        char* base = reinterpret_cast<char*>(row);
        std::memmove(base + charsOffset(newCount, false), base + charsOffset(oldCount, false),
                     size_t(oldChars) * sizeof(QChar));
        row->m_count = newCount;
        uint32_t* ends = row->endsOf();
        for (uint32_t i = oldCount; i < c; ++i)
            ends[i] = oldChars;
        ends[c] = newChars;
        copyChars(row->charsOf() + oldChars, text);
        row->m_chars = newChars;
        return row;
    }

    // Anything else builds a new block.
    PackedRow* out = allocate(bytes);
    out->m_count = newCount;
    out->m_chars = newChars;
    out->m_hasObjects = hasObjects;
    uint32_t* ends = out->endsOf();
    QChar* chars = out->charsOf();
    void** objects = hasObjects ? out->objectsOf() : nullptr;
    uint32_t pos = 0;
    for (uint32_t i = 0; i < newCount; ++i) {
        const QStringView t = i == c ? text : row->text(int32_t(i));
        copyChars(chars + pos, t);
        pos += uint32_t(t.size());
        ends[i] = pos;
        if (objects)
            objects[i] = i == c ? object : row->object(int32_t(i));
    }
    destroy(row);
    return out;
}

PackedRow* PackedRow::moveCell(PackedRow* row, int32_t from, int32_t to) {
    if (from == to)
        return row;
    std::vector<Cell> cells;
    cells.reserve(size_t(std::max<int32_t>({row->count(), from, to})) + 1);
    for (int32_t i = 0; i < row->count(); ++i)
        cells.push_back({row->text(i), row->object(i)});
    const Cell moved{row->text(from), row->object(from)};
    if (size_t(from) < cells.size())
        cells.erase(cells.begin() + from);
    if (size_t(to) > cells.size())
        cells.resize(size_t(to));
    cells.insert(cells.begin() + to, moved);
    while (!cells.empty() && cells.back().empty())
        cells.pop_back();

    bool hasObjects = false;
    size_t chars = 0;
    for (const Cell& cell : cells) {
        hasObjects = hasObjects || cell.object;
        chars += size_t(cell.text.size());
    }
    const auto count = uint32_t(cells.size());
    PackedRow* out = allocate(bytesFor(count, hasObjects, checkedChars(chars)));
    out->m_count = count;
    out->m_chars = uint32_t(chars);
    out->m_hasObjects = hasObjects;
    uint32_t* ends = out->endsOf();
    QChar* outChars = out->charsOf();
    uint32_t pos = 0;
    for (uint32_t i = 0; i < count; ++i) {
        copyChars(outChars + pos, cells[i].text);
        pos += uint32_t(cells[i].text.size());
        ends[i] = pos;
        if (hasObjects)
            out->objectsOf()[i] = cells[i].object;
    }
    // The views above point into the old block: freed only now.
    destroy(row);
    return out;
}
