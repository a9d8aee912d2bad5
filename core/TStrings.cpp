#include "core/TStrings.h"

#include "core/CommaText.h"
#include "core/EListError.h"
#include "core/TextLines.h"

#include <exception>

namespace {
// Closes the update bracket also when the work inside fails. A failure of the closing itself
// (a change handler that throws) is passed on, unless it would replace the failure already on its
// way out.
class UpdateBracket {
public:
    explicit UpdateBracket(TStrings& list) : m_list(list), m_pending(std::uncaught_exceptions()) {
        m_list.BeginUpdate();
    }
    ~UpdateBracket() noexcept(false) {
        if (std::uncaught_exceptions() == m_pending) {
            m_list.EndUpdate();
            return;
        }
        try {
            m_list.EndUpdate();
        } catch (...) {
        }
    }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

private:
    TStrings& m_list;
    int m_pending;
};
} // namespace

TStrings::~TStrings() = default;

int TStrings::Add(const QString& s) {
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const QString& s, void* o) {
    const int i = Add(s);
    if (i >= 0)
        PutObject(i, o);
    return i;
}

void TStrings::AddStrings(const TStrings& source) {
    const UpdateBracket bracket(*this);
    const int n = source.Count();
    for (int i = 0; i < n; ++i)
        AddObject(source.Strings(i), source.Objects(i));
}

void TStrings::InsertObject(int i, const QString& s, void* o) {
    Insert(i, s);
    PutObject(i, o);
}

void TStrings::Exchange(int a, int b) {
    const QString textA = Get(a);
    void* objA = GetObject(a);
    const QString textB = Get(b);
    void* objB = GetObject(b);
    Put(a, textB);
    PutObject(a, objB);
    Put(b, textA);
    PutObject(b, objA);
}

void TStrings::Move(int from, int to) {
    if (from == to)
        return;
    // Checked before the delete so a bad target cannot lose the entry.
    if (to < 0)
        throw EListError::IndexOutOfBounds(to);
    const UpdateBracket bracket(*this);
    const QString text = Get(from);
    void* obj = GetObject(from);
    Delete(from);
    InsertObject(to, text, obj);
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this)
        return;
    const UpdateBracket bracket(*this);
    Clear();
    AddStrings(source);
}

int TStrings::IndexOf(const QString& s) const {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        if (Get(i).compare(s, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TStrings::BeginUpdate() {
    if (m_updateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (m_updateCount == 0)
        return;
    if (--m_updateCount == 0)
        SetUpdateState(false);
}

QString TStrings::CommaText() const {
    return ToCommaText(ToStringList());
}

void TStrings::setCommaText(const QString& text) {
    const QStringList items = ParseCommaText(text);
    const UpdateBracket bracket(*this);
    Clear();
    for (const QString& item : items)
        Add(item);
}

QString TStrings::Text() const {
    QString out;
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        out += Get(i);
        out += QStringLiteral("\r\n");
    }
    return out;
}

void TStrings::setText(const QString& text) {
    QStringList lines;
    ForEachTextLine(text, [&](QStringView line) { lines.append(line.toString()); });
    const UpdateBracket bracket(*this);
    Clear();
    for (const QString& line : lines)
        Add(line);
}

QStringList TStrings::ToStringList() const {
    QStringList out;
    const int n = Count();
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(Get(i));
    return out;
}

void TStrings::Put(int i, const QString& s) {
    void* obj = GetObject(i);
    Delete(i);
    InsertObject(i, s, obj);
}

void* TStrings::GetObject(int) const {
    return nullptr;
}

void TStrings::PutObject(int, void*) {}

void TStrings::SetUpdateState(bool) {}
