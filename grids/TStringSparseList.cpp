#include "grids/TStringSparseList.h"

#include "core/EListError.h"

#include <QDataStream>
#include <memory>
#include <vector>

TStringSparseList::TStringSparseList(TSparseQuantum quantum) : m_list(quantum) {}

TStringSparseList::~TStringSparseList() {
    freeItems();
}

void TStringSparseList::changed() {
    if (OnChange)
        OnChange(this);
}

void TStringSparseList::freeItems() {
    m_list.ForEach([](int32_t, void* p) {
        delete static_cast<CellItem*>(p);
        return 0;
    });
}

QString TStringSparseList::Get(int i) const {
    const CellItem* item = itemAt(i);
    return item ? item->text : QString();
}

const QString& TStringSparseList::TextRef(int i) const {
    static const QString empty;
    const CellItem* item = itemAt(i);
    return item ? item->text : empty;
}

int TStringSparseList::GetCount() const {
    return m_list.Count();
}

void* TStringSparseList::GetObject(int i) const {
    const CellItem* item = itemAt(i);
    return item ? item->object : nullptr;
}

void TStringSparseList::Put(int i, const QString& s) {
    CellItem* old = itemAt(i);
    void* object = old ? old->object : nullptr;
    std::unique_ptr<CellItem> fresh;
    if (!s.isEmpty() || object)
        fresh.reset(new CellItem{object, s});
    m_list.SetItemAt(i, fresh.get());
    fresh.release();
    delete old;
    changed();
}

void TStringSparseList::TakeText(int i, QString&& s) {
    if (s.isEmpty()) {
        Put(i, s);
        return;
    }
    if (CellItem* item = itemAt(i)) {
        item->text = std::move(s);
    } else {
        auto fresh = std::make_unique<CellItem>(CellItem{nullptr, std::move(s)});
        m_list.SetItemAt(i, fresh.get());
        fresh.release();
    }
    changed();
}

void TStringSparseList::PutObject(int i, void* o) {
    if (CellItem* item = itemAt(i)) {
        item->object = o;
    } else if (o) {
        auto fresh = std::make_unique<CellItem>(CellItem{o, QString()});
        m_list.SetItemAt(i, fresh.get());
        fresh.release();
    }
    changed();
}

void TStringSparseList::Insert(int i, const QString& s) {
    auto fresh = std::make_unique<CellItem>(CellItem{nullptr, s});
    m_list.InsertAt(i, fresh.get());
    fresh.release();
    changed();
}

void TStringSparseList::Delete(int i) {
    delete itemAt(i);
    m_list.DeleteAt(i);
    changed();
}

void TStringSparseList::Exchange(int a, int b) {
    m_list.Swap(a, b);
}

void TStringSparseList::Clear() {
    freeItems();
    m_list.Clear();
    changed();
}

int TStringSparseList::ForEachItem(
    const std::function<int(int32_t Index, const QString& Text, void* Object)>& apply) const {
    return m_list.ForEach([&](int32_t index, void* p) {
        const CellItem* item = static_cast<const CellItem*>(p);
        return apply(index, item->text, item->object);
    });
}

void TStringSparseList::WriteList(QDataStream& out) const {
    qint32 n = 0;
    m_list.ForEach([&](int32_t, void*) {
        ++n;
        return 0;
    });
    out << n;
    m_list.ForEach([&](int32_t index, void* p) {
        out << qint32(index) << static_cast<const CellItem*>(p)->text;
        return 0;
    });
}

void TStringSparseList::ReadList(QDataStream& in) {
    qint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || n < 0)
        throw EListError(QStringLiteral("Invalid list data"));
    // Read everything first, so a broken stream changes nothing.
    std::vector<std::pair<qint32, QString>> entries;
    for (qint32 k = 0; k < n; ++k) {
        qint32 index = 0;
        QString text;
        in >> index >> text;
        if (in.status() != QDataStream::Ok)
            throw EListError(QStringLiteral("Invalid list data"));
        if (index < 0 || index > m_list.Array().MaxIndex())
            throw EListError::IndexOutOfBounds(index);
        entries.emplace_back(index, std::move(text));
    }
    for (const auto& [index, text] : entries)
        Insert(index, text);
}
