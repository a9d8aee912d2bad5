#include "core/TStrings.h"

#include "core/CommaText.h"
#include "core/EListError.h"

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
    BeginUpdate();
    try {
        const int n = source.Count();
        for (int i = 0; i < n; ++i)
            AddObject(source.Strings(i), source.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
    BeginUpdate();
    try {
        const QString text = Get(from);
        void* obj = GetObject(from);
        Delete(from);
        InsertObject(to, text, obj);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
    BeginUpdate();
    try {
        Clear();
        for (const QString& item : items)
            Add(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    BeginUpdate();
    try {
        Clear();
        for (const QString& line : lines)
            Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
