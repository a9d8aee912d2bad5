#include "core/CommaText.h"

#include <algorithm>

namespace {

bool isBlankOrControl(char16_t c) {
    return c <= 32;
}

// Codes 1..32 are skipped between items; code 0 is not, because outside quotes it ends the line.
bool isSkippable(char16_t c) {
    return c >= 1 && c <= 32;
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
    const qsizetype n = line.size();
    const char16_t* d = line.utf16();
    qsizetype pos = 0;
    // One item per comma and one more, unless commas stand in quotes: the list is allocated once.
    if (n > 0)
        items.reserve(items.size() + (expected > 0 ? expected : line.count(u',') + 1));
    auto skip = [&] {
        while (pos < n && isSkippable(d[pos]))
            ++pos;
    };
    skip();
    while (pos < n) {
        // A zero character outside quotes ends the line; treating it as an item start would never
        // advance.
        if (d[pos] == 0)
            break;
        if (d[pos] == u'"') {
            ++pos;
            // Most quoted items hold no quote of their own: then the item is the text up to the
            // closing quote (or, without one, the rest of the line).
            qsizetype close = pos;
            while (close < n && d[close] != u'"')
                ++close;
            if (close >= n || close + 1 >= n || d[close + 1] != u'"') {
                items.append(makeItem(line.mid(pos, close - pos)));
                pos = std::min(close + 1, n);
            } else {
                QString item;
                // Copied in runs between quotes rather than character by character.
                while (pos < n) {
                    qsizetype q = pos;
                    while (q < n && d[q] != u'"')
                        ++q;
                    item.append(line.mid(pos, q - pos));
                    pos = q;
                    if (pos >= n)
                        break;
                    if (pos + 1 < n && d[pos + 1] == u'"') {
                        item += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                // A missing closing quote leaves the whole rest of the line in the item.
                items.append(std::move(item));
            }
        } else {
            const qsizetype start = pos;
            while (pos < n && d[pos] != u',' && !isBlankOrControl(d[pos]))
                ++pos;
            items.append(makeItem(line.mid(start, pos - start)));
        }
        skip();
        if (pos < n && d[pos] == u',') {
            // The line ends at its length or at a zero character, whichever comes first.
            const bool commaIsLast = pos == n - 1 || d[pos + 1] == 0;
            ++pos;
            skip();
            if (commaIsLast)
                items.append(QString());
        }
    }
    return pos;
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
