#include "core/CommaText.h"

#include "core/CommaTextItems.h"

#include <algorithm>

namespace {

bool isBlankOrControl(char16_t c) {
    return c <= 32;
}

bool needsQuotes(const QString& item) {
    for (QChar c : item) {
        const char16_t u = c.unicode();
        if (isBlankOrControl(u) || u == u'"' || u == u',')
            return true;
    }
    return false;
}

// Reads the items of `line` into `items`; returns the position where reading stopped (the line's
// length unless a zero character outside quotes ended it). `expected` is the number of items the
// caller expects, or 0 to count them.
template <typename MakeItem>
qsizetype ReadCommaText(QStringView line, QStringList& items, MakeItem makeItem, qsizetype expected = 0) {
    // One item per comma and one more, unless commas stand in quotes: the list is allocated once.
    if (!line.isEmpty())
        items.reserve(items.size() + (expected > 0 ? expected : line.count(u',') + 1));
    return ForEachCommaItem(line, [&](QStringView text) {
        items.append(makeItem(text));
        return true;
    });
}

QString NewItem(QStringView text) {
    return text.isEmpty() ? QString() : text.toString();
}

} // namespace

QString CommaTextReader::Item(QStringView text) {
    if (text.isEmpty())
        return QString();
    if (text.size() > kLongestShared)
        return text.toString();
    // One slot per mix of length and a few characters; a text that does not match its slot's
    // takes the slot over.
    const char16_t* d = text.utf16();
    const auto n = size_t(text.size());
    const size_t slot = (n * 31 + d[0] * 7 + d[n / 2] * 131 + d[n - 1] * 17) % kSlots;
    QString& shared = m_shared[slot];
    if (shared.size() != text.size() || QStringView(shared) != text)
        shared = text.toString();
    return shared;
}

QStringList CommaTextReader::Read(QStringView line, bool& readToEnd) {
    QStringList items;
    // The lines of one file mostly hold as many items as the line before: counting them first
    // would read every line twice. After a long line (a settings line with an entry per row) the
    // items are counted, so a short line does not reserve that much.
    const qsizetype expected = m_lastCount <= 64 ? m_lastCount : 0;
    readToEnd = ReadCommaText(
                    line, items, [this](QStringView text) { return Item(text); }, expected) == line.size();
    m_lastCount = items.size();
    return items;
}

void AppendCommaText(QString& out, const QStringList& items) {
    if (items.size() == 1 && items.front().isEmpty()) {
        out += QLatin1String("\"\"");
        return;
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += u',';
        const QString& item = items[i];
        if (!needsQuotes(item)) {
            out += item;
            continue;
        }
        out += u'"';
        // Copied in runs between quotes rather than character by character.
        const QStringView view(item);
        qsizetype from = 0;
        for (qsizetype q = view.indexOf(u'"'); q >= 0; q = view.indexOf(u'"', from)) {
            out += view.mid(from, q + 1 - from);
            out += u'"';
            from = q + 1;
        }
        out += view.mid(from);
        out += u'"';
    }
}

QString ToCommaText(const QStringList& items) {
    QString out;
    AppendCommaText(out, items);
    return out;
}

QStringList ParseCommaText(const QString& line) {
    QStringList items;
    ReadCommaText(line, items, NewItem);
    return items;
}

QStringList ParseCommaText(QStringView line, bool& readToEnd) {
    QStringList items;
    readToEnd = ReadCommaText(line, items, NewItem) == line.size();
    return items;
}
