#include "core/CommaText.h"

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

// Codes 1..32 are skipped between items; code 0 is not, because outside quotes it ends the line.
bool isSkippable(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool needsQuotes(const QString& item) {
    for (QChar c : item) {
        if (isBlankOrControl(c) || c == u'"' || c == u',')
            return true;
    }
    return false;
}

} // namespace

QString ToCommaText(const QStringList& items) {
    if (items.size() == 1 && items.front().isEmpty())
        return QStringLiteral("\"\"");
    QString out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += u',';
        const QString& item = items[i];
        if (needsQuotes(item)) {
            out += u'"';
            for (QChar c : item) {
                if (c == u'"')
                    out += u'"';
                out += c;
            }
            out += u'"';
        } else {
            out += item;
        }
    }
    return out;
}

QStringList ParseCommaText(const QString& line) {
    QStringList items;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    auto skip = [&] {
        while (pos < n && isSkippable(line[pos]))
            ++pos;
    };
    skip();
    while (pos < n) {
        // A zero character outside quotes ends the line; treating it as an item start would never
        // advance.
        if (line[pos].unicode() == 0)
            break;
        QString item;
        if (line[pos] == u'"') {
            ++pos;
            while (pos < n) {
                if (line[pos] == u'"') {
                    if (pos + 1 < n && line[pos + 1] == u'"') {
                        item += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                item += line[pos++];
            }
            // A missing closing quote leaves the whole rest of the line in the item.
        } else {
            const qsizetype start = pos;
            while (pos < n && line[pos] != u',' && !isBlankOrControl(line[pos]))
                ++pos;
            item = line.mid(start, pos - start);
        }
        items.append(item);
        skip();
        if (pos < n && line[pos] == u',') {
            // The line ends at its length or at a zero character, whichever comes first.
            const bool commaIsLast = pos == n - 1 || line[pos + 1].unicode() == 0;
            ++pos;
            skip();
            if (commaIsLast)
                items.append(QString());
        }
    }
    return items;
}
